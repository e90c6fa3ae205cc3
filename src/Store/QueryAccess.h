#pragma once

// What runs SQL text against the store (StoreQuery, the store's core and its statements)
// compiles in the store and the model alone: their libraries, and the test programs of those
// two layers, define QV_STORE_QUERIES privately, so a query written in a view model, a widget,
// a view or the app does not compile. scripts/check-layers refuses the key and the SQL text
// above the model as well.
#ifndef QV_STORE_QUERIES
#error "the store's query interface is for the store and the model; give the query a name in src/Models"
#endif
