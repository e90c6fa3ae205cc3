#pragma once

#include "Views/CalendarView/CalendarPopover.h"

#include <QDateTime>
#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>

class CalendarChip;
class CalendarIconButton;
class CalendarNotesEditor;

class CalendarSubtaskRow;
class CalendarTask;
class CalendarTextLine;
class CalendarViewModel;
class FocusWithin;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QVBoxLayout;
class SymbolIcon;

// One task of the chosen day: its tick, its title (edited in place), category, repeat and
// origin badges, and under the pointer or while it holds the keyboard focus the actions: carry forward to
// tomorrow, schedule a follow-up, notes, rename and delete. Unfolded it lists its subtasks and adds new ones.
// Every change is one operation of the calendar model; the row keeps only what is open or being typed, and
// keeps it when the model announces another row's change.
class CalendarTaskRow : public QWidget {
    Q_OBJECT
public:
    CalendarTaskRow(std::shared_ptr<CalendarTask> task, CalendarViewModel* viewModel,
                    QWidget* parent = nullptr);
    ~CalendarTaskRow() override;

    const std::shared_ptr<CalendarTask>& task() const { return task_; }
    // Shows the task's stored values again; subtask rows that remain keep their state.
    void refresh();

    bool isExpanded() const { return expanded_; }
    bool isEditing() const { return editing_; }
    bool isShowingNotes() const { return showingNotes_; }
    bool isShowingAddSubtask() const { return showingAddSubtask_; }
    bool isHovered() const { return hovered_; }
    // Below this width the actions take the badges' place and the capsules show symbols only.
    static constexpr int kNarrowWidth = 480;
    bool isNarrow() const { return narrow_; }
    QDateTime followUpDate() const { return followUpDate_; }
    CalendarPopover* followUpPopover() const { return followUp_; }
    void setHovered(bool hovered);

    void toggleExpanded();
    void beginEdit();
    void commitEdit();
    void toggleNotes();
    void saveNotes();
    void openFollowUp();
    void openAddSubtask();
    void commitSubtask();
    void cancelSubtask();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QWidget* buildMainLine();
    QWidget* buildActions();
    void buildNotesEditor();
    QWidget* buildSubtaskSection();
    QLineEdit* titleField();
    QLineEdit* newSubtaskField();
    void updateChrome();
    void syncSubtaskRows();

    std::shared_ptr<CalendarTask> task_;
    CalendarViewModel* viewModel_;
    bool expanded_ = true;
    bool hovered_ = false;
    bool editing_ = false;
    bool showingNotes_ = false;
    bool showingAddSubtask_ = false;
    bool narrow_ = false;
    QDateTime followUpDate_;
    QPointer<CalendarPopover> followUp_;
    FocusWithin* focus_ = nullptr;

    CalendarIconButton* tick_ = nullptr;
    CalendarTextLine* title_ = nullptr;
    QHBoxLayout* mainLine_ = nullptr;
    QLineEdit* editField_ = nullptr; // made on the first edit
    CalendarChip* categoryBadge_ = nullptr;
    SymbolIcon* repeatIcon_ = nullptr;
    CalendarChip* originBadge_ = nullptr;
    QWidget* actions_ = nullptr;
    CalendarChip* tomorrow_ = nullptr;
    CalendarChip* followUpChip_ = nullptr;
    CalendarIconButton* notesButton_ = nullptr;
    CalendarIconButton* confirm_ = nullptr;
    CalendarIconButton* fold_ = nullptr;
    QWidget* notesEditorLine_ = nullptr;
    CalendarNotesEditor* notesEditor_ = nullptr;
    QLabel* notesLabel_ = nullptr;
    QWidget* subtaskSection_ = nullptr;
    QVBoxLayout* subtaskList_ = nullptr;
    QWidget* addSubtaskLine_ = nullptr; // made on the first "Add subtask"
    QLineEdit* subtaskField_ = nullptr;
    CalendarIconButton* subtaskAdd_ = nullptr;
    CalendarChip* addSubtaskButton_ = nullptr;
    std::map<qint64, CalendarSubtaskRow*> subtaskRows_;
};
