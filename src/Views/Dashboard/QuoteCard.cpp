#include "Views/Dashboard/QuoteCard.h"

#include "Components/ScreenStyle.h"
#include "Components/SymbolIcon.h"
#include "Components/Symbols.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QVBoxLayout>

namespace {

// The 3-point capsule down the card's leading side, indigo through violet to cyan.
class AccentBar : public QWidget {
public:
    explicit AccentBar(QWidget* parent) : QWidget(parent) {
        setFixedWidth(3);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient gradient(0, 0, 0, height());
        gradient.setColorAt(0, AppTheme::Colors::indigo());
        gradient.setColorAt(0.5, AppTheme::Colors::violet());
        gradient.setColorAt(1, AppTheme::Colors::cyan());
        p.setPen(Qt::NoPen);
        p.setBrush(gradient);
        p.drawRoundedRect(QRectF(rect()), width() / 2.0, width() / 2.0);
    }
};

} // namespace

QuoteCard::QuoteCard(QWidget* parent) : GlassCard(18, 1.0, AppTheme::Colors::indigo(), parent) {
    setObjectName(QStringLiteral("quoteCard"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(24, 24, 24, 24);
    row->setSpacing(24);
    row->addWidget(new AccentBar(this));

    auto* column = new QVBoxLayout;
    column->setSpacing(8);
    auto* labelRow = new QHBoxLayout;
    labelRow->setSpacing(6);
    labelRow->addWidget(new SymbolIcon(QStringLiteral("quote.bubble.fill"), Symbols::pixelSizeForFontSize(13),
                                       AppTheme::Colors::indigo(), this));
    labelRow->addWidget(ScreenStyle::label(tr("DAILY INSPIRATION"), ScreenStyle::kerned(Theme::font(10), 1.5),
                                           Theme::textMuted(), this));
    labelRow->addStretch(1);
    column->addLayout(labelRow);

    QFont quoteFont = Theme::font(15, QFont::DemiBold);
    quoteFont.setItalic(true);
    quote_ = ScreenStyle::label(QString(), quoteFont, Theme::textPrimary(), this);
    quote_->setObjectName(QStringLiteral("quoteText"));
    quote_->setWordWrap(true);
    column->addWidget(quote_);
    author_ = ScreenStyle::label(QString(), Theme::font(12, QFont::Medium), Theme::textSecondary(), this);
    author_->setObjectName(QStringLiteral("quoteAuthor"));
    column->addWidget(author_);
    row->addLayout(column, 1);
}

void QuoteCard::setQuote(const QString& text, const QString& author) {
    quote_->setText(QLatin1Char('"') + text + QLatin1Char('"'));
    author_->setText(QStringLiteral("\u2014 ") + author);
}

QString QuoteCard::quoteText() const {
    return quote_->text();
}

QString QuoteCard::authorText() const {
    return author_->text();
}
