#include "Views/Navigation/HeldRecordsScreen.h"

#include "Components/ScreenStyle.h"
#include "Components/SymbolIcon.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int kTextWidth = 460;

} // namespace

HeldRecordsScreen::HeldRecordsScreen(const QString& message, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("HeldRecordsScreen"));
    setAccessibleName(AppViewModel::heldRecordsTitle());
    setAccessibleDescription(message);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(16);
    layout->addStretch();

    layout->addWidget(new SymbolIcon(QStringLiteral("lock.shield.fill"), 44, AppTheme::Colors::amber(), this),
                      0, Qt::AlignHCenter);
    QLabel* title = ScreenStyle::label(AppViewModel::heldRecordsTitle(), Theme::font(28, QFont::Bold),
                                       Theme::textPrimary(), this);
    title->setObjectName(QStringLiteral("heldRecordsTitle"));
    layout->addWidget(title, 0, Qt::AlignHCenter);
    QLabel* words = ScreenStyle::label(message, Theme::font(15), Theme::textSecondary(), this);
    words->setObjectName(QStringLiteral("heldRecordsMessage"));
    words->setWordWrap(true);
    words->setAlignment(Qt::AlignHCenter);
    words->setFixedWidth(kTextWidth);
    // A wrapped label in a centring layout is given the height of its unwrapped hint otherwise.
    words->setMinimumHeight(words->heightForWidth(kTextWidth));
    layout->addWidget(words, 0, Qt::AlignHCenter);
    layout->addStretch();
}
