#include "Views/CalendarView/CalendarPageView.h"

#include "ViewModels/AppEnvironment.h"

CalendarPageView::CalendarPageView(const AppEnvironment&, QWidget* parent)
    : PlaceholderScreen(AppDestination::calendar, parent) {
    setObjectName(QStringLiteral("CalendarPageView"));
}
