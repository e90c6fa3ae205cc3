#include "Views/Finance/InvestmentRow.h"

#include "Components/ElidedLabel.h"
#include "Components/FocusAfter.h"
#include "Components/ScreenStyle.h"
#include "Components/SymbolIcon.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Finance/FinanceForm.h"
#include "Views/Finance/FinanceTones.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kTile = 38;

// The violet tile behind the type's symbol.
class TypeTile : public QWidget {
public:
    explicit TypeTile(QWidget* parent) : QWidget(parent) { setFixedSize(kTile, kTile); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Theme::withOpacity(AppTheme::Colors::violet(), 0.12));
        painter.drawRoundedRect(QRectF(rect()), 8, 8);
    }
};
} // namespace

InvestmentRow::InvestmentRow(std::function<void(const std::shared_ptr<Investment>&)> onDelete,
                             QWidget* parent)
    : QWidget(parent), onDelete_(std::move(onDelete)) {
    setObjectName(QStringLiteral("investmentRow"));
    FocusAfter::markRow(this);
    setFixedHeight(kHeight);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(16);

    auto* tile = new TypeTile(this);
    auto* tileLayout = new QVBoxLayout(tile);
    tileLayout->setContentsMargins(0, 0, 0, 0);
    icon_ = new SymbolIcon(QString(), 15, AppTheme::Colors::violet(), tile);
    tileLayout->addWidget(icon_, 0, Qt::AlignCenter);
    row->addWidget(tile);

    auto* names = new QVBoxLayout;
    names->setSpacing(2);
    name_ = FinanceForm::elidedLabel(Theme::font(14, QFont::Medium), Theme::textPrimary());
    name_->setObjectName(QStringLiteral("holdingName"));
    names->addWidget(name_);
    auto* subline = new QHBoxLayout;
    subline->setSpacing(0);
    type_ = ScreenStyle::label(QString(), Theme::font(10), Theme::textMuted(), this);
    type_->setObjectName(QStringLiteral("holdingType"));
    growth_ = ScreenStyle::label(QString(), Theme::font(10), AppTheme::Colors::emerald(), this);
    growth_->setObjectName(QStringLiteral("holdingGrowth"));
    subline->addWidget(type_);
    subline->addWidget(growth_);
    subline->addStretch(1);
    names->addLayout(subline);
    row->addLayout(names, 1);

    auto* figures = new QVBoxLayout;
    figures->setSpacing(2);
    value_ = FinanceForm::figureLabel(Theme::font(14, QFont::Bold), Theme::textPrimary());
    value_->setObjectName(QStringLiteral("holdingValue"));
    return_ = FinanceForm::figureLabel(Theme::font(11, QFont::Medium), AppTheme::Colors::emerald());
    return_->setObjectName(QStringLiteral("holdingReturn"));
    figures->addWidget(value_);
    figures->addWidget(return_);
    row->addLayout(figures);

    auto* remove = ScreenStyle::textButton(QString(), Theme::systemFont(11), Theme::textMuted());
    remove->setObjectName(QStringLiteral("deleteHolding"));
    ScreenStyle::setSymbol(remove, QStringLiteral("trash"), Theme::withOpacity(Theme::textMuted(), 0.4), 11);
    remove->setToolTip(tr("Delete"));
    remove->setAccessibleName(tr("Delete"));
    FocusAfter::markAction(remove, FocusAfter::Action::deletes);
    connect(remove, &QPushButton::clicked, this, [this] {
        if (auto holding = figures_.holding.lock())
            onDelete_(holding);
    });
    row->addWidget(remove);
}

void InvestmentRow::bind(const Figures& figures) {
    figures_ = figures;
    icon_->setSymbol(figures.symbol);
    name_->setFullText(figures.name);
    setAccessibleName(figures.name);
    type_->setText(figures.typeLabel);
    growth_->setText(figures.growthText);
    growth_->setVisible(!figures.growthText.isEmpty());
    ScreenStyle::setTextColor(growth_, FinanceTones::color(figures.growthTone));
    value_->setFullText(figures.valueText);
    return_->setFullText(figures.returnText);
    ScreenStyle::setTextColor(return_, FinanceTones::color(figures.returnTone));
}

void InvestmentRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(AppTheme::Colors::borderSubtle(), 1));
    painter.setBrush(Theme::backgroundSecondary());
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 12, 12);
}
