#pragma once

#include <QList>
#include <QString>

#include <functional>

class QWidget;
class SheetHost;

// An alert or confirmation in a sheet: a title, an optional message and a row of buttons by
// role. Escape runs the cancel button (or just closes when there is none); Return presses the
// default button. Any button closes the alert first and then runs its action, so an action
// may open another sheet.
class AlertDialog {
public:
    enum class Role { Default, Cancel, Destructive, Plain };

    struct Button {
        QString title;
        Role role = Role::Plain;
        std::function<void()> action;
    };

    // No buttons gives a single default "OK".
    static SheetHost* present(QWidget* window, const QString& title, const QString& message,
                              QList<Button> buttons = {});

    static constexpr int kWidth = 340;
};
