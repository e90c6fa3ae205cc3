#include "Components/SegmentedPicker.h"

#include "Components/FocusRing.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {
constexpr double kInset = 2;
constexpr double kPadX = 12;
} // namespace

SegmentedPicker::SegmentedPicker(const QStringList& options, int current, QWidget* parent)
    : QWidget(parent), options_(options),
      current_(std::clamp(current, 0, std::max(0, int(options.size()) - 1))) {
    setFocusPolicy(Qt::StrongFocus);
    FocusRing::setCornerRadius(this, 8);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TranslucentBackground);
}

void SegmentedPicker::setCurrentIndex(int index) {
    if (index < 0 || index >= options_.size() || index == current_)
        return;
    current_ = index;
    update();
    emit currentIndexChanged(index);
}

QSize SegmentedPicker::sizeHint() const {
    const QFontMetricsF fm(Theme::font(12, QFont::Medium));
    double widest = 0;
    for (const QString& o : options_)
        widest = std::max(widest, fm.horizontalAdvance(o));
    const double w = options_.size() * (widest + 2 * kPadX) + 2 * kInset;
    return {int(std::ceil(w)), int(std::ceil(fm.height() + 12))};
}

QRectF SegmentedPicker::segmentRect(int index) const {
    const double w = (width() - 2 * kInset) / std::max<qsizetype>(1, options_.size());
    return QRectF(kInset + index * w, kInset, w, height() - 2 * kInset);
}

void SegmentedPicker::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        p.setOpacity(0.45);
    p.setPen(QPen(hasFocus() ? Theme::withOpacity(AppTheme::Colors::indigo(), 0.8)
                             : AppTheme::Colors::borderSubtle(),
                  1));
    p.setBrush(Theme::backgroundTertiary());
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    p.setFont(Theme::font(12, QFont::Medium));
    for (int i = 0; i < options_.size(); ++i) {
        const QRectF r = segmentRect(i);
        if (i == current_) {
            p.setPen(Qt::NoPen);
            p.setBrush(Theme::backgroundElevated());
            p.drawRoundedRect(r, 6, 6);
        }
        p.setPen(i == current_ ? Theme::textPrimary() : Theme::textSecondary());
        p.drawText(r, Qt::AlignCenter, options_[i]);
    }
}

void SegmentedPicker::mousePressEvent(QMouseEvent* event) {
    for (int i = 0; i < options_.size(); ++i)
        if (segmentRect(i).contains(event->position()))
            setCurrentIndex(i);
}

void SegmentedPicker::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Left)
        setCurrentIndex(current_ - 1);
    else if (event->key() == Qt::Key_Right)
        setCurrentIndex(current_ + 1);
    else
        QWidget::keyPressEvent(event);
}
