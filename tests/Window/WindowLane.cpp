#include "Window/WindowLane.h"

#include "Support/FakeAnimationDriver.h"

#include "Components/AuroraBackground.h"
#include "Components/FocusAfter.h"
#include "Components/FocusRing.h"
#include "Components/KeyboardLayer.h"
#include "Components/SheetHost.h"
#include "Models/Achievement.h"
#include "Models/BankAccount.h"
#include "Models/Bill.h"
#include "Models/CalendarTask.h"
#include "Models/CreditCard.h"
#include "Models/DailyLog.h"
#include "Models/Investment.h"
#include "Models/LinkItem.h"
#include "Models/Milestone.h"
#include "Models/Subscription.h"
#include "Platform/UserDefaults.h"
#include "ViewModels/Theme/AnimationTiming.h"
#include "Views/Finance/FinanceTabBar.h"
#include "Views/Finance/FinanceTabButton.h"
#include "Views/Finance/FinanceView.h"

#include <algorithm>

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <cstdlib>

namespace {

const bool kRealWindow = qv::test::requestRealWindow();

QStringList* g_warnings = nullptr;
QtMessageHandler g_previous = nullptr;

void recordWarning(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (g_warnings && type != QtDebugMsg && type != QtInfoMsg)
        g_warnings->append(message);
    if (g_previous)
        g_previous(type, context, message);
}

bool isPainterWarning(const QString& message) {
    return message.contains(QLatin1String("QPainter")) ||
           message.contains(QLatin1String("Painter not active")) ||
           message.contains(QLatin1String("paint device"));
}

// The part of a widget the user can see, in window coordinates: its rectangle cut by every
// ancestor's.
QRect visibleRect(const QWidget* widget) {
    QRect shown(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
    for (const QWidget* up = widget->parentWidget(); up && !up->isWindow(); up = up->parentWidget())
        shown &= QRect(up->mapTo(up->window(), QPoint(0, 0)), up->size());
    return shown;
}

// Drawn over or under the content on purpose: the backdrop, the focus ring and the like.
bool isOverlay(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (qobject_cast<const AuroraBackground*>(w) || qobject_cast<const FocusRing*>(w) ||
            w->testAttribute(Qt::WA_TransparentForMouseEvents) || qobject_cast<const QScrollBar*>(w))
            return true;
    return false;
}

} // namespace

void WindowLane::SetUp() {
    (void)kRealWindow;
    if (!qv::test::onRealWindow())
        GTEST_SKIP() << "runs on the window lane's X server (scripts/window-lane)";
    MainRoad::SetUp();
    // The pointer an earlier test left over a row would show that row's hover actions: it
    // rests in the screen's far corner, outside every window the lane opens.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        QCursor::setPos(screen, screen->geometry().bottomRight());
    AnimationTiming::setAnimationsEnabled(true);
    FakeAnimationDriver::shared();
    g_warnings = &warnings;
    g_previous = qInstallMessageHandler(recordWarning);
}

void WindowLane::TearDown() {
    if (!qv::test::onRealWindow())
        return;
    frames(100);
    qInstallMessageHandler(g_previous);
    g_warnings = nullptr;
    for (const QString& message : std::as_const(warnings))
        if (isPainterWarning(message))
            ADD_FAILURE() << "painter warning: " << message.toStdString();
    MainRoad::TearDown();
}

MainWindow& WindowLane::showWindow(QSize size, bool overlaysDue) {
    if (!overlaysDue)
        skipOverlays();
    vm_ = std::make_unique<AppViewModel>();
    MainWindow::applyThemeToApplication();
    window_ = std::make_unique<MainWindow>(env(vm_.get()));
    window_->move(0, 0);
    window_->resize(size);
    window_->show();
    window_->activateWindow();
    QApplication::setActiveWindow(window_.get());
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get())) << "the X server shows the window";
    frames(50);
    return *window_;
}

