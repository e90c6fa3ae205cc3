#include "Views/Links/LinkFormSheet.h"

#include "Components/BareScrollArea.h"
#include "Components/FocusAfter.h"
#include "Components/KeyboardLayer.h"
#include "Components/ScreenStyle.h"
#include "Components/SheetChrome.h"
#include "Components/SheetHost.h"
#include "Components/Symbols.h"
#include "Models/LinkItem.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/LinksViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QLabel* caption(const QString& text) {
    return ScreenStyle::label(text, ScreenStyle::kerned(Theme::font(10), 1.2), Theme::textMuted());
}

QLineEdit* field(const QString& placeholder, const QString& name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setPlaceholderText(placeholder);
    edit->setFont(Theme::font(14));
    ScreenStyle::styleField(edit, Theme::backgroundTertiary(), 10);
    return edit;
}

// One rounded box of category rows; each row is a flat button with an optional tick.
class CategoryRow : public QPushButton {
public:
    CategoryRow(const QString& name, bool selected) : name_(name), selected_(selected) {
        setObjectName(QStringLiteral("categoryRow"));
        setCursor(Qt::PointingHandCursor);
        setFixedHeight(34);
        setAccessibleName(name);
        setCheckable(true);
        setChecked(selected);
        setToolTip(name.size() > 40 ? Text::plainToolTip(name) : QString());
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        if (selected_)
            p.fillRect(rect(), Theme::withOpacity(AppTheme::Colors::sky(), 0.10));
        if (hasFocus()) {
            p.setPen(QPen(AppTheme::Colors::sky(), 1.5));
            p.drawRect(QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75));
        }
        const QRect text = rect().adjusted(16, 0, -16 - (selected_ ? 20 : 0), 0);
        p.setFont(Theme::font(13));
        p.setPen(Theme::textPrimary());
        p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                   QFontMetrics(p.font()).elidedText(name_, Qt::ElideRight, text.width()));
        if (selected_)
            Symbols::paint(p, QRectF(width() - 16 - 12, (height() - 12) / 2.0, 12, 12),
                           QStringLiteral("checkmark"), AppTheme::Colors::sky());
    }

private:
    QString name_;
    bool selected_;
};

} // namespace

LinkFormSheet::LinkFormSheet(LinksViewModel* viewModel, std::shared_ptr<LinkItem> existingLink,
                             QWidget* parent)
    : QWidget(parent), viewModel_(viewModel), existing_(std::move(existingLink)) {
    setObjectName(QStringLiteral("linkFormSheet"));
    QWidget* header = buildHeader();
    QWidget* form = buildForm();
    SheetChrome::stack(this, header, form, buildFooter());

    // What the form opens with.
    const QStringList existing = viewModel_->categoryNames();
    if (existing_) {
        title_->setText(existing_->title().value_or(QString()));
        url_->setText(existing_->url().value_or(QString()));
        category_ = LinksViewModel::categoryOf(*existing_);
        showNewCategory_ = !existing.contains(category_);
    } else if (!existing.isEmpty()) {
        category_ = existing.first();
        showNewCategory_ = false;
    } else {
        showNewCategory_ = true;
    }
    connect(title_, &QLineEdit::textChanged, this, &LinkFormSheet::updateSaveButton);
    connect(url_, &QLineEdit::textChanged, this, &LinkFormSheet::updateSaveButton);
    connect(viewModel_, &LinksViewModel::linksChanged, this, &LinkFormSheet::rebuildChooser);
    rebuildChooser();
    updateSaveButton();
}

QWidget* LinkFormSheet::buildHeader() {
    auto* title = ScreenStyle::label(isEditing() ? tr("Edit Link") : tr("Add Link"),
                                     Theme::font(17, QFont::DemiBold), Theme::textPrimary());
    title->setObjectName(QStringLiteral("sheetTitle"));
    auto* close = SheetChrome::closeButton(18, tr("Close"));
    connect(close, &QPushButton::clicked, this, &LinkFormSheet::dismiss);
    return SheetChrome::titleRow(title, close, QMargins(32, 32, 32, 32));
}

QWidget* LinkFormSheet::buildForm() {
    auto* form = new QWidget;
    auto* column = new QVBoxLayout(form);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(24);

    const auto labelled = [](const QString& label, QWidget* content) {
        auto* box = new QWidget;
        auto* v = new QVBoxLayout(box);
        v->setContentsMargins(0, 0, 0, 0);
        v->setSpacing(6);
        v->addWidget(caption(label));
        v->addWidget(content);
        return box;
    };
    title_ = field(tr("e.g. Wikipedia"), QStringLiteral("titleField"));
    title_->setAccessibleName(tr("Title"));
    column->addWidget(labelled(tr("TITLE"), title_));
    url_ = field(tr("https://..."), QStringLiteral("urlField"));
    url_->setAccessibleName(tr("URL"));
    column->addWidget(labelled(tr("URL"), url_));

    auto* group = new QWidget;
    chooserHost_ = new QVBoxLayout(group);
    chooserHost_->setContentsMargins(0, 0, 0, 0);
    chooserHost_->setSpacing(6);
    chooserHost_->addWidget(caption(tr("CATEGORY")));
    column->addWidget(group);
    column->addStretch(1);
    form_ = form;
    scroll_ = BareScrollArea::wrap(form);
    return scroll_;
}

