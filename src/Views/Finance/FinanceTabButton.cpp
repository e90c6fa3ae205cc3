#include "Views/Finance/FinanceTabButton.h"

#include "Components/Symbols.h"
#include "ViewModels/Theme/Theme.h"

#include <QFontMetrics>
#include <QPainter>

namespace {
constexpr int kIconSize = 12;
constexpr int kGap = 6;
constexpr int kPadH = 10;
constexpr int kPadV = 8;
} // namespace

FinanceTabButton::FinanceTabButton(FinanceTab tab, QWidget* parent) : QAbstractButton(parent), tab_(tab) {
    setObjectName(QStringLiteral("financeTabButton"));
    setText(FinanceTabs::title(tab));
    setAccessibleName(FinanceTabs::title(tab));
    setCheckable(false);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setToolTip(FinanceTabs::title(tab).toHtmlEscaped());
}

void FinanceTabButton::setSelected(bool selected) {
    if (selected_ == selected)
        return;
    selected_ = selected;
    update();
}

QSize FinanceTabButton::sizeHint() const {
    const QFontMetrics metrics(Theme::font(12, QFont::Medium));
    return {kPadH * 2 + kIconSize + kGap + metrics.horizontalAdvance(text()),
            kPadV * 2 + std::max(kIconSize, metrics.height())};
}

QSize FinanceTabButton::minimumSizeHint() const {
    return {kPadH * 2 + kIconSize, sizeHint().height()};
}

void FinanceTabButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor color = selected_ ? Theme::textPrimary() : Theme::textSecondary();
    const QFont font = Theme::font(12, selected_ ? QFont::Medium : QFont::Normal);
    const QFontMetrics metrics(font);

    const int room = width() - kPadH * 2 - kIconSize - kGap;
    const QString shown = metrics.elidedText(text(), Qt::ElideRight, std::max(0, room));
    const int contentWidth = kIconSize + (shown.isEmpty() ? 0 : kGap + metrics.horizontalAdvance(shown));
    int x = std::max(kPadH, (width() - contentWidth) / 2);
    const QString symbol = FinanceTabs::symbolName(tab_);
    Symbols::paint(painter, QRectF(x, (height() - kIconSize) / 2.0, kIconSize, kIconSize), symbol, color);
    x += kIconSize + kGap;
    if (!shown.isEmpty()) {
        painter.setFont(font);
        painter.setPen(color);
        painter.drawText(QRect(x, 0, width() - x, height()), Qt::AlignVCenter | Qt::AlignLeft, shown);
    }
    if (hasFocus()) {
        painter.setPen(QPen(Theme::withOpacity(Theme::textSecondary(), 0.5), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 12, 12);
    }
}
