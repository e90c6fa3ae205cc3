#include "Views/Links/LinkRow.h"

#include "Components/Animator.h"
#include "Components/FocusAfter.h"
#include "Components/FocusRing.h"
#include "Components/FocusWithin.h"
#include "Components/ScreenStyle.h"
#include "Components/Symbols.h"
#include "Models/LinkItem.h"
#include "Platform/TextHelpers.h"
#include "Platform/UrlOpener.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QEnterEvent>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr int kIcon = 28;
constexpr int kPadH = 16;
constexpr int kSpacing = 16;

QPushButton* actionButton(const QString& symbol, const QColor& color, const QString& tip,
                          const QString& name) {
    auto* button = ScreenStyle::textButton(QString(), Theme::systemFont(13), color);
    ScreenStyle::setSymbol(button, symbol, color, 13);
    button->setToolTip(tip);
    button->setObjectName(name);
    button->setFixedSize(24, 24);
    return button;
}

} // namespace

LinkRow::LinkRow(std::shared_ptr<LinkItem> link, Action onEdit, Action onDelete, QWidget* parent)
    : QWidget(parent), link_(std::move(link)), actions_(new QWidget(this)), focus_(new FocusWithin(this)) {
    setObjectName(QStringLiteral("linkRow"));
    setFocusPolicy(Qt::StrongFocus);
    FocusRing::setCornerRadius(this, 12);
    setAttribute(Qt::WA_Hover);
    setFixedHeight(kHeight);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(kPadH, 10, kPadH, 10);
    row->addStretch(1);
    auto* buttons = new QHBoxLayout(actions_);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(4);
    auto* open = actionButton(QStringLiteral("arrow.up.right.square"), AppTheme::Colors::sky(),
                              tr("Open link"), QStringLiteral("openLinkButton"));
    auto* edit = actionButton(QStringLiteral("pencil"), Theme::textSecondary(), tr("Edit"),
                              QStringLiteral("editLinkButton"));
    auto* remove = actionButton(QStringLiteral("trash"), AppTheme::Colors::rose(), tr("Delete"),
                                QStringLiteral("deleteLinkButton"));
    buttons_ = {open, edit, remove};
    FocusAfter::markAction(open, FocusAfter::Action::opens);
    FocusAfter::markAction(edit, FocusAfter::Action::opens);
    FocusAfter::markAction(remove, FocusAfter::Action::deletes);
    FocusAfter::markRow(this);
    for (QPushButton* button : std::as_const(buttons_)) {
        buttons->addWidget(button);
        button->setFocusPolicy(Qt::NoFocus);
    }
    row->addWidget(actions_);
    actions_->hide();

    connect(open, &QPushButton::clicked, this, &LinkRow::openLink);
    connect(edit, &QPushButton::clicked, this, [this, onEdit = std::move(onEdit)] {
        if (onEdit && link_)
            onEdit(link_);
    });
    connect(remove, &QPushButton::clicked, this, [this, onDelete = std::move(onDelete)] {
        if (onDelete && link_)
            onDelete(link_);
    });

    // Tab from the last button leaves the row without a focus-out of the row itself.
    connect(focus_, &FocusWithin::changed, this, &LinkRow::updateHover);
    setLink(link_);
}

void LinkRow::setLink(std::shared_ptr<LinkItem> link) {
    link_ = std::move(link);
    const QString title = link_ ? link_->title().value_or(QString()) : QString();
    const QString url = link_ ? link_->url().value_or(QString()) : QString();
    setToolTip(Text::plainToolTip(title.isEmpty() ? url : title + QLatin1Char('\n') + url));
    setAccessibleName(title);
    update();
}

bool LinkRow::actionsShown() const {
    return actions_->isVisible();
}

void LinkRow::openLink() {
    if (link_)
        UrlOpener::open(link_->url().value_or(QString()));
}

QSize LinkRow::sizeHint() const {
    return {400, kHeight};
}

