#include "Components/SidewaysFade.h"

#include "ViewModels/Theme/Theme.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>

void SidewaysFade::attach(QScrollArea* area, std::function<QColor()> backdrop) {
    if (at(area, Qt::LeftEdge))
        return;
    if (!backdrop)
        backdrop = [] { return Theme::backgroundSecondary(); };
    new SidewaysFade(area, Qt::LeftEdge, backdrop);
    new SidewaysFade(area, Qt::RightEdge, backdrop);
}

SidewaysFade* SidewaysFade::at(const QScrollArea* area, Qt::Edge edge) {
    const QString name =
        edge == Qt::LeftEdge ? QStringLiteral("sidewaysFadeLeft") : QStringLiteral("sidewaysFadeRight");
    return area->findChild<SidewaysFade*>(name, Qt::FindDirectChildrenOnly);
}

SidewaysFade::SidewaysFade(QScrollArea* area, Qt::Edge edge, std::function<QColor()> backdrop)
    : QWidget(area), area_(area), edge_(edge), backdrop_(std::move(backdrop)) {
    setObjectName(edge == Qt::LeftEdge ? QStringLiteral("sidewaysFadeLeft")
                                       : QStringLiteral("sidewaysFadeRight"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    QScrollBar* bar = area->horizontalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this, &SidewaysFade::follow);
    connect(bar, &QScrollBar::rangeChanged, this, &SidewaysFade::follow);
    viewport_ = area->viewport();
    viewport_->installEventFilter(this);
    follow();
}

void SidewaysFade::follow() {
    const QScrollBar* bar = area_->horizontalScrollBar();
    const bool more = edge_ == Qt::LeftEdge ? bar->value() > bar->minimum() : bar->value() < bar->maximum();
    const QRect view = viewport_->geometry();
    const int width = std::min(kWidth, view.width() / 3);
    setGeometry(edge_ == Qt::LeftEdge ? QRect(view.left(), view.top(), width, view.height())
                                      : QRect(view.right() + 1 - width, view.top(), width, view.height()));
    setVisible(more && width > 0);
    raise();
}

bool SidewaysFade::eventFilter(QObject* watched, QEvent* event) {
    if (watched == viewport_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        follow();
    return QWidget::eventFilter(watched, event);
}

void SidewaysFade::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor solid = backdrop_();
    QColor clear = solid;
    clear.setAlpha(0);
    // From the row at the inner side to the backdrop at the cut.
    QLinearGradient fade(edge_ == Qt::LeftEdge ? QPointF(width(), 0) : QPointF(0, 0),
                         edge_ == Qt::LeftEdge ? QPointF(0, 0) : QPointF(width(), 0));
    fade.setColorAt(0, clear);
    fade.setColorAt(1, solid);
    p.fillRect(rect(), fade);
}
