#include "Views/Achievements/AchievementsView.h"

#include "Components/BareScrollArea.h"
#include "Components/SheetHost.h"
#include "Components/Symbols.h"
#include "Core/Theme/AppTheme.h"
#include "Core/Theme/Theme.h"
#include "Models/Achievement.h"
#include "ViewModels/AchievementsViewModel.h"
#include "Views/Achievements/AchievementTimelineRow.h"
#include "Views/Achievements/AddAchievementSheet.h"
#include "Views/Achievements/ScreenStyle.h"
#include "Views/Achievements/TrophyBadge.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

QPushButton* violetButton(const QString& text, double fontSize, int paddingH, int paddingV, int radius) {
    return ScreenStyle::filledButton(text, Theme::font(fontSize, QFont::Medium),
                                     Theme::css(AppTheme::Colors::violet()), paddingH, paddingV, radius);
}

} // namespace

AchievementsView::AchievementsView(const AppEnvironment& env, QWidget* parent)
    : QWidget(parent), env_(env), viewModel_(new AchievementsViewModel(env.context, this)) {
    setObjectName(QStringLiteral("achievementsView"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);

    auto* page = new QWidget;
    body_ = new QVBoxLayout(page);
    body_->setContentsMargins(32, 32, 32, 32);
    body_->setSpacing(32);
    body_->addWidget(buildHeader());
    body_->addStretch(1);

    // The window's backdrop shows through the whole screen.
    auto* scroll = BareScrollArea::wrap(page);
    scroll->setObjectName(QStringLiteral("achievementsScroll"));
    outer->addWidget(scroll);

    connect(viewModel_, &AchievementsViewModel::achievementsChanged, this, &AchievementsView::render);
    render();
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

    auto* addWin = violetButton(tr("Add Win"), 13, 16, 8, 8);
    addWin->setObjectName(QStringLiteral("addWinButton"));
    ScreenStyle::setSymbol(addWin, QStringLiteral("plus"), Qt::white, 12);
    connect(addWin, &QPushButton::clicked, this, &AchievementsView::showAddSheet);
    row->addWidget(addWin, 0, Qt::AlignVCenter);
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

QWidget* AchievementsView::buildTimeline() {
    auto* timeline = new QWidget;
    timeline->setObjectName(QStringLiteral("timeline"));
    auto* years = new QVBoxLayout(timeline);
    years->setContentsMargins(0, 0, 0, 0);
    years->setSpacing(32);
    for (const auto& section : viewModel_->achievementsByYear()) {
        auto* year = new QVBoxLayout;
        year->setSpacing(8);
        // Plain digits: a year is not a quantity ("2024", never "2,024").
        auto* label = ScreenStyle::label(QString::number(section.year),
                                         ScreenStyle::kerned(Theme::font(11), 1.5), Theme::textMuted());
        label->setObjectName(QStringLiteral("yearLabel"));
        label->setContentsMargins(AchievementTimelineRow::kNodeColumn, 0, 0, 0);
        year->addWidget(label);
        for (const auto& achievement : section.achievements) {
            std::weak_ptr<Achievement> weak = achievement;
            year->addWidget(new AchievementTimelineRow(achievement, [this, weak] {
                if (auto target = weak.lock())
                    viewModel_->deleteAchievement(target);
            }));
        }
        years->addLayout(year);
    }
    return timeline;
}

void AchievementsView::showAddSheet() {
    auto* sheet = new AddAchievementSheet(viewModel_);
    SheetHost* host = SheetHost::present(this, sheet, 480, [this] { viewModel_->fetch(); });
    host->setCardHeight(std::max(500, sheet->sizeHint().height()));
}

void AchievementsView::render() {
    subtitle_->setText(tr("%1 wins logged").arg(viewModel_->achievements().size()));
    if (content_) {
        // Deferred: the press that led here may still be running inside a row of the old body.
        body_->removeWidget(content_);
        content_->hide();
        content_->deleteLater();
    }
    content_ = viewModel_->achievements().empty() ? buildEmptyState() : buildTimeline();
    body_->insertWidget(1, content_);
}
