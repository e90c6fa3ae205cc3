// Renders every shared component to build/screens/ under the default theme and two others,
// so that people can compare them with how the interface should look.

#include "GalleryWidgets.h"

#include "Components/AlertDialog.h"
#include "Components/AnimatedProgressRing.h"
#include "Components/CategoryTag.h"
#include "Components/ConfettiView.h"
#include "Components/DatePickerField.h"
#include "Components/FlowLayout.h"
#include "Components/GlassCard.h"
#include "Components/MenuPicker.h"
#include "Components/MomentumBadge.h"
#include "Components/PriorityBadge.h"
#include "Components/SegmentedPicker.h"
#include "Components/SheetHost.h"
#include "Components/SmallProgressBar.h"
#include "Components/StatCard.h"
#include "Components/Stepper.h"
#include "Components/SymbolIcon.h"
#include "Components/Symbols.h"
#include "Components/ThemedTextEditor.h"
#include "Components/ThemedTextField.h"
#include "Components/ToggleSwitch.h"
#include "Platform/UserDefaults.h"
#include "Support/TestSupport.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/EnumStyles.h"
#include "ViewModels/Theme/Theme.h"
#include "ViewModels/Theme/ThemeManager.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEnterEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <cstdlib>

using namespace gallery;
namespace C = AppTheme::Colors;

namespace {

const QStringList& achievementEmoji() {
    static const QStringList emoji =
        QString::fromUtf8(
            "🏆 🥇 🎯 🚀 ⭐ 💪 🎉 🏅 🔥 💡 📚 💰 ❤️ 🌱 🤝 🎓 ✅ 🧠 "
            "🏋️ 🎸")
            .split(QLatin1Char(' '));
    return emoji;
}

QColor accentsFor(int i) {
    const QColor palette[] = {C::indigo(), C::cyan(),   C::emerald(), C::amber(),
                              C::coral(),  C::violet(), C::sky()};
    return palette[i % 7];
}

QString themeSlug() {
    return AppColorThemes::rawValue(ThemeManager::shared().currentTheme()).toLower();
}

// How much of an image (every fourth pixel either way) lies within a few steps of a colour.
double shareNear(const QImage& image, const QColor& colour) {
    int near = 0;
    int seen = 0;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4) {
            const QColor c = image.pixelColor(x, y);
            ++seen;
            if (std::abs(c.red() - colour.red()) <= 12 && std::abs(c.green() - colour.green()) <= 12 &&
                std::abs(c.blue() - colour.blue()) <= 12)
                ++near;
        }
    return seen ? double(near) / seen : 0;
}

// Saves the page and checks that it was drawn in the current theme: its own background shows
// around the components, and the components cover a fair part of it.
QString save(QWidget* w, const QString& what) {
    const QString path = qv::test::saveScreen(w, QStringLiteral("gallery-%1-%2").arg(themeSlug(), what));
    const QImage image(path);
    EXPECT_EQ(image.size(), w->size() * w->devicePixelRatioF()) << qPrintable(path);
    const double background = shareNear(image, Theme::backgroundPrimary());
    EXPECT_GT(background, 0.05) << qPrintable(path) << ": the theme's background hardly shows";
    EXPECT_LT(background, 0.9) << qPrintable(path) << ": the components drew next to nothing";
    return path;
}

void themesAndFonts() {
    Backdrop page;
    page.resize(960, 860);
    auto* column = new QVBoxLayout(&page);
    column->setContentsMargins(28, 24, 28, 24);
    column->addWidget(heading(QStringLiteral("THEMES")));
    auto* grid = new QGridLayout;
    grid->setSpacing(10);
    int i = 0;
    for (AppColorTheme theme : AppColorThemes::allCases) {
        grid->addWidget(new ThemeSwatch(theme), i / 5, i % 5);
        ++i;
    }
    column->addLayout(grid);
    column->addSpacing(12);
    column->addWidget(heading(QStringLiteral("FONTS")));
    for (AppFontOption option : AppFontOptions::allCases) {
        auto* sample = new QLabel(AppFontOptions::displayName(option) +
                                  QString::fromUtf8(" — Track every goal, 0123456789 🚀"));
        sample->setTextFormat(Qt::PlainText);
        sample->setFont(AppFontOptions::makeFont(option, 16));
        sample->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::textPrimary().name()));
        column->addWidget(sample);
    }
    column->addStretch(1);
    save(&page, QStringLiteral("themes-and-fonts"));
}

