#pragma once

#include <QHash>
#include <QWidget>
#include <memory>
#include <vector>

class AppViewModel;
class VirtualList;
class ObjectContext;
class QLabel;
class QVBoxLayout;
class QToolButton;
class SidebarGoalItem;
class SidebarNavItem;
class SidebarNewGoalButton;
class SidebarViewModel;
struct AppEnvironment;

// The window's left column: the header with the settings button, the destinations, the
// active goals (oldest first, following the store as it changes) with the "New Goal"
// button, and a footer with the best streak among the active goals.
class SidebarView : public QWidget {
    Q_OBJECT
public:
    explicit SidebarView(const AppEnvironment& env, QWidget* parent = nullptr);
    ~SidebarView() override;

    static constexpr int kWidth = 220;

    QList<SidebarNavItem*> navItems() const { return navItems_; }
    QList<SidebarGoalItem*> goalItems() const;
    int bestStreak() const;
    QString streakText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildFooter();
    QWidget* divider(int horizontalMargin, int verticalMargin);
    QLabel* sectionLabel(const QString& title);
    void applyStyle();
    void updateSelection();
    void updateGoals();
    void updateFooter();

    AppViewModel* appViewModel_;
    SidebarViewModel* viewModel_;
    QList<SidebarNavItem*> navItems_;
    VirtualList* list_ = nullptr;
    QWidget* goalsSection_ = nullptr;
    SidebarNewGoalButton* newGoalButton_ = nullptr;
    QToolButton* settingsButton_ = nullptr;
    QLabel* productName_ = nullptr;
    QLabel* subtitle_ = nullptr;
    QLabel* streakLabel_ = nullptr;
    QLabel* streakEmoji_ = nullptr;
    QList<QLabel*> sectionLabels_;
};
