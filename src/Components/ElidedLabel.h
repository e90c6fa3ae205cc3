#pragma once

#include <QLabel>

// A one-line plain-text label that gives up width first and cuts its text at the tail, its
// whole text then in a plain-text tooltip.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    void setFullText(const QString& text);
    // The text with what its tooltip says while it shows whole (why a figure reads as it does).
    void setFullText(const QString& text, const QString& note);
    const QString& fullText() const { return fullText_; }
    // Short of room, the label gives up width only down to this many average characters (all
    // of its text when that is shorter): a name beside a long figure stays readable. 0 (the
    // default) gives up all of it.
    void setKeptCharacters(int characters);
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateElision();
    QString fullText_;
    QString note_;
    int keptCharacters_ = 0;
};
