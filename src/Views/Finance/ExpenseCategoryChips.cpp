#include "Views/Finance/ExpenseCategoryChips.h"

#include "Components/ChoiceGroup.h"
#include "Components/FlowLayout.h"
#include "Components/KeyboardLayer.h"
#include "Components/ScreenStyle.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/Finance/CategoryStore.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

QString outlinedChipSheet(const QString& selector) {
    return QStringLiteral("%1 { border: 1px solid %2; border-radius: 12px; background: transparent; }")
        .arg(selector, Theme::css(AppTheme::Colors::borderSubtle()));
}

} // namespace

ExpenseCategoryChips::ExpenseCategoryChips(const QString& category, QWidget* parent)
    : QWidget(parent), category_(category), flow_(new FlowLayout(6, this)), group_(new ChoiceGroup(this)) {
    setObjectName(QStringLiteral("categoryChips"));
    flow_->setContentsMargins(0, 0, 0, 0);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    connect(&CategoryStore::shared(), &CategoryStore::categoriesChanged, this,
            &ExpenseCategoryChips::rebuild);
    rebuild();
}

int ExpenseCategoryChips::heightForWidth(int width) const {
    return flow_->heightForWidth(width);
}

void ExpenseCategoryChips::setCategory(const QString& category) {
    if (category == category_)
        return;
    category_ = category;
    // Restyled in place: the chip that chose keeps the focus.
    showChosen();
    emit categoryChanged(category_);
}

void ExpenseCategoryChips::showChosen() {
    QWidget* chosen = nullptr;
    for (QWidget* member : group_->members()) {
        auto* chip = static_cast<QPushButton*>(member);
        const bool on = chip->property("category").toString() == category_;
        chip->setProperty("chosen", on);
        styleChip(chip, on);
        if (on)
            chosen = chip;
    }
    group_->setChosen(chosen);
}

void ExpenseCategoryChips::styleChip(QPushButton* chip, bool chosen) const {
    const QColor text = chosen ? QColor(Qt::white) : Theme::textSecondary();
    const QColor fill = chosen ? AppTheme::Colors::rose() : Theme::backgroundTertiary();
    chip->setStyleSheet(QStringLiteral("QPushButton { color: %1; background: %2; border: none; "
                                       "border-radius: 12px; padding: 5px 10px; }")
                            .arg(Theme::css(text), Theme::css(fill)));
}

void ExpenseCategoryChips::rebuild() {
    while (QLayoutItem* item = flow_->takeAt(0)) {
        if (QWidget* w = item->widget()) {
            w->hide();
            w->deleteLater();
        }
        delete item;
    }
    newCategoryField_ = nullptr;
    addButton_ = nullptr;
    group_->clear();
    for (const QString& name : CategoryStore::shared().categories()) {
        auto* chip = new QPushButton(Text::literalMnemonics(name));
        chip->setObjectName(QStringLiteral("categoryChip"));
        chip->setAccessibleName(name);
        chip->setProperty("category", name);
        chip->setFont(Theme::font(12));
        chip->setAutoDefault(false);
        chip->setCursor(Qt::PointingHandCursor);
        const bool chosen = name == category_;
        chip->setProperty("chosen", chosen);
        styleChip(chip, chosen);
        connect(chip, &QPushButton::clicked, this,
                [this, name] { setCategory(category_ == name ? QString() : name); });
        flow_->addWidget(chip);
        group_->add(chip);
    }
    showChosen();

    if (!showNewCategoryField_) {
        auto* add = new QPushButton(tr("New"));
        add->setObjectName(QStringLiteral("newCategoryButton"));
        add->setAccessibleName(tr("New category"));
        addButton_ = add;
        add->setFont(Theme::font(12));
        add->setAutoDefault(false);
        add->setCursor(Qt::PointingHandCursor);
        ScreenStyle::setSymbol(add, QStringLiteral("plus"), Theme::textSecondary(), 10);
        add->setStyleSheet(outlinedChipSheet(QStringLiteral("QPushButton")) +
                           QStringLiteral("QPushButton { color: %1; padding: 5px 10px; }")
                               .arg(Theme::css(Theme::textSecondary())));
        connect(add, &QPushButton::clicked, this, &ExpenseCategoryChips::showNewCategoryField);
        flow_->addWidget(add);
    } else {
        auto* box = new QWidget;
        box->setObjectName(QStringLiteral("newCategoryBox"));
        box->setAttribute(Qt::WA_StyledBackground, true);
        box->setStyleSheet(outlinedChipSheet(QStringLiteral("QWidget#newCategoryBox")));
        auto* row = new QHBoxLayout(box);
        row->setContentsMargins(10, 2, 6, 2);
        row->setSpacing(4);
        newCategoryField_ = new QLineEdit;
        newCategoryField_->setObjectName(QStringLiteral("newCategoryField"));
        newCategoryField_->setPlaceholderText(tr("New category"));
        newCategoryField_->setAccessibleName(tr("New category name"));
        newCategoryField_->setFixedWidth(100);
        newCategoryField_->setFont(Theme::font(12));
        newCategoryField_->setFrame(false);
        ScreenStyle::styleField(newCategoryField_, Qt::transparent, 0);
        connect(newCategoryField_, &QLineEdit::returnPressed, this, &ExpenseCategoryChips::commitNewCategory);
        KeyboardLayer::keepReturn(newCategoryField_);
        row->addWidget(newCategoryField_);
        auto* check = ScreenStyle::textButton(QString(), Theme::systemFont(10), AppTheme::Colors::emerald());
        check->setObjectName(QStringLiteral("commitCategoryButton"));
        check->setToolTip(tr("Add category"));
        ScreenStyle::setSymbol(check, QStringLiteral("checkmark"), AppTheme::Colors::emerald(), 10);
        connect(check, &QPushButton::clicked, this, &ExpenseCategoryChips::commitNewCategory);
        row->addWidget(check);
        flow_->addWidget(box);
    }
    updateGeometry();
}

void ExpenseCategoryChips::showNewCategoryField() {
    showNewCategoryField_ = true;
    rebuild();
    if (newCategoryField_)
        newCategoryField_->setFocus();
}

void ExpenseCategoryChips::commitNewCategory() {
    const QString name = newCategoryField_ ? Text::trimmed(newCategoryField_->text()) : QString();
    const QWidget* focus = QApplication::focusWidget();
    const bool hadFocus = focus && isAncestorOf(focus);
    showNewCategoryField_ = false;
    if (!name.isEmpty()) {
        CategoryStore::shared().add(name);
        category_ = name;
        emit categoryChanged(category_);
    }
    rebuild();
    // The field went with the rebuild: the focus goes to the chip just made, or back to "New".
    if (hadFocus) {
        QWidget* next = group_->chosen() ? group_->chosen() : addButton_;
        if (next)
            next->setFocus(Qt::TabFocusReason);
    }
}