void ringsBarsBadgesCards() {
    Backdrop page;
    page.resize(960, 820);
    auto* column = new QVBoxLayout(&page);
    column->setContentsMargins(28, 24, 28, 24);
    column->setSpacing(14);
    column->addWidget(heading(QStringLiteral("PROGRESS RINGS  0 · 0.35 · 0.66 · 1")));
    auto* rings = new QHBoxLayout;
    const double values[] = {0, 0.35, 0.66, 1};
    const QColor accents[] = {C::indigo(), C::cyan(), C::emerald(), C::amber()};
    for (int i = 0; i < 4; ++i)
        rings->addWidget(new AnimatedProgressRing(values[i], 110, 10, accents[i]));
    rings->addWidget(new AnimatedProgressRing(0.66, 56, 6, C::coral(), false));
    rings->addStretch(1);
    column->addLayout(rings);

    column->addWidget(heading(QStringLiteral("PROGRESS BARS")));
    auto* bars = new QGridLayout;
    bars->setHorizontalSpacing(24);
    bars->setVerticalSpacing(10);
    for (int i = 0; i < 4; ++i) {
        bars->addWidget(new SmallProgressBar(values[i], accents[i], 6, true), i / 2, i % 2);
    }
    bars->addWidget(new SmallProgressBar(0.5, C::violet(), 4, false), 2, 0);
    column->addLayout(bars);

    column->addWidget(heading(QStringLiteral("BADGES AND TAGS")));
    auto* badges = new FlowLayout(8);
    for (auto p : GoalPriorities::allCases)
        badges->addWidget(new PriorityBadge(p));
    for (auto s : MomentumStates::allCases)
        badges->addWidget(new MomentumBadge(s));
    badges->addWidget(new CategoryTag(QStringLiteral("Health"), C::emerald()));
    badges->addWidget(new CategoryTag(QStringLiteral("Personal"), QColor(0x8B, 0x5C, 0xF6)));
    auto* badgeHost = new QWidget;
    badgeHost->setLayout(badges);
    column->addWidget(badgeHost);

    column->addWidget(heading(QStringLiteral("STAT CARDS (the second one hovered)  ·  GLASS CARD")));
    auto* cards = new QHBoxLayout;
    cards->setSpacing(16);
    cards->addWidget(new StatCard(QStringLiteral("Active Goals"), QStringLiteral("12"), std::nullopt,
                                  QStringLiteral("target"), C::indigo(), 0));
    auto* hovered =
        new StatCard(QStringLiteral("Best Streak"), QStringLiteral("27"), QStringLiteral("days in a row"),
                     QStringLiteral("flame.fill"), C::amber(), 1);
    cards->addWidget(hovered);
    cards->addWidget(new StatCard(QStringLiteral("Achievements"), QStringLiteral("8"),
                                  QStringLiteral("3 this month"), QStringLiteral("trophy.fill"), C::violet(),
                                  2));
    auto* glass = new GlassCard(20, 1.0, C::cyan());
    glass->setMinimumSize(200, 150);
    auto* glassColumn = new QVBoxLayout(glass);
    glassColumn->setContentsMargins(20, 18, 20, 18);
    glassColumn->addWidget(label(QStringLiteral("Glass card"), 16, Theme::textPrimary(), QFont::Bold));
    glassColumn->addWidget(label(QStringLiteral("radius 20, intensity 1, cyan"), 12, Theme::textSecondary()));
    glassColumn->addWidget(new SmallProgressBar(0.42, C::cyan(), 6, true));
    cards->addWidget(glass);
    column->addLayout(cards);
    column->addStretch(1);
    page.setAttribute(Qt::WA_DontShowOnScreen);
    page.show();
    QEnterEvent enter(QPointF(10, 10), QPointF(10, 10), QPointF(10, 10));
    QCoreApplication::sendEvent(hovered, &enter);
    save(&page, QStringLiteral("rings-bars-badges-stat-cards-glass"));
}

