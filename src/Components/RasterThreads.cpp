#include "Components/RasterThreads.h"

#include <QThreadPool>

void RasterThreads::limit() {
    QThreadPool::globalInstance()->setMaxThreadCount(1);
}
