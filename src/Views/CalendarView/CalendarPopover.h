#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

// A small floating card inside the window, attached below an anchor (above it when there is
// no room), like a transient popover: a click outside it or Escape closes it, and that first
// outside click does nothing else. Its content lays itself out at the given width.
class CalendarPopover : public QWidget {
    Q_OBJECT
public:
    // Shows content next to anchor; onClose runs once when the popover closes, whichever way.
    static CalendarPopover* open(QWidget* anchor, QWidget* content, int width,
                                 std::function<void()> onClose = {});
    // The open popover of window, if any.
    static CalendarPopover* current(const QWidget* window);

    QWidget* content() const { return content_; }
    void dismiss();

signals:
    void dismissed();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CalendarPopover(QWidget* anchor, QWidget* content, int width, std::function<void()> onClose);
    void place();

    QPointer<QWidget> anchor_;
    QWidget* content_;
    int width_;
    std::function<void()> onClose_;
    bool closing_ = false;
};
