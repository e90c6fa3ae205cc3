#include "Views/Deadlines/DeadlinesView.h"

#include "Components/BareScrollArea.h"
#include "Components/MotionEffect.h"
#include "Components/SymbolIcon.h"
#include "Components/Symbols.h"
#include "Core/Theme/AppTheme.h"
#include "Core/Theme/Theme.h"
#include "Platform/Clock.h"
#include "ViewModels/AppEnvironment.h"
#include "ViewModels/DeadlinesViewModel.h"
#include "Views/Achievements/ScreenStyle.h"
#include "Views/Deadlines/DeadlinesSection.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QVBoxLayout>

#include <utility>

namespace {

constexpr qint64 kTickMs = 1000;

// The screen's own background; the scroll area over it is see-through.
class DeadlinesPage : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter(this).fillRect(event->rect(), Theme::backgroundPrimary());
    }
};

} // namespace

DeadlinesView::DeadlinesView(const AppEnvironment& env, QWidget* parent)
    : QWidget(parent), viewModel_(new DeadlinesViewModel(env.context, this)) {
    setObjectName(QStringLiteral("DeadlinesView"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* background = new DeadlinesPage(this);
    auto* backgroundLayout = new QVBoxLayout(background);
    backgroundLayout->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(background);

    auto* page = new QWidget;
    body_ = new QVBoxLayout(page);
    body_->setContentsMargins(32, 32, 32, 32);
    body_->setSpacing(32);
    body_->addWidget(buildHeader());
    body_->addStretch(1);
    auto* scroll = BareScrollArea::wrap(page, background);
    scroll->setObjectName(QStringLiteral("deadlinesScroll"));
    backgroundLayout->addWidget(scroll);

    connect(viewModel_, &DeadlinesViewModel::listsChanged, this, &DeadlinesView::render);
    render();
}

DeadlinesView::~DeadlinesView() = default;

QWidget* DeadlinesView::buildHeader() {
    auto* header = new QWidget;
    MotionEffect::staggeredAppear(header, 0);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(4);
    titles->addWidget(
        ScreenStyle::label(tr("Deadlines"), Theme::font(32, QFont::Bold), Theme::textPrimary()));
    titles->addWidget(
        ScreenStyle::label(tr("Stay on top of your timelines"), Theme::font(14), Theme::textSecondary()));
    row->addLayout(titles, 1);
    refresh_ = ScreenStyle::textButton(QString(), Theme::font(14), Theme::textSecondary());
    refresh_->setObjectName(QStringLiteral("refreshDeadlinesButton"));
    refresh_->setToolTip(tr("Refresh"));
    ScreenStyle::setSymbol(refresh_, QStringLiteral("arrow.clockwise"), Theme::textSecondary(), 16);
    connect(refresh_, &QPushButton::clicked, viewModel_, &DeadlinesViewModel::refresh);
    row->addWidget(refresh_, 0, Qt::AlignVCenter);
    return header;
}

QWidget* DeadlinesView::buildEmptyState() {
    auto* empty = new QWidget;
    empty->setObjectName(QStringLiteral("deadlinesEmptyState"));
    auto* column = new QVBoxLayout(empty);
    column->setContentsMargins(0, 80, 0, 0);
    column->setSpacing(16);
    column->addWidget(new SymbolIcon(QStringLiteral("checkmark.circle.fill"),
                                     Symbols::pixelSizeForFontSize(56), AppTheme::Colors::green(), empty),
                      0, Qt::AlignHCenter);
    column->addWidget(ScreenStyle::label(tr("You're all caught up!"), Theme::font(22, QFont::DemiBold),
                                         Theme::textPrimary(), empty),
                      0, Qt::AlignHCenter);
    auto* subtitle = ScreenStyle::label(tr("No upcoming deadlines in the next 30 days"), Theme::font(14),
                                        Theme::textSecondary(), empty);
    subtitle->setWordWrap(true);
    subtitle->setAlignment(Qt::AlignCenter);
    column->addWidget(subtitle);
    return empty;
}

void DeadlinesView::render() {
    for (DeadlinesSection* section : sections_) {
        body_->removeWidget(section);
        section->hide();
        section->deleteLater();
    }
    sections_.clear();
    if (empty_) {
        body_->removeWidget(empty_);
        empty_->hide();
        empty_->deleteLater();
        empty_ = nullptr;
    }
    const DeadlinesViewModel& vm = *viewModel_;
    struct Spec {
        QString title;
        QString symbol;
        QColor color;
        const DeadlinesViewModel::Goals& goals;
        const DeadlinesViewModel::FinanceDeadlines& finance;
        double delay;
    };
    const Spec specs[] = {
        {tr("Overdue"), QStringLiteral("exclamationmark.triangle.fill"), AppTheme::Colors::rose(),
         vm.overdueGoals(), vm.overdueFinance(), 0.05},
        {tr("Due Today"), QStringLiteral("sun.max.fill"), AppTheme::Colors::gold(), vm.todayGoals(),
         vm.todayFinance(), 0.1},
        {tr("This Week"), QStringLiteral("calendar"), AppTheme::Colors::cyan(), vm.weekGoals(),
         vm.weekFinance(), 0.15},
        {tr("Upcoming"), QStringLiteral("calendar.badge.clock"), AppTheme::Colors::purple(),
         vm.upcomingGoals(), vm.upcomingFinance(), 0.2},
    };
    int at = 1;
    for (const Spec& spec : specs) {
        if (spec.goals.empty() && spec.finance.empty())
            continue;
        auto* section = new DeadlinesSection(spec.title, spec.symbol, spec.color, spec.goals, spec.finance);
        MotionEffect::staggeredAppear(section, spec.delay);
        body_->insertWidget(at++, section);
        sections_.push_back(section);
    }
    if (vm.isEmpty()) {
        empty_ = buildEmptyState();
        body_->insertWidget(at, empty_);
    }
}

void DeadlinesView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Coming back reads the store again; the first showing follows the read made on building.
    if (!event->spontaneous() && !std::exchange(justBuilt_, false))
        viewModel_->refresh();
    startTicking();
}

void DeadlinesView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // Nothing moves while the screen is not shown.
    ticker_.reset();
}

void DeadlinesView::startTicking() {
    if (ticker_)
        return;
    ticker_ = std::make_unique<QObject>();
    Clock::after(ticker_.get(), kTickMs, [this] { tick(); });
}

void DeadlinesView::tick() {
    // The wake-up that runs now belongs to the owner being replaced; it must outlive this call.
    ticker_.release()->deleteLater();
    for (DeadlinesSection* section : sections_)
        section->tick();
    startTicking();
}
