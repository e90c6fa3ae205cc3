#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

// Named symbols ("flame.fill", "chevron.right", "7.circle.fill") drawn from the bundled line
// icons in any colour. A ".fill" name is its shape filled in the drawing colour, with inner
// details cut out; a numbered circle is a filled disc with its digits cut out.
class Symbols {
public:
    // True when the name can be drawn.
    static bool has(const QString& name);
    // Every name of the table (numbered circles are drawn for any number).
    static QStringList names();
    // The bundled icon files the table uses, without folder ("flame.svg").
    static QStringList iconFiles();

    // Draws the symbol centred in rect, as large as fits the rect's smaller side.
    static void paint(QPainter& painter, const QRectF& rect, const QString& name, const QColor& color);
    // A square image of the symbol at a size in logical pixels, for the given pixel ratio.
    static QPixmap pixmap(const QString& name, int size, const QColor& color, qreal devicePixelRatio = 1.0);
    static QIcon icon(const QString& name, const QColor& color, int size = 16);

    // The drawn size of a symbol set "in the system font at size s": symbols are about as
    // tall as the font's capitals and a little more, so a 17-point symbol is about 18 pixels.
    static int pixelSizeForFontSize(qreal fontSize);
};
