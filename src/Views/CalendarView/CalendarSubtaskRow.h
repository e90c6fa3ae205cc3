#pragma once

#include <QWidget>

#include <memory>

class CalendarIconButton;
class CalendarNotesEditor;
class CalendarSubtask;
class CalendarTextLine;
class CalendarViewModel;
class FocusWithin;
class QHBoxLayout;
class QLabel;
class QLineEdit;

// One subtask inside an unfolded task row: its tick, its title (edited in place), its notes
// and, under the pointer or while it holds the keyboard focus, buttons for notes, rename and delete. Every
// change is one operation of the calendar model; the row keeps only what is being edited, and keeps it across
// the model's announcements of other changes.
class CalendarSubtaskRow : public QWidget {
    Q_OBJECT
public:
    CalendarSubtaskRow(std::shared_ptr<CalendarSubtask> subtask, CalendarViewModel* viewModel,
                       QWidget* parent = nullptr);

    const std::shared_ptr<CalendarSubtask>& subtask() const { return subtask_; }
    // Shows the subtask's stored values again.
    void refresh();

    bool isEditing() const { return editing_; }
    bool isShowingNotes() const { return showingNotes_; }
    bool isHovered() const { return hovered_; }
    void setHovered(bool hovered);

    void beginEdit();
    void commitEdit();
    void toggleNotes();
    void saveNotes();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void build();
    QLineEdit* titleField();
    void buildNotesEditor();
    void updateChrome();

    std::shared_ptr<CalendarSubtask> subtask_;
    CalendarViewModel* viewModel_;
    bool hovered_ = false;
    FocusWithin* focus_ = nullptr;
    bool editing_ = false;
    bool showingNotes_ = false;

    CalendarIconButton* tick_ = nullptr;
    CalendarTextLine* title_ = nullptr;
    QHBoxLayout* line_ = nullptr;
    QLineEdit* editField_ = nullptr; // made on the first edit
    QWidget* actions_ = nullptr;
    CalendarIconButton* notesButton_ = nullptr;
    CalendarIconButton* confirm_ = nullptr;
    QWidget* notesEditorLine_ = nullptr;
    CalendarNotesEditor* notesEditor_ = nullptr;
    QLabel* notesLabel_ = nullptr;
};
