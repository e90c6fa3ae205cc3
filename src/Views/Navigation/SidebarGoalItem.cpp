#include "Views/Navigation/SidebarGoalItem.h"

#include "Components/Animator.h"
#include "Components/FocusWithin.h"
#include "Components/Symbols.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Navigation/SidebarGlow.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int kEyeSize = 16;
constexpr double kDot = 7;

QFont percentFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(10);
    return font;
}

} // namespace

SidebarGoalItem::SidebarGoalItem(const SidebarGoalText& text, AppViewModel* appViewModel, QWidget* parent)
    : QWidget(parent), text_(text), appViewModel_(appViewModel), eye_(new QToolButton(this)),
      focus_(new FocusWithin(this)) {
    setObjectName(QStringLiteral("sidebarGoalItem"));
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    eye_->setObjectName(QStringLiteral("sidebarGoalEye"));
    eye_->setAutoRaise(true);
    eye_->setCursor(Qt::ArrowCursor);
    eye_->setFixedSize(kEyeSize, kEyeSize);
    eye_->setIconSize(QSize(Symbols::pixelSizeForFontSize(9), Symbols::pixelSizeForFontSize(9)));
    eye_->setStyleSheet(QStringLiteral("QToolButton { border: none; background: transparent; padding: 0; }"));
    // Drawn only under the pointer or while the row has the keyboard focus: no Tab stop else.
    eye_->setFocusPolicy(Qt::NoFocus);
    connect(focus_, &FocusWithin::changed, this, [this](bool within) {
        FocusWithin::offer(this, eye_, within);
        updateEye();
        update();
    });
    connect(eye_, &QToolButton::clicked, this, [this] {
        if (appViewModel_)
            appViewModel_->toggleGoalHidden(goalID());
    });
    refresh();
}

QString SidebarGoalItem::eyeSymbol() const {
    return text_.masked ? QStringLiteral("eye.slash") : QStringLiteral("eye");
}

void SidebarGoalItem::refresh() {
    updateEye();
    placeEye();
    update();
}

void SidebarGoalItem::setText(const SidebarGoalText& text) {
    text_ = text;
    refresh();
}

double SidebarGoalItem::eyeOpacity() const {
    return focus_->isWithin() ? 1.0 : hover_;
}

void SidebarGoalItem::updateEye() {
    // The eye shows only while the pointer is over the row or the row has the keyboard focus,
    // but it takes clicks always.
    const QColor color = Theme::withOpacity(Theme::textMuted(), eyeOpacity());
    eye_->setIcon(Symbols::icon(eyeSymbol(), color, Symbols::pixelSizeForFontSize(9)));
    const QString action = eyeSymbol() == QLatin1String("eye") ? tr("Hide title") : tr("Show title");
    eye_->setToolTip(action);
    eye_->setAccessibleName(action);
    setAccessibleName(titleText());
}

QSize SidebarGoalItem::sizeHint() const {
    return {220, kRowHeight};
}

QRectF SidebarGoalItem::percentRect() const {
    const QFontMetricsF metrics(percentFont());
    const double w = metrics.horizontalAdvance(percentText());
    return {width() - 20 - w, 0, w, double(height())};
}

void SidebarGoalItem::placeEye() {
    eye_->move(int(percentRect().left() - 8 - kEyeSize), (height() - kEyeSize) / 2);
}

void SidebarGoalItem::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeEye();
}

void SidebarGoalItem::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (hover_ > 0) {
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()).adjusted(4, 0, -4, 0), 8, 8);
        painter.fillPath(shape, QColor(255, 255, 255, int(std::lround(255 * 0.04 * hover_))));
    }
    if (!text_.goalID)
        return;

    const QColor dot = text_.color;
    const QRectF dotRect(20, (height() - kDot) / 2, kDot, kDot);
    SidebarGlow::paint(painter, dotRect, kDot / 2, Theme::withOpacity(dot, 0.6), 3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(dot);
    painter.drawEllipse(dotRect);

    const QRectF percent = percentRect();
    painter.setFont(percentFont());
    painter.setPen(Theme::textMuted());
    painter.drawText(percent, Qt::AlignVCenter | Qt::AlignRight, percentText());

    const double titleLeft = dotRect.right() + 8;
    const double titleRight = percent.left() - 8 - kEyeSize - 8;
    painter.setFont(Theme::font(12, QFont::Medium));
    painter.setPen(Theme::textSecondary());
    const QString elided = painter.fontMetrics().elidedText(titleText(), Qt::ElideRight,
                                                            int(std::max(0.0, titleRight - titleLeft)));
    // Drawn as plain text: whatever the user typed shows as typed.
    painter.drawText(QRectF(titleLeft, 0, std::max(0.0, titleRight - titleLeft), height()),
                     Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, elided);
}

void SidebarGoalItem::setHovered(bool hovered) {
    if (hovered == hovered_)
        return;
    hovered_ = hovered;
    Animator::stop(hoverAnimation_);
    const double from = hover_;
    const double to = hovered ? 1 : 0;
    hoverAnimation_ = Animator::run(this, AppTheme::Animation::snappy(), [this, from, to](double t) {
        hover_ = from + (to - from) * std::clamp(t, 0.0, 1.0);
        updateEye();
        update();
    });
}

void SidebarGoalItem::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    setHovered(true);
}

void SidebarGoalItem::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    setHovered(false);
}

void SidebarGoalItem::keyPressEvent(QKeyEvent* event) {
    // Return or Space on the focused row does what a click does.
    const bool press =
        event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space;
    if (!press || (event->modifiers() & ~Qt::KeypadModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (!event->isAutoRepeat())
        emit clicked();
}

void SidebarGoalItem::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void SidebarGoalItem::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        emit clicked();
}
