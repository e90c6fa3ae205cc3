#pragma once

#include "ViewModels/AppEnvironment.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QVBoxLayout;
class SettingsViewModel;
class ProfileAvatar;

// The settings destination: profile, reminders, data actions, appearance, finance and about,
// each in its own card. Values are read from and written to the user defaults through the
// settings view model; a value never set shows its default without being written.
class SettingsView : public QWidget {
    Q_OBJECT
public:
    explicit SettingsView(const AppEnvironment& env, QWidget* parent = nullptr);

    SettingsViewModel* viewModel() const { return viewModel_; }
    void exportData();
    void confirmReset();
    bool isExportBannerShown() const;

    static constexpr int kBannerMs = 2000;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* buildProfile();
    QWidget* buildNotifications();
    QWidget* buildData();
    QWidget* buildAppearance();
    QWidget* buildFinance();
    QWidget* buildAbout();
    void rebuildReminderRows();
    void placeBanner();

    AppEnvironment env_;
    SettingsViewModel* viewModel_;
    ProfileAvatar* avatar_ = nullptr;
    QVBoxLayout* reminders_ = nullptr;
    QWidget* reminderRows_ = nullptr;
    QWidget* banner_ = nullptr;
};
