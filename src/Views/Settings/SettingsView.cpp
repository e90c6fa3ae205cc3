#include "Views/Settings/SettingsView.h"

#include "Components/AlertDialog.h"
#include "Components/BareScrollArea.h"
#include "Components/ChoiceGroup.h"
#include "Components/FocusRing.h"
#include "Components/GlassCard.h"
#include "Components/MenuPicker.h"
#include "Components/ScreenStyle.h"
#include "Components/SidewaysFade.h"
#include "Components/Stepper.h"
#include "Components/Symbols.h"
#include "Components/ToggleSwitch.h"
#include "Platform/Clock.h"
#include "ViewModels/ScreenModels.h"
#include "ViewModels/SettingsViewModel.h"
#include "ViewModels/Theme/AppColorTheme.h"
#include "ViewModels/Theme/AppFontOption.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/ColorHex.h"
#include "ViewModels/Theme/Theme.h"
#include "ViewModels/Theme/ThemeManager.h"
#include "Views/Settings/FinanceLockOffSheet.h"
#include "Views/Settings/FontOptionCard.h"
#include "Views/Settings/SettingsRows.h"
#include "Views/Settings/ThemeSwatchView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

// A theme or font chosen from this screen rebuilds the whole window, this screen included: the
// screen made next puts the focus back on the choice, as the one that had it.
struct Refocus {
    const char* kind = nullptr; // the choices' object name
    int value = 0;
    Qt::FocusReason reason = Qt::OtherFocusReason;
};
std::optional<Refocus> g_refocus;

void refocusAfterRebuild(QAbstractButton* choice, const char* kind, int value) {
    if (!choice->hasFocus())
        return;
    const bool ring = FocusRing::current() && FocusRing::current()->target() == choice;
    g_refocus = Refocus{kind, value, ring ? Qt::TabFocusReason : Qt::OtherFocusReason};
}

QWidget* horizontalStrip(const QList<QWidget*>& items, int spacing, const QString& name) {
    auto* strip = new QWidget;
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(2, 4, 2, 4);
    row->setSpacing(spacing);
    for (QWidget* item : items)
        row->addWidget(item);
    row->addStretch(1);
    auto* scroll = BareScrollArea::wrap(strip);
    scroll->setObjectName(name);
    scroll->setWidgetResizable(true);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFixedHeight(strip->sizeHint().height());
    // The row lies on a section's glass card over the window's backdrop.
    SidewaysFade::attach(scroll, [] {
        const QColor glass = AppTheme::Colors::glassSurface();
        const QColor under = Theme::backgroundPrimary();
        const double a = glass.alphaF();
        return QColor::fromRgbF(float(glass.redF() * a + under.redF() * (1 - a)),
                                float(glass.greenF() * a + under.greenF() * (1 - a)),
                                float(glass.blueF() * a + under.blueF() * (1 - a)));
    });
    return scroll;
}

QWidget* titled(const QString& title, const QString& subtitle) {
    auto* box = new QWidget;
    auto* v = new QVBoxLayout(box);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(2);
    v->addWidget(ScreenStyle::label(title, Theme::font(14), Theme::textPrimary()));
    v->addWidget(ScreenStyle::label(subtitle, Theme::font(11), Theme::textMuted()));
    return box;
}

} // namespace

SettingsView::SettingsView(const AppEnvironment& env, QWidget* parent)
    : QWidget(parent), env_(env), viewModel_(env.models->settings(this)) {
    setObjectName(QStringLiteral("SettingsView"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(48);
    column->addWidget(ScreenStyle::label(tr("Settings"), Theme::font(32, QFont::Bold), Theme::textPrimary()));
    column->addWidget(SettingsRows::section(tr("Profile"), buildProfile()));
    column->addWidget(SettingsRows::section(tr("Notifications"), buildNotifications()));
    column->addWidget(SettingsRows::section(tr("Data"), buildData()));
    column->addWidget(SettingsRows::section(tr("Appearance"), buildAppearance()));
    column->addWidget(SettingsRows::section(tr("Finance"), buildFinance()));
    column->addWidget(SettingsRows::section(tr("About"), buildAbout()));
    column->addStretch(1);
    auto* scroll = BareScrollArea::wrap(page);
    scroll->setObjectName(QStringLiteral("settingsScroll"));
    scroll->setAccessibleName(tr("Settings"));
    outer->addWidget(scroll);
}

void SettingsView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!g_refocus)
        return;
    const Refocus wanted = *g_refocus;
    g_refocus.reset();
    // Once the new page is laid out, so the choice can be scrolled to.
    QMetaObject::invokeMethod(
        this,
        [this, wanted] {
            for (QAbstractButton* choice : findChildren<QAbstractButton*>(QString::fromLatin1(wanted.kind)))
                if (choice->property("choiceValue").toInt() == wanted.value) {
                    choice->setFocus(wanted.reason);
                    // Its strip scrolls sideways to it, and the page down to the strip.
                    for (QWidget* up = choice->parentWidget(); up; up = up->parentWidget())
                        if (auto* area = qobject_cast<QScrollArea*>(up))
                            area->ensureWidgetVisible(choice, 24, 48);
                }
        },
        Qt::QueuedConnection);
}

