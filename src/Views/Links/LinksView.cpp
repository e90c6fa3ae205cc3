#include "Views/Links/LinksView.h"

#include "Components/FocusAfter.h"
#include "Components/ScreenStyle.h"
#include "Components/SheetHost.h"
#include "Components/Symbols.h"
#include "Components/TabChain.h"
#include "Models/LinkItem.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/LinksViewModel.h"
#include "ViewModels/ScreenModels.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Links/LinkFormSheet.h"
#include "Views/Links/LinkRow.h"
#include "Views/Links/LinksList.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace {

constexpr int kSidebarWidth = 180;

QPushButton* skyButton(const QString& text, int paddingH, int paddingV) {
    return ScreenStyle::filledButton(text, Theme::font(13, QFont::Medium),
                                     Theme::css(AppTheme::Colors::sky()), paddingH, paddingV, 12);
}

// A sidebar entry: its label, elided, and the count in a monospaced figure; a tinted rounded
// backing while selected.
class CategoryEntry : public QPushButton {
public:
    CategoryEntry(const QString& label, int count, bool selected)
        : label_(label), count_(QString::number(count)), selected_(selected) {
        setObjectName(QStringLiteral("categoryEntry"));
        setAccessibleName(label);
        setCursor(Qt::PointingHandCursor);
        setFixedHeight(32);
        setCheckable(true);
        setChecked(selected);
        if (QFontMetrics(Theme::font(13, QFont::Medium)).horizontalAdvance(label) > kSidebarWidth - 70)
            setToolTip(Text::plainToolTip(label));
    }
    QString label() const { return label_; }
    QString countText() const { return count_; }
    QSize sizeHint() const override { return {kSidebarWidth, 32}; }
    QSize minimumSizeHint() const override { return {60, 32}; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF backing = QRectF(rect()).adjusted(4, 0, -4, 0);
        if (selected_) {
            QPainterPath path;
            path.addRoundedRect(backing, 8, 8);
            p.fillPath(path, Theme::withOpacity(AppTheme::Colors::sky(), 0.15));
        }
        if (hasFocus()) {
            p.setPen(QPen(AppTheme::Colors::sky(), 1.5));
            p.drawRoundedRect(backing.adjusted(0.75, 0.75, -0.75, -0.75), 8, 8);
        }
        QFont mono = Theme::systemFont(11);
        mono.setFamilies({QStringLiteral("DejaVu Sans Mono"), QStringLiteral("monospace")});
        mono.setStyleHint(QFont::Monospace);
        const int countWidth = QFontMetrics(mono).horizontalAdvance(count_);
        p.setFont(mono);
        p.setPen(Theme::textMuted());
        const QRect countRect(width() - 16 - countWidth, 0, countWidth, height());
        p.drawText(countRect, Qt::AlignRight | Qt::AlignVCenter, count_);
        const QFont font = Theme::font(13, QFont::Medium);
        p.setFont(font);
        p.setPen(selected_ ? Theme::textPrimary() : Theme::textSecondary());
        const QRect text(16, 0, std::max(0, countRect.left() - 8 - 16), height());
        p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                   QFontMetrics(font).elidedText(label_, Qt::ElideRight, text.width()));
    }

private:
    QString label_;
    QString count_;
    bool selected_;
};

} // namespace