// A store with a record of every kind, so that every screen shows its rows: a goal with a
// deadline whose check-in comes daily, a link, a win, a task, an entry and the money records.
void WindowLane::seedEveryKind() {
    auto goal = makeGoal(QStringLiteral("Run a half marathon"), 10, 2, 1);
    goal->setDeadline(Clock::now().addDays(20));
    for (const auto& milestone : goal->milestonesArray())
        milestone->setFrequency(QStringLiteral("Daily"));
    auto link = LinkItem::create(context());
    link->setTitle(QStringLiteral("Training plan"));
    link->setUrl(QStringLiteral("https://example.org/plan"));
    link->setCategory(QStringLiteral("Running"));
    auto win = Achievement::create(context());
    win->setTitle(QStringLiteral("First 10k"));
    win->setDate(Clock::now());
    auto task = CalendarTask::create(context());
    task->setTitle(QStringLiteral("Book the flights"));
    task->setDate(Clock::now().date().startOfDay());
    auto log = DailyLog::create(context());
    log->setGoal(goal);
    log->setDate(Clock::now());
    log->setNotes(QStringLiteral("Easy 5k"));
    auto bill = Bill::create(context());
    bill->setName(QStringLiteral("Rent"));
    bill->setDueDay(5);
    bill->setAmount(900);
    auto account = BankAccount::create(context());
    account->setId(QUuid::createUuid());
    account->setName(QStringLiteral("Everyday account"));
    account->setBalance(1200);
    auto card = CreditCard::create(context());
    card->setName(QStringLiteral("Everyday card"));
    auto music = Subscription::create(context());
    music->setName(QStringLiteral("Music"));
    music->setPrice(9);
    music->setStatus(QStringLiteral("active"));
    music->setRenewalDate(Clock::now().addDays(3));
    auto holding = Investment::create(context());
    holding->setId(QUuid::createUuid());
    holding->setName(QStringLiteral("Index fund"));
    holding->setUnits(10);
    holding->setBuyPrice(100);
    holding->setCurrentPrice(110);
    holding->setBuyDate(Clock::now());
    context()->save();
    UserDefaults::standard().setFlag(FinanceView::authEnabledKey, false);
    UserDefaults::standard().setFlag(FinanceView::onboardingCompleteKey, true);
}

void WindowLane::frames(int msec) {
    FakeAnimationDriver::shared().step(msec);
}

void WindowLane::hover(QWidget* widget) {
    const QPoint centre = widget->rect().center();
    const QPoint target = widget->mapToGlobal(centre);
    QCursor::setPos(widget->screen(), target);
    // Asking the server where its pointer is answers after the crossing events of the move,
    // which are then handled before Qt's own move.
    EXPECT_EQ(QCursor::pos(widget->screen()), target);
    qv::test::settle();
    QTest::mouseMove(widget, centre);
}

void WindowLane::tabOnto(QWidget* control) {
    // From the nearest stop before it that acts on no record: a focus a program puts on a row's
    // action is moved off it, as any focus the user did not move himself.
    for (QWidget* w = control->previousInFocusChain(); w && w != control; w = w->previousInFocusChain())
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus &&
            !FocusAfter::isAction(w)) {
            w->setFocus(Qt::TabFocusReason);
            for (int i = 0; i < 8 && QApplication::focusWidget() && QApplication::focusWidget() != control;
                 ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            break;
        }
    frames(60);
    EXPECT_EQ(QApplication::focusWidget(), control)
        << "Tab did not reach " << describe(control).toStdString();
}

QImage WindowLane::grabScreen(QWidget* widget) {
    QWidget* top = widget->window();
    top->repaint();
    // The grab goes over the same connection as the repaint's flush, so the server has drawn
    // the repaint by the time it answers.
    const QPoint origin = widget->mapToGlobal(QPoint(0, 0));
    QScreen* screen = top->screen();
    return screen->grabWindow(0, origin.x(), origin.y(), widget->width(), widget->height()).toImage();
}

QString WindowLane::saveScreen(const QString& name) {
    const QString path = qv::test::screensDir() + QStringLiteral("/window-") + name + QStringLiteral(".png");
    grabScreen(window_.get()).save(path);
    return path;
}

double WindowLane::differingShare(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull())
        return 1.0;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    qint64 differing = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            const int d =
                std::max({std::abs(qRed(p[col]) - qRed(q[col])), std::abs(qGreen(p[col]) - qGreen(q[col])),
                          std::abs(qBlue(p[col]) - qBlue(q[col]))});
            if (d > 24)
                ++differing;
        }
    }
    return double(differing) / double(qint64(x.width()) * x.height());
}

// Leaf controls: visible widgets with no visible widget inside, overlays aside.
QList<QWidget*> WindowLane::leaves() const {
    QList<QWidget*> out;
    for (QWidget* w : window_->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->isWindow() || isOverlay(w) || visibleRect(w).isEmpty())
            continue;
        bool leaf = true;
        for (QWidget* child : w->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (child->isVisible() && !child->isWindow() && !isOverlay(child))
                leaf = false;
        if (leaf)
            out << w;
    }
    return out;
}

