#pragma once

#include <QWidget>

class OnboardingViewModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedLayout;
class StepIndicator;
struct AppEnvironment;

// The first-run walk-through over the whole window on its own animated backdrop: welcome, the
// user's name, the first goal, and the final step that closes it. The name is only shown back.
class OnboardingView : public QWidget {
    Q_OBJECT
public:
    explicit OnboardingView(const AppEnvironment& env, QWidget* parent = nullptr);

    int step() const { return step_; }
    void goToStep(int step);
    OnboardingViewModel* viewModel() const { return viewModel_; }
    void selectColor(const QString& hex);

private:
    QWidget* buildWelcome();
    QWidget* buildName();
    QWidget* buildGoal();
    QWidget* buildFinal();
    void createGoal();
    void refresh();

    OnboardingViewModel* viewModel_;
    int step_ = 0;
    QString selectedColor_;
    QStackedLayout* steps_ = nullptr;
    StepIndicator* indicator_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* goalTitle_ = nullptr;
    QPushButton* continue_ = nullptr;
    QPushButton* create_ = nullptr;
    QLabel* finalTitle_ = nullptr;
    QLabel* finalText_ = nullptr;
};
