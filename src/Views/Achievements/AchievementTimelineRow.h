#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class Achievement;
class FocusWithin;
class QLabel;
class QToolButton;
class QVariantAnimation;

// One achievement on the timeline: an emoji node on the vertical line, and beside it the
// title, the category chip, the date and the notes. A delete button fades in while the
// pointer is over the row or the keyboard is in it (Tab reaches it right after the row); pressing it hands
// the deletion to onDelete without a question.
class AchievementTimelineRow : public QWidget {
    Q_OBJECT
public:
    AchievementTimelineRow(std::shared_ptr<Achievement> achievement, std::function<void()> onDelete,
                           QWidget* parent = nullptr, int width = 0);

    static constexpr int kNodeColumn = 44;
    static constexpr int kNode = 36;

    const std::shared_ptr<Achievement>& achievement() const { return achievement_; }
    bool isHovered() const { return hovered_; }
    void setHovered(bool hovered);
    QToolButton* deleteButton() const { return deleteButton_; }

    // The date as the locale writes a medium date ("Mar 7, 2026" in English).
    static QString mediumDateText(const QDate& date);
    // The row's height at the width, worked out from its fonts alone (the timeline builds
    // rows only for what is in view): notes take one line, or two when longer, never more.
    static int heightFor(const Achievement& achievement, int width);
    static int notesLines(const QString& notes, int width);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QWidget* categoryChip(const QString& name);
    void placeDeleteButton();
    void fadeDelete();
    // One line of notes or two, as heightFor counts them at the row's width.
    void fitNotes(int width);

    std::shared_ptr<Achievement> achievement_;
    std::function<void()> onDelete_;
    QString emoji_;
    bool hovered_ = false;
    bool deleteShown_ = false;
    FocusWithin* focus_ = nullptr;
    QToolButton* deleteButton_ = nullptr;
    QLabel* notes_ = nullptr;
    QPointer<QVariantAnimation> fade_;
};
