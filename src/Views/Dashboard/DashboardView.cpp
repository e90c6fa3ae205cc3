#include "Views/Dashboard/DashboardView.h"

#include "Components/BareScrollArea.h"
#include "Components/CastShadow.h"
#include "Components/MotionEffect.h"
#include "Components/SheetHost.h"
#include "Components/StatCard.h"
#include "ViewModels/AchievementsViewModel.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/DashboardViewModel.h"
#include "ViewModels/ScreenModels.h"
#include "ViewModels/Theme/AppTheme.h"
#include "Views/Dashboard/AchievementsTimelineWidget.h"
#include "Views/Dashboard/DashboardEmptyState.h"
#include "Views/Dashboard/DashboardGoalsSection.h"
#include "Views/Dashboard/DashboardHeader.h"
#include "Views/Dashboard/QuoteCard.h"
#include "Views/Goals/GoalDetailView.h"

#include <QApplication>
#include <QGridLayout>
#include <QPointer>
#include <QScrollArea>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The detail sheet is at least 620 by 520; it takes more of a large window.
constexpr int kDetailWidth = 720;
constexpr int kDetailHeight = 680;

} // namespace

DashboardView::DashboardView(const AppEnvironment& env, QWidget* parent)
    : QWidget(parent), env_(env), viewModel_(env.models->dashboard(this)),
      achievementsViewModel_(env.models->recentAchievements(this)) {
    setObjectName(QStringLiteral("DashboardView"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);

    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("dashboardPage"));
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(32);

    header_ = new DashboardHeader(page);
    MotionEffect::staggeredAppear(header_, 0);
    column->addWidget(header_);
    column->addLayout(buildStats(page));

    quote_ = new QuoteCard(page);
    CastShadow::set(quote_, AppTheme::Shadows::card(), 18);
    column->addWidget(quote_);

    AppViewModel* app = env_.appViewModel;
    auto toGoals = [app] {
        if (app)
            app->navigate(AppDestination::goals);
    };
    goals_ = new DashboardGoalsSection(
        toGoals, [this](qint64 goalID) { openGoal(goalID); }, page);
    column->addWidget(goals_);
    empty_ = new DashboardEmptyState(toGoals, page);
    column->addWidget(empty_);

    achievements_ = new AchievementsTimelineWidget(
        achievementsViewModel_,
        [app] {
            if (app)
                app->navigate(AppDestination::achievements);
        },
        page);
    MotionEffect::staggeredAppear(achievements_, 0.35);
    column->addWidget(achievements_);
    column->addStretch(1);

    auto* scroll = BareScrollArea::wrap(page, this);
    scroll->setObjectName(QStringLiteral("dashboardScroll"));
    scroll->setAccessibleName(tr("Dashboard"));
    outer->addWidget(scroll);

    connect(viewModel_, &DashboardViewModel::figuresChanged, this, &DashboardView::showFigures);
    connect(viewModel_, &DashboardViewModel::goalsChanged, this, &DashboardView::showGoals);
    if (app)
        connect(app, &AppViewModel::hiddenGoalsChanged, this, &DashboardView::showGoals);
    showFigures();
    showGoals();
}

DashboardView::~DashboardView() = default;

QLayout* DashboardView::buildStats(QWidget* page) {
    // The cards sit straight on the page, which paints their shadows: a box of their own
    // would cut the shadows off at its edges.
    auto* grid = new QGridLayout;
    grid->setSpacing(16);
    struct Spec {
        const char* title;
        const char* subtitle;
        const char* icon;
        QColor color;
    };
    const Spec specs[] = {
        {"Active Goals", "In progress", "target", AppTheme::Colors::cyan()},
        {"Completed", "Finished", "checkmark.seal.fill", AppTheme::Colors::emerald()},
        {"Total Goals", "All time", "list.bullet.rectangle.fill", AppTheme::Colors::indigo()},
        {"Best Streak", "Days active", "flame.fill", AppTheme::Colors::amber()},
    };
    for (int i = 0; i < 4; ++i) {
        auto* card = new StatCard(tr(specs[i].title), QStringLiteral("0"), tr(specs[i].subtitle),
                                  QString::fromLatin1(specs[i].icon), specs[i].color, i, page);
        card->setMinimumWidth(10);
        grid->addWidget(card, 0, i);
        grid->setColumnStretch(i, 1);
        stats_.push_back(card);
    }
    return grid;
}

void DashboardView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A window brought back from the taskbar is not the screen being shown again.
    if (event->spontaneous())
        return;
    // The figures are an aggregate over every goal's steps, which grows with the store: the
    // screen's first frame comes first (the cards showing them are still fading in), the
    // figures right after.
    // A window kept off screen never paints, so it gets them at once.
    if (!shownOnce_ && !window()->testAttribute(Qt::WA_DontShowOnScreen)) {
        shownOnce_ = true;
        refreshAfterFirstPaint();
        return;
    }
    shownOnce_ = true;
    viewModel_->refresh();
}

void DashboardView::refreshAfterFirstPaint() {
    // Watches the application's paint events until one lands inside this screen.
    class FirstPaint : public QObject {
    public:
        explicit FirstPaint(DashboardView* view) : QObject(view), view_(view) {
            qApp->installEventFilter(this);
        }

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint && watched->isWidgetType() &&
                (watched == view_ || view_->isAncestorOf(static_cast<QWidget*>(watched)))) {
                qApp->removeEventFilter(this);
                QMetaObject::invokeMethod(view_->viewModel_, &DashboardViewModel::refresh,
                                          Qt::QueuedConnection);
                deleteLater();
            }
            return false;
        }

    private:
        DashboardView* view_;
    };
    new FirstPaint(this);
}

void DashboardView::showFigures() {
    header_->setFigures(viewModel_->currentStreak(), viewModel_->overallProgress());
    stats_[0]->setValue(QString::number(viewModel_->activeGoals()));
    stats_[1]->setValue(QString::number(viewModel_->completedGoals()));
    stats_[2]->setValue(QString::number(viewModel_->totalGoals()));
    stats_[3]->setValue(DashboardViewModel::streakCardText(viewModel_->currentStreak()));
    const DashboardViewModel::Quote& quote = viewModel_->motivationalQuote();
    quote_->setQuote(quote.text, quote.author);
}

void DashboardView::showGoals() {
    const bool any = viewModel_->hasGoals();
    if (any != hasGoals_) {
        // The side that comes into view makes its entrance; the other leaves at once.
        hasGoals_ = any;
        header_->setRingShown(any);
        quote_->setVisible(any);
        goals_->setVisible(any);
        empty_->setVisible(!any);
        if (any)
            MotionEffect::staggeredAppear(quote_, 0.12);
        else
            MotionEffect::staggeredAppear(empty_, 0.1);
    }
    const QSet<qint64> hidden = env_.appViewModel ? env_.appViewModel->hiddenGoalIDs() : QSet<qint64>{};
    goals_->place(any ? viewModel_->cards(hidden) : std::vector<GoalCardText>{});
}

void DashboardView::openGoal(qint64 goalID) {
    if (selectedGoalID_)
        return;
    // The detail works on the record itself: the view model hands it over by id.
    const auto goal = viewModel_->goalWithID(goalID);
    if (!goal)
        return;
    selectedGoalID_ = goalID;
    auto* detail = new GoalDetailView(env_, goal);
    QPointer<DashboardView> self(this);
    SheetHost* host = SheetHost::present(this, detail, kDetailWidth, [self] {
        if (self)
            self->selectedGoalID_ = 0;
    });
    host->setCardHeight(kDetailHeight);
}
