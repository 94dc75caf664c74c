#pragma once

class QObject;
class TMainThread;

// Serves the workers' main-thread steps from the Qt event loop: each queued step posts a
// call of ServePending to context's thread. Call before any worker starts; context must
// outlive every worker.
void ServeFromEventLoop(TMainThread& mainThread, QObject* context);
