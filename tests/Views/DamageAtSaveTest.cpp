#include "Views/ShellTestSupport.h"

#include "Support/FullStore.h"

#include "Components/AlertDialog.h"
#include "Components/SheetHost.h"
#include "Models/Bill.h"
#include "Models/CalendarSubtask.h"
#include "Models/CalendarTask.h"
#include "Models/DailyLog.h"
#include "Models/Income.h"
#include "Platform/CalendarHelpers.h"
#include "Views/CalendarView/CalendarAddTaskBar.h"
#include "Views/CalendarView/CalendarPageView.h"
#include "Views/CalendarView/CalendarTaskRow.h"
#include "Views/Dashboard/CheckInGoalRow.h"
#include "Views/Dashboard/DailyCheckInModal.h"
#include "Views/Finance/FinanceTab.h"
#include "Views/Finance/FinanceTabBar.h"
#include "Views/Finance/FinanceTabButton.h"
#include "Views/Finance/FinanceView.h"
#include "Views/Goals/GoalsView.h"

#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <functional>

namespace {

// Damage met at the save of an editor, on a store file with a table of several pages behind
// the editor's list: a page of that table is written over on disk just before the save, as a
// person meets it. The application runs on, the editor keeps what was typed and the alert says
// why; the notice that the records are kept comes once the editor is closed.
class DamageAtSave : public WindowTest {
protected:
    static constexpr int kRecords = 300;

    void useFileStore() {
        window_.reset();
        vm_.reset();
        store_.reset();
        const QString path = PersistenceController::defaultStorePath();
        for (const char* suffix : {"", "-wal", "-shm", "-journal", ".damaged"})
            QFile::remove(path + QLatin1String(suffix));
        store_ = std::make_unique<PersistenceController>(false);
        ASSERT_TRUE(store_->isLoaded());
    }

    void startWatched() {
        openWindow();
        // As the application tells the window of its store.
        store_->watchStore([this](const QString& title, const QString& message) {
            vm_->setStoreWaitsForSalvage(store_->waitsForSalvage(), store_->waitsForRoom());
            AlertDialog::present(window_.get(), title, message);
        });
        qv::test::settle();
    }

    template <typename T> T* inScreen(const char* name) {
        return screen()->findChild<T*>(QLatin1String(name));
    }
    template <typename T> T* inSheet(const char* name) {
        SheetHost* sheet = SheetHost::topmost(window_.get());
        return sheet ? sheet->findChild<T*>(QLatin1String(name)) : nullptr;
    }
    void openFinanceTab(FinanceTab tab) {
        vm_->navigate(AppDestination::expenses);
        qv::test::settle();
        QTest::mouseClick(qobject_cast<FinanceView*>(screen())->tabBar()->button(tab), Qt::LeftButton);
        qv::test::settle();
    }
    CalendarPageView* calendar() { return qobject_cast<CalendarPageView*>(screen()); }
    CalendarTaskRow* todaysRow() {
        const auto rows = calendar()->taskRows();
        return rows.empty() ? nullptr : rows.front();
    }

    static QString textOf(QWidget* field) {
        if (auto* line = qobject_cast<QLineEdit*>(field))
            return line->text();
        if (auto* text = qobject_cast<QPlainTextEdit*>(field))
            return text->toPlainText();
        return {};
    }