QWidget* SettingsView::buildProfile() {
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(16);
    avatar_ = new ProfileAvatar;
    avatar_->setInitial(SettingsViewModel::avatarInitial(viewModel_->userName()));
    h->addWidget(avatar_);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    auto* name = new QLineEdit(viewModel_->userName());
    name->setObjectName(QStringLiteral("userNameField"));
    name->setAccessibleName(tr("Your name"));
    name->setPlaceholderText(tr("Your name"));
    name->setFont(Theme::font(18, QFont::DemiBold));
    name->setFrame(false);
    name->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; color: %1; border: none; }")
                            .arg(Theme::css(Theme::textPrimary())));
    connect(name, &QLineEdit::textEdited, this, [this](const QString& text) {
        viewModel_->setUserName(text);
        avatar_->setInitial(SettingsViewModel::avatarInitial(text));
    });
    texts->addWidget(name);
    texts->addWidget(ScreenStyle::label(tr("Velmora User"), Theme::font(12), Theme::textSecondary()));
    h->addLayout(texts, 1);
    return row;
}

QWidget* SettingsView::buildNotifications() {
    auto* box = new QWidget;
    reminders_ = new QVBoxLayout(box);
    reminders_->setContentsMargins(0, 0, 0, 0);
    reminders_->setSpacing(0);
    auto* toggle = new ToggleSwitch(viewModel_->notificationsEnabled(), AppTheme::Colors::purple());
    toggle->setObjectName(QStringLiteral("notificationsSwitch"));
    toggle->setAccessibleName(tr("Enable Notifications"));
    connect(toggle, &ToggleSwitch::toggled, this, [this](bool on) {
        viewModel_->setNotificationsEnabled(on);
        rebuildReminderRows();
    });
    reminders_->addWidget(SettingsRows::controlRow(tr("Enable Notifications"), toggle));
    rebuildReminderRows();
    return box;
}

void SettingsView::rebuildReminderRows() {
    if (reminderRows_) {
        reminders_->removeWidget(reminderRows_);
        reminderRows_->hide();
        reminderRows_->deleteLater();
        reminderRows_ = nullptr;
    }
    if (!viewModel_->notificationsEnabled())
        return;
    reminderRows_ = new QWidget;
    reminderRows_->setObjectName(QStringLiteral("reminderRows"));
    auto* v = new QVBoxLayout(reminderRows_);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);

    auto* hour = new MenuPicker;
    hour->setObjectName(QStringLiteral("reminderHourPicker"));
    hour->setAccessibleName(tr("Hour"));
    for (int h = SettingsViewModel::kFirstReminderHour; h <= SettingsViewModel::kLastReminderHour; ++h)
        hour->addOption(QStringLiteral("%1:00").arg(h), h);
    hour->setCurrentIndex(viewModel_->dailyReminderHour() - SettingsViewModel::kFirstReminderHour);
    hour->setFixedWidth(100);
    connect(hour, &MenuPicker::currentIndexChanged, this,
            [this, hour](int) { viewModel_->setDailyReminderHour(hour->currentValue().toInt()); });
    v->addWidget(SettingsRows::controlRow(tr("Daily Reminder"), hour));
    v->addWidget(SettingsRows::rule(Theme::withOpacity(Theme::textMuted(), 0.2)));

    auto* count =
        new Stepper(viewModel_->alertCount(), SettingsViewModel::kMinAlerts, SettingsViewModel::kMaxAlerts);
    count->setObjectName(QStringLiteral("alertCountStepper"));
    count->setName(tr("alerts per day"));
    count->setLabel(tr("%1x per day").arg(viewModel_->alertCount()));
    connect(count, &Stepper::valueChanged, this, [this](int n) {
        viewModel_->setAlertCount(n);
        // The rows change with the count; rebuilt on the next turn, after the stepper's click.
        QMetaObject::invokeMethod(this, &SettingsView::rebuildReminderRows, Qt::QueuedConnection);
    });
    v->addWidget(SettingsRows::controlRow(tr("Deadline Alerts"), count));

    const auto& times = viewModel_->alertTimes();
    for (int i = 0; i < times.size(); ++i) {
        auto* time = new QTimeEdit(times[i].time());
        time->setObjectName(QStringLiteral("alertTime%1").arg(i + 1));
        time->setDisplayFormat(QStringLiteral("HH:mm"));
        time->setFixedWidth(90);
        time->setAccessibleName(tr("Alert %1").arg(i + 1));
        connect(time, &QTimeEdit::timeChanged, this,
                [this, i](const QTime& t) { viewModel_->setAlertTime(i, t); });
        v->addWidget(SettingsRows::controlRow(tr("Alert %1").arg(i + 1), time));
    }
    reminders_->addWidget(reminderRows_);
}

