#include "Components/FlowLayout.h"

#include <gtest/gtest.h>

#include <QWidget>

namespace {

QWidget* item(int w, int h, QWidget* parent) {
    auto* widget = new QWidget(parent);
    widget->setFixedSize(w, h);
    return widget;
}

} // namespace

TEST(FlowLayout, WrapsLikeWordsWithOneSpacing) {
    QWidget host;
    auto* flow = new FlowLayout(8, &host);
    QWidget* a = item(50, 20, &host);
    QWidget* b = item(40, 30, &host);
    QWidget* c = item(30, 10, &host);
    flow->addWidget(a);
    flow->addWidget(b);
    flow->addWidget(c);
    QList<QRectF> places;
    EXPECT_EQ(flow->measure(100, &places), 30 + 8 + 10);
    ASSERT_EQ(places.size(), 3);
    EXPECT_EQ(places[0], QRectF(0, 0, 50, 20));
    EXPECT_EQ(places[1], QRectF(58, 0, 40, 30)); // ends at 98
    EXPECT_EQ(places[2], QRectF(0, 38, 30, 10)); // 106 + 30 passes 100
    flow->setGeometry(QRect(10, 5, 100, 48));
    EXPECT_EQ(b->geometry(), QRect(68, 5, 40, 30));
    EXPECT_EQ(c->geometry(), QRect(10, 43, 30, 10));
    EXPECT_EQ(flow->heightForWidth(100), 48);
}

TEST(FlowLayout, EdgeCases) {
    QWidget host;
    auto* flow = new FlowLayout(8, &host);
    EXPECT_EQ(flow->measure(100), 0.0);
    // Exactly reaching the edge stays on the line; a first item wider than the width is kept
    // whole on its own line.
    flow->addWidget(item(50, 10, &host));
    flow->addWidget(item(42, 10, &host));
    flow->addWidget(item(150, 12, &host));
    QList<QRectF> places;
    EXPECT_EQ(flow->measure(100, &places), 10 + 8 + 12);
    EXPECT_EQ(places[1].topLeft(), QPointF(58, 0));
    EXPECT_EQ(places[2], QRectF(0, 18, 150, 12));
    // Without a width everything stands on one line.
    EXPECT_EQ(flow->sizeHint(), QSize(50 + 8 + 42 + 8 + 150, 12));
}
