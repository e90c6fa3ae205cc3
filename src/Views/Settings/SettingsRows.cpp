#include "Views/Settings/SettingsRows.h"

#include "Components/GlassCard.h"
#include "Components/ScreenStyle.h"
#include "Components/Symbols.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/ColorHex.h"
#include "ViewModels/Theme/Theme.h"
#include "ViewModels/Theme/ThemeManager.h"

#include <QColorDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

class ActionRow : public QAbstractButton {
public:
    ActionRow(const QString& symbol, const QColor& tint, const QString& title, const QString& subtitle)
        : symbol_(symbol), tint_(tint), subtitle_(subtitle) {
        setText(title);
        setAccessibleName(title);
        setAccessibleDescription(subtitle);
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::StrongFocus);
    }
    QSize sizeHint() const override { return {320, 48}; }
    QSize minimumSizeHint() const override { return {160, 48}; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        if (hasFocus()) {
            p.setPen(QPen(AppTheme::Colors::purple(), 1.5));
            p.drawRoundedRect(QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75), 8, 8);
        }
        const QRectF square(0, (height() - 32) / 2.0, 32, 32);
        QPainterPath box;
        box.addRoundedRect(square, 8, 8);
        p.fillPath(box, Theme::withOpacity(tint_, 0.12));
        Symbols::paint(p, square.adjusted(9, 9, -9, -9), symbol_, tint_);
        const int left = 32 + 12;
        const int right = width() - 20;
        const QFont titleFont = Theme::font(14);
        const QFont subFont = Theme::font(11);
        const QFontMetrics tm(titleFont), sm(subFont);
        const int top = (height() - tm.height() - 2 - sm.height()) / 2;
        p.setFont(titleFont);
        p.setPen(Theme::textPrimary());
        p.drawText(QRect(left, top, right - left, tm.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   tm.elidedText(text(), Qt::ElideRight, right - left));
        p.setFont(subFont);
        p.setPen(Theme::textSecondary());
        p.drawText(QRect(left, top + tm.height() + 2, right - left, sm.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, sm.elidedText(subtitle_, Qt::ElideRight, right - left));
        Symbols::paint(p, QRectF(width() - 12, (height() - 12) / 2.0, 12, 12),
                       QStringLiteral("chevron.right"), Theme::textMuted());
    }

private:
    QString symbol_;
    QColor tint_;
    QString subtitle_;
};

} // namespace

namespace SettingsRows {

QWidget* section(const QString& title, QWidget* content) {
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    auto* heading = ScreenStyle::label(
        title.toUpper(), ScreenStyle::kerned(Theme::font(10, QFont::DemiBold), 1.2), Theme::textMuted());
    heading->setObjectName(QStringLiteral("sectionTitle"));
    column->addWidget(heading);
    auto* card = new GlassCard(18, 1.0);
    auto* inner = new QVBoxLayout(card);
    inner->setContentsMargins(24, 24, 24, 24);
    inner->setSpacing(8);
    inner->addWidget(content);
    column->addWidget(card);
    return box;
}

QAbstractButton* actionRow(const QString& symbol, const QColor& tint, const QString& title,
                           const QString& subtitle) {
    return new ActionRow(symbol, tint, title, subtitle);
}

QWidget* infoRow(const QString& label, const QString& value) {
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 3, 0, 3);
    h->addWidget(ScreenStyle::label(label, Theme::font(13, QFont::Medium), Theme::textSecondary()));
    h->addStretch(1);
    auto* v = ScreenStyle::label(value, Theme::font(13), Theme::textMuted());
    v->setObjectName(QStringLiteral("infoValue"));
    h->addWidget(v);
    return row;
}

QWidget* controlRow(const QString& title, QWidget* control) {
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 4, 0, 4);
    auto* label = ScreenStyle::label(title, Theme::font(14), Theme::textPrimary());
    label->setMinimumWidth(1);
    h->addWidget(label, 1);
    h->addWidget(control);
    return row;
}

QWidget* rule(const QColor& color) {
    auto* line = new QWidget;
    line->setFixedHeight(1);
    line->setAttribute(Qt::WA_StyledBackground);
    line->setStyleSheet(QStringLiteral("background: %1;").arg(Theme::css(color)));
    return line;
}

} // namespace SettingsRows

ProfileAvatar::ProfileAvatar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("profileAvatar"));
    setFixedSize(60, 60);
}

void ProfileAvatar::setInitial(const QString& initial) {
    initial_ = initial;
    update();
}

void ProfileAvatar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, width(), height());
    fill.setColorAt(0, AppTheme::Colors::purple());
    fill.setColorAt(1, AppTheme::Colors::cyan());
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawEllipse(rect());
    p.setPen(Qt::white);
    p.setFont(Theme::font(24, QFont::Bold));
    p.drawText(rect(), Qt::AlignCenter, initial_);
}

CustomColorRow::CustomColorRow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("customColorRow"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16 + 36 + 16, 16, 16, 16);
    row->setSpacing(16);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(
        ScreenStyle::label(tr("Base Colour"), Theme::font(13, QFont::Medium), Theme::textPrimary()));
    auto* hint = ScreenStyle::label(tr("Backgrounds are derived from this colour"), Theme::font(11),
                                    Theme::textMuted());
    hint->setMinimumWidth(1);
    texts->addWidget(hint);
    row->addLayout(texts, 1);
    auto* choose = new QPushButton;
    choose->setObjectName(QStringLiteral("chooseColorButton"));
    choose->setAccessibleName(tr("Choose base colour"));
    choose->setToolTip(tr("Choose base colour"));
    choose->setFixedSize(44, 36);
    choose->setCursor(Qt::PointingHandCursor);
    const QString hex = ThemeManager::shared().customBaseHex();
    choose->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; border: 1px solid %2; border-radius: 8px; }"
                       "QPushButton:focus { border: 2px solid white; }")
            .arg(hex, Theme::css(AppTheme::Colors::borderMedium())));
    connect(choose, &QPushButton::clicked, this, [this] {
        auto* dialog = new QColorDialog(ColorHex::fromHex(ThemeManager::shared().customBaseHex()), window());
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setOption(QColorDialog::ShowAlphaChannel, false);
        dialog->setOption(QColorDialog::DontUseNativeDialog, true);
        connect(dialog, &QColorDialog::colorSelected, dialog, &CustomColorRow::pick);
        dialog->open();
    });
    row->addWidget(choose);
}

void CustomColorRow::pick(const QColor& color) {
    ThemeManager::shared().setCustomBaseHex(ColorHex::toHex(color));
}

void CustomColorRow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor base = ColorHex::fromHex(ThemeManager::shared().customBaseHex());
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 12, 12);
    p.fillPath(shape, Theme::withOpacity(base, 0.08));
    p.setPen(QPen(Theme::withOpacity(base, 0.25), 1));
    p.drawPath(shape);
    const QRectF tile(16, (height() - 36) / 2.0, 36, 36);
    QPainterPath tilePath;
    tilePath.addRoundedRect(tile, 8, 8);
    p.fillPath(tilePath, base);
    p.setPen(QPen(AppTheme::Colors::borderMedium(), 1));
    p.drawPath(tilePath);
}
