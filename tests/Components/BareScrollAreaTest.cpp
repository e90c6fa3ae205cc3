#include "Components/BareScrollArea.h"

#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

// A red backdrop holding the area, so any fill the area or its page paints shows up.
class Backdrop : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::red); }
};

QImage render(QWidget* widget) {
    QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget->render(&image);
    return image;
}

QWidget* tallPage() {
    auto* page = new QWidget;
    page->setMinimumHeight(1000);
    return page;
}

} // namespace

TEST(BareScrollArea, PageShowsTheBackdropWhetherWrappedOrSetLater) {
    for (bool wrapped : {true, false}) {
        SCOPED_TRACE(wrapped ? "wrapped" : "set later");
        Backdrop backdrop;
        backdrop.setAttribute(Qt::WA_DontShowOnScreen);
        backdrop.resize(200, 200);
        auto* layout = new QVBoxLayout(&backdrop);
        layout->setContentsMargins(0, 0, 0, 0);
        QScrollArea* scroll = nullptr;
        if (wrapped) {
            scroll = BareScrollArea::wrap(tallPage(), &backdrop);
        } else {
            scroll = new QScrollArea(&backdrop);
            BareScrollArea::makeBare(scroll);
            scroll->setWidget(tallPage());
        }
        layout->addWidget(scroll);
        backdrop.show();
        qv::test::settle();
        EXPECT_EQ(scroll->frameShape(), QFrame::NoFrame);
        EXPECT_FALSE(scroll->verticalScrollBar()->isVisible());
        EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());
        EXPECT_EQ(scroll->widget()->width(), scroll->viewport()->width()); // the page follows the width
        const QImage image = render(&backdrop);
        for (const QPoint point : {QPoint(5, 5), QPoint(100, 100), QPoint(195, 195)})
            EXPECT_EQ(image.pixelColor(point), QColor(Qt::red)) << point.x() << "," << point.y();
    }
}

TEST(BareScrollArea, WheelStillScrollsWithTheBarsHidden) {
    QScrollArea* scroll = BareScrollArea::wrap(tallPage());
    std::unique_ptr<QScrollArea> owner(scroll);
    scroll->setAttribute(Qt::WA_DontShowOnScreen);
    scroll->resize(200, 200);
    scroll->show();
    qv::test::settle();
    ASSERT_GT(scroll->verticalScrollBar()->maximum(), 0);
    const QPointF at(50, 50);
    QWheelEvent wheel(at, scroll->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(scroll->viewport(), &wheel);
    EXPECT_GT(scroll->verticalScrollBar()->value(), 0);
}
