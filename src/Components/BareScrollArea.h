#pragma once

class QScrollArea;
class QWidget;

// A frameless scroll area without visible scroll bars whose page is see-through, so whatever
// lies behind it (the backdrop, a sheet's card) shows. The wheel and the keyboard still scroll.
class BareScrollArea {
public:
    // Makes an existing scroll area bare; its page, set now or later, follows its width.
    static void makeBare(QScrollArea* scroll);
    // A new bare scroll area holding content.
    static QScrollArea* wrap(QWidget* content, QWidget* parent = nullptr);
    // The same without a style sheet, for pages that hold many widgets: a style sheet on the
    // scroll area styles every widget inside it through the style-sheet style, which keeps
    // rules and caches per widget (megabytes for a page of rows). The page stays see-through
    // only while nothing turns its background filling on again.
    static QScrollArea* wrapUnstyled(QWidget* content, QWidget* parent = nullptr);
};
