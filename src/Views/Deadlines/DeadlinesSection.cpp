#include "Views/Deadlines/DeadlinesSection.h"

#include "Components/ScreenStyle.h"
#include "Components/SymbolIcon.h"
#include "Components/Symbols.h"
#include "ViewModels/Theme/Theme.h"

#include <QHBoxLayout>
#include <QLabel>

DeadlinesSection::DeadlinesSection(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("deadlinesSection"));
    row_ = new QHBoxLayout(this);
    row_->setContentsMargins(0, 0, 0, 0);
    row_->setSpacing(8);
    icon_ = new SymbolIcon(QString(), Symbols::pixelSizeForFontSize(14), Theme::textMuted(), this);
    row_->addWidget(icon_);
    titleLabel_ = ScreenStyle::label(QString(), Theme::font(18, QFont::DemiBold), Theme::textPrimary(), this);
    row_->addWidget(titleLabel_);
    count_ = ScreenStyle::label(QString(), Theme::font(14), Theme::textMuted(), this);
    count_->setObjectName(QStringLiteral("sectionCount"));
    row_->addWidget(count_);
    row_->addStretch(1);
}

void DeadlinesSection::bind(const QString& title, const QString& symbol, const QColor& color, int count,
                            bool first) {
    title_ = title;
    row_->setContentsMargins(0, first ? 0 : kGapAbove, 0, 0);
    icon_->setSymbol(symbol);
    icon_->setColor(color);
    titleLabel_->setText(title);
    count_->setText(QStringLiteral("(%1)").arg(count));
}

QString DeadlinesSection::countText() const {
    return count_->text();
}

int DeadlinesSection::naturalHeight() {
    static const int height = [] {
        DeadlinesSection sample;
        sample.bind(QStringLiteral("Ag"), QString(), Theme::textMuted(), 0, true);
        return sample.sizeHint().height();
    }();
    return height;
}
