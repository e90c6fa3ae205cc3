#pragma once

#include <QWidget>

class QHBoxLayout;
class QLabel;
class SymbolIcon;

// The head of one bucket of the deadlines screen: its symbol, title and count. Its goals
// (earliest deadline first) and after them its bills and renewals follow it as rows of the
// screen's list. A head below another section keeps the gap above it inside itself.
class DeadlinesSection : public QWidget {
    Q_OBJECT
public:
    explicit DeadlinesSection(QWidget* parent = nullptr);

    void bind(const QString& title, const QString& symbol, const QColor& color, int count, bool first);
    QString title() const { return title_; }
    QString countText() const;
    // The height of a head, and the gap kept above every head but the first.
    static int naturalHeight();
    static constexpr int kGapAbove = 16;

private:
    QString title_;
    QHBoxLayout* row_;
    SymbolIcon* icon_;
    QLabel* titleLabel_;
    QLabel* count_;
};
