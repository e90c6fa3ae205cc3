#pragma once

#include "Models/Investment.h"
#include "ViewModels/Finance/InvestmentsViewModel.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

class DatePickerField;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class ToggleSwitch;

// Records a new holding of one of six types with the fields of its type. It writes nothing
// itself: "Add Investment" hands the draft to onAdd, and the sheet closes only when onAdd
// reports the holding stored. Fields the chosen type hides hand on 0 (or no date).
class AddInvestmentSheet : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 420;
    using OnAdd = std::function<bool(const Investment::Draft& draft)>;

    explicit AddInvestmentSheet(OnAdd onAdd, QWidget* parent = nullptr);

    QString selectedType() const { return selectedType_; }
    void selectType(const QString& type);
    // The view model's save rule over the fields as they stand.
    bool canSubmit() const;
    InvestmentsViewModel::FormText formText() const;
    // The draft as it would be handed on now.
    Investment::Draft draft() const;
    void submit();
    void dismiss();

    QLineEdit* field(const char* objectName) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildTypeGrid();
    QWidget* block(const QString& caption, QWidget* input, QLabel** captionLabel = nullptr);
    QLineEdit* makeField(const char* objectName, const QString& placeholder = {});
    void syncType();

    OnAdd onAdd_;
    QString selectedType_ = QStringLiteral("stock");
    std::vector<QToolButton*> tiles_;
    QLineEdit* name_;
    QLineEdit* units_;
    QLineEdit* buyPrice_;
    QLineEdit* currentPrice_;
    QLineEdit* invested_;
    QLineEdit* rate_;
    QLineEdit* notes_;
    DatePickerField* buyDate_ = nullptr;
    DatePickerField* maturityDate_ = nullptr;
    ToggleSwitch* maturityToggle_ = nullptr;
    QWidget* marketRow_ = nullptr;
    QWidget* investedBlock_ = nullptr;
    QWidget* currentBlock_ = nullptr;
    QLabel* currentCaption_ = nullptr;
    QWidget* depositBlock_ = nullptr;
    QWidget* maturityBlock_ = nullptr;
    QPushButton* addButton_ = nullptr;
};
