#pragma once

#include <QWidget>

// Stands in the detail area for every destination while the store waits for its salvage: that
// the records are kept and when they show again, with nothing to create or change.
class HeldRecordsScreen : public QWidget {
    Q_OBJECT
public:
    // message: what the repair waits for (AppViewModel::heldRecordsMessage()).
    explicit HeldRecordsScreen(const QString& message, QWidget* parent = nullptr);
};
