#include "Components/TabChain.h"

#include "Components/BareScrollArea.h"

#include <gtest/gtest.h>

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

QPushButton* button(const char* name) {
    auto* b = new QPushButton(QString::fromLatin1(name));
    b->setObjectName(QString::fromLatin1(name));
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

// The names of the stops inside root, in the order Tab visits them, from the first of the layout
// (the window's chain is a ring).
QStringList stops(QWidget* root) {
    QStringList out;
    for (QWidget* w = root->nextInFocusChain(); w != root; w = w->nextInFocusChain())
        if (root->isAncestorOf(w) && w->focusPolicy() != Qt::NoFocus && !w->objectName().isEmpty())
            out << w->objectName();
    const qsizetype first = out.indexOf(QStringLiteral("header"));
    return first < 0 ? out : out.mid(first) + out.first(first);
}

} // namespace

// Stops made in any order are put in the order the layouts read: a box's items in turn, a
// nested box's stops where it stands, a scroll area's where the area stands, controls placed by
// hand after the laid-out ones; a control added later joins its place when it is called again.
TEST(TabChain, FollowsTheLayoutNotTheOrderTheControlsWereMade) {
    QWidget window; // a page inside a window, as the screens' pages are
    auto* root = new QWidget(&window);
    QPushButton* byHand = button("byHand");
    byHand->setParent(root);
    // Made last first, as a page whose rows come after its header and footer.
    QPushButton* footer = button("footer");
    QPushButton* inArea2 = button("inArea2");
    QPushButton* inArea1 = button("inArea1");
    QPushButton* right = button("right");
    QPushButton* left = button("left");
    QPushButton* header = button("header");

    auto* column = new QVBoxLayout(root);
    column->addWidget(header);
    auto* line = new QHBoxLayout;
    line->addWidget(left);
    line->addWidget(new QLabel(QStringLiteral("between")));
    line->addWidget(right);
    column->addLayout(line);
    auto* page = new QWidget;
    auto* pageColumn = new QVBoxLayout(page);
    pageColumn->addWidget(inArea1);
    pageColumn->addWidget(inArea2);
    column->addWidget(BareScrollArea::wrap(page));
    column->addWidget(footer);

    TabChain::followLayout(root);
    EXPECT_EQ(stops(root),
              (QStringList{"header", "left", "right", "inArea1", "inArea2", "footer", "byHand"}));

    QPushButton* middle = button("middle");
    line->insertWidget(2, middle);
    TabChain::followLayout(root);
    EXPECT_EQ(stops(root),
              (QStringList{"header", "left", "middle", "right", "inArea1", "inArea2", "footer", "byHand"}));
}
