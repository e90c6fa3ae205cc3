#pragma once

#include "Views/Finance/FinanceTab.h"

#include <QWidget>

// Stands in for a finance tab whose screen is not part of this build: its symbol and title.
class FinanceTabPlaceholder : public QWidget {
    Q_OBJECT
public:
    explicit FinanceTabPlaceholder(FinanceTab tab, QWidget* parent = nullptr);

    FinanceTab tab() const { return tab_; }

private:
    FinanceTab tab_;
};
