#pragma once

#include "ViewModels/Finance/FinanceRowText.h"
#include "Views/Finance/CardSlice.h"

#include <QColor>
#include <QString>

#include <functional>

class ElidedLabel;
class QLabel;
class QWidget;

// One row of the monthly allocations screen, inside its card: an income (title, date, amount),
// a fixed expense (its slice's colour, title, amount) or a dynamic expense (title, date,
// category chip, amount), each with edit and delete, and a rule above every row but a card's
// first. Rows are reused as the list scrolls: bind() fills one with an entry's figures, worked
// out once per change.
class CashFlowEntryRow : public CardSlice {
    Q_OBJECT
public:
    enum class Style { Income, Fixed, Dynamic };
    // The entry's texts from the view model, and where the row sits in its card.
    struct Figures : CashFlowEntryText {
        QColor swatch; // a fixed expense's slice colour
        bool ruleAbove = false;
        bool lastInCard = false; // holds the card's bottom padding and rounded end
    };
    using Action = std::function<void(const Figures&)>;

    CashFlowEntryRow(Style style, Action onEdit, Action onDelete, QWidget* parent = nullptr);

    void bind(const Figures& figures);
    const Figures& figures() const { return figures_; }

    // The card a style's rows sit in: its corner radius, edge colour and inner bottom margin.
    static int radiusOf(Style style);
    static QColor edgeOf(Style style);
    static int bottomPadding(Style style);

private:
    Style style_;
    Figures figures_;
    QWidget* rule_;
    QWidget* swatch_ = nullptr;
    ElidedLabel* title_;
    QLabel* date_ = nullptr;
    QLabel* category_ = nullptr;
    ElidedLabel* amount_;
};
