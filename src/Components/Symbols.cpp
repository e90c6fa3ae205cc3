#include "Components/Symbols.h"

#include "ViewModels/Theme/AppFontOption.h"

#include <QFile>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QRegularExpression>
#include <QSvgRenderer>

#include <cmath>

namespace {

// How each element of an icon is drawn: S stroked, F filled and stroked, K cut out of what
// is drawn, X left out; "" strokes every element.
struct Inner {
    const char* file = nullptr;
    double scale = 0.55;
    double cx = 12;
    double cy = 12;
    bool knockOut = true;
};

struct Entry {
    const char* name;
    const char* file;
    const char* pattern;
    Inner inner;
};

const Entry kTable[] = {
    {"arrow.clockwise", "rotate-cw", "", {}},
    {"arrow.down", "arrow-down", "", {}},
    {"arrow.right.to.line", "arrow-right-to-line", "", {}},
    {"arrow.trianglehead.2.clockwise", "refresh-cw", "", {}},
    {"arrow.turn.down.right", "corner-down-right", "", {}},
    {"arrow.up", "arrow-up", "", {}},
    {"arrow.up.arrow.down", "arrow-up-down", "", {}},
    {"arrow.up.arrow.down.circle.fill", "circle", "F", {"arrow-up-down", 0.55}},
    {"arrow.up.right.square", "square-arrow-up-right", "", {}},
    {"arrow.uturn.left", "undo-2", "", {}},
    {"arrow.uturn.right", "redo-2", "", {}},
    {"banknote.fill", "banknote", "FKK", {}},
    {"bell.badge", "bell-dot", "", {}},
    {"bitcoinsign.circle.fill", "circle", "F", {"bitcoin", 0.6}},
    {"bolt.fill", "zap", "F", {}},
    {"book.closed", "book", "", {}},
    {"book.closed.fill", "book", "F", {}},
    {"building.columns.fill", "landmark", "SFSSSS", {}},
    {"calendar", "calendar", "", {}},
    {"calendar.badge.clock", "calendar-clock", "", {}},
    {"chart.bar.fill", "chart-no-axes-column", "", {}},
    {"chart.line.uptrend.xyaxis", "chart-line", "", {}},
    {"chart.pie.fill", "chart-pie", "FF", {}},
    {"checkmark", "check", "", {}},
    {"checkmark.circle.fill", "circle-check", "FK", {}},
    {"checkmark.seal.fill", "badge-check", "FK", {}},
    {"checkmark.square", "square-check", "", {}},
    {"chevron.down", "chevron-down", "", {}},
    {"chevron.left", "chevron-left", "", {}},
    {"chevron.right", "chevron-right", "", {}},
    {"chevron.up", "chevron-up", "", {}},
    {"circle", "circle", "", {}},
    {"circle.dotted", "circle-dashed", "", {}},
    {"clock.badge.exclamationmark.fill", "clock-alert", "KSSF", {}},
    {"creditcard", "credit-card", "", {}},
    {"creditcard.fill", "credit-card", "FKK", {}},
    {"doc.text.fill", "file-text", "FKKKK", {}},
    {"dollarsign.circle.fill", "circle-dollar-sign", "FKK", {}},
    {"drop.fill", "droplet", "F", {}},
    {"ellipsis.circle.fill", "circle-ellipsis", "FKKK", {}},
    {"exclamationmark.triangle.fill", "triangle-alert", "FKK", {}},
    {"eye", "eye", "", {}},
    {"eye.slash", "eye-off", "", {}},
    {"flame.fill", "flame", "F", {}},
    {"gearshape", "settings", "", {}},
    {"gearshape.fill", "settings", "FK", {}},
    {"house.fill", "house", "KF", {}},
    {"key", "key", "", {}},
    {"link", "link", "", {}},
    {"link.badge.plus", "link", "", {"plus", 0.5, 19, 19, false}},
    {"list.bullet", "list", "", {}},
    {"list.bullet.rectangle.fill", "rectangle-horizontal", "F", {"list", 0.5}},
    {"lock.fill", "lock", "FS", {}},
    {"lock.shield.fill", "shield", "F", {"lock", 0.45, 12, 12.5}},
    {"magnifyingglass", "search", "", {}},
    {"minus", "minus", "", {}},
    {"minus.circle", "circle-minus", "", {}},
    {"minus.circle.fill", "circle-minus", "FK", {}},
    {"moon.stars", "moon-star", "", {}},
    {"note.text", "notepad-text", "", {}},
    {"note.text.badge.plus", "notepad-text", "", {"plus", 0.5, 19, 19, false}},
    {"paintpalette.fill", "palette", "FKKKK", {}},
    {"pause.circle", "circle-pause", "", {}},
    {"pencil", "pencil", "", {}},
    {"pencil.line", "pencil-line", "", {}},
    {"person.fill", "user", "FF", {}},
    {"phone.fill", "phone", "F", {}},
    {"play.circle", "circle-play", "", {}},
    {"plus", "plus", "", {}},
    {"plus.circle", "circle-plus", "", {}},
    {"plus.circle.fill", "circle-plus", "FKK", {}},
    {"quote.bubble.fill", "message-square-quote", "KFK", {}},
    {"repeat", "repeat", "", {}},
    {"shield.fill", "shield", "F", {}},
    {"square.and.arrow.up", "share", "", {}},
    {"square.grid.2x2", "layout-grid", "", {}},
    {"square.grid.2x2.fill", "layout-grid", "FFFF", {}},
    {"star.fill", "star", "F", {}},
    {"sun.max.fill", "sun", "FSSSSSSSS", {}},
    {"tag.fill", "tag", "FK", {}},
    {"target", "target", "", {}},
    {"text.cursor", "text-cursor", "", {}},
    {"tortoise.fill", "turtle", "FSSS", {}},
    {"touchid", "fingerprint", "", {}},
    {"trash", "trash-2", "", {}},
    {"trophy", "trophy", "", {}},
    {"trophy.fill", "trophy", "SSSSFS", {}},
    {"tv.fill", "tv", "SF", {}},
    {"wifi", "wifi", "", {}},
    {"wind", "wind", "", {}},
    {"xmark", "x", "", {}},
    {"xmark.circle", "circle-x", "", {}},
    {"xmark.circle.fill", "circle-x", "FKK", {}},
};

const Entry* entryFor(const QString& name) {
    static const QHash<QString, const Entry*> index = [] {
        QHash<QString, const Entry*> h;
        for (const Entry& e : kTable)
            h.insert(QString::fromLatin1(e.name), &e);
        return h;
    }();
    return index.value(name, nullptr);
}

// "7.circle.fill": the number, or -1 for any other name.
int circledNumber(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,2})\\.circle\\.fill$"));
    const auto match = pattern.match(name);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QStringList elementsOf(const char* file) {
    static QHash<QString, QStringList> cache;
    const QString key = QString::fromLatin1(file);
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    QFile svg(QStringLiteral(":/icons/%1.svg").arg(key));
    QStringList elements;
    if (svg.open(QIODevice::ReadOnly)) {
        static const QRegularExpression element(
            QStringLiteral("<(path|circle|rect|line|polyline|polygon|ellipse)\\b[^>]*/>"));
        const QString text = QString::fromUtf8(svg.readAll());
        for (auto m = element.globalMatch(text); m.hasNext();)
            elements << m.next().captured(0);
    }
    cache.insert(key, elements);
    return elements;
}

