#pragma once

// How many threads Qt's raster painter hands its fills to.
//
// Qt splits any fill of more than about a hundred scanlines (a card, a row, a strip of the
// backdrop) into pieces for the application's global thread pool, one per core, and waits for
// them. This window's fills are small: waking and switching all those threads costs several
// times the fill itself, and with the backdrop moving that hand-off was most of the process's
// time at rest. One pool thread does the same work with a single hand-off. Long work must then
// stay off the global pool, or painting waits for it (the owner check has a pool of its own).
namespace RasterThreads {
// Called once, right after the application object is made.
void limit();
} // namespace RasterThreads
