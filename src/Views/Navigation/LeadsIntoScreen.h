#pragma once

// A control that only opens a destination (the sidebar's gear, a screen's "See All") sets this
// property: the focus it has goes on into the screen it opened. It lives apart from the
// sidebar and the content view so that each can name it without including the other.
namespace LeadsIntoScreen {
inline constexpr const char* property = "leadsIntoScreen";
} // namespace LeadsIntoScreen
