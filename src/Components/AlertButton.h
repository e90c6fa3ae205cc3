#pragma once

#include "Components/AlertDialog.h"

#include <QAbstractButton>

// A button of an alert, drawn by role: the default filled with the accent, a destructive one
// in rose, the others on a quiet tertiary fill.
class AlertButton : public QAbstractButton {
    Q_OBJECT
public:
    AlertButton(const QString& title, AlertDialog::Role role, QWidget* parent = nullptr);

    AlertDialog::Role role() const { return role_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AlertDialog::Role role_;
};
