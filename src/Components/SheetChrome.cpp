#include "Components/SheetChrome.h"

#include "Components/ScreenStyle.h"
#include "ViewModels/Theme/Theme.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace SheetChrome {

QPushButton* closeButton(int size, const QString& toolTip) {
    auto* close = ScreenStyle::textButton(QString(), Theme::systemFont(size), Theme::textMuted());
    close->setObjectName(QStringLiteral("closeButton"));
    close->setToolTip(toolTip);
    ScreenStyle::setSymbol(close, QStringLiteral("xmark.circle.fill"), Theme::textMuted(), size);
    return close;
}

QWidget* titleRow(QWidget* title, QPushButton* close, const QMargins& margins) {
    auto* header = new QWidget;
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(margins);
    row->addWidget(title);
    row->addStretch(1);
    row->addWidget(close);
    return header;
}

void stack(QWidget* sheet, QWidget* header, QWidget* form, QWidget* footer) {
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    layout->addWidget(ScreenStyle::divider());
    layout->addWidget(form, 1);
    layout->addWidget(ScreenStyle::divider());
    layout->addWidget(footer);
}

} // namespace SheetChrome
