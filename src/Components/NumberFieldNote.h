#pragma once

#include <QLabel>
#include <QPointer>

class QLineEdit;

// The one line that says why a number field's text is refused. Number fields keep the strict
// reading of Text::parseNumber; while a field holds text that does not read, this line shows
// under it in the theme's warning colour with an example of what it takes, and it goes as
// soon as the text reads or the field is emptied. Too narrow a room cuts the line at its end,
// with the whole line in the tooltip.
class NumberFieldNote : public QLabel {
    Q_OBJECT
public:
    explicit NumberFieldNote(QLineEdit* field, QWidget* parent = nullptr);

    // The field with its note under it, as one block for a form.
    static QWidget* stacked(QLineEdit* field);
    // The note that watches field, if any.
    static NumberFieldNote* of(const QLineEdit* field);
    // What the line says.
    static QString message();

    // Whether the field holds text that does not read as a number.
    bool refuses() const { return refuses_; }

    QSize minimumSizeHint() const override;

signals:
    // The line came or went (a form that places its parts by hand takes its new height).
    void shownChanged(bool shown);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void follow();
    void bringIntoView();
    // The field while it is whole: none once it is being taken down.
    QLineEdit* field() const;

    QPointer<QObject> field_;
    bool refuses_ = false;
};
