#pragma once

#include <functional>

class QObject;
class QScrollArea;
class QWidget;

// A frameless scroll area without visible scroll bars whose page is see-through, so whatever
// lies behind it (the backdrop, a sheet's card) shows. It is no Tab stop: the wheel scrolls it,
// and the keyboard does as the focus moves through the controls it holds.
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
    // Whether the bottom of a widget on the scroll area's page lies above the bottom of the
    // part in view, the page's pending layout applied first: lists made a batch at a time make
    // their next batch then. No widget: true; a page not shown: false.
    static bool endsInView(QScrollArea* scroll, const QWidget* last);
    // Runs check, for as long as owner lives, whenever the part in view may have moved past
    // what the page holds: on a scroll, a new range, and a new layout or size of the page or
    // the view (a page shorter than the view leaves the range at nothing). Set the page first.
    static void onViewChange(QScrollArea* scroll, QObject* owner, const std::function<void()>& check);
};
