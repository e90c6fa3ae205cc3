#pragma once

#include <QString>

// Tooltips guess whether their text is markup; the user's own text must never be read as
// markup, so it is escaped and marked as rich text, which shows it exactly as typed.
namespace PlainToolTip {
QString of(const QString& text);
// The whole text as a tooltip when what is shown of it was cut; no tooltip when it shows whole.
QString ifCut(const QString& shown, const QString& text);
} // namespace PlainToolTip
