#include "Views/Navigation/SidebarView.h"

#include "Components/FocusAfter.h"
#include "Components/SymbolIcon.h"
#include "Components/Symbols.h"
#include "Components/UltraThinMaterial.h"
#include "Components/VirtualList.h"
#include "Models/Goal.h"
#include "ViewModels/AppEnvironment.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/ScreenModels.h"
#include "ViewModels/SidebarViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "ViewModels/Theme/ThemeManager.h"
#include "Views/Navigation/LeadsIntoScreen.h"
#include "Views/Navigation/SidebarGoalItem.h"
#include "Views/Navigation/SidebarNavItem.h"
#include "Views/Navigation/SidebarNewGoalButton.h"
#include "Views/RowKey.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

void setTextColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

QLabel* plainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// The application's icon at 34 points, clipped to a rounded square of radius 8.
QPixmap appIcon(qreal devicePixelRatio) {
    const int size = 34;
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath clip;
    clip.addRoundedRect(QRectF(0, 0, size, size), 8, 8);
    painter.setClipPath(clip);
    QSvgRenderer svg(QStringLiteral(":/icons/quorvale.svg"));
    if (svg.isValid())
        svg.render(&painter, QRectF(0, 0, size, size));
    else
        painter.fillPath(clip, AppTheme::Colors::indigo());
    return pixmap;
}

} // namespace

SidebarView::SidebarView(const AppEnvironment& env, QWidget* parent)
    : QWidget(parent), appViewModel_(env.appViewModel), viewModel_(env.models->sidebar(this)) {
    Q_ASSERT(env.context && env.appViewModel);
    setObjectName(QStringLiteral("SidebarView"));
    setFixedWidth(kWidth);
    // A save, a delete or a sheet closing in a screen never leaves the focus here.
    FocusAfter::keepHandedFocusOut(this);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(buildHeader());
    column->addWidget(divider(0, 0));

    // The goals are a long list: rows are made only for the goals in view, and only their
    // goals are read from the store.
    list_ = new VirtualList(
        [this](QWidget* parent) -> QWidget* {
            auto* row = new SidebarGoalItem({}, appViewModel_, parent);
            connect(row, &SidebarGoalItem::clicked, this,
                    [this] { appViewModel_->navigate(AppDestination::goals); });
            return row;
        },
        [this](QWidget* row, int index) {
            static_cast<SidebarGoalItem*>(row)->setText(
                viewModel_->itemAt(index, appViewModel_->hiddenGoalIDs()));
        },
        this);
    list_->setRowKeys([this](int index) { return rowKey(viewModel_->goalAt(index)); });
    list_->setObjectName(QStringLiteral("sidebarScroll"));
    // The goals are one Tab stop, moved through with the arrows; the column itself is none.
    list_->setKeyboardNavigation(true);
    list_->setAccessibleName(tr("Goals"));
    // The list keeps its transparent style: one material lies under the whole column, and a
    // list without it would fill its page with the window colour.
    list_->viewport()->setAutoFillBackground(false);
    auto* content = new QWidget;
    auto* list = new QVBoxLayout(content);
    list->setContentsMargins(0, 8, 0, 0);
    list->setSpacing(2);

    list->addWidget(sectionLabel(QStringLiteral("NAVIGATE")));
    for (AppDestination destination : AppDestinations::allCases) {
        if (destination == AppDestination::settings)
            continue;
        auto* item = new SidebarNavItem(destination, content);
        connect(item, &QAbstractButton::clicked, this,
                [this, destination] { appViewModel_->navigate(destination); });
        navItems_.append(item);
        list->addWidget(item);
    }

    goalsSection_ = new QWidget(content);
    goalsSection_->setObjectName(QStringLiteral("sidebarGoalsSection"));
    auto* section = new QVBoxLayout(goalsSection_);
    section->setContentsMargins(0, 0, 0, 0);
    section->setSpacing(2);
    section->addWidget(divider(16, 8));
    section->addWidget(sectionLabel(QStringLiteral("MY GOALS")));
    list->addWidget(goalsSection_);
    list_->setHeader(content);

    auto* footer = new QWidget;
    auto* footerLayout = new QVBoxLayout(footer);
    footerLayout->setContentsMargins(0, 2, 0, 48);
    newGoalButton_ = new SidebarNewGoalButton(footer);
    connect(newGoalButton_, &QAbstractButton::clicked, this,
            [this] { appViewModel_->navigate(AppDestination::goals); });
    footerLayout->addWidget(newGoalButton_);
    list_->setFooter(footer);
    list_->setRowMargins(QMargins(0, 2, 0, 0));
    list_->setSpacing(0, 2);
    list_->setRowHeight(SidebarGoalItem::kRowHeight);
    column->addWidget(list_, 1);
    column->addWidget(buildFooter());

    connect(viewModel_, &SidebarViewModel::goalsChanged, this, &SidebarView::updateGoals);
    connect(appViewModel_, &AppViewModel::hiddenGoalsChanged, this, &SidebarView::updateGoals);
    connect(appViewModel_, &AppViewModel::storeStateChanged, this, &SidebarView::updateGoals);
    connect(appViewModel_, &AppViewModel::destinationChanged, this, &SidebarView::updateSelection);
    connect(&ThemeManager::shared(), &ThemeManager::changed, this, &SidebarView::applyStyle);

    applyStyle();
    updateSelection();
    updateGoals();
}