LinksView::LinksView(const AppEnvironment& env, QWidget* parent)
    : QWidget(parent), env_(env), viewModel_(env.models->links(this)) {
    setObjectName(QStringLiteral("LinksView"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(buildHeader());

    auto* bodyHost = new QWidget;
    body_ = new QStackedLayout(bodyHost);
    empty_ = buildEmptyState();
    body_->addWidget(empty_);

    library_ = new QWidget;
    library_->setObjectName(QStringLiteral("library"));
    auto* columns = new QHBoxLayout(library_);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);
    auto* sidebar = new QWidget;
    sidebar->setObjectName(QStringLiteral("categorySidebar"));
    sidebar->setFixedWidth(kSidebarWidth);
    sidebar->setAttribute(Qt::WA_StyledBackground);
    sidebar->setStyleSheet(QStringLiteral("#categorySidebar { background: %1; }")
                               .arg(Theme::css(Theme::withOpacity(Theme::backgroundSecondary(), 0.4))));
    sidebar_ = new QVBoxLayout(sidebar);
    sidebar_->setContentsMargins(0, 0, 0, 0);
    sidebar_->setSpacing(2);
    auto* heading =
        ScreenStyle::label(tr("CATEGORIES"), ScreenStyle::kerned(Theme::font(9), 1.5), Theme::textMuted());
    heading->setContentsMargins(16, 16, 16, 4);
    sidebar_->addWidget(heading);
    sidebar_->addStretch(1);
    columns->addWidget(sidebar);
    columns->addWidget(ScreenStyle::divider(nullptr, true));
    list_ = new LinksList([this](const std::shared_ptr<LinkItem>& link) { showEditSheet(link); },
                          [this](const std::shared_ptr<LinkItem>& link) { viewModel_->deleteLink(link); });
    columns->addWidget(list_, 1);
    body_->addWidget(library_);
    outer->addWidget(bodyHost, 1);

    connect(viewModel_, &LinksViewModel::linksChanged, this, &LinksView::refresh);
    refresh();
}

QWidget* LinksView::buildHeader() {
    auto* header = new QWidget;
    header->setObjectName(QStringLiteral("linksHeader"));
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(32, 16, 32, 16);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(2);
    titles->addWidget(
        ScreenStyle::label(tr("Links"), Theme::font(22, QFont::DemiBold), Theme::textPrimary()));
    count_ = ScreenStyle::label(QString(), Theme::font(12), Theme::textMuted());
    count_->setObjectName(QStringLiteral("linkCount"));
    titles->addWidget(count_);
    row->addLayout(titles);
    row->addStretch(1);
    add_ = skyButton(tr("Add Link"), 16, 8);
    add_->setObjectName(QStringLiteral("addLinkButton"));
    FocusAfter::markCarryOn(add_, QStringLiteral("linkRow"));
    ScreenStyle::setSymbol(add_, QStringLiteral("plus"), Qt::white, 11);
    connect(add_, &QPushButton::clicked, this, &LinksView::showAddSheet);
    row->addWidget(add_, 0, Qt::AlignVCenter);
    return header;
}

QWidget* LinksView::buildEmptyState() {
    auto* empty = new QWidget;
    empty->setObjectName(QStringLiteral("emptyState"));
    auto* column = new QVBoxLayout(empty);
    column->setSpacing(16);
    column->addStretch(1);
    const int iconSize = Symbols::pixelSizeForFontSize(48);
    auto* icon = new QLabel;
    icon->setPixmap(Symbols::pixmap(QStringLiteral("link.badge.plus"), iconSize,
                                    Theme::withOpacity(AppTheme::Colors::sky(), 0.5), devicePixelRatioF()));
    column->addWidget(icon, 0, Qt::AlignHCenter);
    column->addWidget(
        ScreenStyle::label(tr("No Links Yet"), Theme::font(18, QFont::DemiBold), Theme::textPrimary()), 0,
        Qt::AlignHCenter);
    auto* hint = ScreenStyle::label(tr("Save links by category to keep them organised."), Theme::font(13),
                                    Theme::textMuted());
    hint->setAlignment(Qt::AlignCenter);
    hint->setWordWrap(true);
    column->addWidget(hint);
    auto* first = skyButton(tr("Add Your First Link"), 24, 9);
    first->setObjectName(QStringLiteral("addFirstLinkButton"));
    connect(first, &QPushButton::clicked, this, &LinksView::showAddSheet);
    column->addWidget(first, 0, Qt::AlignHCenter);
    column->addStretch(1);
    return empty;
}

void LinksView::refresh() {
    const int count = viewModel_->linkCount();
    count_->setText(count == 1 ? tr("1 saved link") : tr("%1 saved links").arg(count));
    // The first link replaces the empty state: the keyboard goes on from "Add Link".
    if (count > 0)
        FocusAfter::handOver(empty_, add_);
    else
        FocusAfter::handOver(library_, empty_->findChild<QWidget*>(QStringLiteral("addFirstLinkButton")));
    body_->setCurrentWidget(count == 0 ? empty_ : library_);
    if (count == 0)
        return;
    renderSidebar();
    renderList();
    // The entries are made anew, so they would stand last in the window's chain, out of reach
    // from "Add Link" until the screen is made again.
    TabChain::followLayout(this);
}

void LinksView::renderSidebar() {
    if (sidebarEntries_) {
        sidebar_->removeWidget(sidebarEntries_);
        sidebarEntries_->hide();
        sidebarEntries_->deleteLater();
    }
    sidebarEntries_ = new QWidget;
    auto* entries = new QVBoxLayout(sidebarEntries_);
    entries->setContentsMargins(0, 0, 0, 0);
    entries->setSpacing(2);
    const auto add = [this, entries](const QString& label, int count,
                                     const std::optional<QString>& category) {
        auto* entry = new CategoryEntry(label, count, selected_ == category);
        connect(entry, &QPushButton::clicked, this, [this, category] { selectCategory(category); });
        entries->addWidget(entry);
    };
    add(tr("All Links"), viewModel_->linkCount(), std::nullopt);
    for (const auto& c : viewModel_->categories())
        add(c.name, c.count, c.name);
    // After the heading, above the stretch.
    sidebar_->insertWidget(1, sidebarEntries_);
}

void LinksView::renderList() {
    list_->setSections(viewModel_->sections(selected_));
}

void LinksView::selectCategory(const std::optional<QString>& category) {
    selected_ = category;
    refresh();
}

void LinksView::showAddSheet() {
    SheetHost::present(this, new LinkFormSheet(viewModel_), LinkFormSheet::kWidth);
}

void LinksView::showEditSheet(const std::shared_ptr<LinkItem>& link) {
    SheetHost::present(this, new LinkFormSheet(viewModel_, link), LinkFormSheet::kWidth);
}

void LinksView::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), Theme::backgroundPrimary());
}