QByteArray svgOf(const QStringList& elements, const QString& color, bool filled) {
    QString body;
    for (QString e : elements) {
        e.replace(QStringLiteral("currentColor"), color);
        if (filled && !e.contains(QStringLiteral(" fill=")))
            e.insert(e.indexOf(QLatin1Char(' ')), QStringLiteral(" fill=\"%1\"").arg(color));
        body += e;
    }
    return QStringLiteral(
               "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 24 24\" fill=\"none\" "
               "stroke=\"%1\" stroke-width=\"2\" stroke-linecap=\"round\" stroke-linejoin=\"round\">%2</svg>")
        .arg(color, body)
        .toUtf8();
}

void renderSvg(QPainter& p, const QByteArray& svg, const QRectF& box) {
    QSvgRenderer renderer(svg);
    renderer.render(&p, box);
}

void drawEntry(QPainter& p, const Entry& entry, const QRectF& box, const QColor& color) {
    const QString hex = color.name(QColor::HexRgb);
    const QStringList elements = elementsOf(entry.file);
    const QString pattern = QString::fromLatin1(entry.pattern);
    QStringList filled, stroked, knocked;
    for (int i = 0; i < elements.size(); ++i) {
        const QChar mode = i < pattern.size() ? pattern[i] : QLatin1Char('S');
        if (mode == u'F')
            filled << elements[i];
        else if (mode == u'K')
            knocked << elements[i];
        else if (mode == u'S')
            stroked << elements[i];
    }
    QRectF baseBox = box;
    const bool badge = entry.inner.file && !entry.inner.knockOut;
    if (badge)
        baseBox = QRectF(box.topLeft(), box.size() * 0.82);
    if (!filled.isEmpty())
        renderSvg(p, svgOf(filled, hex, true), baseBox);
    if (!stroked.isEmpty())
        renderSvg(p, svgOf(stroked, hex, false), baseBox);
    const QPainter::CompositionMode mode = p.compositionMode();
    if (!knocked.isEmpty()) {
        p.setCompositionMode(QPainter::CompositionMode_DestinationOut);
        renderSvg(p, svgOf(knocked, QStringLiteral("#000000"), false), baseBox);
        p.setCompositionMode(mode);
    }
    if (entry.inner.file) {
        const double unit = box.width() / 24.0;
        const double side = box.width() * entry.inner.scale;
        const QRectF innerBox(box.left() + entry.inner.cx * unit - side / 2,
                              box.top() + entry.inner.cy * unit - side / 2, side, side);
        const QStringList inner = elementsOf(entry.inner.file);
        if (entry.inner.knockOut) {
            p.setCompositionMode(QPainter::CompositionMode_DestinationOut);
            renderSvg(p, svgOf(inner, QStringLiteral("#000000"), false), innerBox);
            p.setCompositionMode(mode);
        } else {
            renderSvg(p, svgOf(inner, hex, false), innerBox);
        }
    }
}

