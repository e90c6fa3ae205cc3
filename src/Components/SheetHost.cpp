#include "Components/SheetHost.h"

#include "Components/Animator.h"
#include "Components/KeyboardLayer.h"
#include "Components/MotionEffect.h"
#include "Components/SheetCard.h"
#include "Components/SheetFrame.h"
#include "ViewModels/Extensions/ImageBlur.h"
#include "ViewModels/Theme/AppTheme.h"

#include <QKeyEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QSpacerItem>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr double kDim = 0.45;

// A vertical gap that prefers one height and shrinks to another, never below.
class GapItem : public QSpacerItem {
public:
    GapItem(int preferred, int minimum)
        : QSpacerItem(0, preferred, QSizePolicy::Minimum, QSizePolicy::Preferred), minimum_(minimum) {}
    QSize minimumSize() const override { return QSize(0, minimum_); }

private:
    int minimum_;
};

} // namespace

SheetHost* SheetHost::present(QWidget* window, QWidget* content, int width, std::function<void()> onDismiss) {
    return new SheetHost(window->window(), content, width, std::move(onDismiss));
}

SheetHost* SheetHost::of(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (auto* host = qobject_cast<SheetHost*>(const_cast<QWidget*>(w)))
            return host;
    return nullptr;
}

SheetHost* SheetHost::topmost(const QWidget* window) {
    SheetHost* top = nullptr;
    for (QObject* child : window->window()->children())
        if (auto* host = qobject_cast<SheetHost*>(child); host && !host->isDismissing())
            top = host;
    return top;
}

SheetHost::SheetHost(QWidget* window, QWidget* content, int width, std::function<void()> onDismiss)
    : QWidget(window), window_(window), card_(new SheetCard(this)), content_(content), width_(width),
      onDismiss_(std::move(onDismiss)) {
    setObjectName(QStringLiteral("sheetHost"));
    setAttribute(Qt::WA_TranslucentBackground);
    // The host takes the focus when handed it, never from a click: a click on the card's empty
    // space or on a control that takes no focus (a date's calendar button) leaves it where it is.
    setFocusPolicy(Qt::TabFocus);
    auto* layout = new QVBoxLayout(card_);
    layout->setContentsMargins(0, 0, 0, 0);
    if (content->findChild<SheetFrame*>()) {
        layout->addWidget(content);
    } else {
        frame_ = new SheetFrame(content);
        layout->addWidget(frame_);
    }
    window_->installEventFilter(this);
    card_->installEventFilter(this);
    setGeometry(window_->rect());
    layoutCard();
    // The sheet owns the keyboard while it is up: Tab goes round its controls, the focus starts
    // on its first field and goes back to the control that opened it.
    KeyboardLayer::install(this);
    show();
    raise();
    MotionEffect::of(card_);
    QPointer<SheetHost> self(this);
    animation_ = Animator::run(this, AppTheme::Animation::snappy(), [self](double t) {
        if (self)
            self->setReveal(t);
    });
    if (!animation_)
        card_->setGraphicsEffect(nullptr);
    else
        connect(animation_, &QObject::destroyed, card_, [self] {
            if (self && !self->dismissing_)
                self->card_->setGraphicsEffect(nullptr);
        });
}

void SheetHost::setReveal(double reveal) {
    reveal_ = reveal;
    if (auto* effect = qobject_cast<MotionEffect*>(card_->graphicsEffect())) {
        effect->setOpacity(std::clamp(reveal, 0.0, 1.0));
        effect->setScale(0.96 + 0.04 * reveal);
    }
    update();
}

void SheetHost::addGap(QBoxLayout* column, int preferred, int minimum) {
    column->addSpacerItem(new GapItem(preferred, std::min(minimum, preferred)));
}

void SheetHost::setCardHeight(int height) {
    fixedHeight_ = height;
    layoutCard();
}

void SheetHost::layoutCard() {
    const int maxHeight = std::max(80, height() - 2 * kWindowMargin);
    const int cardWidth = std::min(width_, std::max(80, width() - 2 * kWindowMargin));
    int h = fixedHeight_;
    if (h <= 0 && frame_) {
        h = frame_->heightFor(cardWidth);
    } else if (h <= 0) {
        QLayout* layout = card_->layout();
        h = layout->hasHeightForWidth() ? layout->heightForWidth(cardWidth) : layout->sizeHint().height();
    }
    h = std::min(h, maxHeight);
    card_->setGeometry((width() - cardWidth) / 2, (height() - h) / 2, cardWidth, h);
}

void SheetHost::dismiss() {
    if (dismissing_)
        return;
    dismissing_ = true;
    window_->removeEventFilter(this);
    auto callback = std::move(onDismiss_);
    onDismiss_ = nullptr;
    hide();
    emit dismissed();
    if (callback)
        callback();
    deleteLater();
}

void SheetHost::withdraw() {
    onDismiss_ = nullptr;
    const QSignalBlocker silent(this);
    dismiss();
}

void SheetHost::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double t = std::clamp(reveal_, 0.0, 1.0);
    p.fillRect(rect(), QColor(0, 0, 0, int(255 * kDim * t)));
    // The card shadow, painted here so typing in the card never re-blurs it.
    const AppTheme::Shadow& shadow = AppTheme::Shadows::card();
    const QRectF cardRect = QRectF(card_->geometry()).translated(shadow.x, shadow.y);
    for (int i = 4; i >= 1; --i) {
        const double grow = shadow.radius * i / 4.0;
        QColor c = shadow.color;
        c.setAlphaF(float(c.alphaF() * t / 5.0));
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawRoundedRect(cardRect.adjusted(-grow, -grow, grow, grow), kCardRadius + grow,
                          kCardRadius + grow);
    }
}

void SheetHost::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        if (escapeCloses_)
            dismiss();
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A Return that neither a field nor the sheet's default button used.
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void SheetHost::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

bool SheetHost::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Resize) {
        setGeometry(window_->rect());
        layoutCard();
    } else if (watched == card_ && event->type() == QEvent::LayoutRequest) {
        layoutCard();
    }
    return QWidget::eventFilter(watched, event);
}
