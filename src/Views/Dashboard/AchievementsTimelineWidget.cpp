#include "Views/Dashboard/AchievementsTimelineWidget.h"

#include "Components/FocusAfter.h"
#include "Components/ScreenStyle.h"
#include "Components/SheetHost.h"
#include "Components/SymbolIcon.h"
#include "Components/Symbols.h"
#include "ViewModels/AchievementsViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Achievements/AddAchievementSheet.h"
#include "Views/Dashboard/RecentAchievementRow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

AchievementsTimelineWidget::AchievementsTimelineWidget(AchievementsViewModel* viewModel,
                                                       std::function<void()> onSeeAll, QWidget* parent)
    : QWidget(parent), viewModel_(viewModel) {
    setObjectName(QStringLiteral("achievementsTimelineWidget"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);

    const QColor violet = AppTheme::Colors::violet();
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(
        new SymbolIcon(QStringLiteral("trophy.fill"), Symbols::pixelSizeForFontSize(13), violet, this));
    titleRow->addWidget(ScreenStyle::label(tr("Recent Achievements"), Theme::font(22, QFont::DemiBold),
                                           Theme::textPrimary(), this));
    titleRow->addStretch(1);
    seeAll_ = ScreenStyle::textButton(tr("See All"), Theme::font(13, QFont::Medium), violet);
    seeAll_->setObjectName(QStringLiteral("seeAllAchievementsButton"));
    connect(seeAll_, &QPushButton::clicked, this, [onSeeAll = std::move(onSeeAll)] {
        if (onSeeAll)
            onSeeAll();
    });
    titleRow->addWidget(seeAll_);
    column->addLayout(titleRow);

    empty_ = ScreenStyle::textButton(tr("Log your first win \u2192"), Theme::font(13, QFont::Medium),
                                     Theme::textMuted());
    empty_->setObjectName(QStringLiteral("logFirstWinButton"));
    ScreenStyle::setSymbol(empty_, QStringLiteral("trophy"), Theme::withOpacity(violet, 0.5), 14);
    connect(empty_, &QPushButton::clicked, this, &AchievementsTimelineWidget::showAddSheet);
    column->addWidget(empty_, 0, Qt::AlignLeft);

    timeline_ = new QWidget(this);
    timelineLayout_ = new QVBoxLayout(timeline_);
    timelineLayout_->setContentsMargins(0, 0, 0, 0);
    timelineLayout_->setSpacing(0);
    column->addWidget(timeline_);

    connect(viewModel_, &AchievementsViewModel::achievementsChanged, this,
            &AchievementsTimelineWidget::render);
    render();
}

QList<QWidget*> AchievementsTimelineWidget::rows() const {
    QList<QWidget*> out;
    for (int i = 0; i < timelineLayout_->count(); ++i)
        if (QWidget* w = timelineLayout_->itemAt(i)->widget())
            out << w;
    return out;
}

void AchievementsTimelineWidget::showAddSheet() {
    auto* sheet = new AddAchievementSheet(viewModel_);
    // Whether saved or cancelled, the list is read again so a new win shows at once.
    SheetHost* host =
        SheetHost::present(this, sheet, 480, [vm = QPointer<AchievementsViewModel>(viewModel_)] {
            if (vm)
                vm->fetch();
        });
    host->setCardHeight(std::max(500, sheet->sizeHint().height()));
}

void AchievementsTimelineWidget::render() {
    while (QLayoutItem* item = timelineLayout_->takeAt(0)) {
        if (QWidget* w = item->widget()) {
            w->hide();
            w->deleteLater();
        }
        delete item;
    }
    const auto recent = viewModel_->recentAchievements();
    // The first win replaces the invitation: the keyboard goes on from "See All", beside it.
    if (!recent.empty())
        FocusAfter::handOver(empty_, seeAll_);
    empty_->setVisible(recent.empty());
    timeline_->setVisible(!recent.empty());
    for (size_t i = 0; i < recent.size(); ++i)
        timelineLayout_->addWidget(new RecentAchievementRow(recent[i], i + 1 == recent.size(), timeline_));
}
