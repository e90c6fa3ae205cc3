#include "Views/Deadlines/FinanceDeadlineCardView.h"

#include "Components/ScreenStyle.h"
#include "Components/Symbols.h"
#include "Platform/UserDefaults.h"
#include "ViewModels/DeadlineCardText.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Deadlines/DeadlineCardLook.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace {

// The accent bar and the icon tile, painted together.
class FinanceBadge : public QWidget {
public:
    explicit FinanceBadge(QWidget* parent) : QWidget(parent) { setFixedSize(3 + 16 + 36, 52); }
    void setLook(const QColor& color, const QString& icon) {
        color_ = color;
        icon_ = icon;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(color_);
        p.drawRoundedRect(QRectF(0, 0, 3, 52), 2, 2);
        const QRectF tile(19, 8, 36, 36);
        p.setBrush(Theme::withOpacity(color_, 0.12));
        p.drawRoundedRect(tile, 8, 8);
        const int s = Symbols::pixelSizeForFontSize(14);
        Symbols::paint(p, QRectF(tile.center().x() - s / 2.0, tile.center().y() - s / 2.0, s, s), icon_,
                       color_);
    }

private:
    QColor color_;
    QString icon_;
};

} // namespace

FinanceDeadlineCardView::FinanceDeadlineCardView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("financeDeadlineCard"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(16);
    badge_ = new FinanceBadge(this);
    row->addWidget(badge_);
    auto* column = new QVBoxLayout;
    column->setSpacing(4);
    label_ = ScreenStyle::label(QString(), Theme::font(14, QFont::Medium), Theme::textPrimary(), this);
    label_->setObjectName(QStringLiteral("financeLabel"));
    label_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    column->addWidget(label_);
    date_ = ScreenStyle::label(QString(), Theme::font(11), Theme::textMuted(), this);
    column->addWidget(date_);
    row->addLayout(column, 1);
    amount_ = ScreenStyle::label(QString(), Theme::font(14, QFont::Bold), Theme::textMuted(), this);
    amount_->setObjectName(QStringLiteral("financeAmount"));
    row->addWidget(amount_, 0, Qt::AlignVCenter);
    // The amount follows a change of the finance currency.
    connect(&UserDefaults::standard(), &UserDefaults::changed, this, [this](const QString& key) {
        if (FinanceDeadlineText::amountFollows(key))
            showAmount();
    });
}

void FinanceDeadlineCardView::bind(const FinanceDeadline& item) {
    item_ = item;
    const FinanceDeadlineText text = FinanceDeadlineText::of(item_);
    static_cast<FinanceBadge*>(badge_)->setLook(item_.color, item_.icon);
    date_->setText(text.date);
    ScreenStyle::setTextColor(amount_, item_.color);
    amount_->setText(text.amount);
    showLabel();
    update();
}

int FinanceDeadlineCardView::naturalHeight() {
    static const int height = [] {
        FinanceDeadlineCardView sample;
        sample.label_->setText(QStringLiteral("Ag"));
        sample.date_->setText(QStringLiteral("Ag"));
        sample.amount_->setText(QStringLiteral("Ag"));
        return sample.sizeHint().height();
    }();
    return height;
}

QString FinanceDeadlineCardView::dateText() const {
    return date_->text();
}

QString FinanceDeadlineCardView::amountText() const {
    return amount_->text();
}

void FinanceDeadlineCardView::showAmount() {
    amount_->setText(FinanceDeadlineText::amountText(item_.amount));
}

void FinanceDeadlineCardView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    showLabel();
}

void FinanceDeadlineCardView::showLabel() {
    DeadlineCardLook::showElided(label_, item_.label);
}

void FinanceDeadlineCardView::paintEvent(QPaintEvent*) {
    DeadlineCardLook::paint(this, Qt::transparent, Theme::withOpacity(item_.color, 0.15));
}
