#include "Views/Goals/GoalsCategoryBar.h"

#include "Components/BareScrollArea.h"
#include "Components/ChoiceGroup.h"
#include "Components/FocusRing.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/GoalsViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Goals/GoalStyle.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>

GoalsCategoryBar::GoalsCategoryBar(GoalsViewModel* viewModel, QWidget* parent)
    : QScrollArea(parent), viewModel_(viewModel), strip_(new QWidget), row_(new QHBoxLayout(strip_)),
      group_(new ChoiceGroup(this)) {
    setObjectName(QStringLiteral("goalsCategoryBar"));
    setAccessibleName(QStringLiteral("Categories"));
    BareScrollArea::makeBare(this);
    row_->setContentsMargins(32, 16, 32, 16);
    row_->setSpacing(8);
    setWidget(strip_);
    rebuild();
}

void GoalsCategoryBar::rebuild() {
    // A chip chosen from the keyboard goes with the rebuild: its successor takes the focus.
    const QWidget* focus = QApplication::focusWidget();
    const bool hadFocus = focus && strip_->isAncestorOf(focus);
    const bool ring = hadFocus && FocusRing::current() && FocusRing::current()->target() == focus;
    group_->clear();
    // A chip may be rebuilt from its own click: release the old ones later.
    while (QLayoutItem* item = row_->takeAt(0)) {
        if (QWidget* chip = item->widget()) {
            chip->hide();
            chip->deleteLater();
        }
        delete item;
    }
    const QString chosen = viewModel_->filterCategory();
    for (const QString& category : viewModel_->categories()) {
        auto* chip = new QToolButton(strip_);
        chip->setObjectName(QStringLiteral("goalsCategoryChip"));
        chip->setText(Text::literalMnemonics(category));
        chip->setFont(Theme::font(12, QFont::Medium));
        chip->setCursor(Qt::PointingHandCursor);
        const bool on = category == chosen;
        chip->setProperty("chosen", on);
        GoalStyle::styleChip(chip, on, AppTheme::Colors::indigo(), AppTheme::Colors::violet(), 5);
        connect(chip, &QToolButton::clicked, viewModel_,
                [vm = viewModel_, category] { vm->setFilterCategory(category); });
        chip->ensurePolished();
        row_->addWidget(chip);
        chip->show();
        group_->add(chip);
        if (on)
            group_->setChosen(chip);
    }
    row_->addStretch(1);
    // Made anew, the chips stand last in the window's chain: the list whose header this strip
    // is puts its header's controls back in order when the header asks for a new layout.
    QCoreApplication::postEvent(this, new QEvent(QEvent::LayoutRequest));
    if (hadFocus && group_->stop())
        group_->stop()->setFocus(ring ? Qt::TabFocusReason : Qt::OtherFocusReason);
    // New chips are not shown yet, so the layout would not count them.
    int chipHeight = 0;
    for (QToolButton* chip : strip_->findChildren<QToolButton*>())
        chipHeight = std::max(chipHeight, chip->sizeHint().height());
    const QMargins margins = row_->contentsMargins();
    setFixedHeight(chipHeight + margins.top() + margins.bottom());
}

// With its scroll bar hidden, the strip also moves sideways on a plain mouse wheel.
bool GoalsCategoryBar::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        QScrollBar* bar = horizontalScrollBar();
        if (bar->maximum() > 0 && wheel->angleDelta().x() == 0) {
            bar->setValue(bar->value() - wheel->angleDelta().y() / 2);
            return true;
        }
        event->ignore();
        return false;
    }
    return QScrollArea::viewportEvent(event);
}
