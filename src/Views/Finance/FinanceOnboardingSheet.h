#pragma once

#include <QWidget>

class FinanceOnboardingViewModel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class Stepper;

// The three-step finance set-up shown until it has been finished once: the savings as the cash
// reserve, then any number of credit cards, then "Go to Finance", which stores
// "financeOnboardingComplete" and closes the sheet. There is no way back and no other way out.
class FinanceOnboardingSheet : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 440;

    // A model that nothing owns yet goes with the sheet.
    explicit FinanceOnboardingSheet(FinanceOnboardingViewModel* viewModel, QWidget* parent = nullptr);

    int step() const { return step_; }
    FinanceOnboardingViewModel* viewModel() const { return viewModel_; }

    // The buttons of the steps, as the user presses them.
    void skip();
    void next();
    void addCard();
    void finish();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void setStep(int step);
    void buildStep();
    QWidget* buildProgress();
    QWidget* buildCashReserveStep();
    QWidget* buildCardStep();
    QWidget* buildDoneStep();
    QWidget* header(const QString& symbol, const QColor& color, const QString& title, const QString& text);
    QWidget* footer(const QColor& tint);
    void resetCardFields();

    FinanceOnboardingViewModel* viewModel_;
    int step_ = 0;
    QVBoxLayout* layout_ = nullptr;
    QWidget* progress_ = nullptr;
    QWidget* body_ = nullptr;
    QLineEdit* cashReserve_ = nullptr;
    QLineEdit* cardName_ = nullptr;
    Stepper* closeDay_ = nullptr;
    Stepper* dueDay_ = nullptr;
    QPushButton* addCardButton_ = nullptr;
};
