#include "Views/Dashboard/RecentAchievementRow.h"

#include "Models/Achievement.h"
#include "Models/AchievementCategory.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/RecordNames.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace {

constexpr double kColumn = 38;
constexpr double kNode = 30;
constexpr double kConnectorWidth = 1.5;
constexpr double kConnectorHeight = 24;
constexpr double kLeading = 8;
constexpr double kTop = 5;
constexpr double kBottom = 8;
constexpr double kGap = 8;
constexpr double kTagPadX = 6;
constexpr double kTagPadY = 2;

QFont titleFont() {
    return Theme::font(13, QFont::Medium);
}
QFont tagFont() {
    return Theme::font(9, QFont::Medium);
}
QFont dateFont() {
    return Theme::font(11);
}

} // namespace

RecentAchievementRow::RecentAchievementRow(std::shared_ptr<Achievement> achievement, bool isLast,
                                           QWidget* parent)
    : QWidget(parent), isLast_(isLast) {
    setObjectName(QStringLiteral("recentAchievementRow"));
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    const QString emoji = achievement->emoji().value_or(QString());
    emoji_ = emoji.isEmpty() ? QStringLiteral("\U0001F3C6") : emoji;
    title_ = RecordNames::achievement(*achievement);
    if (const auto category = achievement->category())
        category_ = category->name().value_or(QStringLiteral("Other"));
    date_ = achievement->relativeDate();
}

QSize RecentAchievementRow::sizeHint() const {
    const double line = QFontMetricsF(titleFont()).height();
    const double textHeight = kTop + line + (isLast_ ? 0 : kBottom);
    const double columnHeight = kNode + (isLast_ ? 0 : kConnectorHeight);
    return {int(kColumn + kLeading + 240), int(std::ceil(std::max(textHeight, columnHeight)))};
}

QSize RecentAchievementRow::minimumSizeHint() const {
    return {int(kColumn + kLeading + 80), sizeHint().height()};
}

RecentAchievementRow::Geometry RecentAchievementRow::geometry() const {
    Geometry g;
    const QFontMetricsF titleMetrics(titleFont());
    const QFontMetricsF tagMetrics(tagFont());
    const QFontMetricsF dateMetrics(dateFont());
    const double lineTop = kTop;
    const double lineHeight = titleMetrics.height();
    const double right = width();
    const double dateWidth = dateMetrics.horizontalAdvance(date_);
    g.date = QRectF(right - dateWidth, lineTop, dateWidth, lineHeight);
    double x = kColumn + kLeading;
    const double tagWidth = category_.isEmpty() ? 0 : tagMetrics.horizontalAdvance(category_) + 2 * kTagPadX;
    const double titleRoom = std::max(0.0, g.date.left() - kGap - x - (tagWidth > 0 ? tagWidth + kGap : 0));
    g.shownTitle = titleMetrics.elidedText(title_, Qt::ElideRight, titleRoom);
    const double titleWidth = std::min(titleRoom, titleMetrics.horizontalAdvance(g.shownTitle));
    g.title = QRectF(x, lineTop, titleWidth, lineHeight);
    if (tagWidth > 0) {
        const double tagHeight = tagMetrics.height() + 2 * kTagPadY;
        g.tag = QRectF(g.title.right() + kGap, lineTop + (lineHeight - tagHeight) / 2, tagWidth, tagHeight);
    }
    return g;
}

void RecentAchievementRow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const Geometry g = geometry();
    // The full title as plain text, only while it is cut.
    setToolTip(Text::plainToolTipIfCut(g.shownTitle, title_));
}

void RecentAchievementRow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QColor violet = AppTheme::Colors::violet();

    const QRectF node((kColumn - kNode) / 2, 0, kNode, kNode);
    p.setPen(Qt::NoPen);
    p.setBrush(Theme::withOpacity(violet, 0.15));
    p.drawEllipse(node);
    if (!isLast_) {
        p.setBrush(AppTheme::Colors::borderSubtle());
        p.drawRect(QRectF((kColumn - kConnectorWidth) / 2, kNode, kConnectorWidth, kConnectorHeight));
    }
    p.setFont(Theme::emojiFont(15));
    p.setPen(Theme::textPrimary());
    p.drawText(node, Qt::AlignCenter, emoji_);

    const Geometry g = geometry();
    p.setFont(titleFont());
    p.setPen(Theme::textPrimary());
    p.drawText(g.title, Qt::AlignLeft | Qt::AlignVCenter, g.shownTitle);
    if (!g.tag.isEmpty()) {
        p.setPen(Qt::NoPen);
        p.setBrush(Theme::withOpacity(violet, 0.1));
        p.drawRoundedRect(g.tag, g.tag.height() / 2, g.tag.height() / 2);
        p.setFont(tagFont());
        p.setPen(violet);
        p.drawText(g.tag, Qt::AlignCenter, category_);
    }
    p.setFont(dateFont());
    p.setPen(Theme::textMuted());
    p.drawText(g.date, Qt::AlignRight | Qt::AlignVCenter, date_);
}