    // Closes every alert over the window and says what each said, as "title|message".
    QStringList closeAlerts() {
        QStringList alerts;
        for (int i = 0; i < 8; ++i) {
            SheetHost* top = SheetHost::topmost(window_.get());
            auto* heading = top ? top->findChild<QLabel*>(QStringLiteral("alertTitle")) : nullptr;
            if (!heading)
                break;
            alerts << heading->text() + u'|' +
                          top->findChild<QLabel*>(QStringLiteral("alertMessage"))->text();
            top->findChild<QAbstractButton*>()->click();
            qv::test::settle();
        }
        return alerts;
    }
    bool showsNotice() {
        return QString::fromLatin1(screen()->metaObject()->className()) == "HeldRecordsScreen";
    }
};

QDateTime minutesAgo(int minutes) {
    return Clock::now().addSecs(-60 * qint64(minutes));
}

TEST_F(DamageAtSave, KeepsTheAppRunningAndWhatWasTypedInTheSheetOrInlineEditorWhoseSaveMetIt) {
    skipOverlays();
    UserDefaults::standard().setFlag(FinanceView::onboardingCompleteKey, true);
    struct Case {
        const char* what;
        QString table; // the table the save writes, with kRecords records behind the list
        std::function<void()> seed;
        std::function<void()> open;      // shows the editor
        std::function<QWidget*()> field; // the field typed into, looked up anew (a card rebuilds its form)
        QString typed;
        std::function<void()> save;
        std::function<void()> close;
        std::function<void()> afterDamage = [] {};
    };
    const auto today = [] { return Calendar::startOfDay(Clock::now()); };
    const auto seedTasks = [this, today](bool subtasks) {
        auto elsewhere = CalendarTask::create(context());
        elsewhere->setTitle(QStringLiteral("Another day"));
        elsewhere->setDate(today().addDays(-40));
        for (int i = 0; i < kRecords; ++i) {
            if (subtasks) {
                auto subtask = CalendarSubtask::create(context());
                subtask->setTitle(QStringLiteral("Step %1").arg(i));
                subtask->setTask(elsewhere);
            } else {
                auto task = CalendarTask::create(context());
                task->setTitle(QStringLiteral("Errand %1").arg(i));
                task->setDate(today().addDays(-1 - i % 30));
            }
        }
        // Today's task is written last: its record lies on the table's last page.
        auto task = CalendarTask::create(context());
        task->setTitle(QStringLiteral("Pack the car"));
        task->setDate(today());
    };
    const auto openCalendar = [this] {
        vm_->navigate(AppDestination::calendar);
        qv::test::settle();
    };
    const std::vector<Case> cases{
        {"Add Bill", Bill::entityName(),
         [this] {
             for (int i = 0; i < kRecords; ++i) {
                 auto bill = Bill::create(context());
                 bill->setName(QStringLiteral("Bill %1").arg(i));
                 bill->setAmount(10 + i);
                 bill->setDueDay(qint16(1 + i % 28));
                 bill->setCreatedAt(minutesAgo(kRecords - i));
             }
         },
         [this] {
             openFinanceTab(FinanceTab::bills);
             inScreen<QAbstractButton>("addBillButton")->click();
             qv::test::settle();
             QTest::keyClicks(inSheet<QLineEdit>("amountField"), QStringLiteral("42"));
         },
         [this] { return inSheet<QLineEdit>("nameField"); }, QStringLiteral("Water"),
         [this] { inSheet<QAbstractButton>("addBillButton")->click(); },
         [this] { inSheet<QAbstractButton>("cancelButton")->click(); },
         [this] {
             // The list shows the bills it held; no row is bound to one that was not read.
             EXPECT_EQ(inScreen<QLabel>("billsCount")->text(), QString::number(kRecords));
         }},
        {"Edit Goal", Goal::entityName(),
         [this] {
             for (int i = 0; i < kRecords; ++i) {
                 auto goal = Goal::create(context());
                 goal->setTitle(QStringLiteral("Goal %1").arg(i));
                 goal->setCreatedAt(minutesAgo(kRecords - i));
                 goal->setColorHex(QStringLiteral("#0891B2"));
             }
         },
         [this] {
             vm_->navigate(AppDestination::goals);
             qv::test::settle();
             // The newest goal: its record lies on the table's last page.
             const auto newest = context()->fetch<Goal>(
                 FetchRequest(Goal::entityName(), {}, {{Goal::Keys::createdAt, false}}, 1));
             qobject_cast<GoalsView*>(screen())->select(newest.front()->objectID());
             qv::test::settle();
             inScreen<QAbstractButton>("editGoalButton")->click();
             qv::test::settle();
             inSheet<QLineEdit>("createGoalTitleField")->clear();
         },
         [this] { return inSheet<QLineEdit>("createGoalTitleField"); },
         QStringLiteral("Run a faster marathon"),
         [this] { inSheet<QAbstractButton>("createGoalConfirm")->click(); },
         [this] { inSheet<QAbstractButton>("createGoalCancel")->click(); }},
        {"New Task", CalendarTask::entityName(), [seedTasks] { seedTasks(false); },
         [this, openCalendar] {
             openCalendar();
             inScreen<QAbstractButton>("toggleAddTaskButton")->click();
             qv::test::settle();
         },
         [this] { return calendar()->addTaskBar()->titleField(); }, QStringLiteral("Water the plants"),
         [this] { inScreen<QAbstractButton>("addTaskButton")->click(); },
         [this] { inScreen<QAbstractButton>("cancelTaskButton")->click(); }},
        {"New Subtask", CalendarSubtask::entityName(), [seedTasks] { seedTasks(true); },
         [this, openCalendar] {
             openCalendar();
             todaysRow()->openAddSubtask();
             qv::test::settle();
         },
         [this] { return todaysRow()->findChild<QLineEdit*>(QStringLiteral("newSubtaskField")); },
         QStringLiteral("Check the tyres"), [this] { todaysRow()->commitSubtask(); },
         [this] { todaysRow()->cancelSubtask(); }},
        {"Task Notes", CalendarTask::entityName(), [seedTasks] { seedTasks(false); },
         [this, openCalendar] {
             openCalendar();
             todaysRow()->toggleNotes();
             qv::test::settle();
         },
         [this] { return todaysRow()->findChild<QPlainTextEdit*>(QStringLiteral("taskNotesEditor")); },
         QStringLiteral("Leave before eight"), [this] { todaysRow()->saveNotes(); },
         [this] { todaysRow()->toggleNotes(); }},
        {"Monthly Income", Income::entityName(),
         [this] {
             // Paid in the months before, but one: the form stands in view above this month's row.
             for (int i = 0; i < kRecords; ++i)
                 Income::create(context())->write({QStringLiteral("Pay %1").arg(i),
                                                   100,
                                                   Clock::now().addDays(i == 0 ? 0 : -40 - i),
                                                   QStringLiteral("debit"),
                                                   {}});
         },
         [this] {
             openFinanceTab(FinanceTab::cashFlow);
             inScreen<QAbstractButton>("addIncomeButton")->click();
             qv::test::settle();
         },
         [this] { return inScreen<QLineEdit>("incomeAmountField"); }, QStringLiteral("1200"),
         [this] { inScreen<QAbstractButton>("setIncomeButton")->click(); },
         [this] { inScreen<QLineEdit>("incomeAmountField")->clear(); }},
        // Last: the check-in is due from here on.
        {"Daily Check-In", DailyLog::entityName(),
         [this] {
             for (int i = 0; i < kRecords; ++i) {
                 auto entry = DailyLog::create(context());
                 entry->setDate(Clock::now().addDays(-1 - i));
                 entry->setNotes(QStringLiteral("Day %1").arg(i));
             }
             auto goal = Goal::create(context());
             goal->setTitle(QStringLiteral("Run a marathon"));
             UserDefaults::standard().setDate(QStringLiteral("lastCheckInDate"), Clock::now().addDays(-1));
         },
         [this] {
             auto* modal = window_->contentView()->checkInOverlay()->findChild<DailyCheckInModal*>();
             modal->goalRows().front()->click();
             qv::test::settle();
         },
         [this] {
             return window_->contentView()->findChild<QPlainTextEdit*>(QStringLiteral("checkInNotes"));
         },
         QStringLiteral("Slept well"),
         [this] {
             window_->contentView()
                 ->findChild<QAbstractButton*>(QStringLiteral("completeCheckInButton"))
                 ->click();
         },
         [this] {
             window_->contentView()
                 ->findChild<QAbstractButton*>(QStringLiteral("skipCheckInButton"))
                 ->click();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(useFileStore());
        c.seed();
        ASSERT_TRUE(context()->save());
        startWatched();
        c.open();
        QWidget* field = c.field();
        ASSERT_TRUE(field && field->isVisible());
        QTest::keyClicks(field, c.typed);
        ASSERT_EQ(textOf(field), c.typed);

        qv::test::damageLastPage(*context(), c.table);
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        c.save();
        qv::test::settle();
        testing::internal::GetCapturedStderr();
        testing::internal::GetCapturedStdout();
        ASSERT_TRUE(vm_->storeWaitsForSalvage()) << "the save met the damage";

        const QStringList alerts = closeAlerts();
        EXPECT_TRUE(alerts.contains(QStringLiteral("Couldn't Save|Couldn't save: the store is damaged")))
            << alerts.join(u'\n').toStdString();
        field = c.field();
        ASSERT_TRUE(field && field->isVisible()) << "the editor outlives the damage met at its save";
        EXPECT_EQ(textOf(field), c.typed);
        EXPECT_FALSE(showsNotice()) << "the screen stays while the editor holds what was typed";
        c.afterDamage();

        c.close();
        qv::test::settle();
        EXPECT_TRUE(showsNotice()) << "the notice comes once the editor is closed";
    }
}

} // namespace
