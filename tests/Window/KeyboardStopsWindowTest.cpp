// The keyboard's stops as the X server shows them: at every Tab stop of every destination the
// focused control is drawn (its area on screen changes when the focus leaves it) and has a
// name a screen reader reads; Return in a sheet's one-line field presses the sheet's default
// button, so a form filled from the keyboard is saved from it.
#include "Window/WindowLane.h"

#include "Components/FocusRing.h"
#include "Models/LinkItem.h"
#include "Platform/UserDefaults.h"
#include "Store/FetchRequest.h"
#include "Views/Finance/FinanceTabBar.h"
#include "Views/Finance/FinanceTabButton.h"
#include "Views/Finance/FinanceView.h"

#include <QAccessible>
#include <QApplication>
#include <QScreen>

namespace {

QString describe(const QWidget* widget) {
    if (!widget)
        return QStringLiteral("(nothing)");
    QString name = widget->objectName();
    if (name.isEmpty())
        name = QString::fromLatin1(widget->metaObject()->className());
    for (const QWidget* up = widget->parentWidget(); up; up = up->parentWidget())
        if (!up->objectName().isEmpty())
            return name + QStringLiteral(" in ") + up->objectName();
    return name;
}

QString accessibleName(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name).trimmed() : QString();
}

class KeyboardStopsWindow : public WindowLane {
protected:
    void openAt(AppDestination destination) {
        if (!window_) {
            makeGoal(QStringLiteral("Run a half marathon"), 10, 2, 1);
            auto link = LinkItem::create(context());
            link->setTitle(QStringLiteral("Training plan"));
            link->setUrl(QStringLiteral("https://example.org/plan"));
            link->setCategory(QStringLiteral("Running"));
            context()->save();
            UserDefaults::standard().setFlag(FinanceView::authEnabledKey, false);
            UserDefaults::standard().setFlag(FinanceView::onboardingCompleteKey, true);
            showWindow(QSize(1200, 760));
        }
        if (vm_->selectedDestination() != destination) {
            goTo(destination);
            frames(800);
        }
    }

    QWidget* named(const QString& name) const {
        for (QWidget* w : window_->findChildren<QWidget*>(name))
            if (w->isVisible())
                return w;
        return nullptr;
    }

    // What the server shows around the control, the focus ring's room included.
    static QImage grabAround(QWidget* widget) {
        widget->window()->repaint();
        const int ring = FocusRing::kOutset;
        const QPoint origin = widget->mapToGlobal(QPoint(-ring, -ring));
        return widget->screen()
            ->grabWindow(0, origin.x(), origin.y(), widget->width() + 2 * ring, widget->height() + 2 * ring)
            .toImage();
    }

    // Tabs round the window from the destination's own control until the focus comes back to a
    // control it has been on; each stop is checked as it comes.
    void walk(AppDestination destination) {
        openAt(destination);
        const QString where = AppDestinations::rawValue(destination);
        QWidget* start = QApplication::focusWidget();
        if (!start) {
            window_->setFocus(Qt::OtherFocusReason);
            start = window_.get();
        }
        QList<QWidget*> seen;
        for (int i = 0; i < 120; ++i) {
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window_.get(),
                            Qt::Key_Tab);
            frames(60);
            QWidget* focus = QApplication::focusWidget();
            ASSERT_NE(focus, nullptr) << where.toStdString() << ": Tab " << i << " left no control focused";
            if (seen.contains(focus))
                break;
            seen << focus;
            const std::string stop = (where + QStringLiteral(": ") + describe(focus)).toStdString();
            EXPECT_FALSE(accessibleName(focus).isEmpty()) << stop << " has no accessible name";
            const QImage focused = grabAround(focus);
            focus->clearFocus();
            frames(60);
            const QImage unfocused = grabAround(focus);
            EXPECT_GT(differingShare(focused, unfocused), 0.0) << stop << " shows nothing of its focus";
            focus->setFocus(Qt::TabFocusReason);
            frames(60);
        }
        EXPECT_GT(seen.size(), 3) << where.toStdString();
    }
};

} // namespace

TEST_F(KeyboardStopsWindow, EveryStopOfEveryDestinationIsDrawnAndNamed) {
    for (AppDestination destination : AppDestinations::allCases) {
        SCOPED_TRACE(AppDestinations::rawValue(destination).toStdString());
        walk(destination);
    }
}

TEST_F(KeyboardStopsWindow, ReturnInAOneLineFieldSavesAddExpenseAndAddLink) {
    openAt(AppDestination::expenses);
    auto* finance = qobject_cast<FinanceView*>(screen());
    ASSERT_NE(finance, nullptr);
    if (finance->selectedTab() != FinanceTab::overview) {
        click(finance->tabBar()->button(FinanceTab::overview));
        frames(800);
    }
    QWidget* add = named(QStringLiteral("addExpenseButton"));
    ASSERT_NE(add, nullptr);
    add->setFocus(Qt::TabFocusReason);
    QTest::keyClick(add, Qt::Key_Space);
    frames(800);
    ASSERT_NE(topSheet(), nullptr);
    QTest::keyClicks(named(QStringLiteral("titleField")), QStringLiteral("Lunch"));
    QWidget* amount = named(QStringLiteral("amountField"));
    amount->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(amount, QStringLiteral("240"));
    QTest::keyClick(amount, Qt::Key_Return);
    frames(800);
    EXPECT_EQ(topSheet(), nullptr) << "Add Expense stayed open";
    const auto expenses = context()->fetch(FetchRequest(QStringLiteral("Expense")));
    ASSERT_EQ(expenses.size(), 1u);
    EXPECT_EQ(expenses.front()->value(QStringLiteral("title")).toString(), QStringLiteral("Lunch"));

    goTo(AppDestination::links);
    frames(800);
    QWidget* addLink = named(QStringLiteral("addLinkButton"));
    if (!addLink)
        addLink = named(QStringLiteral("addFirstLinkButton"));
    ASSERT_NE(addLink, nullptr);
    addLink->setFocus(Qt::TabFocusReason);
    QTest::keyClick(addLink, Qt::Key_Space);
    frames(800);
    ASSERT_NE(topSheet(), nullptr);
    QTest::keyClicks(named(QStringLiteral("titleField")), QStringLiteral("Race calendar"));
    QWidget* url = named(QStringLiteral("urlField"));
    url->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(url, QStringLiteral("https://example.org/races"));
    QTest::keyClick(url, Qt::Key_Enter, Qt::KeypadModifier);
    frames(800);
    EXPECT_EQ(topSheet(), nullptr) << "Add Link stayed open";
    EXPECT_EQ(context()->fetch(FetchRequest(QStringLiteral("LinkItem"))).size(), 2u);
}
