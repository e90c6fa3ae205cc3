#include "Views/Goals/GoalsTopBar.h"

#include "Components/CastShadow.h"
#include "Components/FocusAfter.h"
#include "Components/MenuPicker.h"
#include "Components/PressEffect.h"
#include "Components/SymbolIcon.h"
#include "Components/Symbols.h"
#include "Components/UltraThinMaterial.h"
#include "ViewModels/GoalsViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Goals/GoalStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QLabel* makeLabel(QWidget* parent, const QString& text, const QFont& font) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

// The rounded tray the tab pair and the mode switch sit in.
QWidget* makeTray(const QString& name) {
    auto* tray = new QWidget;
    tray->setObjectName(name);
    tray->setAttribute(Qt::WA_StyledBackground);
    tray->setStyleSheet(
        QStringLiteral("QWidget#%1 { background: %2; border: 1px solid %3; border-radius: 10px; }")
            .arg(name, Theme::css(Theme::backgroundSecondary()),
                 Theme::css(AppTheme::Colors::borderSubtle())));
    auto* row = new QHBoxLayout(tray);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    return tray;
}

} // namespace

GoalsTopBar::GoalsTopBar(GoalsViewModel* viewModel, QWidget* parent)
    : QWidget(parent), viewModel_(viewModel) {
    setObjectName(QStringLiteral("goalsTopBar"));
    setAttribute(Qt::WA_TranslucentBackground);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(32, 16, 32, 17); // the last pixel is the bottom line
    column->setSpacing(12);
    lead_ = new QHBoxLayout;
    lead_->setSpacing(16);
    column->addLayout(lead_);
    tools_ = new QHBoxLayout;
    tools_->setSpacing(16);
    column->addLayout(tools_);
    title_ = makeLabel(this, QStringLiteral("Goals"), Theme::font(28, QFont::Bold));
    title_->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::css(Theme::textPrimary())));
    tabs_ = buildTabs();
    searchBox_ = buildSearch();
    modeSwitch_ = buildModeSwitch();

    sort_ = new MenuPicker(this);
    sort_->setObjectName(QStringLiteral("goalsSortMenu"));
    sort_->setAccessibleName(QStringLiteral("Sort"));
    for (GoalsViewModel::SortOrder order : GoalsViewModel::allSortOrders)
        sort_->addOption(GoalsViewModel::rawValue(order), int(order));
    sort_->setCurrentIndex(int(viewModel_->sortOrder()));
    sort_->setFixedWidth(120);
    connect(sort_, &MenuPicker::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && index < int(GoalsViewModel::allSortOrders.size()))
            viewModel_->setSortOrder(GoalsViewModel::allSortOrders[size_t(index)]);
    });
    newGoal_ = buildNewGoalButton();
    arrange(false);
    setShowingArchived(false);
    setArchivedCount(0);
    setGridMode(false);
}

QWidget* GoalsTopBar::buildTabs() {
    QWidget* tray = makeTray(QStringLiteral("goalsTabs"));
    auto makeTab = [tray](const QString& name, const QString& text) {
        auto* tab = new QToolButton(tray);
        tab->setObjectName(name);
        tab->setAccessibleName(text + QStringLiteral(" goals"));
        tab->setCursor(Qt::PointingHandCursor);
        auto* inner = new QHBoxLayout(tab);
        inner->setContentsMargins(16, 5, 16, 5);
        inner->setSpacing(4);
        auto* label = makeLabel(tab, text, Theme::font(13, QFont::Medium));
        label->setObjectName(name + QStringLiteral("Label"));
        inner->addWidget(label);
        tray->layout()->addWidget(tab);
        return tab;
    };
    activeTab_ = makeTab(QStringLiteral("goalsActiveTab"), QStringLiteral("Active"));
    achievedTab_ = makeTab(QStringLiteral("goalsAchievedTab"), QStringLiteral("Achieved"));
    // The achieved goals' list has no Add: its last row gone, the focus goes back to its tab.
    FocusAfter::markCarryOn(achievedTab_, QStringLiteral("archivedGoalRow"));
    achievedCount_ = makeLabel(achievedTab_, QString(), Theme::font(10, QFont::Medium));
    achievedCount_->setObjectName(QStringLiteral("goalsAchievedCount"));
    achievedCount_->setStyleSheet(QStringLiteral("QLabel { color: white; background: %1; border-radius: 7px; "
                                                 "padding: 2px 5px; }")
                                      .arg(Theme::css(AppTheme::Colors::gold())));
    achievedTab_->layout()->addWidget(achievedCount_);
    for (QToolButton* tab : {activeTab_, achievedTab_})
        tab->setMinimumSize(tab->layout()->sizeHint());
    connect(activeTab_, &QToolButton::clicked, this, &GoalsTopBar::activeTabChosen);
    connect(achievedTab_, &QToolButton::clicked, this, &GoalsTopBar::achievedTabChosen);
    return tray;
}

