#include "Views/Finance/FinanceTabBar.h"

#include "ViewModels/Theme/Theme.h"
#include "Views/Finance/FinanceTabButton.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>

FinanceTabBar::FinanceTabBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("financeTabBar"));
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 4, 4, 4);
    row->setSpacing(2);
    for (FinanceTab tab : FinanceTabs::allCases) {
        auto* button = new FinanceTabButton(tab, this);
        button->setSelected(tab == selected_);
        connect(button, &FinanceTabButton::clicked, this, [this, tab] {
            if (tab == selected_)
                return;
            setSelected(tab);
            emit tabChosen(tab);
        });
        row->addWidget(button, 1);
        buttons_.push_back(button);
    }
}

void FinanceTabBar::setSelected(FinanceTab tab) {
    selected_ = tab;
    for (auto* button : buttons_)
        button->setSelected(button->tab() == tab);
    update();
}

FinanceTabButton* FinanceTabBar::button(FinanceTab tab) const {
    for (auto* button : buttons_)
        if (button->tab() == tab)
            return button;
    return nullptr;
}

void FinanceTabBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::backgroundTertiary());
    painter.drawRoundedRect(QRectF(rect()), 15, 15);
    if (auto* chosen = button(selected_)) {
        const QRectF pill = QRectF(chosen->geometry());
        // A faint shadow under the pill, then the pill.
        painter.setBrush(QColor(0, 0, 0, 31));
        painter.drawRoundedRect(pill.translated(0, 1), 12, 12);
        painter.setBrush(Theme::backgroundSecondary());
        painter.drawRoundedRect(pill, 12, 12);
    }
}
