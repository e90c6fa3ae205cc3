#pragma once

#include <optional>

class QKeyEvent;

// Where a key that walks a list leads: the arrows, Home, End, Page Up and Page Down, read the same
// way by every list and group of choices the keyboard moves through.
namespace ListKeys {

struct Layout {
    int count = 0;
    int columns = 1;       // Up and Down move by a row of this many
    int page = 0;          // Page Up and Page Down move this far, never past an end; 0: not the list's keys
    bool sideways = false; // Left and Right move by one, mirrored right to left
    bool rightToLeft = false;
};

// The index `key` leads to from `at`. An arrow at an end leads outside the list: the key is still
// the list's (the page around it must not scroll instead), but there is nowhere to go. nullopt when
// the key is not one the list takes, or comes with a modifier.
std::optional<int> target(const QKeyEvent* key, int at, const Layout& layout);

} // namespace ListKeys
