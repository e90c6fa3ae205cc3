#include "Platform/UserDefaults.h"
#include "Support/TestSupport.h"
#include "ViewModels/Finance/CategoryStore.h"
#include "Views/CalendarView/CalendarChip.h"
#include "Views/Finance/ExpenseCategoryChips.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QKeySequence>
#include <QPushButton>

namespace {

QString accessibleName(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

} // namespace

// A name the user gave shows and is named as typed: its "&" is a character, never a mnemonic
// that would drop from the label and bind Alt with the next letter.
TEST(ChipLabels, UserNamesKeepTheirAmpersandAndBindNoMnemonic) {
    for (const QString& name : {QStringLiteral("R&D"), QStringLiteral("&Work"), QStringLiteral("A && B")}) {
        CalendarChip chip(name, QFont());
        EXPECT_EQ(chip.label(), name);
        EXPECT_TRUE(QKeySequence::mnemonic(chip.text()).isEmpty()) << name.toStdString();
        EXPECT_EQ(accessibleName(&chip), name) << name.toStdString();
    }

    UserDefaults::resetStandard();
    CategoryStore::shared().setCategories({QStringLiteral("R&D"), QStringLiteral("&Work")});
    ExpenseCategoryChips chips;
    QStringList names;
    for (auto* chip : chips.findChildren<QPushButton*>(QStringLiteral("categoryChip"))) {
        names << accessibleName(chip);
        EXPECT_TRUE(QKeySequence::mnemonic(chip->text()).isEmpty()) << chip->text().toStdString();
    }
    EXPECT_EQ(names, QStringList({QStringLiteral("R&D"), QStringLiteral("&Work")}));
    CategoryStore::shared().setCategories(CategoryStore::defaultCategories());
}
