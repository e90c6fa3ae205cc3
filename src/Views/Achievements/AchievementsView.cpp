#include "Views/Achievements/AchievementsView.h"

#include "Components/FocusAfter.h"
#include "Components/FocusRing.h"
#include "Components/ScreenStyle.h"
#include "Components/SheetHost.h"
#include "Components/Symbols.h"
#include "Components/VirtualList.h"
#include "Models/Achievement.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/AchievementsViewModel.h"
#include "ViewModels/ScreenModels.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Achievements/AchievementTimelineRow.h"
#include "Views/Achievements/AddAchievementSheet.h"
#include "Views/Achievements/TrophyBadge.h"
#include "Views/RowKey.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

QPushButton* violetButton(const QString& text, double fontSize, int paddingH, int paddingV, int radius) {
    return ScreenStyle::filledButton(text, Theme::font(fontSize, QFont::Medium),
                                     Theme::css(AppTheme::Colors::violet()), paddingH, paddingV, radius);
}

} // namespace

AchievementsView::AchievementsView(const AppEnvironment& env, QWidget* parent)
    : QWidget(parent), env_(env), viewModel_(env.models->achievements(this)) {
    setObjectName(QStringLiteral("achievementsView"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);

    // The window's backdrop shows through the whole screen.
    timeline_ = new VirtualList(
        [](QWidget* parent) {
            auto* holder = new QWidget(parent);
            holder->setObjectName(QStringLiteral("timelineItem"));
            auto* layout = new QVBoxLayout(holder);
            layout->setContentsMargins(0, 0, 0, 0);
            return holder;
        },
        [this](QWidget* holder, int index) { bind(holder, index); }, this);
    timeline_->setRowKeys([this](int index) {
        const Item& item = items_[size_t(index)];
        return item.achievement ? rowKey(item.achievement) : QVariant(item.year);
    });
    timeline_->setObjectName(QStringLiteral("achievementsScroll"));
    timeline_->setAccessibleName(tr("Achievements"));
    QWidget* header = buildHeader();
    header->setContentsMargins(32, 32, 32, 32);
    timeline_->setHeader(header);
    empty_ = buildEmptyState();
    empty_->hide();
    timeline_->setFooter(empty_);
    timeline_->setRowMargins(QMargins(32, 0, 32, 32));
    timeline_->setSpacing(0, 8);
    timeline_->setRowHeights([this](int index, int width) { return heightOf(index, width); });
    outer->addWidget(timeline_);

    connect(viewModel_, &AchievementsViewModel::achievementsChanged, this, &AchievementsView::render);
    render();
}

QFont AchievementsView::yearFont() {
    return ScreenStyle::kerned(Theme::font(11), 1.5);
}

QWidget* AchievementsView::buildHeader() {
    auto* header = new QWidget;
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(6);
    titles->addWidget(
        ScreenStyle::label(tr("Achievements"), Theme::font(34, QFont::Bold), Theme::textPrimary()));
    subtitle_ = ScreenStyle::label(QString(), Theme::font(15), Theme::textSecondary());
    subtitle_->setObjectName(QStringLiteral("winsLogged"));
    titles->addWidget(subtitle_);
    row->addLayout(titles);
    row->addStretch(1);

    addWin_ = violetButton(tr("Add Win"), 13, 16, 8, 8);
    addWin_->setObjectName(QStringLiteral("addWinButton"));
    FocusAfter::markCarryOn(addWin_, QStringLiteral("achievementRow"));
    ScreenStyle::setSymbol(addWin_, QStringLiteral("plus"), Qt::white, 12);
    connect(addWin_, &QPushButton::clicked, this, &AchievementsView::showAddSheet);
    row->addWidget(addWin_, 0, Qt::AlignVCenter);
    return header;
}

QWidget* AchievementsView::buildEmptyState() {
    auto* empty = new QWidget;
    empty->setObjectName(QStringLiteral("emptyState"));
    auto* column = new QVBoxLayout(empty);
    column->setContentsMargins(0, 60, 0, 0);
    column->setSpacing(32);
    column->addWidget(new TrophyBadge, 0, Qt::AlignHCenter);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(8);
    texts->addWidget(
        ScreenStyle::label(tr("Log Your First Win"), Theme::font(22, QFont::DemiBold), Theme::textPrimary()),
        0, Qt::AlignHCenter);
    auto* invitation = ScreenStyle::label(tr("Every achievement deserves to be remembered."), Theme::font(15),
                                          Theme::textSecondary());
    invitation->setAlignment(Qt::AlignCenter);
    invitation->setWordWrap(true);
    texts->addWidget(invitation);
    column->addLayout(texts);

    auto* add = violetButton(tr("Add Achievement"), 15, 32, 16, 12);
    add->setObjectName(QStringLiteral("addAchievementButton"));
    connect(add, &QPushButton::clicked, this, &AchievementsView::showAddSheet);
    column->addWidget(add, 0, Qt::AlignHCenter);
    return empty;
}

int AchievementsView::heightOf(int index, int width) const {
    const Item& item = items_[size_t(index)];
    if (item.achievement)
        return AchievementTimelineRow::heightFor(*item.achievement, width);
    // A year after the first keeps the wider gap between years above its title.
    return (item.firstYear ? 0 : 24) + ScreenStyle::lineHeight(yearFont());
}

void AchievementsView::bind(QWidget* holder, int index) {
    // Deferred: the press that led here may still be running inside the old row.
    for (QWidget* old : holder->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        old->hide();
        old->deleteLater();
    }
    const Item& item = items_[size_t(index)];
    if (!item.achievement) {
        // Plain digits: a year is not a quantity ("2024", never "2,024").
        auto* label = ScreenStyle::label(QString::number(item.year), yearFont(), Theme::textMuted(), holder);
        label->setObjectName(QStringLiteral("yearLabel"));
        label->setContentsMargins(AchievementTimelineRow::kNodeColumn, 0, 0, 0);
        label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        holder->layout()->addWidget(label);
        return;
    }
    std::weak_ptr<Achievement> weak = item.achievement;
    holder->layout()->addWidget(new AchievementTimelineRow(
        item.achievement,
        [this, weak, holder] {
            // The rows are made anew: the keyboard comes back to the win now in this place.
            if (QWidget* focus = QApplication::focusWidget(); focus && holder->isAncestorOf(focus)) {
                refocus_ = timeline_->indexOf(holder);
                refocusRing_ = FocusRing::current() && FocusRing::current()->target() == focus;
            }
            if (auto target = weak.lock())
                viewModel_->deleteAchievement(target);
        },
        holder, timeline_->rowRect(index).width()));
}

void AchievementsView::showAddSheet() {
    auto* sheet = new AddAchievementSheet(viewModel_);
    SheetHost* host = SheetHost::present(this, sheet, 480, [this] { viewModel_->fetch(); });
    host->setCardHeight(std::max(500, sheet->sizeHint().height()));
}

void AchievementsView::render() {
    subtitle_->setText(
        Text::counted(qint64(viewModel_->achievements().size()), tr("win logged"), tr("wins logged")));
    items_.clear();
    for (const auto& section : viewModel_->achievementsByYear()) {
        items_.push_back({section.year, items_.empty(), nullptr});
        for (const auto& achievement : section.achievements)
            items_.push_back({section.year, false, achievement});
    }
    // The count goes with the items, before the empty state shows or hides and has the list
    // place its rows again.
    timeline_->setCount(int(items_.size()));
    // The first win replaces the empty state: the keyboard goes on from "Add Win".
    if (!items_.empty())
        FocusAfter::handOver(empty_, addWin_);
    empty_->setVisible(items_.empty());
    if (refocus_ >= 0)
        refocusAfterDelete();
}

void AchievementsView::refocusAfterDelete() {
    const int from = std::exchange(refocus_, -1);
    const Qt::FocusReason reason = refocusRing_ ? Qt::TabFocusReason : Qt::OtherFocusReason;
    if (items_.empty()) {
        if (QWidget* add = empty_->findChild<QWidget*>(QStringLiteral("addAchievementButton")))
            add->setFocus(reason);
        return;
    }
    // The win that moved up into the place, else the one above it (a year title is no stop).
    int index = -1;
    for (int i = std::min(from, int(items_.size()) - 1); i < int(items_.size()) && index < 0; ++i)
        if (items_[size_t(i)].achievement)
            index = i;
    for (int i = std::min(from, int(items_.size()) - 1); i >= 0 && index < 0; --i)
        if (items_[size_t(i)].achievement)
            index = i;
    if (index < 0)
        return;
    timeline_->scrollToIndex(index);
    QWidget* holder = timeline_->rowWidget(index);
    const auto rows =
        holder ? holder->findChildren<AchievementTimelineRow*>() : QList<AchievementTimelineRow*>();
    if (rows.isEmpty())
        return;
    // The row is new in its holder (the old one goes later) and shows with the next events.
    QTimer::singleShot(0, rows.last(), [row = rows.last(), reason] { row->setFocus(reason); });
}
