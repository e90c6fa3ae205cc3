#pragma once

#include "ViewModels/GoalRowText.h"

#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

class AppViewModel;
class FocusWithin;
class QToolButton;

// One active goal in the sidebar: a glowing dot in the goal's colour, its title (bullets
// while masked), an eye button that masks or unmasks it, and its whole-percent progress.
// A click outside the eye button, or Return or Space while the row has the focus, emits
// clicked(). A row made before it is given its goal shows nothing. What it shows comes ready
// from the sidebar's view model; the eye button asks the application to mask the goal by its id.
class SidebarGoalItem : public QWidget {
    Q_OBJECT
public:
    SidebarGoalItem(const SidebarGoalText& text, AppViewModel* appViewModel, QWidget* parent = nullptr);

    static constexpr int kRowHeight = 24;

    qint64 goalID() const { return text_.goalID; }

    // What the row shows.
    QString titleText() const { return text_.title; }
    QString percentText() const { return text_.percent; }
    QString eyeSymbol() const;
    bool isHovered() const { return hovered_; }
    QToolButton* eyeButton() const { return eye_; }

    // Shows these values (the sidebar hands rows on while its list scrolls, and hands them
    // again when the store or the masking changed).
    void setText(const SidebarGoalText& text);

    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void refresh();
    void setHovered(bool hovered);
    void updateEye();
    double eyeOpacity() const;
    void placeEye();
    QRectF percentRect() const;

    SidebarGoalText text_;
    AppViewModel* appViewModel_;
    QToolButton* eye_;
    FocusWithin* focus_;
    bool hovered_ = false;
    bool pressed_ = false;
    double hover_ = 0;
    QPointer<QVariantAnimation> hoverAnimation_;
};
