#include "Views/Goals/GoalsEmptyState.h"

#include "Components/Symbols.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kSymbolFontSize = 52;

// A large, thin symbol: the icon's shape filled with a brush.
QLabel* bigSymbol(QWidget* parent, const QString& name, const QBrush& fill) {
    const int size = Symbols::pixelSizeForFontSize(kSymbolFontSize);
    const qreal ratio = parent->devicePixelRatioF();
    QPixmap shape = Symbols::pixmap(name, size, Qt::white, ratio);
    QPainter p(&shape);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(QRectF(0, 0, size, size), fill);
    p.end();
    auto* label = new QLabel(parent);
    label->setPixmap(shape);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* text(QWidget* parent, const QString& name, const QString& content, const QFont& font,
             const QColor& color) {
    auto* label = new QLabel(content, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(Theme::css(color)));
    return label;
}

QVBoxLayout* column(QWidget* box) {
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 80, 0, 0);
    layout->setSpacing(24);
    return layout;
}

} // namespace

QWidget* GoalsEmptyState::forActiveGoals(QWidget* parent, std::function<void()> onCreate) {
    auto* box = new QWidget(parent);
    box->setObjectName(QStringLiteral("goalsEmptyState"));
    QVBoxLayout* layout = column(box);
    const int size = Symbols::pixelSizeForFontSize(kSymbolFontSize);
    QLinearGradient fill(0, 0, size, size);
    fill.setColorAt(0, Theme::withOpacity(AppTheme::Colors::indigo(), 0.7));
    fill.setColorAt(1, Theme::withOpacity(AppTheme::Colors::cyan(), 0.5));
    layout->addWidget(bigSymbol(box, QStringLiteral("target"), fill));
    layout->addWidget(text(box, QStringLiteral("goalsEmptyTitle"), QStringLiteral("No goals yet"),
                           Theme::font(20, QFont::DemiBold), Theme::textSecondary()));
    auto* create = new QPushButton(QStringLiteral("Create First Goal"), box);
    create->setObjectName(QStringLiteral("goalsCreateFirstGoal"));
    create->setFont(Theme::font(14, QFont::Medium));
    create->setCursor(Qt::PointingHandCursor);
    create->setFlat(true);
    create->setStyleSheet(QStringLiteral("QPushButton { color: %1; background: transparent; border: none; }")
                              .arg(Theme::css(AppTheme::Colors::indigo())));
    QObject::connect(create, &QPushButton::clicked, box, [onCreate] {
        if (onCreate)
            onCreate();
    });
    layout->addWidget(create, 0, Qt::AlignHCenter);
    return box;
}

void GoalsEmptyState::setSearching(QWidget* emptyState, bool searching) {
    if (auto* title = emptyState->findChild<QLabel*>(QStringLiteral("goalsEmptyTitle")))
        title->setText(searching ? QStringLiteral("No results") : QStringLiteral("No goals yet"));
    if (auto* create = emptyState->findChild<QPushButton*>(QStringLiteral("goalsCreateFirstGoal")))
        create->setVisible(!searching);
}

QWidget* GoalsEmptyState::forAchievedGoals(QWidget* parent) {
    auto* box = new QWidget(parent);
    box->setObjectName(QStringLiteral("goalsArchivedEmptyState"));
    QVBoxLayout* layout = column(box);
    layout->addWidget(
        bigSymbol(box, QStringLiteral("trophy"), Theme::withOpacity(AppTheme::Colors::gold(), 0.6)));
    layout->addWidget(text(box, QStringLiteral("goalsArchivedEmptyTitle"),
                           QStringLiteral("No achieved goals yet"), Theme::font(20, QFont::DemiBold),
                           Theme::textSecondary()));
    layout->addWidget(text(box, QStringLiteral("goalsArchivedEmptyHint"),
                           QStringLiteral("Mark a goal as achieved to see it here"), Theme::font(13),
                           Theme::textMuted()));
    return box;
}
