// The widget half of the harness, linked only into the programs that test widgets.

#include "Support/TestSupport.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QSet>
#include <QWidget>

namespace qv::test {

std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv) {
    return std::make_unique<QApplication>(argc, argv);
}

QString saveScreen(QWidget* widget, const QString& name) {
    widget->ensurePolished();
    if (!widget->isVisible()) {
        widget->setAttribute(Qt::WA_DontShowOnScreen, true);
        widget->show();
    }
    settle();
    const QString path = screensDir() + QLatin1Char('/') + name + QStringLiteral(".png");
    widget->grab().save(path);
    return path;
}

bool imageShows(const QImage& image, QWidget* root, QWidget* widget) {
    if (image.isNull() || !widget || !widget->isVisibleTo(root) || widget->size().isEmpty())
        return false;
    const QRect area(widget->mapTo(root, QPoint()), widget->size());
    if (!root->rect().contains(area))
        return false;
    const qreal ratio = image.devicePixelRatio();
    const QRect pixels =
        QRect((QPointF(area.topLeft()) * ratio).toPoint(), (QSizeF(area.size()) * ratio).toSize())
            .intersected(image.rect());
    QSet<QRgb> colours;
    for (int y = pixels.top(); y <= pixels.bottom() && colours.size() < 2; ++y)
        for (int x = pixels.left(); x <= pixels.right() && colours.size() < 2; ++x)
            colours.insert(image.pixel(x, y));
    return colours.size() >= 2;
}

bool imageShowsText(const QImage& image, QWidget* root, const QString& text) {
    for (QLabel* label : root->findChildren<QLabel*>())
        if (label->text() == text && imageShows(image, root, label))
            return true;
    return false;
}

} // namespace qv::test
