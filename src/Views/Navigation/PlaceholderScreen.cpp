#include "Views/Navigation/PlaceholderScreen.h"

#include "Components/SymbolIcon.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Navigation/SidebarNavItem.h"

#include <QLabel>
#include <QVBoxLayout>

PlaceholderScreen::PlaceholderScreen(AppDestination destination, QWidget* parent)
    : QWidget(parent), destination_(destination) {
    const QColor accent = AppDestinations::accentColor(destination);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(12);
    layout->addStretch();

    auto* icon = new SymbolIcon(SidebarNavItem::symbolName(destination), 44, accent, this);
    layout->addWidget(icon, 0, Qt::AlignHCenter);

    auto* title = new QLabel(AppDestinations::title(destination), this);
    title->setObjectName(QStringLiteral("placeholderTitle"));
    title->setTextFormat(Qt::PlainText);
    title->setFont(Theme::font(28, QFont::Bold));
    QPalette palette = title->palette();
    palette.setColor(QPalette::WindowText, Theme::textPrimary());
    title->setPalette(palette);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addStretch();
}