void confetti() {
    Backdrop page;
    page.resize(800, 480);
    auto* glass = new GlassCard(18, 1.0, C::emerald(), &page);
    glass->setGeometry(250, 150, 300, 160);
    auto* text = label(QStringLiteral("Check-in complete!"), 18, Theme::textPrimary(), QFont::Bold);
    text->setParent(glass);
    text->move(24, 24);
    auto* burst = new ConfettiView(&page);
    burst->setGeometry(page.rect());
    burst->freezeAt(0.55);
    save(&page, QStringLiteral("confetti-mid-flight"));
    EXPECT_EQ(burst->particles().size(), ConfettiView::kPieceCount);
}

QWidget* inputsForm() {
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(24, 22, 24, 22);
    column->setSpacing(12);
    column->addWidget(label(QStringLiteral("Every input"), 20, Theme::textPrimary(), QFont::Bold));
    column->addWidget(heading(QStringLiteral("TEXT FIELD (placeholder, then filled)")));
    column->addWidget(new ThemedTextField(QStringLiteral("What do you want to achieve?")));
    auto* filled = new ThemedTextField;
    filled->setText(QStringLiteral("Run a half marathon"));
    column->addWidget(filled);
    column->addWidget(heading(QStringLiteral("TEXT EDITOR")));
    auto* editor = new ThemedTextEditor(QStringLiteral("Notes (optional)"));
    editor->setFixedHeight(64);
    column->addWidget(editor);
    auto* row = new QHBoxLayout;
    row->addWidget(label(QStringLiteral("Set a deadline"), 13, Theme::textPrimary(), QFont::Medium));
    row->addWidget(new ToggleSwitch(true, C::purple()));
    row->addWidget(new ToggleSwitch(false));
    row->addStretch(1);
    row->addWidget(new SegmentedPicker({QStringLiteral("Rows"), QStringLiteral("Grid")}, 1));
    column->addLayout(row);
    auto* pickers = new QHBoxLayout;
    auto* menu = new MenuPicker;
    menu->setOptions({QStringLiteral("None"), QStringLiteral("Health"), QStringLiteral("Career")});
    menu->setCurrentIndex(1);
    pickers->addWidget(menu);
    const QDateTime when(QDate(2026, 12, 7), QTime(9, 30));
    pickers->addWidget(new DatePickerField(when));
    pickers->addWidget(new DatePickerField(when, DatePickerField::Style::Time));
    auto* stepper = new Stepper(2, 1, 6);
    stepper->setLabel(QStringLiteral("2x per day"));
    pickers->addWidget(stepper);
    column->addLayout(pickers);
    column->addWidget(new DatePickerField(when, DatePickerField::Style::Graphical));
    return content;
}

void sheetWithInputs() {
    Backdrop window;
    window.resize(980, 820);
    auto* behind = new QHBoxLayout(&window);
    behind->setContentsMargins(28, 28, 28, 28);
    behind->addWidget(new StatCard(QStringLiteral("Behind the sheet"), QStringLiteral("42"), std::nullopt,
                                   QStringLiteral("chart.bar.fill"), C::sky(), 0),
                      0, Qt::AlignTop);
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    SheetHost::present(&window, inputsForm(), 520);
    save(&window, QStringLiteral("sheet-with-every-input"));
}