void drawNumberedCircle(QPainter& p, int number, const QRectF& box, const QColor& color) {
    const double unit = box.width() / 24.0;
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(box.center(), 11 * unit, 11 * unit);
    QFont font = AppFontOptions::systemFont(box.height() * (number >= 10 ? 0.5 : 0.62), QFont::Bold);
    p.setFont(font);
    p.setCompositionMode(QPainter::CompositionMode_DestinationOut);
    p.setPen(Qt::black);
    p.drawText(box, Qt::AlignCenter, QString::number(number));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// Each symbol is drawn into an image of its own so that cut-outs only remove the symbol's
// own paint, never what lies beneath it.
QImage renderImage(const QString& name, int pixels, const QColor& color) {
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF box(0, 0, pixels, pixels);
    QColor opaque = color;
    opaque.setAlpha(255);
    if (const int number = circledNumber(name); number >= 0)
        drawNumberedCircle(p, number, box, opaque);
    else if (const Entry* entry = entryFor(name))
        drawEntry(p, *entry, box, opaque);
    p.end();
    return image;
}

} // namespace

bool Symbols::has(const QString& name) {
    return entryFor(name) != nullptr || circledNumber(name) >= 0;
}

QStringList Symbols::names() {
    QStringList all;
    for (const Entry& e : kTable)
        all << QString::fromLatin1(e.name);
    return all;
}

QStringList Symbols::iconFiles() {
    QStringList files;
    for (const Entry& e : kTable) {
        for (const char* f : {e.file, e.inner.file})
            if (f && !files.contains(QString::fromLatin1(f) + QStringLiteral(".svg")))
                files << QString::fromLatin1(f) + QStringLiteral(".svg");
    }
    return files;
}

QPixmap Symbols::pixmap(const QString& name, int size, const QColor& color, qreal devicePixelRatio) {
    const int pixels = std::max(1, int(std::lround(size * devicePixelRatio)));
    const QString key = QStringLiteral("qv-symbol/%1/%2/%3").arg(name).arg(pixels).arg(color.rgba(), 8, 16);
    QPixmap cached;
    if (!QPixmapCache::find(key, &cached)) {
        QImage image = renderImage(name, pixels, color);
        if (color.alpha() < 255) {
            QPainter p(&image);
            p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
            p.fillRect(image.rect(), QColor(0, 0, 0, color.alpha()));
        }
        cached = QPixmap::fromImage(image);
        QPixmapCache::insert(key, cached);
    }
    cached.setDevicePixelRatio(devicePixelRatio);
    return cached;
}

void Symbols::paint(QPainter& painter, const QRectF& rect, const QString& name, const QColor& color) {
    const double side = std::min(rect.width(), rect.height());
    if (side <= 0)
        return;
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QPixmap pm = pixmap(name, int(std::ceil(side)), color, ratio);
    const QRectF target(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
    painter.drawPixmap(target, pm, QRectF(pm.rect()));
}

QIcon Symbols::icon(const QString& name, const QColor& color, int size) {
    QIcon icon;
    icon.addPixmap(pixmap(name, size, color, 1.0));
    icon.addPixmap(pixmap(name, size, color, 2.0));
    return icon;
}

int Symbols::pixelSizeForFontSize(qreal fontSize) {
    if (!std::isfinite(fontSize) || fontSize <= 0)
        return 1;
    return std::max(1, int(std::lround(fontSize * 1.05)));
}
