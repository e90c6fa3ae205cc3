#include "ViewModels/CreateGoalViewModel.h"

#include "ViewModels/ActionSave.h"
#include "ViewModels/GoalText.h"

#include "Models/Goal.h"
#include "Platform/Clock.h"
#include "Platform/TextHelpers.h"
#include "Store/ObjectContext.h"
#include "ViewModels/GoalsViewModel.h"

namespace {

// A new deadline is offered 90 days out.
constexpr qint64 kDefaultDeadlineSeconds = 7'776'000;

} // namespace

const QStringList& CreateGoalViewModel::suggestions() {
    static const QStringList list{QStringLiteral("Personal"),      QStringLiteral("Career"),
                                  QStringLiteral("Fitness"),       QStringLiteral("Learning"),
                                  QStringLiteral("Finance"),       QStringLiteral("Health"),
                                  QStringLiteral("Relationships"), QStringLiteral("Creativity")};
    return list;
}

const QStringList& CreateGoalViewModel::colorPalette() {
    static const QStringList list{QStringLiteral("#4F46E5"), QStringLiteral("#0891B2"),
                                  QStringLiteral("#059669"), QStringLiteral("#D97706"),
                                  QStringLiteral("#F97316"), QStringLiteral("#E11D48"),
                                  QStringLiteral("#7C3AED"), QStringLiteral("#2563EB")};
    return list;
}

QString CreateGoalViewModel::colorName(const QString& hex) {
    static const QStringList names{
        QStringLiteral("Indigo"), QStringLiteral("Cyan"), QStringLiteral("Emerald"), QStringLiteral("Amber"),
        QStringLiteral("Orange"), QStringLiteral("Rose"), QStringLiteral("Violet"),  QStringLiteral("Blue")};
    const qsizetype at = colorPalette().indexOf(hex.toUpper());
    return at >= 0 ? names.value(at) : hex;
}

CreateGoalViewModel::CreateGoalViewModel(GoalsViewModel* goalsViewModel, std::shared_ptr<Goal> goalToEdit,
                                         QObject* parent)
    : QObject(parent), goalsViewModel_(goalsViewModel), goalToEdit_(std::move(goalToEdit)),
      deadline_(Clock::now().addSecs(kDefaultDeadlineSeconds)) {
    if (goalToEdit_)
        fillFromGoal();
}

QString CreateGoalViewModel::headerTitle() const {
    return isEditMode() ? QStringLiteral("Edit Goal") : QStringLiteral("New Goal");
}

QString CreateGoalViewModel::confirmLabel() const {
    return isEditMode() ? QStringLiteral("Save Changes") : QStringLiteral("Create Goal");
}

void CreateGoalViewModel::fillFromGoal() {
    const Goal& goal = *goalToEdit_;
    title_ = GoalText::title(goal);
    const QString c = GoalText::category(goal);
    if (suggestions().contains(c)) {
        category_ = c;
        isCustomCategory_ = false;
    } else {
        isCustomCategory_ = true;
        customCategory_ = c;
    }
    selectedColorHex_ = goal.colorHex().value_or(QStringLiteral("#4F46E5"));
    priority_ = static_cast<qint16>(goal.priority());
    if (auto d = goal.deadline()) {
        hasDeadline_ = true;
        deadline_ = *d;
    }
    notes_ = goal.notes().value_or(QString());
    needsMoney_ = goal.needsMoney();
    const double target = goal.targetAmount();
    targetAmountText_ = target > 0 ? Text::editableNumber(target) : QString();
}

void CreateGoalViewModel::setTitle(const QString& title) {
    if (title == title_)
        return;
    title_ = title;
    emit changed();
}

void CreateGoalViewModel::setCustomCategory(const QString& name) {
    if (name == customCategory_)
        return;
    customCategory_ = name;
    emit changed();
}

void CreateGoalViewModel::chooseSuggestion(const QString& suggestion) {
    isCustomCategory_ = false;
    category_ = suggestion;
    customCategory_.clear();
    emit changed();
}

void CreateGoalViewModel::chooseCustom() {
    isCustomCategory_ = true;
    emit changed();
}

bool CreateGoalViewModel::isSuggestionChosen(const QString& suggestion) const {
    return !isCustomCategory_ && category_ == suggestion;
}

QString CreateGoalViewModel::finalCategory() const {
    if (!isCustomCategory_)
        return category_;
    return customCategory_.isEmpty() ? QStringLiteral("Personal") : customCategory_;
}

void CreateGoalViewModel::setSelectedColorHex(const QString& hex) {
    if (hex == selectedColorHex_)
        return;
    selectedColorHex_ = hex;
    emit changed();
}

void CreateGoalViewModel::setPriority(qint16 priority) {
    if (priority == priority_)
        return;
    priority_ = priority;
    emit changed();
}

void CreateGoalViewModel::setHasDeadline(bool on) {
    if (on == hasDeadline_)
        return;
    hasDeadline_ = on;
    emit changed();
}

void CreateGoalViewModel::setDeadline(const QDateTime& deadline) {
    if (deadline == deadline_)
        return;
    deadline_ = deadline;
    emit changed();
}

void CreateGoalViewModel::setNotes(const QString& notes) {
    if (notes == notes_)
        return;
    notes_ = notes;
    emit changed();
}

void CreateGoalViewModel::setNeedsMoney(bool on) {
    if (on == needsMoney_)
        return;
    needsMoney_ = on;
    emit changed();
}

void CreateGoalViewModel::setTargetAmountText(const QString& text) {
    if (text == targetAmountText_)
        return;
    targetAmountText_ = text;
    emit changed();
}

bool CreateGoalViewModel::isTitleValid() const {
    return !Text::trimmed(title_).isEmpty();
}

// A money target that does not read as a number would otherwise be stored as 0 and quietly
// turn the money goal into a step goal.
bool CreateGoalViewModel::isAmountValid() const {
    return !needsMoney_ || targetAmountVerdict().saves;
}

void CreateGoalViewModel::writeTo(Goal& goal, double amount) const {
    goal.setTitle(title_);
    goal.setCategory(finalCategory());
    goal.setColorHex(selectedColorHex_);
    goal.setPriority(priority_);
    goal.setDeadline(hasDeadline_ ? std::optional<QDateTime>(deadline_) : std::nullopt);
    goal.setNotes(notes_.isEmpty() ? std::nullopt : std::optional<QString>(notes_));
    goal.setNeedsMoney(needsMoney_);
    goal.setTargetAmount(amount);
}

std::shared_ptr<Goal> CreateGoalViewModel::confirm() {
    if (!canConfirm())
        return nullptr;
    const double amount = targetAmountVerdict().amount.value_or(0.0);
    ObjectContext* context = goalsViewModel_->context();
    ActionGuard action(*context);
    std::shared_ptr<Goal> goal = goalToEdit_;
    if (goal) {
        writeTo(*goal, amount);
    } else {
        goal = Goal::create(context);
        writeTo(*goal, amount);
        goal->setStreak(0);
        goal->setMomentumState(QStringLiteral("coasting"));
        goal->setIsArchived(false);
    }
    if (!action.commit())
        return nullptr;
    return goal;
}
