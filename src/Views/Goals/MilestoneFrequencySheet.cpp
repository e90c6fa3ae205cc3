#include "Views/Goals/MilestoneFrequencySheet.h"

#include "Components/FocusAfter.h"
#include "Components/SheetHost.h"
#include "Models/Milestone.h"
#include "ViewModels/GoalText.h"
#include "Views/Goals/GoalDetailStyle.h"
#include "Views/Goals/MilestoneFrequencyRow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

MilestoneFrequencySheet::MilestoneFrequencySheet(
    std::shared_ptr<Milestone> milestone, QColor goalColor,
    std::function<void(std::optional<MilestoneFrequency>)> onSelect, QWidget* parent)
    : QWidget(parent), milestone_(std::move(milestone)), goalColor_(goalColor),
      onSelect_(std::move(onSelect)) {
    setObjectName(QStringLiteral("milestoneFrequencySheet"));
    // Only the seven exact texts count; anything else highlights nothing and offers no "Clear".
    const std::optional<MilestoneFrequency> current =
        milestone_ && milestone_->frequency() ? MilestoneFrequencies::fromRaw(*milestone_->frequency())
                                              : std::nullopt;

    // The gaps give way before the sheet outgrows its frame (see SheetHost::addGap).
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(0);

    auto* header = new QHBoxLayout;
    auto* titles = new QVBoxLayout;
    titles->setSpacing(4);
    auto* title = new QLabel(tr("Frequency"), this);
    GoalDetailStyle::styleLabel(title, GoalDetailStyle::themeFont(20, QFont::Bold),
                                GoalDetailStyle::textPrimary());
    auto* subtitle = new QLabel(this);
    subtitle->setObjectName(QStringLiteral("frequencySheetSubtitle"));
    GoalDetailStyle::styleLabel(subtitle, GoalDetailStyle::themeFont(13), GoalDetailStyle::textSecondary());
    subtitle->setText(GoalText::milestoneTitle(milestone_.get()));
    titles->addWidget(title);
    titles->addWidget(subtitle);
    header->addLayout(titles, 1);
    auto* close = new QToolButton(this);
    close->setObjectName(QStringLiteral("sheetClose"));
    close->setToolTip(tr("Close"));
    GoalDetailStyle::styleSymbolButton(close, QStringLiteral("xmark.circle.fill"),
                                       GoalDetailStyle::textMuted(), 20);
    connect(close, &QToolButton::clicked, this, &MilestoneFrequencySheet::dismiss);
    header->addWidget(close, 0, Qt::AlignTop);
    column->addLayout(header);
    SheetHost::addGap(column, 32, 16);

    auto* rows = new QVBoxLayout;
    rows->setSpacing(0);
    for (MilestoneFrequency frequency : MilestoneFrequencies::allCases) {
        if (frequency != MilestoneFrequencies::allCases.front())
            SheetHost::addGap(rows, 8, 4);
        auto* row = new MilestoneFrequencyRow(frequency, false, this);
        row->setSelected(current == frequency);
        connect(row, &QPushButton::clicked, this, [this, frequency] { choose(frequency); });
        rows->addWidget(row);
    }
    column->addLayout(rows);
    SheetHost::addGap(column, 32, 16);
    column->addStretch(1);

    auto* footer = new QHBoxLayout;
    if (current) {
        auto* clear = new QPushButton(tr("Clear"), this);
        clear->setObjectName(QStringLiteral("frequencyClear"));
        GoalDetailStyle::styleTextButton(clear, GoalDetailStyle::themeFont(13, QFont::Medium),
                                         GoalDetailStyle::coral());
        connect(clear, &QPushButton::clicked, this, [this] { choose(std::nullopt); });
        footer->addWidget(clear);
    }
    footer->addStretch(1);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("sheetCancel"));
    FocusAfter::markAction(cancel, FocusAfter::Action::deletes);
    GoalDetailStyle::styleTextButton(cancel, GoalDetailStyle::themeFont(13, QFont::Medium),
                                     GoalDetailStyle::textSecondary());
    connect(cancel, &QPushButton::clicked, this, &MilestoneFrequencySheet::dismiss);
    footer->addWidget(cancel);
    column->addLayout(footer);
}

void MilestoneFrequencySheet::choose(std::optional<MilestoneFrequency> frequency) {
    if (finished_)
        return;
    finished_ = true;
    if (onSelect_)
        onSelect_(frequency);
    emit dismissRequested();
}

void MilestoneFrequencySheet::dismiss() {
    if (finished_)
        return;
    finished_ = true;
    emit dismissRequested();
}
