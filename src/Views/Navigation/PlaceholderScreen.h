#pragma once

#include "ViewModels/AppDestination.h"

#include <QWidget>

// Stands in the detail area for a destination whose screen is not part of this build: its
// symbol and title, centred on the backdrop.
class PlaceholderScreen : public QWidget {
    Q_OBJECT
public:
    explicit PlaceholderScreen(AppDestination destination, QWidget* parent = nullptr);

    AppDestination destination() const { return destination_; }

private:
    AppDestination destination_;
};
