#include "Views/Deadlines/FinanceDeadlineCardView.h"

#include "Components/ScreenStyle.h"
#include "Components/Symbols.h"
#include "Platform/DateText.h"
#include "Platform/MoneyFormatter.h"
#include "Platform/UserDefaults.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Dashboard/PlainToolTip.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {

constexpr double kRadius = 18;

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
        if (key == MoneyFormatter::currencyCodeKey)
            showAmount();
    });
}

void FinanceDeadlineCardView::bind(const DeadlinesViewModel::FinanceDeadline& item) {
    item_ = item;
    static_cast<FinanceBadge*>(badge_)->setLook(item_.color, item_.icon);
    date_->setText(dueDateText(item_.dueDate.toLocalTime().date()));
    ScreenStyle::setTextColor(amount_, item_.color);
    showAmount();
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

QString FinanceDeadlineCardView::dueDateText(const QDate& date) {
    return DateText::longDate(date);
}

QString FinanceDeadlineCardView::dateText() const {
    return date_->text();
}

QString FinanceDeadlineCardView::amountText() const {
    return amount_->text();
}

void FinanceDeadlineCardView::showAmount() {
    amount_->setText(MoneyFormatter::format(item_.amount, 0));
}

void FinanceDeadlineCardView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    showLabel();
}

void FinanceDeadlineCardView::showLabel() {
    const QString shown =
        label_->fontMetrics().elidedText(item_.label, Qt::ElideRight, std::max(0, label_->width()));
    label_->setText(shown);
    label_->setToolTip(shown == item_.label ? QString() : PlainToolTip::of(item_.label));
}

void FinanceDeadlineCardView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
    p.fillPath(shape, Theme::backgroundSecondary());
    p.setPen(QPen(Theme::withOpacity(item_.color, 0.15), 1));
    p.drawPath(shape);
}