QWidget* SettingsView::buildData() {
    auto* box = new QWidget;
    auto* v = new QVBoxLayout(box);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    auto* exportRow =
        SettingsRows::actionRow(QStringLiteral("square.and.arrow.up"), AppTheme::Colors::cyan(),
                                tr("Export Progress Report"), tr("Export your goals and progress as PDF"));
    exportRow->setObjectName(QStringLiteral("exportRow"));
    connect(exportRow, &QAbstractButton::clicked, this, &SettingsView::exportData);
    auto* reload =
        SettingsRows::actionRow(QStringLiteral("arrow.clockwise"), AppTheme::Colors::green(),
                                tr("Reload Sample Data"), tr("Add sample goals to explore the app"));
    reload->setObjectName(QStringLiteral("reloadSampleRow"));
    connect(reload, &QAbstractButton::clicked, this, [this] { viewModel_->reloadSampleData(); });
    auto* reset = SettingsRows::actionRow(QStringLiteral("trash"), AppTheme::Colors::rose(),
                                          tr("Reset All Data"), tr("Permanently delete all goals and logs"));
    reset->setObjectName(QStringLiteral("resetRow"));
    connect(reset, &QAbstractButton::clicked, this, &SettingsView::confirmReset);
    v->addWidget(exportRow);
    v->addWidget(reload);
    v->addWidget(reset);
    return box;
}

QWidget* SettingsView::buildAppearance() {
    ThemeManager& themes = ThemeManager::shared();
    const bool custom = themes.currentTheme() == AppColorTheme::custom;
    auto* box = new QWidget;
    auto* v = new QVBoxLayout(box);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(12);
    v->addWidget(titled(tr("Color Theme"), tr("%1 presets + custom colour").arg(20)));
    QList<QWidget*> swatches;
    auto* themeGroup = new ChoiceGroup(this);
    for (AppColorTheme theme : AppColorThemes::allCases) {
        std::optional<QColor> customColor;
        if (custom)
            customColor = ColorHex::fromHex(themes.customBaseHex());
        auto* swatch = new ThemeSwatchView(theme, theme == themes.currentTheme(), customColor);
        swatch->setProperty("choiceValue", int(theme));
        // The choice restyles the whole window, this screen included: it is made on the next
        // turn, once the click that asked for it has returned.
        connect(swatch, &QAbstractButton::clicked, this, [swatch, theme] {
            if (theme != ThemeManager::shared().currentTheme())
                refocusAfterRebuild(swatch, "themeSwatch", int(theme));
            QMetaObject::invokeMethod(
                &ThemeManager::shared(), [theme] { ThemeManager::shared().setCurrentTheme(theme); },
                Qt::QueuedConnection);
        });
        swatches << swatch;
        themeGroup->add(swatch);
    }
    v->addWidget(horizontalStrip(swatches, 16, QStringLiteral("themeStrip")));
    if (custom)
        v->addWidget(new CustomColorRow);
    v->addWidget(SettingsRows::rule(AppTheme::Colors::borderSubtle()));
    v->addWidget(titled(tr("Font Style"), tr("Changes all text throughout the app")));
    QList<QWidget*> cards;
    auto* fontGroup = new ChoiceGroup(this);
    for (AppFontOption option : AppFontOptions::allCases) {
        auto* card = new FontOptionCard(option, option == themes.currentFont());
        card->setProperty("choiceValue", int(option));
        connect(card, &QAbstractButton::clicked, this, [card, option] {
            if (option != ThemeManager::shared().currentFont())
                refocusAfterRebuild(card, "fontCard", int(option));
            QMetaObject::invokeMethod(
                &ThemeManager::shared(), [option] { ThemeManager::shared().setCurrentFont(option); },
                Qt::QueuedConnection);
        });
        cards << card;
        fontGroup->add(card);
    }
    v->addWidget(horizontalStrip(cards, 8, QStringLiteral("fontStrip")));
    return box;
}

