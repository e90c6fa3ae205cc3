#pragma once

#include <QString>

class QWidget;

namespace qv::test {

// The temporary home of the running test: HOME, XDG_DATA_HOME and XDG_CONFIG_HOME
// point inside it, so stores and defaults never touch the real user's files.
QString tempHome();

// Folder of rendered screens (build/screens/), created on demand.
QString screensDir();

// Lays out and renders a widget offscreen to build/screens/<name>.png; returns the path.
QString saveScreen(QWidget* widget, const QString& name);

// Processes pending events (layouts, deferred deletes, queued signals).
void settle(int rounds = 3);

} // namespace qv::test
