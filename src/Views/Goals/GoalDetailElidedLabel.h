#pragma once

#include <QLabel>

// A one-line plain-text label that gives up width first and cuts its text at the tail.
class GoalDetailElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit GoalDetailElidedLabel(QWidget* parent = nullptr);

    void setFullText(const QString& text);
    const QString& fullText() const { return fullText_; }
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateElision();
    QString fullText_;
};
