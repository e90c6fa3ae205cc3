#include "Views/Deadlines/DeadlinesView.h"

#include "Components/MotionEffect.h"
#include "Components/ScreenStyle.h"
#include "Components/SymbolIcon.h"
#include "Components/Symbols.h"
#include "Components/VirtualList.h"
#include "Platform/Clock.h"
#include "ViewModels/AppEnvironment.h"
#include "ViewModels/DeadlinesViewModel.h"
#include "ViewModels/ScreenModels.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Deadlines/DeadlineCardView.h"
#include "Views/Deadlines/DeadlinesSection.h"
#include "Views/Deadlines/FinanceDeadlineCardView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <utility>

namespace {

constexpr qint64 kTickMs = 1000;
constexpr int kMargin = 32;
constexpr int kRowGap = 16;

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
    : QWidget(parent), viewModel_(env.models->deadlines(this)) {
    setObjectName(QStringLiteral("DeadlinesView"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* background = new DeadlinesPage(this);
    auto* backgroundLayout = new QVBoxLayout(background);
    backgroundLayout->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(background);

    list_ = new VirtualList(
        {}, [this](QWidget* row, int index) { bindRow(row, index); }, background);
    list_->setObjectName(QStringLiteral("deadlinesScroll"));
    list_->setAccessibleName(tr("Deadlines"));
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setRowKinds([this](int index) { return int(items_[std::size_t(index)].kind); },
                       [this](int kind, QWidget* rowParent) { return makeRow(Kind(kind), rowParent); });
    list_->setHeader(buildHeader());
    empty_ = buildEmptyState();
    list_->setFooter(empty_);
    list_->setSpacing(0, kRowGap);
    list_->setRowMargins(QMargins(kMargin, kMargin, kMargin, kMargin));
    list_->setRowHeights([this](int index, int) { return heightOf(index); });
    backgroundLayout->addWidget(list_);

    connect(viewModel_, &DeadlinesViewModel::listsChanged, this, &DeadlinesView::render);
    render();
}

DeadlinesView::~DeadlinesView() {
    // The list goes first: while it is taken down it may still fill rows from this screen's items.
    delete list_;
}

QWidget* DeadlinesView::buildHeader() {
    auto* header = new QWidget;
    MotionEffect::staggeredAppear(header, 0);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(kMargin, kMargin, kMargin, 0);
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
    // Below the header by the page's gap, then the state's own air.
    column->setContentsMargins(kMargin, kMargin + 80, kMargin, kMargin);
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

QWidget* DeadlinesView::emptyState() const {
    return viewModel_->isEmpty() ? empty_ : nullptr;
}

QWidget* DeadlinesView::makeRow(Kind kind, QWidget* parent) {
    if (kind == Kind::Goal)
        return new DeadlineCardView(parent);
    if (kind == Kind::Finance)
        return new FinanceDeadlineCardView(parent);
    return new DeadlinesSection(parent);
}

void DeadlinesView::bindRow(QWidget* row, int index) {
    const Item& item = items_[std::size_t(index)];
    const Section& section = sections_[std::size_t(item.section)];
    switch (item.kind) {
    case Kind::Head:
        static_cast<DeadlinesSection*>(row)->bind(section.title, section.symbol, section.color,
                                                  section.count(), item.section == 0);
        break;
    case Kind::Goal:
        static_cast<DeadlineCardView*>(row)->bind(
            viewModel_->card(*(*section.goals)[std::size_t(item.index)]), section.color);
        break;
    case Kind::Finance:
        static_cast<FinanceDeadlineCardView*>(row)->bind((*section.finance)[std::size_t(item.index)]);
        break;
    }
    if (entering_)
        MotionEffect::staggeredAppear(row, 0.05 * double(item.section + 1));
}

int DeadlinesView::heightOf(int index) const {
    const Item& item = items_[std::size_t(index)];
    if (item.kind == Kind::Goal)
        return DeadlineCardView::naturalHeight();
    if (item.kind == Kind::Finance)
        return FinanceDeadlineCardView::naturalHeight();
    return DeadlinesSection::naturalHeight() + (item.section == 0 ? 0 : DeadlinesSection::kGapAbove);
}

QWidget* DeadlinesView::shownRow(int index) {
    list_->scrollToIndex(index);
    return list_->rowWidget(index);
}

DeadlinesSection* DeadlinesView::sectionHead(int section) {
    return qobject_cast<DeadlinesSection*>(shownRow(sections_.at(std::size_t(section)).firstRow));
}

DeadlineCardView* DeadlinesView::goalCard(int section, int n) {
    return qobject_cast<DeadlineCardView*>(shownRow(sections_.at(std::size_t(section)).firstRow + 1 + n));
}

FinanceDeadlineCardView* DeadlinesView::financeCard(int section, int n) {
    const Section& s = sections_.at(std::size_t(section));
    return qobject_cast<FinanceDeadlineCardView*>(shownRow(s.firstRow + 1 + int(s.goals->size()) + n));
}

void DeadlinesView::render() {
    const DeadlinesViewModel& vm = *viewModel_;
    const Section specs[] = {
        {tr("Overdue"), QStringLiteral("exclamationmark.triangle.fill"), AppTheme::Colors::rose(),
         &vm.overdueGoals(), &vm.overdueFinance(), 0},
        {tr("Due Today"), QStringLiteral("sun.max.fill"), AppTheme::Colors::gold(), &vm.todayGoals(),
         &vm.todayFinance(), 0},
        {tr("This Week"), QStringLiteral("calendar"), AppTheme::Colors::cyan(), &vm.weekGoals(),
         &vm.weekFinance(), 0},
        {tr("Upcoming"), QStringLiteral("calendar.badge.clock"), AppTheme::Colors::purple(),
         &vm.upcomingGoals(), &vm.upcomingFinance(), 0},
    };
    sections_.clear();
    items_.clear();
    for (const Section& spec : specs) {
        if (spec.count() == 0)
            continue;
        const int section = int(sections_.size());
        sections_.push_back(spec);
        sections_.back().firstRow = int(items_.size());
        items_.push_back({Kind::Head, section, 0});
        for (int i = 0; i < int(spec.goals->size()); ++i)
            items_.push_back({Kind::Goal, section, i});
        for (int i = 0; i < int(spec.finance->size()); ++i)
            items_.push_back({Kind::Finance, section, i});
    }
    // The count goes with the items, before the empty state shows or hides and has the list
    // place its rows again.
    entering_ = true;
    list_->setCount(int(items_.size()));
    entering_ = false;
    empty_->setVisible(vm.isEmpty());
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
    for (QWidget* row : list_->rowsInView()) {
        auto* card = qobject_cast<DeadlineCardView*>(row);
        const int index = card ? list_->indexOf(card) : -1;
        if (index < 0)
            continue;
        const Item& item = items_[std::size_t(index)];
        const auto& goal = (*sections_[std::size_t(item.section)].goals)[std::size_t(item.index)];
        card->setCountdown(viewModel_->countdown(*goal));
    }
    startTicking();
}
