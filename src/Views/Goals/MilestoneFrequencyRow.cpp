#include "Views/Goals/MilestoneFrequencyRow.h"

#include "ViewModels/Theme/Theme.h"
#include "Views/Goals/GoalDetailStyle.h"

#include <QHBoxLayout>
#include <QLabel>

MilestoneFrequencyRow::MilestoneFrequencyRow(MilestoneFrequency frequency, bool showOpenMark, QWidget* parent)
    : QPushButton(parent), frequency_(frequency), showOpenMark_(showOpenMark), mark_(new QLabel(this)) {
    const QString raw = MilestoneFrequencies::rawValue(frequency);
    setObjectName(QStringLiteral("frequencyRow"));
    setProperty("frequency", raw);
    setAccessibleName(raw);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(16);
    auto* icon = new QLabel(this);
    icon->setFixedWidth(28);
    icon->setAlignment(Qt::AlignCenter);
    icon->setPixmap(GoalDetailStyle::symbolPixmap(GoalDetailStyle::frequencyIcon(frequency),
                                                  GoalDetailStyle::frequencyColor(frequency), 16));
    row->addWidget(icon);
    auto* name = new QLabel(this);
    name->setObjectName(QStringLiteral("frequencyName"));
    GoalDetailStyle::styleLabel(name, GoalDetailStyle::themeFont(14, QFont::Medium),
                                GoalDetailStyle::textPrimary());
    name->setText(raw);
    row->addWidget(name);
    row->addStretch(1);
    mark_->setObjectName(QStringLiteral("frequencyMark"));
    row->addWidget(mark_);
    for (QLabel* label : {icon, name, mark_})
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedHeight(row->sizeHint().height());
    setSelected(false);
}

void MilestoneFrequencyRow::setSelected(bool selected) {
    selected_ = selected;
    const QColor color = GoalDetailStyle::frequencyColor(frequency_);
    const QColor fill =
        selected ? GoalDetailStyle::withAlpha(color, 0.12) : GoalDetailStyle::backgroundTertiary();
    const QColor border = selected ? GoalDetailStyle::withAlpha(color, 0.4) : QColor(Qt::transparent);
    setStyleSheet(
        QStringLiteral("QPushButton#frequencyRow { background: %1; border: 1px solid %2;"
                       " border-radius: 12px; }"
                       "QPushButton#frequencyRow:focus { border: 1px solid %3; }")
            .arg(Theme::css(fill), Theme::css(border), Theme::css(GoalDetailStyle::withAlpha(color, 0.6))));
    if (selected) {
        mark_->setPixmap(GoalDetailStyle::symbolPixmap(QStringLiteral("checkmark.circle.fill"), color, 16));
        mark_->show();
    } else if (showOpenMark_) {
        mark_->setPixmap(
            GoalDetailStyle::symbolPixmap(QStringLiteral("circle"), GoalDetailStyle::textMuted(), 16));
        mark_->show();
    } else {
        mark_->hide();
    }
    mark_->setProperty("checked", selected);
}
