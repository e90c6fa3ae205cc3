#pragma once

#include "ViewModels/AmountRule.h"

#include <QLabel>
#include <QPointer>

class QLineEdit;

// The one line that says why an amount field's text is refused. The field's rule (the one its
// view model saves by) gives the verdict; while the field holds text the rule refuses, this
// line shows under it in the theme's warning colour saying why (not a number, below zero, zero
// where zero is refused, too large, thousands written with points), and it goes as soon as the
// text is taken or the field is emptied. Too narrow a room for one line wraps it onto more, so
// the reason is read whole in any language; a screen reader reads the same plain words.
class NumberFieldNote : public QLabel {
    Q_OBJECT
public:
    NumberFieldNote(QLineEdit* field, AmountRule rule, QWidget* parent = nullptr);

    // The field with its note under it, as one block for a form.
    static QWidget* stacked(QLineEdit* field, AmountRule rule);
    // The note that watches field, if any.
    static NumberFieldNote* of(const QLineEdit* field);

    // Whether the field holds text its rule refuses.
    bool refuses() const { return verdict_.refused(); }
    // What the rule makes of the field's text now.
    const AmountVerdict& verdict() const { return verdict_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // The height of the line wrapped at that width.
    int linesHeight(int width) const;

signals:
    // The line came or went (a form that places its parts by hand takes its new height).
    void shownChanged(bool shown);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void follow();
    void bringIntoView();
    // The field while it is whole: none once it is being taken down.
    QLineEdit* field() const;

    QPointer<QObject> field_;
    AmountRule rule_;
    AmountVerdict verdict_;
};