QWidget* GoalsTopBar::buildSearch() {
    auto* box = new QWidget(this);
    box->setObjectName(QStringLiteral("goalsSearchBox"));
    box->setAttribute(Qt::WA_StyledBackground);
    box->setStyleSheet(
        QStringLiteral(
            "QWidget#goalsSearchBox { background: %1; border: 1px solid %2; border-radius: 12px; }")
            .arg(Theme::css(AppTheme::Colors::glassSurface()), Theme::css(AppTheme::Colors::borderSubtle())));
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(16, 8, 16, 8);
    row->setSpacing(8);
    const int icon = Symbols::pixelSizeForFontSize(12);
    row->addWidget(new SymbolIcon(QStringLiteral("magnifyingglass"), icon, Theme::textMuted(), box));
    search_ = new QLineEdit(box);
    search_->setObjectName(QStringLiteral("goalsSearchField"));
    search_->setAccessibleName(QStringLiteral("Search goals"));
    search_->setPlaceholderText(QStringLiteral("Search goals..."));
    search_->setFrame(false);
    search_->setFont(Theme::font(13));
    search_->setStyleSheet(
        QStringLiteral("QLineEdit { background: transparent; border: none; padding: 0; color: %1; }")
            .arg(Theme::css(Theme::textPrimary())));
    QPalette pal = search_->palette();
    pal.setColor(QPalette::PlaceholderText, Theme::textMuted());
    search_->setPalette(pal);
    search_->setText(viewModel_->searchText());
    row->addWidget(search_, 1);
    clearSearch_ = new QToolButton(box);
    clearSearch_->setObjectName(QStringLiteral("goalsSearchClear"));
    clearSearch_->setIcon(Symbols::icon(QStringLiteral("xmark.circle.fill"), Theme::textMuted(), icon));
    clearSearch_->setIconSize(QSize(icon, icon));
    clearSearch_->setCursor(Qt::PointingHandCursor);
    clearSearch_->setStyleSheet(
        QStringLiteral("QToolButton { border: none; background: transparent; padding: 0; }"));
    clearSearch_->setVisible(!search_->text().isEmpty());
    row->addWidget(clearSearch_);
    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
        clearSearch_->setVisible(!text.isEmpty());
        viewModel_->setSearchText(text);
    });
    connect(clearSearch_, &QToolButton::clicked, search_, &QLineEdit::clear);
    return box;
}

QWidget* GoalsTopBar::buildModeSwitch() {
    QWidget* tray = makeTray(QStringLiteral("goalsModeSwitch"));
    auto makeMode = [this, tray](const QString& name, bool grid) {
        auto* button = new QToolButton(tray);
        button->setObjectName(name);
        button->setAccessibleName(grid ? QStringLiteral("Show as grid") : QStringLiteral("Show as list"));
        button->setFixedSize(28, 28);
        button->setCursor(Qt::PointingHandCursor);
        connect(button, &QToolButton::clicked, this, [this, grid] { emit viewModeChosen(grid); });
        tray->layout()->addWidget(button);
        return button;
    };
    listMode_ = makeMode(QStringLiteral("goalsListModeButton"), false);
    gridMode_ = makeMode(QStringLiteral("goalsGridModeButton"), true);
    return tray;
}

QPushButton* GoalsTopBar::buildNewGoalButton() {
    auto* button = new QPushButton(QStringLiteral("New Goal"), this);
    button->setObjectName(QStringLiteral("goalsNewGoalButton"));
    button->setFont(Theme::font(13, QFont::Medium));
    button->setCursor(Qt::PointingHandCursor);
    const int icon = Symbols::pixelSizeForFontSize(12);
    button->setIcon(Symbols::icon(QStringLiteral("plus"), Qt::white, icon));
    button->setIconSize(QSize(icon, icon));
    button->setStyleSheet(
        QStringLiteral("QPushButton { color: white; border: none; border-radius: 12px; padding: 8px 16px; "
                       "background: qlineargradient(x1: 0, y1: 0, x2: 1, y2: 0, stop: 0 %1, stop: 1 %2); }")
            .arg(Theme::css(AppTheme::Colors::indigo()), Theme::css(AppTheme::Colors::violet())));
    CastShadow::set(button, {Theme::withOpacity(AppTheme::Colors::indigo(), 0.4), 10, 0, 4}, 12);
    PressEffect::attach(button);
    connect(button, &QPushButton::clicked, this, &GoalsTopBar::newGoalClicked);
    return button;
}

