#pragma once

#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

#include <functional>
#include <memory>

class FocusWithin;
class LinkItem;
class QPushButton;

// One saved link: its icon, title and address (each on one line, elided to its room), and
// while the pointer is over the row (or the keyboard is in it) three buttons: open, edit,
// delete, which take Tab right after the row only then. It draws the record's current values
// and never writes it.
class LinkRow : public QWidget {
    Q_OBJECT
public:
    using Action = std::function<void(const std::shared_ptr<LinkItem>&)>;
    LinkRow(std::shared_ptr<LinkItem> link, Action onEdit, Action onDelete, QWidget* parent = nullptr);

    // Shows another link in this row (rows are reused while a long list scrolls).
    void setLink(std::shared_ptr<LinkItem> link);
    const std::shared_ptr<LinkItem>& link() const { return link_; }

    bool isHovered() const { return hovered_; }
    bool actionsShown() const;
    // Hands the address to the desktop when it is a web address; anything else does nothing.
    void openLink();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static constexpr int kHeight = 56;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void updateHover();
    void setActionsOpacity(double opacity);

    std::shared_ptr<LinkItem> link_;
    QWidget* actions_;
    QList<QPushButton*> buttons_;
    FocusWithin* focus_;
    QPointer<QVariantAnimation> fade_;
    bool hovered_ = false;
    double backgroundStrength_ = 0.5;
};