QSize LinkRow::minimumSizeHint() const {
    return {kPadH * 2 + kIcon + kSpacing + 40, kHeight};
}

void LinkRow::setActionsOpacity(double opacity) {
    if (opacity >= 1.0) {
        actions_->setGraphicsEffect(nullptr);
        return;
    }
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(actions_->graphicsEffect());
    if (!effect) {
        effect = new QGraphicsOpacityEffect(actions_);
        actions_->setGraphicsEffect(effect);
    }
    effect->setOpacity(opacity);
}

void LinkRow::updateHover() {
    const bool hovered = underMouse() || focus_->isWithin();
    if (hovered == hovered_)
        return;
    hovered_ = hovered;
    if (hovered_)
        actions_->show();
    // The list is one Tab stop; the buttons of the row the keyboard is in follow it.
    QWidget* previous = this;
    for (QPushButton* button : std::as_const(buttons_)) {
        FocusWithin::offer(previous, button, hovered_);
        previous = button;
    }
    Animator::stop(fade_);
    const double from = (backgroundStrength_ - 0.5) * 2;
    const double to = hovered_ ? 1.0 : 0.0;
    fade_ = Animator::run(
        this, AppTheme::Animation::snappy(),
        [this, from, to](double t) {
            const double value = std::clamp(from + (to - from) * t, 0.0, 1.0);
            backgroundStrength_ = 0.5 + 0.5 * value;
            setActionsOpacity(value);
            update();
        },
        0,
        [this] {
            // At rest the buttons draw directly or not at all.
            actions_->setGraphicsEffect(nullptr);
            actions_->setVisible(hovered_);
            update();
        });
}

void LinkRow::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    updateHover();
}

void LinkRow::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    updateHover();
}

void LinkRow::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void LinkRow::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void LinkRow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space) {
        openLink();
        return;
    }
    QWidget::keyPressEvent(event);
}

void LinkRow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath background;
    background.addRoundedRect(QRectF(rect()), 12, 12);
    p.fillPath(background, Theme::withOpacity(Theme::backgroundSecondary(), backgroundStrength_));
    if (hasFocus()) {
        p.setPen(QPen(AppTheme::Colors::sky(), 1.5));
        p.drawRoundedRect(QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75), 12, 12);
    }

    const QRectF icon(kPadH, (height() - kIcon) / 2.0, kIcon, kIcon);
    QPainterPath iconBox;
    iconBox.addRoundedRect(icon, 7, 7);
    p.fillPath(iconBox, Theme::withOpacity(AppTheme::Colors::sky(), 0.12));
    Symbols::paint(p, icon.adjusted(7, 7, -7, -7), QStringLiteral("link"), AppTheme::Colors::sky());

    const int textLeft = kPadH + kIcon + kSpacing;
    const int textRight = (actions_->isVisible() ? actions_->geometry().left() - kSpacing : width() - kPadH);
    const int textWidth = std::max(0, textRight - textLeft);
    const QFont titleFont = Theme::font(13, QFont::Medium);
    const QFont urlFont = Theme::font(11);
    const QFontMetrics tm(titleFont);
    const QFontMetrics um(urlFont);
    const int block = tm.height() + 2 + um.height();
    const int top = (height() - block) / 2;
    p.setFont(titleFont);
    p.setPen(Theme::textPrimary());
    p.drawText(
        QRect(textLeft, top, textWidth, tm.height()), Qt::AlignLeft | Qt::AlignVCenter,
        tm.elidedText(link_ ? link_->title().value_or(QString()) : QString(), Qt::ElideRight, textWidth));
    p.setFont(urlFont);
    p.setPen(Theme::textMuted());
    p.drawText(
        QRect(textLeft, top + tm.height() + 2, textWidth, um.height()), Qt::AlignLeft | Qt::AlignVCenter,
        um.elidedText(link_ ? link_->url().value_or(QString()) : QString(), Qt::ElideRight, textWidth));
}