void WindowLane::expectRoomFor(const QString& state) {
    frames(1200);
    const QSize window = window_->size();
    EXPECT_EQ(window, QSize(900, 600)) << state.toStdString() << ": the window kept its size";
    EXPECT_LE(window_->minimumSize().width(), 900) << state.toStdString();
    EXPECT_LE(window_->minimumSize().height(), 600) << state.toStdString();
    EXPECT_LE(window_->minimumSizeHint().width(), 900) << state.toStdString();
    EXPECT_LE(window_->minimumSizeHint().height(), 600) << state.toStdString();
    for (QAbstractScrollArea* area : window_->findChildren<QAbstractScrollArea*>())
        if (area->isVisible() && area->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff)
            for (QWidget* page :
                 area->viewport()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
                EXPECT_LE(page->x() + page->width(), area->viewport()->width())
                    << state.toStdString() << ": " << describe(page).toStdString() << " is cut at the right";
            }
    const QList<QWidget*> all = leaves();
    for (QWidget* w : all) {
        // As layouts do: a minimum set on the widget wins over its hint.
        const QSize hint = w->minimumSizeHint();
        const QSize least(w->minimumWidth() > 0 ? w->minimumWidth() : hint.width(),
                          w->minimumHeight() > 0 ? w->minimumHeight() : hint.height());
        EXPECT_EQ(visibleRect(w).width(), w->width())
            << state.toStdString() << ": " << describe(w).toStdString() << " is cut";
        if (w->sizePolicy().horizontalPolicy() != QSizePolicy::Ignored) {
            EXPECT_GE(w->width(), least.width())
                << state.toStdString() << ": " << describe(w).toStdString() << " is narrower than it needs";
        }
        if (w->sizePolicy().verticalPolicy() != QSizePolicy::Ignored) {
            EXPECT_GE(w->height(), least.height())
                << state.toStdString() << ": " << describe(w).toStdString() << " is lower than it needs";
        }
    }
    for (int i = 0; i < all.size(); ++i)
        for (int j = i + 1; j < all.size(); ++j) {
            const QRect overlap = visibleRect(all[i]) & visibleRect(all[j]);
            EXPECT_TRUE(overlap.isEmpty())
                << state.toStdString() << ": " << describe(all[i]).toStdString() << " and "
                << describe(all[j]).toStdString() << " overlap at " << overlap.x() << "," << overlap.y()
                << " " << overlap.width() << "x" << overlap.height();
        }
}

QWidget* WindowLane::named(const QString& name) const {
    for (QWidget* w : window_->findChildren<QWidget*>(name))
        if (w->isVisible())
            return w;
    return nullptr;
}

SheetHost* WindowLane::openFinanceSheet(FinanceTab tab, const char* opener, int settle) {
    auto* finance = qobject_cast<FinanceView*>(screen());
    EXPECT_NE(finance, nullptr);
    if (!finance || !finance->tabBar()) {
        ADD_FAILURE() << "the finance screen is not open, or its lock is on";
        return nullptr;
    }
    if (finance->selectedTab() != tab)
        click(finance->tabBar()->button(tab));
    frames(settle);
    QWidget* button = nullptr;
    for (QWidget* w : screen()->findChildren<QWidget*>(QString::fromLatin1(opener)))
        if (w->isVisible())
            button = w;
    EXPECT_NE(button, nullptr) << opener;
    click(button);
    frames(std::max(settle, 400));
    return topSheet();
}

QRect WindowLane::readingRect(const QWidget* widget) {
    QPoint at;
    for (const QWidget* w = widget; w && !w->isWindow(); w = w->parentWidget()) {
        const QWidget* view = w->parentWidget();
        const auto* area = view ? qobject_cast<const QAbstractScrollArea*>(view->parentWidget()) : nullptr;
        if (area && area->viewport() == view)
            continue; // the page's offset is how far it is scrolled
        at += w->pos();
    }
    return {at, widget->size()};
}

bool WindowLane::isPane(const QWidget* widget) {
    return qobject_cast<const QAbstractScrollArea*>(widget) && !widget->inherits("QPlainTextEdit") &&
           !widget->inherits("QTextEdit");
}

QString WindowLane::readingOrderFault(const QWidget* before, const QWidget* after) {
    const QRect a = readingRect(before);
    const QRect b = readingRect(after);
    constexpr int slack = 4;
    const int shared = std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top()) + 1;
    const bool sameLine = 2 * shared >= std::min(a.height(), b.height());
    const auto at = [](const QRect& r) {
        return QStringLiteral(" (%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    };
    if (sameLine && b.right() < a.left() + slack)
        return QStringLiteral("to the left on the same line") + at(b) + at(a);
    if (!sameLine && b.bottom() < a.top() + slack && b.left() < a.right() - slack)
        return QStringLiteral("above it in the same column") + at(b) + at(a);
    return {};
}

QString describe(const QWidget* widget) {
    if (!widget)
        return QStringLiteral("(nothing)");
    QString name = widget->objectName();
    if (name.isEmpty())
        name = QString::fromLatin1(widget->metaObject()->className());
    QString path = name;
    for (const QWidget* up = widget->parentWidget(); up && !up->isWindow(); up = up->parentWidget())
        if (!up->objectName().isEmpty() && !up->objectName().startsWith(QLatin1String("qt_"))) {
            path = up->objectName() + QLatin1Char('/') + path;
            break;
        }
    return path;
}

QString accessibleName(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name).trimmed() : QString();
}

