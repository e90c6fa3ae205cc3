#include "Views/Finance/OverviewHeroCard.h"

#include "Components/ElidedLabel.h"
#include "Components/ScreenStyle.h"
#include "Components/SymbolIcon.h"
#include "ViewModels/Theme/Theme.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QVBoxLayout>

namespace {
constexpr double kValueSize = 20;
constexpr double kSmallestScale = 0.7;
constexpr int kPadding = 16;
} // namespace

OverviewHeroCard::OverviewHeroCard(const QString& label, const QString& symbol, const QString& note,
                                   QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("heroCard"));
    setAccessibleName(label);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(kPadding, kPadding, kPadding, kPadding);
    column->setSpacing(6);
    icon_ = new SymbolIcon(symbol, 15, Theme::textMuted(), this);
    column->addWidget(icon_);
    valueLabel_ = new ElidedLabel(this);
    valueLabel_->setFont(Theme::font(kValueSize, QFont::Bold));
    ScreenStyle::setTextColor(valueLabel_, Theme::textPrimary());
    valueLabel_->setObjectName(QStringLiteral("heroValue"));
    column->addWidget(valueLabel_);
    auto* caption = ScreenStyle::label(label, Theme::font(11), Theme::textMuted(), this);
    caption->setObjectName(QStringLiteral("heroLabel"));
    column->addWidget(caption);
    if (!note.isEmpty()) {
        auto* noteLabel =
            ScreenStyle::label(note, Theme::font(10), Theme::withOpacity(Theme::textMuted(), 0.6), this);
        noteLabel->setObjectName(QStringLiteral("heroNote"));
        column->addWidget(noteLabel);
    }
    column->addStretch(1);
    setMinimumWidth(90);
}

void OverviewHeroCard::setValue(const QString& text, const QColor& tint, const QString& note) {
    value_ = text;
    note_ = note;
    tint_ = tint;
    icon_->setColor(tint);
    fitValue();
    update();
}

void OverviewHeroCard::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitValue();
}

void OverviewHeroCard::fitValue() {
    const int room = std::max(0, width() - 2 * kPadding);
    QFont font = Theme::font(kValueSize, QFont::Bold);
    const int full = QFontMetrics(font).horizontalAdvance(value_);
    if (full > room && full > 0)
        font.setPixelSize(int(std::max(kValueSize * kSmallestScale, kValueSize * room / double(full))));
    valueLabel_->setFont(font);
    valueLabel_->setFullText(value_, note_);
}

void OverviewHeroCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient gradient(box.topLeft(), box.bottomRight());
    gradient.setColorAt(0, Theme::withOpacity(tint_, 0.12));
    gradient.setColorAt(1, Theme::withOpacity(tint_, 0.05));
    painter.setBrush(gradient);
    painter.setPen(QPen(Theme::withOpacity(tint_, 0.2), 1));
    painter.drawRoundedRect(box, 18, 18);
}