QWidget* SettingsView::buildFinance() {
    auto* box = new QWidget;
    auto* v = new QVBoxLayout(box);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    auto* lock = new ToggleSwitch(viewModel_->financeAuthEnabled(), AppTheme::Colors::purple());
    lock->setObjectName(QStringLiteral("financeLockSwitch"));
    lock->setAccessibleName(tr("Require Authentication"));
    // On takes effect at once; off stays on until the owner's password has passed the check.
    connect(lock, &ToggleSwitch::toggled, this, [this, lock](bool on) {
        if (on) {
            viewModel_->enableFinanceAuth();
            return;
        }
        const QSignalBlocker quiet(lock);
        lock->setChecked(true);
        FinanceLockOffSheet::present(this, viewModel_);
    });
    connect(viewModel_, &SettingsViewModel::changed, lock, [this, lock] {
        const QSignalBlocker quiet(lock);
        lock->setChecked(viewModel_->financeAuthEnabled());
    });
    auto* lockRow = new QWidget;
    auto* h = new QHBoxLayout(lockRow);
    h->setContentsMargins(0, 4, 0, 4);
    auto* texts = titled(tr("Require Authentication"), tr("System password to open Finance tab"));
    h->addWidget(texts, 1);
    h->addWidget(lock);
    v->addWidget(lockRow);
    v->addWidget(SettingsRows::rule(AppTheme::Colors::borderSubtle()));

    auto* currency = new MenuPicker;
    currency->setObjectName(QStringLiteral("currencyPicker"));
    currency->setAccessibleName(tr("Currency"));
    int current = 0;
    const auto& table = SettingsViewModel::currencies();
    for (int i = 0; i < table.size(); ++i) {
        currency->addOption(table[i].label, table[i].code);
        if (table[i].code == viewModel_->currencyCode())
            current = i;
    }
    currency->setCurrentIndex(current);
    currency->setFixedWidth(220);
    connect(currency, &MenuPicker::currentIndexChanged, this,
            [this, currency](int) { viewModel_->setCurrencyCode(currency->currentValue().toString()); });
    v->addWidget(SettingsRows::controlRow(tr("Currency"), currency));
    return box;
}

QWidget* SettingsView::buildAbout() {
    auto* box = new QWidget;
    auto* v = new QVBoxLayout(box);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    v->addWidget(SettingsRows::infoRow(tr("Version"), QStringLiteral("1.0.0")));
    v->addWidget(SettingsRows::infoRow(tr("Build"), QStringLiteral("2026.1")));
    v->addWidget(SettingsRows::infoRow(tr("Platform"), QStringLiteral("Linux")));
    return box;
}

void SettingsView::exportData() {
    if (!viewModel_->exportData())
        return;
    if (!banner_) {
        banner_ = new GlassCard(14, 1.0, AppTheme::Colors::green(), this);
        banner_->setObjectName(QStringLiteral("exportBanner"));
        auto* row = new QHBoxLayout(banner_);
        row->setContentsMargins(16, 16, 16, 16);
        row->setSpacing(8);
        auto* icon = new QLabel;
        icon->setPixmap(Symbols::pixmap(QStringLiteral("checkmark.circle.fill"), 16,
                                        AppTheme::Colors::green(), devicePixelRatioF()));
        row->addWidget(icon);
        row->addWidget(ScreenStyle::label(tr("Export saved to Desktop"), Theme::font(13, QFont::Medium),
                                          Theme::textPrimary()));
    }
    placeBanner();
    banner_->show();
    banner_->raise();
    // Each export hides the banner two seconds after itself; an older timer that runs out
    // while a newer export shows it hides it all the same.
    QPointer<QWidget> banner(banner_);
    Clock::after(this, kBannerMs, [banner] {
        if (banner)
            banner->hide();
    });
}

bool SettingsView::isExportBannerShown() const {
    return banner_ && banner_->isVisible();
}

void SettingsView::placeBanner() {
    if (!banner_)
        return;
    banner_->adjustSize();
    banner_->move((width() - banner_->width()) / 2, 20);
}

void SettingsView::confirmReset() {
    AlertDialog::present(
        this, tr("Reset All Data"),
        tr("This will permanently delete all your goals, milestones, steps, and daily logs. This action "
           "cannot be "
           "undone."),
        {{tr("Cancel"), AlertDialog::Role::Cancel, {}},
         {tr("Reset"), AlertDialog::Role::Destructive, [this] { viewModel_->resetAllData(); }}});
}

void SettingsView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeBanner();
}

void SettingsView::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), Theme::backgroundPrimary());
}
