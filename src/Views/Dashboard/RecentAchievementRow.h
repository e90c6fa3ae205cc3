#pragma once

#include <QWidget>

#include <memory>

class Achievement;

// One entry of the dashboard's short timeline: the emoji on a violet disc, a connector down
// to the next entry unless it is the last, and a line of the title, the category tag and
// how long ago it was. The title gives up room first and is cut at its tail.
class RecentAchievementRow : public QWidget {
    Q_OBJECT
public:
    RecentAchievementRow(std::shared_ptr<Achievement> achievement, bool isLast, QWidget* parent = nullptr);

    bool isLast() const { return isLast_; }
    QString emojiText() const { return emoji_; }
    QString titleText() const { return title_; }
    // Empty when the achievement has no category.
    QString categoryText() const { return category_; }
    QString dateText() const { return date_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Geometry {
        QRectF title;
        QRectF tag;
        QRectF date;
        QString shownTitle;
    };
    Geometry geometry() const;

    bool isLast_;
    QString emoji_;
    QString title_;
    QString category_;
    QString date_;
};
