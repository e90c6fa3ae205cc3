#pragma once

#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

#include <memory>

class AppViewModel;
class FocusWithin;
class Goal;
class QToolButton;

// One active goal in the sidebar: a glowing dot in the goal's colour, its title (bullets
// while masked), an eye button that masks or unmasks it, and its whole-percent progress.
// A click outside the eye button, or Return or Space while the row has the focus, emits
// clicked(). A row made before it is given its goal shows nothing.
class SidebarGoalItem : public QWidget {
    Q_OBJECT
public:
    SidebarGoalItem(std::shared_ptr<Goal> goal, AppViewModel* appViewModel, QWidget* parent = nullptr);

    static constexpr int kRowHeight = 24;

    const std::shared_ptr<Goal>& goal() const { return goal_; }
    qint64 goalID() const;

    // What the row shows, read again from the goal and the masking state.
    QString titleText() const;
    QString percentText() const;
    QString eyeSymbol() const;
    bool isHovered() const { return hovered_; }
    QToolButton* eyeButton() const { return eye_; }

    // The goal's values may have changed in the store.
    void refresh();
    // Shows another goal (the sidebar hands rows on while its list scrolls).
    void setGoal(std::shared_ptr<Goal> goal);

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
    void setHovered(bool hovered);
    void updateEye();
    double eyeOpacity() const;
    void placeEye();
    QRectF percentRect() const;

    std::shared_ptr<Goal> goal_;
    AppViewModel* appViewModel_;
    QToolButton* eye_;
    FocusWithin* focus_;
    bool hovered_ = false;
    bool pressed_ = false;
    double hover_ = 0;
    QPointer<QVariantAnimation> hoverAnimation_;
};
