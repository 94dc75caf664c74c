#pragma once

#include "app/AutomationServer.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QDBusConnection;
class TQuorvexForm;

// The object /QuorvexCom of the session-bus service org.velmora.Quorvex: its two methods
// store the request and return at once; the main window adds the paths afterwards. Requests
// that come before the window exists wait for it, in order.
class TQuorvexCom : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.velmora.Quorvex.IQuorvexCom")

public:
    explicit TQuorvexCom(QObject* parent = nullptr);

    // Puts the object on bus and takes the service name; false with ErrorText() when the
    // bus cannot be reached or another process owns the name.
    bool Register(QDBusConnection& bus);
    const QString& ErrorText() const { return Error_; }

    // The window that handles the requests from now on (the waiting ones first); nullptr
    // while there is none.
    void SetWindow(TQuorvexForm* window);

public slots:
    // A request to add the paths (one per line), asking as the add command does.
    void AddFiles(const QString& aFiles, const QString& aFolder);
    // The same without questions where a folder is known.
    void AddFilesSilent(const QString& aFiles, const QString& aFolder);

private:
    void Store(const QString& files, const QString& folder, bool silent);
    void HandOver();

    TAddRequestQueue Early_;
    QPointer<TQuorvexForm> Window_;
    QString Error_;
};