void confirmationDialog() {
    Backdrop window;
    window.resize(760, 480);
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    AlertDialog::present(
        &window, QStringLiteral("Mark as Achieved?"),
        QStringLiteral("The goal leaves your active list. You can record it as an achievement."),
        {{QStringLiteral("Add to Achievements"), AlertDialog::Role::Default, {}},
         {QStringLiteral("Just Mark Complete"), AlertDialog::Role::Plain, {}},
         {QStringLiteral("Cancel"), AlertDialog::Role::Cancel, {}}});
    save(&window, QStringLiteral("confirmation-dialog"));
    Backdrop second;
    second.resize(760, 420);
    second.setAttribute(Qt::WA_DontShowOnScreen);
    second.show();
    AlertDialog::present(&second, QStringLiteral("Delete Goal?"), QStringLiteral("This cannot be undone."),
                         {{QStringLiteral("Delete"), AlertDialog::Role::Destructive, {}},
                          {QStringLiteral("Cancel"), AlertDialog::Role::Cancel, {}}});
    save(&second, QStringLiteral("destructive-alert"));
}

void emojiAndSymbols() {
    Backdrop page;
    page.resize(960, 700);
    auto* column = new QVBoxLayout(&page);
    column->setContentsMargins(28, 24, 28, 24);
    column->addWidget(heading(QStringLiteral("THE 20 ACHIEVEMENT EMOJI")));
    auto* grid = new QGridLayout;
    grid->setSpacing(8);
    for (int i = 0; i < achievementEmoji().size(); ++i) {
        auto* tile = new QLabel(achievementEmoji()[i]);
        tile->setAlignment(Qt::AlignCenter);
        tile->setFixedSize(56, 56);
        tile->setFont(Theme::emojiFont(28));
        tile->setStyleSheet(QStringLiteral("background: %1; border-radius: 8px;")
                                .arg(Theme::withOpacity(C::violet(), 0.12).name(QColor::HexArgb)));
        grid->addWidget(tile, i / 10, i % 10);
    }
    column->addLayout(grid);
    column->addWidget(heading(QStringLiteral("EVERY SYMBOL")));
    auto* symbols = new QGridLayout;
    symbols->setHorizontalSpacing(6);
    symbols->setVerticalSpacing(10);
    const QStringList names =
        Symbols::names() + QStringList{QStringLiteral("2.circle.fill"), QStringLiteral("3.circle.fill"),
                                       QStringLiteral("7.circle.fill")};
    for (int i = 0; i < names.size(); ++i) {
        const QColor tint = names[i].endsWith(QLatin1String(".fill")) ? accentsFor(i) : Theme::textPrimary();
        symbols->addWidget(new SymbolIcon(names[i], 20, tint), i / 16, i % 16, Qt::AlignCenter);
    }
    column->addLayout(symbols);
    column->addStretch(1);
    save(&page, QStringLiteral("emoji-and-symbols"));
}

} // namespace

class ComponentGallery : public testing::TestWithParam<AppColorTheme> {
protected:
    void SetUp() override {
        UserDefaults::resetStandard();
        ThemeManager::resetShared();
        ThemeManager::shared().setCurrentTheme(GetParam());
    }
    void TearDown() override {
        ThemeManager::resetShared();
        UserDefaults::resetStandard();
    }
};

TEST_P(ComponentGallery, RendersEveryComponent) {
    themesAndFonts();
    ringsBarsBadgesCards();
    confetti();
    sheetWithInputs();
    confirmationDialog();
    emojiAndSymbols();
}

INSTANTIATE_TEST_SUITE_P(Themes, ComponentGallery,
                         testing::Values(AppColorTheme::midnight, AppColorTheme::ember,
                                         AppColorTheme::arctic),
                         [](const testing::TestParamInfo<AppColorTheme>& info) {
                             return AppColorThemes::rawValue(info.param).toStdString();
                         });
