// Controls drawn in the theme whatever their state: focused buttons, scroll bars, spin-box
// arrows, placeholders of centred fields, and menus that open on their chosen item.

#include "Components/MenuPicker.h"
#include "Components/ThemedStyle.h"
#include "Components/ThemedTextEditor.h"
#include "Components/ThemedTextField.h"
#include "Support/TestSupport.h"
#include "ViewModels/Theme/Theme.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The lightest pixel of an image, as HSL lightness 0..255.
int lightest(const QImage& image, const QRect& area = {}) {
    const QRect r = area.isNull() ? image.rect() : area.intersected(image.rect());
    int best = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            best = std::max(best, QColor::fromRgba(image.pixel(x, y)).lightness());
    return best;
}

// How many pixels are within a few steps of a colour.
int pixelsNear(const QImage& image, const QColor& color) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += std::abs(c.red() - color.red()) <= 6 && std::abs(c.green() - color.green()) <= 6 &&
                 std::abs(c.blue() - color.blue()) <= 6;
        }
    return n;
}

class ThemedControls : public testing::Test {
protected:
    void SetUp() override {
        ThemedStyle::install();
        // The roles the application's theme palette gives every widget.
        QPalette theme = window.palette();
        theme.setColor(QPalette::Window, Theme::backgroundPrimary());
        theme.setColor(QPalette::Base, Theme::backgroundTertiary());
        theme.setColor(QPalette::Text, Theme::textPrimary());
        window.setPalette(theme);
        window.resize(320, 240);
        column = new QVBoxLayout(&window);
    }
    void show() {
        window.show();
        QApplication::setActiveWindow(&window);
        qv::test::settle();
    }
    QWidget window;
    QVBoxLayout* column = nullptr;
};

} // namespace

TEST_F(ThemedControls, AMenuPickerOpensOnItsChosenOptionSoTheFirstArrowMovesOnFromIt) {
    auto* picker = new MenuPicker;
    for (const char* card : {"None", "Alpha", "Beta", "Gamma"})
        picker->addOption(QString::fromLatin1(card));
    column->addWidget(picker);
    show();
    for (int chosen : {1, 0, 3}) {
        picker->setCurrentIndex(chosen);
        QString highlighted;
        QTimer::singleShot(0, picker, [picker, &highlighted] {
            QMenu* menu = picker->openMenu();
            ASSERT_NE(menu, nullptr);
            highlighted = menu->activeAction() ? menu->activeAction()->text() : QString();
            QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        picker->click();
        EXPECT_EQ(highlighted, picker->optionText(chosen)) << "opens on the chosen option " << chosen;
        // Down from the last option wraps to the first, as the menu does.
        EXPECT_EQ(picker->currentIndex(), (chosen + 1) % picker->count()) << "one Down from " << chosen;
    }
}

TEST_F(ThemedControls, AFocusedPillButtonDrawsAsItDoesUnfocused) {
    // The look of the onboarding's, the income card's and the check-in's buttons.
    const QString pill = QStringLiteral("QPushButton { color: white; border: none; border-radius: %1px;"
                                        " padding: 12px 32px; background: %2; }");
    auto* gradient = new QPushButton(QStringLiteral("Get Started"));
    gradient->setStyleSheet(pill.arg(24).arg(
        QStringLiteral("qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #4F46E5, stop:1 #7C3AED)")));
    auto* flat = new QPushButton(QStringLiteral("+ Income"));
    flat->setStyleSheet(pill.arg(8).arg(QStringLiteral("#059669")));
    column->addWidget(gradient);
    column->addWidget(flat);
    show();
    for (QPushButton* button : {gradient, flat}) {
        const QImage unfocused = button->grab().toImage();
        // A focus change made with the keyboard, which is when styles draw their focus marks.
        window.setAttribute(Qt::WA_KeyboardFocusChange);
        button->setFocus(Qt::TabFocusReason);
        qv::test::settle();
        ASSERT_TRUE(button->hasFocus());
        EXPECT_EQ(button->grab().toImage(), unfocused)
            << qPrintable(qv::test::saveScreen(button, QStringLiteral("focused-pill-") + button->text()));
        button->clearFocus();
    }
}

TEST_F(ThemedControls, ScrollBarsAreAThinThemeHandleWithoutArrowsOrGroove) {
    auto* editor = new ThemedTextEditor;
    editor->setFixedHeight(80);
    editor->setPlainText(QStringLiteral("line\n").repeated(30));
    column->addWidget(editor);
    show();
    QScrollBar* bar = editor->verticalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->width(), ThemedStyle::kScrollBarExtent);
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = Qt::Vertical;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.pageStep = bar->pageStep();
    option.sliderPosition = bar->sliderPosition();
    EXPECT_TRUE(bar->style()
                    ->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarAddLine, bar)
                    .isEmpty());
    // Nothing of the bar is lighter than the theme's muted text: no pale groove, no white handle.
    const QImage image = editor->grab().toImage();
    EXPECT_LE(lightest(image, QRect(bar->mapTo(editor, QPoint()), bar->size())),
              Theme::textMuted().lightness())
        << qPrintable(qv::test::saveScreen(editor, "themed-scrollbar"));
    // Dragging still scrolls.
    bar->setValue(bar->maximum());
    EXPECT_GT(editor->verticalScrollBar()->value(), 0);
}

TEST_F(ThemedControls, SpinArrowsAreThemeChevronsOnTheField) {
    auto* time = new QTimeEdit(QTime(9, 0));
    time->setDisplayFormat(QStringLiteral("HH:mm"));
    column->addWidget(time);
    show();
    QStyleOptionSpinBox option;
    option.initFrom(time);
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    option.buttonSymbols = QAbstractSpinBox::UpDownArrows;
    const QRect arrows =
        time->style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, time) |
        time->style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxDown, time);
    ASSERT_FALSE(arrows.isEmpty());
    // The arrows sit on the field's own fill: no button face, only the chevrons' strokes.
    const QImage image = time->grab().toImage();
    const QImage column = image.copy(arrows.adjusted(0, 1, 0, -1));
    const QColor fill = image.pixelColor(time->width() / 2, 3);
    EXPECT_GT(pixelsNear(column, fill), column.width() * column.height() * 6 / 10);
    qv::test::saveScreen(time, "themed-spinbox");
}

TEST_F(ThemedControls, ACentredFieldShowsItsPlaceholderWhileFocusedUntilTheFirstCharacter) {
    auto* field = new ThemedTextField(QStringLiteral("Your name"), nullptr, 22);
    field->setAlignment(Qt::AlignCenter);
    field->setFixedWidth(300);
    column->addWidget(field);
    show();
    // Pixels unlike the field's own fill, in the text's band (the caret makes a few).
    auto inked = [field] {
        const QImage image = field->grab().toImage();
        const QColor fill = image.pixelColor(12, field->height() / 2);
        return field->width() * field->height() - pixelsNear(image, fill);
    };
    const int unfocused = inked();
    field->setFocus();
    qv::test::settle();
    ASSERT_TRUE(field->hasFocus());
    field->setPlaceholderText(QString());
    const int caretOnly = inked();
    field->setPlaceholderText(QStringLiteral("Your name"));
    EXPECT_GT(inked(), caretOnly + (unfocused - caretOnly) / 2)
        << qPrintable(qv::test::saveScreen(field, "centred-placeholder-focused"));
    QTest::keyClick(field, Qt::Key_A);
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_GT(inked(), caretOnly + (unfocused - caretOnly) / 2) << "shows again once the text is gone";
}