void WindowLane::reach(AppDestination destination) {
    if (vm_->selectedDestination() == destination)
        return;
    if (destination == AppDestination::settings)
        click(named(QStringLiteral("sidebarSettingsButton")));
    else
        goTo(destination);
    frames(800);
}

bool matches(const QWidget* widget, const char* name) {
    return widget->objectName() == QLatin1String(name) || widget->inherits(name);
}

void KeyboardRound::key(int key) {
    if (recording_)
        recording_->push_back({key, {}});
    QTest::keyClick(focus() ? focus() : window_.get(), Qt::Key(key));
    frames(120);
}

void KeyboardRound::type(const QString& text) {
    if (recording_)
        recording_->push_back({0, text});
    QTest::keyClicks(focus() ? focus() : window_.get(), text);
    frames(120);
}

void KeyboardRound::replay(const std::vector<Keystroke>& keys) {
    for (const Keystroke& stroke : keys) {
        if (stroke.key) {
            key(stroke.key);
            // A Return or Space may open or close a sheet, which slides.
            if (stroke.key != Qt::Key_Tab)
                frames(600);
        } else {
            type(stroke.text);
        }
    }
}

QWidget* KeyboardRound::tabTo(const std::function<bool(QWidget*)>& wanted) {
    if (focus() && wanted(focus()))
        return focus();
    for (int i = 0; i < 150; ++i) {
        key(Qt::Key_Tab);
        if (focus() && wanted(focus()))
            return focus();
    }
    return nullptr;
}

bool KeyboardRound::shown(const char* name) const {
    const QWidget* within = topSheet() ? static_cast<const QWidget*>(topSheet()) : screen();
    for (const QWidget* w : within->findChildren<QWidget*>(QString::fromLatin1(name)))
        if (w->isVisible())
            return true;
    return false;
}

KeyboardLayer* KeyboardRound::over(const QWidget* screen) const {
    KeyboardLayer* layer = KeyboardLayer::top(window_.get());
    return layer && !layer->contains(screen) && !screen->isAncestorOf(layer->widget()) ? layer : nullptr;
}

QString KeyboardRound::misplaced(const QWidget* screen) const {
    if (!focus())
        return {};
    if (FocusAfter::isDestructive(focus()))
        return QStringLiteral("on ") + describe(focus());
    KeyboardLayer* layer = over(screen);
    if (!screen->isAncestorOf(focus()) && !(layer && layer->contains(focus())))
        return QStringLiteral("outside the screen, on ") + describe(focus());
    return {};
}

StoreRows storeRows(ObjectContext* context) {
    StoreRows out;
    for (const auto& entity : context->model().entities()) {
        QStringList rows;
        for (const auto& record : context->fetch(FetchRequest(entity->name))) {
            QStringList fields{QString::number(record->objectID())};
            for (int i = 0; i < int(entity->attributes.size()); ++i) {
                const QVariant value = record->value(i);
                fields << entity->attributes[size_t(i)].name + u'=' +
                              (value.typeId() == QMetaType::QDateTime
                                   ? value.toDateTime().toUTC().toString(Qt::ISODateWithMs)
                                   : value.toString());
            }
            for (int i = 0; i < int(entity->relationships.size()); ++i)
                if (!entity->relationships[size_t(i)].toMany) {
                    const auto target = record->relatedObject(i);
                    fields << entity->relationships[size_t(i)].name + u'=' +
                                  (target ? QString::number(target->objectID()) : QString());
                }
            rows << fields.join(u' ');
        }
        rows.sort();
        out.insert(entity->name, rows);
    }
    return out;
}

// What changed from `before` to `after`, record by record; empty when nothing did.
QString changes(const StoreRows& before, const StoreRows& after) {
    QStringList out;
    for (auto it = after.begin(); it != after.end(); ++it) {
        const QStringList was = before.value(it.key());
        for (const QString& row : it.value())
            if (!was.contains(row))
                out << QStringLiteral("now ") + it.key() + u' ' + row;
        for (const QString& row : was)
            if (!it.value().contains(row))
                out << QStringLiteral("was ") + it.key() + u' ' + row;
    }
    return out.join(u'\n');
}
