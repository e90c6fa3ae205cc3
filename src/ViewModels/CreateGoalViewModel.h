#pragma once

#include "ViewModels/AmountRule.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class Goal;
class GoalsViewModel;

// The working copy behind the goal editor sheet. It edits its own fields and writes the goal
// only on confirm: a new goal in the goals view model's context, or the edited one in place.
class CreateGoalViewModel : public QObject {
    Q_OBJECT
public:
    static const QStringList& suggestions();  // category suggestions, in display order
    static const QStringList& colorPalette(); // colour swatches, in display order
    // What a swatch of the palette is called ("Indigo"); the hex code for one outside it.
    static QString colorName(const QString& hex);

    // Fills the form from goalToEdit when one is given.
    CreateGoalViewModel(GoalsViewModel* goalsViewModel, std::shared_ptr<Goal> goalToEdit,
                        QObject* parent = nullptr);

    bool isEditMode() const { return goalToEdit_ != nullptr; }
    QString headerTitle() const;  // "New Goal" / "Edit Goal"
    QString confirmLabel() const; // "Create Goal" / "Save Changes"

    QString title() const { return title_; }
    void setTitle(const QString& title);
    QString category() const { return category_; }
    QString customCategory() const { return customCategory_; }
    void setCustomCategory(const QString& name);
    bool isCustomCategory() const { return isCustomCategory_; }
    void chooseSuggestion(const QString& suggestion); // leaves the custom entry and clears it
    void chooseCustom();                              // keeps the last suggestion and custom text
    bool isSuggestionChosen(const QString& suggestion) const;
    QString finalCategory() const;

    QString selectedColorHex() const { return selectedColorHex_; }
    void setSelectedColorHex(const QString& hex);
    qint16 priority() const { return priority_; }
    void setPriority(qint16 priority);
    bool hasDeadline() const { return hasDeadline_; }
    void setHasDeadline(bool on);
    QDateTime deadline() const { return deadline_; }
    void setDeadline(const QDateTime& deadline);
    QString notes() const { return notes_; }
    void setNotes(const QString& notes);
    bool needsMoney() const { return needsMoney_; }
    void setNeedsMoney(bool on);
    QString targetAmountText() const { return targetAmountText_; }
    void setTargetAmountText(const QString& text);

    // What the money target takes: an amount above zero, or nothing.
    static AmountRule targetAmountRule() { return AmountRule::positiveOrEmpty(); }
    AmountVerdict targetAmountVerdict() const { return targetAmountRule().verdict(targetAmountText_); }

    // The confirm button's fill follows the title as typed; its enabling follows the title
    // without surrounding blanks, and, for a goal that needs money, a target the rule takes.
    bool hasTitleText() const { return !title_.isEmpty(); }
    bool isTitleValid() const;
    bool isAmountValid() const;
    bool canConfirm() const { return isTitleValid() && isAmountValid(); }

    // Writes the goal and saves the context as one action. Returns the goal written, or null
    // when the form cannot be confirmed or the save failed (then nothing of it stays in memory
    // and the form keeps what was typed).
    std::shared_ptr<Goal> confirm();

signals:
    void changed();

private:
    void fillFromGoal();
    void writeTo(Goal& goal, double amount) const;

    GoalsViewModel* goalsViewModel_;
    std::shared_ptr<Goal> goalToEdit_;

    QString title_;
    QString category_ = QStringLiteral("Personal");
    QString customCategory_;
    bool isCustomCategory_ = false;
    QString selectedColorHex_ = QStringLiteral("#4F46E5");
    qint16 priority_ = 2;
    bool hasDeadline_ = false;
    QDateTime deadline_;
    QString notes_;
    bool needsMoney_ = false;
    QString targetAmountText_;
};
