// The goals screen in the smallest window the application allows (900x600) and on a full
// HD screen: in every state every control keeps its room, nothing overlaps, and the window
// never asks for more than 900x600.

#include "Window/WindowLane.h"

#include "Components/AuroraBackground.h"
#include "Components/FocusRing.h"
#include "Views/Goals/GoalsTopBar.h"

#include <QAbstractScrollArea>
#include <QScrollBar>

namespace {

// The part of a widget the user can see, in window coordinates: its rectangle cut by every
// ancestor's.
QRect visibleRect(const QWidget* widget) {
    QRect shown(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
    for (const QWidget* up = widget->parentWidget(); up && !up->isWindow(); up = up->parentWidget())
        shown &= QRect(up->mapTo(up->window(), QPoint(0, 0)), up->size());
    return shown;
}

// Drawn over or under the content on purpose: the backdrop, the focus ring and the like.
bool isOverlay(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (qobject_cast<const AuroraBackground*>(w) || qobject_cast<const FocusRing*>(w) ||
            w->testAttribute(Qt::WA_TransparentForMouseEvents) || qobject_cast<const QScrollBar*>(w))
            return true;
    return false;
}

QString describe(const QWidget* widget) {
    QString name = widget->objectName();
    if (name.isEmpty())
        name = QString::fromLatin1(widget->metaObject()->className());
    QString path = name;
    for (const QWidget* up = widget->parentWidget(); up && !up->isWindow(); up = up->parentWidget())
        if (!up->objectName().isEmpty() && !up->objectName().startsWith(QLatin1String("qt_"))) {
            path = up->objectName() + QLatin1Char('/') + path;
            break;
        }
    return path;
}

class GoalsLayoutWindow : public WindowLane {
protected:
    // Leaf controls: visible widgets with no visible widget inside, overlays aside.
    QList<QWidget*> leaves() const {
        QList<QWidget*> out;
        for (QWidget* w : window_->findChildren<QWidget*>()) {
            if (!w->isVisible() || w->isWindow() || isOverlay(w) || visibleRect(w).isEmpty())
                continue;
            bool leaf = true;
            for (QWidget* child : w->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
                if (child->isVisible() && !child->isWindow() && !isOverlay(child))
                    leaf = false;
            if (leaf)
                out << w;
        }
        return out;
    }

    void expectRoomFor(const QString& state) {
        frames(1200);
        const QSize window = window_->size();
        EXPECT_EQ(window, QSize(900, 600)) << state.toStdString() << ": the window kept its size";
        EXPECT_LE(window_->minimumSize().width(), 900) << state.toStdString();
        EXPECT_LE(window_->minimumSize().height(), 600) << state.toStdString();
        EXPECT_LE(window_->minimumSizeHint().width(), 900) << state.toStdString();
        EXPECT_LE(window_->minimumSizeHint().height(), 600) << state.toStdString();
        for (QAbstractScrollArea* area : window_->findChildren<QAbstractScrollArea*>())
            if (area->isVisible() && area->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff)
                for (QWidget* page :
                     area->viewport()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
                    EXPECT_LE(page->x() + page->width(), area->viewport()->width())
                        << state.toStdString() << ": " << describe(page).toStdString()
                        << " is cut at the right";
        const QList<QWidget*> all = leaves();
        for (QWidget* w : all) {
            // As layouts do: a minimum set on the widget wins over its hint.
            const QSize hint = w->minimumSizeHint();
            const QSize least(w->minimumWidth() > 0 ? w->minimumWidth() : hint.width(),
                              w->minimumHeight() > 0 ? w->minimumHeight() : hint.height());
            EXPECT_EQ(visibleRect(w).width(), w->width())
                << state.toStdString() << ": " << describe(w).toStdString() << " is cut";
            if (w->sizePolicy().horizontalPolicy() != QSizePolicy::Ignored)
                EXPECT_GE(w->width(), least.width())
                    << state.toStdString() << ": " << describe(w).toStdString()
                    << " is narrower than it needs";
            if (w->sizePolicy().verticalPolicy() != QSizePolicy::Ignored)
                EXPECT_GE(w->height(), least.height())
                    << state.toStdString() << ": " << describe(w).toStdString() << " is lower than it needs";
        }
        for (int i = 0; i < all.size(); ++i)
            for (int j = i + 1; j < all.size(); ++j) {
                const QRect overlap = visibleRect(all[i]) & visibleRect(all[j]);
                EXPECT_TRUE(overlap.isEmpty())
                    << state.toStdString() << ": " << describe(all[i]).toStdString() << " and "
                    << describe(all[j]).toStdString() << " overlap at " << overlap.x() << "," << overlap.y()
                    << " " << overlap.width() << "x" << overlap.height();
            }
    }
};

} // namespace

TEST_F(GoalsLayoutWindow, EveryStateOfTheGoalsScreenFitsTheSmallestWindow) {
    auto goal = makeGoal(QStringLiteral("Run a Half Marathon in May"), 10, 4, 1);
    makeGoal(QStringLiteral("Read twelve books"), 3);
    makeGoal(QStringLiteral("Learned to juggle"), 30, 0, 0, 0, true);
    showWindow(QSize(900, 600));
    goTo(AppDestination::goals);
    ASSERT_NE(goalsScreen(), nullptr);
    expectRoomFor(QStringLiteral("list"));
    saveScreen(QStringLiteral("goals-900x600-list"));

    click(rowOf(goal), QPoint(40, 20));
    ASSERT_NE(detail(), nullptr);
    expectRoomFor(QStringLiteral("list with the panel"));
    saveScreen(QStringLiteral("goals-900x600-list-detail"));

    click(goalsScreen()->findChild<QToolButton*>(QStringLiteral("goalsGridModeButton")));
    expectRoomFor(QStringLiteral("grid with the panel"));
    saveScreen(QStringLiteral("goals-900x600-grid-detail"));

    click(cardOf(goal), QPoint(40, 20));
    ASSERT_EQ(detail(), nullptr);
    expectRoomFor(QStringLiteral("grid"));

    click(goalsScreen()->findChild<QToolButton*>(QStringLiteral("goalsAchievedTab")));
    expectRoomFor(QStringLiteral("achieved"));
    saveScreen(QStringLiteral("goals-900x600-achieved"));
}

TEST_F(GoalsLayoutWindow, AFullHdWindowGivesTheGoalsScreenAllItsRoom) {
    auto goal = makeGoal(QStringLiteral("Run a Half Marathon in May"), 10, 4, 1);
    showWindow(QSize(1920, 1040));
    goTo(AppDestination::goals);
    ASSERT_NE(goalsScreen(), nullptr);
    click(rowOf(goal), QPoint(40, 20));
    frames(1200);
    EXPECT_EQ(goalsScreen()->width(), window_->width() - SidebarView::kWidth);
    auto* bar = goalsScreen()->findChild<GoalsTopBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->isFolded()) << "the top bar takes one line when it has the room";
    EXPECT_EQ(goalsScreen()->detailPanel()->width(), GoalsView::kDetailPanelWidth);
    EXPECT_GT(rowOf(goal)->width(), 1000) << "rows take the width beside the panel";
    auto* title = rowOf(goal)->findChild<QLabel*>(QStringLiteral("goalRowTitle"));
    ASSERT_NE(title, nullptr);
    EXPECT_LT(title->height(), 2 * title->fontMetrics().height())
        << "a title that has the room takes one line";
    saveScreen(QStringLiteral("goals-1920-list-detail"));
}
