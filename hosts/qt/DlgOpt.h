#pragma once

#include "config/OptionsDialogModel.h"
#include "hosts/TransferSettingsEditors.h"
#include "hosts/qt/QtTransferSettingsDialogs.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <string>

class TLangChanger;
class TTrafficUsageCollection;

namespace Ui {
class DlgOpt;
}

// What the options dialog edits besides the options, and what it reaches through.
struct TDlgOptEnvironment {
    TUserAgentCollection& UserAgents;          // take the dialog's copy on OK when it changed
    TProxyCollection& Proxies;                 // take the dialog's copy on OK
    TTrafficUsageCollection& ConnectionTypes;  // the current type changes as soon as it is chosen
    ITaskDialogs& Dialogs;
    ISystemIntegration& System;
    const TLangChanger& Language;
};

// The main window's commands that buttons of the dialog run; a button whose command is
// not given stays disabled.
struct TDlgOptCommands {
    std::function<void(const std::string& file)> PlaySound;
    std::function<void()> EditConnectionTypes;  // then the type list is filled anew
    std::function<void()> ClearHistory;
    std::function<void()> GraphProperties;
    // The completion options on the four values; true with them changed on OK.
    std::function<bool(bool& showWarning, int& warningSeconds, int& action, bool& force)> EditCompletionOptions;
};

// The options dialog: a list of pages at its left and the page chosen in it. The controls
// show a copy of the options; OK copies them back (those a switch disables keep their
// value), applies the session's settings and hands back the agents and proxies; Cancel
// changes nothing but the current connection type.
class TDlgOpt : public QDialog {
    Q_OBJECT

public:
    TDlgOpt(TOptions& options, const TDlgOptEnvironment& environment, TDlgOptCommands commands,
            QWidget* parent = nullptr);
    ~TDlgOpt() override;

    // What OK changed; empty before.
    const TOptionsDialogResult& Result() const { return Result_; }

    void accept() override;

private:
    void BindControls();
    void ConnectPages();
    void ConnectButtons();
    // Every control from the model's values, and which are enabled.
    void ShowValues();
    void ShowEnabled();
    void FillUnitLists();
    void FillUserAgents();
    void FillProxyLists();
    void FillConnectionTypes();
    void FillSounds();
    void FillConfirmations();
    int SoundRow() const;
    void BrowseProgram(const char* edit);

    std::unique_ptr<Ui::DlgOpt> Ui_;
    TOptions& Options_;
    TDlgOptEnvironment Environment_;
    TDlgOptCommands Commands_;
    TOptionsDialogModel Model_;
    TQtTransferSettingsDialogs Forms_;
    TUserAgentsEditor UserAgents_;
    TProxyCollection Proxies_;
    TOptionsDialogResult Result_;
    bool Filling_ = false;
};
