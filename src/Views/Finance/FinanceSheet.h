#pragma once

#include <QWidget>

// The base of the money forms shown in a sheet: it paints the form's background inside the
// sheet's rounded card and closes the sheet around it.
class FinanceSheet : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Closes the sheet (when the form is in one) and announces it.
    void dismiss();

signals:
    // The form closed itself (a stored save, its close symbol or "Cancel"). Escape closes the
    // sheet directly: presenters that act on every close use the sheet's onDismiss.
    void dismissed();

protected:
    void paintEvent(QPaintEvent* event) override;
};
