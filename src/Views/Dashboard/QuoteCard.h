#pragma once

#include "Components/GlassCard.h"

class QLabel;

// The day's motivational quote on a glass card, behind a gradient accent bar.
class QuoteCard : public GlassCard {
    Q_OBJECT
public:
    explicit QuoteCard(QWidget* parent = nullptr);

    void setQuote(const QString& text, const QString& author);
    QString quoteText() const;
    QString authorText() const;

private:
    QLabel* quote_;
    QLabel* author_;
};
