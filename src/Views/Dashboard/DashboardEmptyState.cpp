#include "Views/Dashboard/DashboardEmptyState.h"

#include "Components/CastShadow.h"
#include "Components/PressEffect.h"
#include "Components/ScreenStyle.h"
#include "Components/Symbols.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QRadialGradient>
#include <QVBoxLayout>

namespace {

constexpr int kEmblem = 100;
constexpr int kGlow = 20;

// The indigo disc under a target drawn in an indigo-to-cyan gradient, with its soft glow
// painted around it (a fixed picture, so nothing is re-blurred).
class TargetEmblem : public QWidget {
public:
    explicit TargetEmblem(QWidget* parent) : QWidget(parent) {
        setFixedSize(kEmblem + 2 * kGlow, kEmblem + 2 * kGlow);
        setAttribute(Qt::WA_TranslucentBackground);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QPointF centre = QRectF(rect()).center();
        const QColor indigo = AppTheme::Colors::indigo();
        QRadialGradient glow(centre, kEmblem / 2.0 + kGlow);
        glow.setColorAt(0.55, Theme::withOpacity(indigo, 0.3));
        glow.setColorAt(1.0, Theme::withOpacity(indigo, 0.0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(centre, kEmblem / 2.0 + kGlow, kEmblem / 2.0 + kGlow);
        p.setBrush(Theme::withOpacity(indigo, 0.1));
        p.drawEllipse(centre, kEmblem / 2.0, kEmblem / 2.0);

        const int side = Symbols::pixelSizeForFontSize(44);
        const qreal ratio = devicePixelRatioF();
        QPixmap symbol = Symbols::pixmap(QStringLiteral("target"), side, Qt::white, ratio);
        {
            QPainter tint(&symbol);
            tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
            QLinearGradient gradient(0, 0, side, side);
            gradient.setColorAt(0, indigo);
            gradient.setColorAt(1, AppTheme::Colors::cyan());
            tint.fillRect(QRectF(0, 0, side, side), gradient);
        }
        p.drawPixmap(QRectF(centre.x() - side / 2.0, centre.y() - side / 2.0, side, side), symbol,
                     QRectF(symbol.rect()));
    }
};

} // namespace

DashboardEmptyState::DashboardEmptyState(std::function<void()> onCreate, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("dashboardEmptyState"));
    auto* column = new QVBoxLayout(this);
    // The glow around the emblem takes part of the 80 points of room above.
    column->setContentsMargins(0, 80 - kGlow, 0, 0);
    column->setSpacing(0);
    column->addWidget(new TargetEmblem(this), 0, Qt::AlignHCenter);
    column->addSpacing(32 - kGlow);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(8);
    texts->addWidget(ScreenStyle::label(tr("Set Your First Goal"), Theme::font(26, QFont::Bold),
                                        Theme::textPrimary(), this),
                     0, Qt::AlignHCenter);
    auto* invitation = ScreenStyle::label(tr("Define what you want to achieve and start\n"
                                             "tracking your progress every day."),
                                          Theme::font(15), Theme::textSecondary(), this);
    invitation->setAlignment(Qt::AlignCenter);
    invitation->setWordWrap(true);
    texts->addWidget(invitation);
    column->addLayout(texts);
    column->addSpacing(32);

    const QString gradient =
        QStringLiteral("qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 %1, stop:1 %2)")
            .arg(Theme::css(AppTheme::Colors::indigo()), Theme::css(AppTheme::Colors::violet()));
    create_ = ScreenStyle::filledButton(tr("Create Your First Goal"), Theme::font(15, QFont::Medium),
                                        gradient, 32, 16, 24);
    create_->setObjectName(QStringLiteral("createFirstGoalButton"));
    ScreenStyle::setSymbol(create_, QStringLiteral("plus"), Qt::white, 14);
    PressEffect::attach(create_);
    CastShadow::set(create_, {Theme::withOpacity(AppTheme::Colors::indigo(), 0.45), 16, 0, 6}, 24);
    connect(create_, &QPushButton::clicked, this, [onCreate = std::move(onCreate)] {
        if (onCreate)
            onCreate();
    });
    column->addWidget(create_, 0, Qt::AlignHCenter);
}
