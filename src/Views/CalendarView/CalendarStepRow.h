#pragma once

#include <QColor>
#include <QDateTime>
#include <QWidget>

#include <memory>

class CalendarChip;
class CalendarIconButton;
class CalendarTextLine;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class Step;

// One step of a milestone card for the chosen day: a text step keeps a note for the day, a
// checkbox step a tick for the day, both in the user defaults (never the step's own
// completion). A row stands for one step on one day; the card makes new rows when the day
// changes, and each loads its day's entry when made.
class CalendarStepRow : public QWidget {
    Q_OBJECT
public:
    CalendarStepRow(std::shared_ptr<Step> step, const QColor& goalColor, const QDateTime& selectedDate,
                    QWidget* parent = nullptr);

    const std::shared_ptr<Step>& step() const { return step_; }
    bool isTextStep() const { return textStep_; }
    bool isEditing() const { return editing_; }
    bool isCheckedToday() const { return checked_; }

    void toggleCheck();
    void beginEdit();
    void saveEntry();

private:
    void buildTextRow();
    void buildCheckRow();
    void updateChrome();

    std::shared_ptr<Step> step_;
    QColor goalColor_;
    QDateTime day_;
    bool textStep_;
    bool editing_ = true;
    bool checked_ = false;

    CalendarIconButton* tick_ = nullptr;
    CalendarTextLine* title_ = nullptr;
    CalendarChip* edit_ = nullptr;
    QPlainTextEdit* editor_ = nullptr;
    QPushButton* save_ = nullptr;
    QLabel* stored_ = nullptr;
};
