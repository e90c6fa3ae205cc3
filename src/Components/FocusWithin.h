#pragma once

#include <QObject>

class QWidget;

// Whether the focus is in a widget or in one of its children, told as it changes. A row whose
// controls show only under the pointer shows them too while it holds the keyboard focus; such a
// control takes Tab only while it shows, right after its row, so Tab never stops on empty space.
// A sheet or popover opened from inside the widget keeps it "within" until the focus comes back.
// Shift+Tab into the widget goes on to the last of the controls that showed as it came, so it
// meets every control Tab meets, in the reverse order.
class FocusWithin : public QObject {
    Q_OBJECT
public:
    explicit FocusWithin(QWidget* widget);

    bool isWithin() const { return within_; }
    // Makes control a Tab stop right after row while shown, and no stop while not.
    static void offer(QWidget* row, QWidget* control, bool shown);

signals:
    void changed(bool within);

private:
    QWidget* widget_;
    bool within_ = false;
};
