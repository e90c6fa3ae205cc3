#include "Views/Finance/CashFlowEntryRow.h"

#include "Components/ElidedLabel.h"
#include "Components/FocusAfter.h"
#include "Components/ScreenStyle.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Finance/FinanceForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QString nameOf(CashFlowEntryRow::Style style, const char* part) {
    static const char* const prefixes[] = {"income", "allocation", "dynamic"};
    return QLatin1String(prefixes[int(style)]) + QLatin1String(part);
}

} // namespace

int CashFlowEntryRow::radiusOf(Style style) {
    return style == Style::Dynamic ? 12 : 18;
}

QColor CashFlowEntryRow::edgeOf(Style style) {
    return style == Style::Income ? Theme::withOpacity(AppTheme::Colors::emerald(), 0.25)
                                  : AppTheme::Colors::borderSubtle();
}

int CashFlowEntryRow::bottomPadding(Style style) {
    return style == Style::Dynamic ? 1 : 16;
}

CashFlowEntryRow::CashFlowEntryRow(Style style, Action onEdit, Action onDelete, QWidget* parent)
    : CardSlice(radiusOf(style), edgeOf(style), parent), style_(style) {
    setObjectName(nameOf(style, "Row"));
    FocusAfter::markRow(this);
    setEnds(false, false);
    // The card's inner margin (16, or 1 around the dynamic card's full-width rows).
    const int inset = style == Style::Dynamic ? 1 : 16;
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(inset, 0, inset, 0);
    column->setSpacing(0);
    auto* ruleBox = new QWidget;
    auto* ruleRow = new QHBoxLayout(ruleBox);
    const int ruleInset = style == Style::Dynamic ? 16 : 0;
    ruleRow->setContentsMargins(ruleInset, 0, ruleInset, 0);
    ruleRow->addWidget(ScreenStyle::divider());
    rule_ = ruleBox;
    column->addWidget(rule_);

    auto* row = new QHBoxLayout;
    const int side = style == Style::Dynamic ? 16 : 0;
    row->setContentsMargins(side, 4, side, 4);
    row->setSpacing(style == Style::Dynamic ? 4 : 8);
    if (style == Style::Fixed) {
        swatch_ = new QWidget;
        swatch_->setObjectName(QStringLiteral("sliceColour"));
        swatch_->setFixedSize(10, 10);
        swatch_->setAttribute(Qt::WA_StyledBackground, true);
        row->addWidget(swatch_);
    }
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    title_ = FinanceForm::elidedLabel(Theme::font(13), Theme::textPrimary());
    title_->setObjectName(nameOf(style, "Title"));
    texts->addWidget(title_);
    if (style != Style::Fixed) {
        date_ = ScreenStyle::label(QString(), Theme::font(11), Theme::textMuted());
        texts->addWidget(date_);
    }
    if (style == Style::Dynamic) {
        category_ = ScreenStyle::label(QString(), Theme::font(10), AppTheme::Colors::amber());
        category_->setObjectName(QStringLiteral("categoryChip"));
        category_->setAttribute(Qt::WA_StyledBackground, true);
        category_->setStyleSheet(
            QStringLiteral("QLabel { background: %1; border-radius: 4px; padding: 2px 5px; }")
                .arg(Theme::css(Theme::withOpacity(AppTheme::Colors::amber(), 0.12))));
        texts->addWidget(category_, 0, Qt::AlignLeft);
    }
    row->addLayout(texts, 1);
    const QColor amountColor = style == Style::Income  ? AppTheme::Colors::emerald()
                               : style == Style::Fixed ? Theme::textPrimary()
                                                       : AppTheme::Colors::rose();
    amount_ = FinanceForm::figureLabel(Theme::font(13, QFont::Medium), amountColor);
    amount_->setObjectName(nameOf(style, "Amount"));
    row->addWidget(amount_);
    if (style == Style::Fixed)
        row->addSpacing(6);
    FinanceForm::addEditAndDelete(
        row, this, [this, onEdit = std::move(onEdit)] { onEdit(figures_); },
        [this, onDelete = std::move(onDelete)] { onDelete(figures_); });
    column->addLayout(row);
}

void CashFlowEntryRow::bind(const Figures& figures) {
    figures_ = figures;
    rule_->setVisible(figures.ruleAbove);
    setEnds(false, figures.lastInCard);
    const int inset = style_ == Style::Dynamic ? 1 : 16;
    layout()->setContentsMargins(inset, 0, inset, figures.lastInCard ? bottomPadding(style_) : 0);
    if (swatch_ && swatch_->property("swatch").value<QColor>() != figures.swatch) {
        swatch_->setProperty("swatch", figures.swatch);
        swatch_->setStyleSheet(
            QStringLiteral("background: %1; border-radius: 3px;").arg(Theme::css(figures.swatch)));
    }
    title_->setFullText(figures.title);
    setAccessibleName(figures.title);
    if (date_) {
        date_->setText(figures.date);
        date_->setVisible(!figures.date.isEmpty());
    }
    if (category_) {
        category_->setText(figures.category);
        category_->setVisible(!figures.category.isEmpty());
    }
    amount_->setFullText(figures.amount);
}
