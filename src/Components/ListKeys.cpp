#include "Components/ListKeys.h"

#include <QKeyEvent>

#include <algorithm>

std::optional<int> ListKeys::target(const QKeyEvent* key, int at, const Layout& layout) {
    if (key->modifiers() & ~Qt::KeypadModifier)
        return std::nullopt;
    const int forward = layout.rightToLeft ? -1 : 1;
    switch (key->key()) {
    case Qt::Key_Up:
        return at - layout.columns;
    case Qt::Key_Down:
        return at + layout.columns;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (!layout.sideways)
            return std::nullopt;
        return at + (key->key() == Qt::Key_Right ? forward : -forward);
    case Qt::Key_Home:
        return 0;
    case Qt::Key_End:
        return layout.count - 1;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (layout.page <= 0)
            return std::nullopt;
        return key->key() == Qt::Key_PageUp ? std::max(0, at - layout.page)
                                            : std::min(layout.count - 1, at + layout.page);
    default:
        return std::nullopt;
    }
}
