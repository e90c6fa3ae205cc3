// States a control shows that must read true: a disabled filled button looks off in every
// theme, a menu is at least as wide as its field, a row that scrolls sideways fades where it
// is cut, and a box under a caption is read by the caption's name.

#include "Components/MenuPicker.h"
#include "Components/ScreenStyle.h"
#include "Components/SegmentedPicker.h"
#include "Components/SidewaysFade.h"
#include "Components/Stepper.h"
#include "Components/ToggleSwitch.h"
#include "Support/TestSupport.h"
#include "ViewModels/Theme/AppColorTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "ViewModels/Theme/ThemeManager.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// How colourful the middle row of a button's fill is: the mean spread of its channels
// (0 for a grey, 255 for a pure primary), which a dark tint does not inflate as saturation does.
int meanSaturation(const QImage& image) {
    const int y = image.height() / 2;
    int sum = 0;
    int n = 0;
    for (int x = image.width() / 8; x < image.width() / 4; ++x, ++n) {
        const QColor c = image.pixelColor(x, y);
        sum += std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()});
    }
    return n ? sum / n : 0;
}

} // namespace

TEST(ControlStates, ADisabledFilledButtonLosesItsFillInEveryTheme) {
    const AppColorTheme before = ThemeManager::shared().currentTheme();
    const QString gradient =
        QStringLiteral("qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #7C3AED, stop:1 #06B6D4)");
    for (AppColorTheme theme : AppColorThemes::allCases) {
        if (theme == AppColorTheme::custom)
            continue;
        ThemeManager::shared().setCurrentTheme(theme);
        QWidget window;
        QPalette card = window.palette();
        card.setColor(QPalette::Window, Theme::backgroundSecondary());
        window.setPalette(card);
        auto* column = new QVBoxLayout(&window);
        auto* button =
            ScreenStyle::filledButton(QStringLiteral("Create Goal"), Theme::font(14), gradient, 32, 8, 12);
        column->addWidget(button);
        window.resize(240, 80);
        window.show();
        qv::test::settle();
        const QImage on = window.grab(button->geometry()).toImage();
        button->setEnabled(false);
        qv::test::settle();
        const QImage off = window.grab(button->geometry()).toImage();
        const std::string name = AppColorThemes::rawValue(theme).toStdString();
        EXPECT_GT(meanSaturation(on), 100) << name;
        EXPECT_LT(meanSaturation(off), meanSaturation(on) / 2)
            << name << ": a disabled button keeps its colour";
    }
    ThemeManager::shared().setCurrentTheme(before);
}

TEST(ControlStates, AMenuIsAtLeastAsWideAsItsField) {
    QWidget window;
    auto* column = new QVBoxLayout(&window);
    auto* picker = new MenuPicker;
    picker->addOption(QStringLiteral("Other"));
    picker->addOption(QStringLiteral("Rent"));
    picker->setMinimumWidth(300);
    column->addWidget(picker);
    window.show();
    qv::test::settle();
    int menuWidth = 0;
    QString highlighted;
    QTimer::singleShot(0, picker, [&] {
        QMenu* menu = picker->openMenu();
        ASSERT_NE(menu, nullptr);
        menuWidth = menu->width();
        highlighted = menu->activeAction() ? menu->activeAction()->text() : QString();
        menu->close();
    });
    picker->click();
    EXPECT_GE(menuWidth, picker->width());
    EXPECT_EQ(highlighted, QStringLiteral("Other"));
}

