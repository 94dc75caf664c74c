#pragma once

#include "config/LangChanger.h"
#include "hosts/HostDialogs.h"

#include <QPointer>
#include <QWidget>

class IDesktop;
class ITaskDialogs;
class TTrafficUsageCollection;

// The dialogs of the host page and of the connection types as real windows: each one is
// made for its call, translated by the language file, centred on the owner window and
// shown modally.
class TQtHostDialogs : public IHostDialogs {
public:
    TQtHostDialogs(QWidget* owner, const TLangChanger& language);

    bool ShowHostProperties(THostForm& form) override;
    bool ShowNewConnection(std::string& name, std::string& bandwidth) override;
    bool ShowEditConnectionName(std::string& name) override;

    // The connection types dialog over a copy of types, which takes the copy on OK and stays
    // as it was on Cancel. The dialog asks its questions through dialogs and beeps through
    // desktop. True for OK.
    bool ShowConnectionTypes(TTrafficUsageCollection& types, ITaskDialogs& dialogs, IDesktop& desktop);

private:
    // Translates, centres and runs dialog; true for OK.
    bool Run(QDialog& dialog) const;

    QPointer<QWidget> Owner_;
    const TLangChanger& Language_;
};
