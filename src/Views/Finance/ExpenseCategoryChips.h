#pragma once

#include <QString>
#include <QWidget>

class ChoiceGroup;
class FlowLayout;
class QLineEdit;
class QPushButton;

// The expense form's category choice: one chip per category of the shared category store, in
// its order, and a "New" chip that opens a small field for adding a category on the spot. At
// most one chip is chosen; choosing the chosen chip again clears the choice. The category chips
// are one Tab stop moved through with the arrows; "New" is a stop of its own.
class ExpenseCategoryChips : public QWidget {
    Q_OBJECT
public:
    explicit ExpenseCategoryChips(const QString& category = {}, QWidget* parent = nullptr);

    QString category() const { return category_; }
    void setCategory(const QString& category);
    bool isNewCategoryFieldShown() const { return showNewCategoryField_; }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

    // Adds the typed name (trimmed) to the store and chooses it; closes the field either way.
    void commitNewCategory();
    void showNewCategoryField();

signals:
    void categoryChanged(const QString& category);

private:
    void rebuild();
    void showChosen();
    void styleChip(QPushButton* chip, bool chosen) const;

    QString category_;
    bool showNewCategoryField_ = false;
    FlowLayout* flow_;
    ChoiceGroup* group_;
    QLineEdit* newCategoryField_ = nullptr;
    QWidget* addButton_ = nullptr;
};