SidebarView::~SidebarView() = default;

QWidget* SidebarView::buildHeader() {
    auto* header = new QWidget(this);
    header->setObjectName(QStringLiteral("sidebarHeader"));
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(8);

    auto* icon = new QLabel(header);
    icon->setObjectName(QStringLiteral("sidebarAppIcon"));
    icon->setFixedSize(34, 34);
    icon->setPixmap(appIcon(devicePixelRatioF()));
    row->addWidget(icon);

    auto* names = new QVBoxLayout;
    names->setSpacing(1);
    productName_ = plainLabel(tr("Velmora"), header);
    productName_->setObjectName(QStringLiteral("sidebarProductName"));
    subtitle_ = plainLabel(tr("Your goals, your way"), header);
    subtitle_->setObjectName(QStringLiteral("sidebarSubtitle"));
    names->addWidget(productName_);
    names->addWidget(subtitle_);
    row->addLayout(names);
    row->addStretch();

    settingsButton_ = new QToolButton(header);
    settingsButton_->setObjectName(QStringLiteral("sidebarSettingsButton"));
    settingsButton_->setToolTip(AppDestinations::title(AppDestination::settings));
    settingsButton_->setCursor(Qt::PointingHandCursor);
    settingsButton_->setProperty(LeadsIntoScreen::property, true);
    connect(settingsButton_, &QToolButton::clicked, this,
            [this] { appViewModel_->navigate(AppDestination::settings); });
    row->addWidget(settingsButton_);
    return header;
}

QWidget* SidebarView::buildFooter() {
    auto* footer = new QWidget(this);
    footer->setObjectName(QStringLiteral("sidebarFooter"));
    auto* column = new QVBoxLayout(footer);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(divider(0, 0));
    auto* row = new QHBoxLayout;
    row->setContentsMargins(16, 10, 16, 10);
    row->setSpacing(6);
    row->addWidget(new SymbolIcon(QStringLiteral("flame.fill"), Symbols::pixelSizeForFontSize(11),
                                  AppTheme::Colors::amber(), footer));
    streakLabel_ = plainLabel(QString(), footer);
    streakLabel_->setObjectName(QStringLiteral("sidebarStreakText"));
    row->addWidget(streakLabel_);
    row->addStretch();
    streakEmoji_ = plainLabel(QStringLiteral("🔥"), footer);
    streakEmoji_->setObjectName(QStringLiteral("sidebarStreakEmoji"));
    streakEmoji_->setFont(Theme::emojiFont(12));
    row->addWidget(streakEmoji_);
    column->addLayout(row);
    return footer;
}

