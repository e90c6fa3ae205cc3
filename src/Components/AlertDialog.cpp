#include "Components/AlertDialog.h"

#include "Components/AlertButton.h"
#include "Components/KeyboardLayer.h"
#include "Components/SheetHost.h"
#include "ViewModels/Theme/Theme.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

namespace {

// Escape and Return go to the alert's cancel and default buttons.
class AlertContent : public QWidget {
public:
    using QWidget::QWidget;
    QPointer<AlertButton> cancel;
    QPointer<AlertButton> fallbackDefault;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape) {
            if (cancel)
                cancel->click();
            else if (SheetHost* host = SheetHost::of(this))
                host->dismiss();
            event->accept();
            return;
        }
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && fallbackDefault) {
            fallbackDefault->click();
            event->accept();
            return;
        }
        QWidget::keyPressEvent(event);
    }
};

} // namespace

SheetHost* AlertDialog::present(QWidget* window, const QString& title, const QString& message,
                                QList<Button> buttons) {
    if (buttons.isEmpty())
        buttons.append({QStringLiteral("OK"), Role::Default, {}});
    auto* content = new AlertContent;
    content->setObjectName(QStringLiteral("alert"));
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(22, 22, 22, 18);
    column->setSpacing(8);

    auto* titleLabel = new QLabel(title);
    titleLabel->setObjectName(QStringLiteral("alertTitle"));
    titleLabel->setTextFormat(Qt::PlainText);
    titleLabel->setWordWrap(true);
    titleLabel->setFont(Theme::font(15, QFont::Bold));
    titleLabel->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::css(Theme::textPrimary())));
    column->addWidget(titleLabel);
    if (!message.isEmpty()) {
        auto* messageLabel = new QLabel(message);
        messageLabel->setObjectName(QStringLiteral("alertMessage"));
        messageLabel->setTextFormat(Qt::PlainText);
        messageLabel->setWordWrap(true);
        messageLabel->setFont(Theme::font(13));
        messageLabel->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::css(Theme::textSecondary())));
        column->addWidget(messageLabel);
    }
    column->addSpacing(10);

    // Two buttons that fit stand in a row, cancel first; more, or wider ones, stack full width
    // with the default on top and cancel at the bottom, as the desktop's own alerts do.
    double rowWidth = 0;
    for (const Button& choice : buttons)
        rowWidth += AlertButton(choice.title, choice.role).sizeHint().width() + 8;
    const bool stacked = buttons.size() > 2 || rowWidth > kWidth - 44;
    auto rank = [stacked](Role role) {
        if (role == Role::Cancel)
            return stacked ? 3 : 0;
        if (role == Role::Default)
            return stacked ? 0 : 2;
        return 1;
    };
    std::stable_sort(buttons.begin(), buttons.end(),
                     [&rank](const Button& a, const Button& b) { return rank(a.role) < rank(b.role); });
    QBoxLayout* row = stacked ? static_cast<QBoxLayout*>(new QVBoxLayout) : new QHBoxLayout;
    row->setSpacing(8);
    if (!stacked)
        row->addStretch(1);
    for (const Button& choice : buttons) {
        auto* button = new AlertButton(choice.title, choice.role);
        row->addWidget(button);
        if (choice.role == Role::Cancel && !content->cancel)
            content->cancel = button;
        if (choice.role == Role::Default && !content->fallbackDefault)
            content->fallbackDefault = button;
        const auto action = choice.action;
        QObject::connect(button, &AlertButton::clicked, content, [content, action] {
            if (SheetHost* owner = SheetHost::of(content))
                owner->dismiss();
            if (action)
                action();
        });
    }
    column->addLayout(row);
    // The focus starts on the default button, where Return presses it; Escape reaches the
    // content from any button.
    if (content->fallbackDefault)
        KeyboardLayer::markInitial(content->fallbackDefault);
    SheetHost* host = SheetHost::present(window, content, kWidth);
    // Escape is the alert's own: it must run the cancel action, not only close.
    host->setEscapeCloses(false);
    return host;
}