TEST(ControlStates, ARowThatScrollsSidewaysFadesOnlyWhereMoreFollows) {
    QWidget window;
    auto* column = new QVBoxLayout(&window);
    auto* area = new QScrollArea;
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setWidgetResizable(true);
    auto* row = new QWidget;
    auto* chips = new QHBoxLayout(row);
    for (int i = 0; i < 12; ++i)
        chips->addWidget(new QPushButton(QStringLiteral("Category %1").arg(i)));
    area->setWidget(row);
    column->addWidget(area);
    SidewaysFade::attach(area, [] { return QColor(Qt::black); });
    SidewaysFade::attach(area); // a second call adds nothing
    window.resize(300, 80);
    window.show();
    qv::test::settle();

    SidewaysFade* left = SidewaysFade::at(area, Qt::LeftEdge);
    SidewaysFade* right = SidewaysFade::at(area, Qt::RightEdge);
    ASSERT_TRUE(left && right);
    EXPECT_EQ(area->findChildren<SidewaysFade*>(QString(), Qt::FindDirectChildrenOnly).size(), 2);
    EXPECT_FALSE(left->isVisible());
    EXPECT_TRUE(right->isVisible());
    const QRect view = area->viewport()->geometry();
    EXPECT_EQ(right->geometry().right(), view.right());
    EXPECT_EQ(right->height(), view.height());
    // The cut edge is the backdrop's colour; the inner edge shows the row.
    const QImage shown = right->grab().toImage();
    const QColor cut = shown.pixelColor(shown.width() - 1, shown.height() / 2);
    const QColor inner = shown.pixelColor(0, shown.height() / 2);
    EXPECT_GT(cut.alpha(), 240);
    EXPECT_EQ(cut.rgb() & 0xFFFFFF, 0u);
    EXPECT_LT(inner.alpha(), 16);

    QScrollBar* bar = area->horizontalScrollBar();
    bar->setValue(bar->maximum() / 2);
    EXPECT_TRUE(left->isVisible());
    EXPECT_TRUE(right->isVisible());
    bar->setValue(bar->maximum());
    EXPECT_TRUE(left->isVisible());
    EXPECT_FALSE(right->isVisible());

    window.resize(3000, 80);
    qv::test::settle();
    EXPECT_FALSE(left->isVisible());
    EXPECT_FALSE(right->isVisible()) << "a row that fits fades nowhere";
}

TEST(ControlStates, ControlsUnderACaptionAreReadByItsName) {
    auto* field = new QLineEdit;
    ScreenStyle::nameByCaption(field, QStringLiteral("Units / Qty"));
    EXPECT_EQ(field->accessibleName(), QStringLiteral("Units / Qty"));
    ScreenStyle::nameByCaption(field, QStringLiteral("Other"));
    EXPECT_EQ(field->accessibleName(), QStringLiteral("Units / Qty")) << "a name given stays";
    delete field;

    QWidget box;
    auto* row = new QHBoxLayout(&box);
    auto* inner = new QLineEdit;
    auto* stepper = new Stepper(15, 1, 28);
    stepper->setName(QStringLiteral("payment due day"));
    row->addWidget(inner);
    row->addWidget(stepper);
    box.setFocusPolicy(Qt::NoFocus);
    ScreenStyle::nameByCaption(&box, QStringLiteral("Amount"));
    EXPECT_EQ(inner->accessibleName(), QStringLiteral("Amount"));
    QStringList buttons;
    for (QToolButton* button : stepper->findChildren<QToolButton*>())
        buttons << button->accessibleName();
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("Decrease payment due day"),
                                    QStringLiteral("Increase payment due day")}));
}

// Pickers and switches the kit paints itself look off when they are.
TEST(ControlStates, DisabledPickersAndSwitchesLookOff) {
    QWidget window;
    auto* column = new QVBoxLayout(&window);
    auto* menu = new MenuPicker;
    menu->addOption(QStringLiteral("Monthly"));
    auto* segments = new SegmentedPicker({QStringLiteral("Cash"), QStringLiteral("Debit")});
    auto* toggle = new ToggleSwitch(true, QColor(QStringLiteral("#7C3AED")));
    for (QWidget* w : std::initializer_list<QWidget*>{menu, segments, toggle})
        column->addWidget(w);
    window.show();
    qv::test::settle();
    for (QWidget* w : std::initializer_list<QWidget*>{menu, segments, toggle}) {
        const QImage on = w->grab().toImage();
        w->setEnabled(false);
        EXPECT_NE(w->grab().toImage(), on) << w->metaObject()->className();
    }
}
