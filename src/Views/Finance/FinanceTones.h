#pragma once

#include "ViewModels/Finance/FinanceRowText.h"

#include <QColor>

// The theme's colour of each tone a money figure takes.
namespace FinanceTones {
QColor color(FinanceTone tone);
} // namespace FinanceTones
