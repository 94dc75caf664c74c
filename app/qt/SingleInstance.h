#pragma once

#include "app/InstanceLock.h"

#include <QObject>

#include <string>

class QLocalServer;

// One running program per user: the first start holds the lock and listens on a local
// socket beside it; a later start finds the lock held, asks the first one through the
// socket to show its window, and ends.
class TSingleInstance : public QObject {
    Q_OBJECT
public:
    // folder: where the lock and the socket lie; empty for the user's runtime folder.
    explicit TSingleInstance(std::string folder = {}, QObject* parent = nullptr);
    ~TSingleInstance() override;

    // True when this process is the first one and now holds the lock (taking it and
    // starting to listen are one step for every other start: the lock is taken first).
    bool Register();
    // Why the lock could not even be tried (empty when another instance holds it).
    const std::string& ErrorText() const { return Lock_.ErrorText(); }
    // Asks the first instance to show its window; true when it took the request.
    bool RaiseFirst();

signals:
    void RaiseRequested();

private:
    TInstanceLock Lock_;
    QLocalServer* Server_ = nullptr;
};