QWidget* LinkFormSheet::buildFooter() {
    auto* footer = new QWidget;
    auto* row = new QHBoxLayout(footer);
    row->setContentsMargins(32, 32, 32, 32);
    auto* cancel =
        ScreenStyle::textButton(tr("Cancel"), Theme::font(13, QFont::Medium), Theme::textSecondary());
    cancel->setObjectName(QStringLiteral("cancelButton"));
    FocusAfter::markAction(cancel, FocusAfter::Action::deletes);
    connect(cancel, &QPushButton::clicked, this, &LinkFormSheet::dismiss);
    row->addWidget(cancel);
    row->addStretch(1);
    save_ = ScreenStyle::filledButton(isEditing() ? tr("Update Link") : tr("Save Link"),
                                      Theme::font(14, QFont::Medium), Theme::css(AppTheme::Colors::sky()), 32,
                                      9, 12);
    save_->setObjectName(QStringLiteral("saveButton"));
    KeyboardLayer::markDefault(save_);
    connect(save_, &QPushButton::clicked, this, &LinkFormSheet::save);
    row->addWidget(save_);
    return footer;
}

void LinkFormSheet::rebuildChooser() {
    const QStringList existing = viewModel_->categoryNames();
    const bool hadFocus = newCategory_ && newCategory_->hasFocus();
    if (chooser_) {
        chooserHost_->removeWidget(chooser_);
        chooser_->hide();
        chooser_->deleteLater();
        newCategory_ = nullptr;
    }
    chooser_ = new QWidget;
    chooser_->setObjectName(QStringLiteral("categoryChooser"));
    if (!showNewCategory_ && !existing.isEmpty()) {
        auto* box = new QVBoxLayout(chooser_);
        box->setContentsMargins(0, 0, 0, 0);
        box->setSpacing(0);
        chooser_->setAttribute(Qt::WA_StyledBackground);
        chooser_->setStyleSheet(QStringLiteral("#categoryChooser { background: %1; border-radius: 8px; }")
                                    .arg(Theme::css(Theme::backgroundTertiary())));
        for (const QString& name : existing) {
            auto* row = new CategoryRow(name, name == category_);
            connect(row, &QPushButton::clicked, this, [this, name] { chooseCategory(name); });
            box->addWidget(row);
            box->addWidget(ScreenStyle::divider());
        }
        auto* add = ScreenStyle::textButton(tr("New Category"), Theme::font(13, QFont::Medium),
                                            AppTheme::Colors::sky());
        add->setObjectName(QStringLiteral("newCategoryButton"));
        ScreenStyle::setSymbol(add, QStringLiteral("plus"), AppTheme::Colors::sky(), 11);
        add->setContentsMargins(16, 8, 16, 8);
        add->setStyleSheet(add->styleSheet() +
                           QStringLiteral("QPushButton { padding: 8px 16px; text-align: left; }"));
        connect(add, &QPushButton::clicked, this, &LinkFormSheet::startNewCategory);
        box->addWidget(add);
    } else {
        auto* row = new QHBoxLayout(chooser_);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(8);
        newCategory_ = field(tr("New category name"), QStringLiteral("newCategoryField"));
        newCategory_->setText(category_);
        connect(newCategory_, &QLineEdit::textChanged, this, [this](const QString& text) {
            category_ = text;
            updateSaveButton();
        });
        row->addWidget(newCategory_, 1);
        if (!existing.isEmpty()) {
            auto* pick =
                ScreenStyle::textButton(tr("Pick existing"), Theme::font(11), AppTheme::Colors::sky());
            pick->setObjectName(QStringLiteral("pickExistingButton"));
            connect(pick, &QPushButton::clicked, this, &LinkFormSheet::pickExisting);
            row->addWidget(pick);
        }
        if (hadFocus)
            newCategory_->setFocus();
    }
    chooserHost_->addWidget(chooser_);
    // The sheet grows with the form up to a height that leaves room in a small window; a long
    // list of categories scrolls.
    scroll_->setMinimumHeight(std::min(form_->sizeHint().height(), kMaxFormHeight));
    updateSaveButton();
}

bool LinkFormSheet::isValid() const {
    return !title_->text().trimmed().isEmpty() && !url_->text().trimmed().isEmpty() &&
           !category_.trimmed().isEmpty();
}

void LinkFormSheet::updateSaveButton() {
    if (!save_)
        return;
    const bool valid = isValid();
    save_->setEnabled(valid);
    ScreenStyle::setButtonFill(
        save_, Theme::css(Theme::withOpacity(AppTheme::Colors::sky(), valid ? 1.0 : 0.4)), 32, 9, 12);
}

void LinkFormSheet::chooseCategory(const QString& name) {
    category_ = name;
    rebuildChooser();
}

void LinkFormSheet::startNewCategory() {
    showNewCategory_ = true;
    category_.clear();
    rebuildChooser();
    if (newCategory_)
        newCategory_->setFocus();
}

void LinkFormSheet::pickExisting() {
    const QStringList existing = viewModel_->categoryNames();
    showNewCategory_ = false;
    category_ = existing.isEmpty() ? QString() : existing.first();
    rebuildChooser();
}

void LinkFormSheet::save() {
    if (!isValid())
        return;
    const bool saved = existing_ ? viewModel_->updateLink(existing_, title_->text(), url_->text(), category_)
                                 : viewModel_->addLink(title_->text(), url_->text(), category_);
    // A failed save was told in the window's alert; what was typed stays for another try.
    if (saved)
        dismiss();
}

void LinkFormSheet::dismiss() {
    if (SheetHost* host = SheetHost::of(this))
        host->dismiss();
}

void LinkFormSheet::paintEvent(QPaintEvent*) {
    ScreenStyle::paintSheetCard(this, Theme::backgroundPrimary());
}
