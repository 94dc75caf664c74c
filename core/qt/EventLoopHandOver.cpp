#include "core/qt/EventLoopHandOver.h"

#include "core/MainThread.h"

#include <QMetaObject>
#include <QObject>

void ServeFromEventLoop(TMainThread& mainThread, QObject* context)
{
    // context outlives every worker: the lists stop their downloads before the window goes.
    mainThread.OnStepQueued = [&mainThread, context] {
        QMetaObject::invokeMethod(
            context, [&mainThread] { mainThread.ServePending(); }, Qt::QueuedConnection);
    };
}