QWidget* SidebarView::divider(int horizontalMargin, int verticalMargin) {
    auto* holder = new QWidget(this);
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(horizontalMargin, verticalMargin, horizontalMargin, verticalMargin);
    auto* line = new QWidget(holder);
    line->setObjectName(QStringLiteral("sidebarDivider"));
    line->setFixedHeight(1);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, AppTheme::Colors::borderSubtle());
    line->setPalette(palette);
    layout->addWidget(line);
    return holder;
}

QLabel* SidebarView::sectionLabel(const QString& title) {
    auto* label = plainLabel(title, this);
    label->setObjectName(QStringLiteral("sidebarSectionLabel"));
    label->setContentsMargins(20, 8, 20, 2);
    sectionLabels_.append(label);
    return label;
}

void SidebarView::applyStyle() {
    productName_->setFont(Theme::font(14, QFont::DemiBold));
    setTextColor(productName_, Theme::textPrimary());
    subtitle_->setFont(Theme::font(10));
    setTextColor(subtitle_, Theme::textMuted());
    for (QLabel* label : sectionLabels_) {
        QFont font = Theme::font(9);
        font.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
        label->setFont(font);
        setTextColor(label, Theme::textMuted());
    }
    const int gear = Symbols::pixelSizeForFontSize(13);
    settingsButton_->setIcon(Symbols::icon(QStringLiteral("gearshape"), Theme::textSecondary(), gear));
    settingsButton_->setIconSize(QSize(gear, gear));
    settingsButton_->setFixedSize(gear + 12, gear + 12);
    const QColor tile = Theme::withOpacity(Theme::backgroundTertiary(), 0.6);
    settingsButton_->setStyleSheet(
        QStringLiteral("QToolButton { border: none; padding: 6px; border-radius: %1px;"
                       " background: %2; }")
            .arg((gear + 12) / 2)
            .arg(Theme::css(tile)));
    streakLabel_->setFont(Theme::font(11, QFont::Medium));
    updateFooter();
    update();
}

void SidebarView::updateSelection() {
    // Settings is reached from the header only; while it shows, no row is highlighted.
    for (SidebarNavItem* item : navItems_)
        item->setSelected(item->destination() == appViewModel_->selectedDestination());
}

QList<SidebarGoalItem*> SidebarView::goalItems() const {
    QList<SidebarGoalItem*> items;
    for (QWidget* row : list_->rowsInView())
        items.append(static_cast<SidebarGoalItem*>(row));
    return items;
}

void SidebarView::updateGoals() {
    // While the store waits for its salvage its goals may read as none: no list, no "New Goal".
    const bool held = appViewModel_->storeWaitsForSalvage();
    const int count = held ? 0 : viewModel_->count();
    goalsSection_->setVisible(count > 0);
    list_->setCount(count);
    newGoalButton_->setVisible(!held);
    updateFooter();
}

int SidebarView::bestStreak() const {
    return viewModel_->bestStreak();
}

QString SidebarView::streakText() const {
    const int best = bestStreak();
    return best > 0 ? tr("%1 day streak").arg(best) : tr("Start your streak");
}

void SidebarView::updateFooter() {
    const int best = bestStreak();
    streakLabel_->setText(streakText());
    setTextColor(streakLabel_, best > 0 ? AppTheme::Colors::amber() : Theme::textMuted());
    streakEmoji_->setVisible(best > 0);
    // "Start your streak" over goals that only read as none would be an invitation too.
    streakLabel_->parentWidget()->setVisible(!appViewModel_->storeWaitsForSalvage());
}

void SidebarView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPainterPath shape;
    shape.addRect(rect());
    UltraThinMaterial::paint(painter, this, shape);
}