// One line when everything fits at its preferred width; otherwise the title, the tabs and
// "New Goal" on the first line and the search (taking the room left), the mode switch and
// "Sort" on the second, so no control is ever squeezed or cut.
void GoalsTopBar::arrange(bool folded) {
    if (folded_ == folded && lead_->count() > 0)
        return;
    folded_ = folded;
    for (QBoxLayout* line : {lead_, tools_})
        while (QLayoutItem* item = line->takeAt(0))
            delete item;
    lead_->addWidget(title_);
    lead_->addWidget(tabs_);
    lead_->addStretch(1);
    QBoxLayout* tools = folded ? tools_ : lead_;
    searchBox_->setMinimumWidth(folded ? kNarrowSearchWidth : kSearchWidth);
    searchBox_->setMaximumWidth(folded ? QWIDGETSIZE_MAX : kSearchWidth);
    tools->addWidget(searchBox_, folded ? 1 : 0);
    tools->addWidget(modeSwitch_);
    tools->addWidget(sort_);
    lead_->addWidget(newGoal_);
    // The trays join the window's Tab chain late, when the layout adopts them: Tab goes as the
    // bar reads instead, line by line, left to right.
    QList<QWidget*> order{activeTab_, achievedTab_};
    const QList<QWidget*> toolStops{search_, clearSearch_, listMode_, gridMode_, sort_};
    if (folded)
        order << newGoal_ << toolStops;
    else
        order << toolStops << newGoal_;
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    updateGeometry();
}

int GoalsTopBar::oneLineWidth() const {
    const QMargins margins = layout()->contentsMargins();
    int width = margins.left() + margins.right() + kSearchWidth;
    for (const QWidget* w :
         std::initializer_list<const QWidget*>{title_, tabs_, modeSwitch_, sort_, newGoal_})
        width += w->sizeHint().width();
    return width + 6 * lead_->spacing(); // five gaps and the least room between the two groups
}

QSize GoalsTopBar::minimumSizeHint() const {
    // The folded arrangement's, whichever is shown: the bar never holds the window wide.
    const QMargins margins = layout()->contentsMargins();
    const int lead = title_->sizeHint().width() + tabs_->sizeHint().width() + newGoal_->sizeHint().width() +
                     3 * lead_->spacing();
    const int tools =
        kNarrowSearchWidth + modeSwitch_->sizeHint().width() + sort_->minimumWidth() + 2 * tools_->spacing();
    return {margins.left() + margins.right() + std::max(lead, tools), QWidget::minimumSizeHint().height()};
}

void GoalsTopBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrange(width() < oneLineWidth());
}

void GoalsTopBar::styleSegment(QToolButton* button, bool current) {
    button->setStyleSheet(
        QStringLiteral("QToolButton { border: none; border-radius: 8px; background: %1; }")
            .arg(current ? Theme::css(Theme::backgroundTertiary()) : QStringLiteral("transparent")));
    const QColor text = current ? Theme::textPrimary() : Theme::textMuted();
    if (auto* label = button->findChild<QLabel*>(button->objectName() + QStringLiteral("Label")))
        label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(Theme::css(text)));
}

void GoalsTopBar::setShowingArchived(bool archived) {
    archived_ = archived;
    styleSegment(activeTab_, !archived);
    styleSegment(achievedTab_, archived);
}

void GoalsTopBar::setArchivedCount(int count) {
    achievedCount_->setText(QString::number(count));
    achievedCount_->setVisible(count > 0);
    achievedTab_->setMinimumSize(achievedTab_->layout()->sizeHint());
}

void GoalsTopBar::setGridMode(bool grid) {
    grid_ = grid;
    const int icon = Symbols::pixelSizeForFontSize(13);
    for (auto [button, name, current] : {std::tuple{listMode_, QStringLiteral("list.bullet"), !grid},
                                         std::tuple{gridMode_, QStringLiteral("square.grid.2x2"), grid}}) {
        button->setIcon(Symbols::icon(name, current ? Theme::textPrimary() : Theme::textMuted(), icon));
        button->setIconSize(QSize(icon, icon));
        styleSegment(button, current);
    }
}

void GoalsTopBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QPainterPath shape;
    shape.addRect(rect());
    UltraThinMaterial::paint(p, this, shape);
    p.fillRect(QRect(0, height() - 1, width(), 1), AppTheme::Colors::borderSubtle());
}
