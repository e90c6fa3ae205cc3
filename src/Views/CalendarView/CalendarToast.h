#pragma once

#include <QPointer>
#include <QStringList>
#include <QTextLayout>
#include <QVariantAnimation>
#include <QWidget>

// The calendar's short confirmation: an arrow and a message in white on a tertiary capsule,
// rising from the bottom edge of its parent with a fade and leaving the same way. It is as
// wide as its message, up to its parent's width less a margin, and wraps beyond that: the
// message is never cut. Its own parent places it; nothing of it costs while it rests hidden.
class CalendarToast : public QWidget {
    Q_OBJECT
public:
    explicit CalendarToast(QWidget* parent);

    QString message() const { return message_; }
    void setMessage(const QString& message);
    // Rises in (spring) or leaves (0.3 s ease-out), then stays hidden.
    void setShown(bool shown);
    bool isShown() const { return shown_; }

    QSize sizeHint() const override;
    // The message as it is shown, line by line.
    QStringList lines() const;
    // Centres itself 24 points above the parent's bottom edge, moved down by the part of
    // its entrance still to come.
    void place();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Lays the message out for the parent's present width and takes the size it needs.
    void layOut();

    QString message_;
    QTextLayout text_; // laid out once per message and parent width, drawn as is
    QSizeF textSize_;  // what its lines take
    bool shown_ = false;
    double presence_ = 0; // 0 hidden below the edge, 1 in place
    QPointer<QVariantAnimation> animation_;
};
