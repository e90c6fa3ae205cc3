#include "Components/MenuPicker.h"

#include "Components/FocusRing.h"
#include "Components/Symbols.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QMenu>
#include <QPainter>
#include <QTimer>

#include <cmath>

namespace {

class KeepHighlight : public QObject {
public:
    KeepHighlight(QMenu* menu, QAction* chosen) : menu_(menu), chosen_(chosen) {
        if (chosen_)
            menu_->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == menu_ && (event->type() == QEvent::Show || event->type() == QEvent::Leave))
            QTimer::singleShot(0, this, [this] {
                if (!menu_->activeAction())
                    menu_->setActiveAction(chosen_);
            });
        return false;
    }

private:
    QMenu* menu_;
    QAction* chosen_;
};

} // namespace

MenuPicker::MenuPicker(QWidget* parent) : QAbstractButton(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    FocusRing::setCornerRadius(this, 7);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(this, &QAbstractButton::clicked, this, &MenuPicker::showMenu);
}

void MenuPicker::addOption(const QString& text, const QVariant& value) {
    texts_ << text;
    values_ << value;
    if (current_ < 0)
        current_ = 0;
    updateGeometry();
    update();
}

void MenuPicker::setOptions(const QStringList& texts) {
    clearOptions();
    for (const QString& t : texts)
        addOption(t);
}

void MenuPicker::clearOptions() {
    texts_.clear();
    values_.clear();
    current_ = -1;
    update();
}

void MenuPicker::setCurrentIndex(int index) {
    if (index < 0 || index >= texts_.size() || index == current_)
        return;
    current_ = index;
    update();
    emit currentIndexChanged(index);
}

QSize MenuPicker::sizeHint() const {
    const QFontMetricsF fm(Theme::font(13));
    double widest = 40;
    for (const QString& t : texts_)
        widest = std::max(widest, fm.horizontalAdvance(t));
    return {int(std::ceil(widest + 40)), int(std::ceil(fm.height() + 12))};
}

void MenuPicker::showMenu() {
    QMenu menu(this);
    menu_ = &menu;
    menu.setStyleSheet(
        QStringLiteral("QMenu { background: %1; color: %2; border: 1px solid %3; padding: 4px; }"
                       "QMenu::item { padding: 5px 18px; border-radius: 4px; }"
                       "QMenu::item:selected { background: %4; }")
            .arg(Theme::css(Theme::backgroundElevated()), Theme::css(Theme::textPrimary()),
                 Theme::css(AppTheme::Colors::borderMedium()),
                 Theme::css(Theme::withOpacity(AppTheme::Colors::indigo(), 0.6))));
    menu.setFont(Theme::font(13));
    // At least as wide as the field it drops from, as a list box's list is.
    menu.setMinimumWidth(width());
    QAction* chosen = nullptr;
    for (int i = 0; i < texts_.size(); ++i) {
        QAction* action = menu.addAction(Text::literalMnemonics(texts_[i]));
        action->setCheckable(true);
        action->setChecked(i == current_);
        connect(action, &QAction::triggered, this, [this, i] { setCurrentIndex(i); });
        if (i == current_) {
            chosen = action;
            menu.setActiveAction(action);
        }
    }
    // The menu opens on the chosen option, so the arrow keys move on from it. A menu clears
    // its highlight as it shows and whenever the pointer is not over it (the server reports the
    // pointer outside as the menu comes up), so the chosen option is highlighted again then.
    KeepHighlight keep(&menu, chosen);
    menu.exec(mapToGlobal(QPoint(0, height())));
    menu_ = nullptr;
}

void MenuPicker::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        p.setOpacity(0.45);
    p.setPen(QPen(hasFocus() ? Theme::withOpacity(AppTheme::Colors::indigo(), 0.8)
                             : AppTheme::Colors::borderMedium(),
                  1));
    p.setBrush(isDown() ? Theme::backgroundElevated() : Theme::backgroundTertiary());
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 7, 7);
    p.setFont(Theme::font(13));
    p.setPen(Theme::textPrimary());
    const QRectF textRect = QRectF(rect()).adjusted(10, 0, -26, 0);
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetricsF(p.font()).elidedText(currentText(), Qt::ElideRight, textRect.width()));
    Symbols::paint(p, QRectF(width() - 20, (height() - 10) / 2.0, 10, 10), QStringLiteral("chevron.down"),
                   Theme::textSecondary());
}
