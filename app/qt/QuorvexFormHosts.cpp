// The host page: its list, its commands and their states, and the connection types dialog.
#include "app/qt/QuorvexForm.h"

#include "app/ProgramSession.h"
#include "hosts/ManagerHost.h"
#include "hosts/qt/HostListView.h"
#include "hosts/qt/HostPage.h"
#include "hosts/qt/QtHostDialogs.h"
#include "tasks/qt/QtDesktop.h"
#include "tasks/qt/QtTaskDialogs.h"
#include "ui_QuorvexForm.h"

#include <functional>

void TQuorvexForm::ConnectHosts()
{
    HostPage_ = new THostPage(Ui_->tsHostManager);
    Ui_->tsHostManager->layout()->addWidget(HostPage_);
    HostPage_->Attach(&Session_->Hosts());
    HostPage_->ApplyColumns();
    connect(&Timer1_, &QTimer::timeout, HostPage_, &THostPage::Tick);

    THostListView& list = HostPage_->HostList();
    // The keys of the page (Ins, Del) reach its list as soon as the page is in front.
    connect(Ui_->pcPages, &QTabWidget::currentChanged, &list, [this, &list] {
        if (Ui_->pcPages->currentWidget() == Ui_->tsHostManager)
            list.setFocus();
    });
    connect(list.selectionModel(), &QItemSelectionModel::selectionChanged, this, &TQuorvexForm::UpdateCommands);
    InstallHeaderMenu(list);

    const auto on = [this](const char* name, std::function<void(TManagerHost&)> run) {
        connect(Action(name), &QAction::triggered, this, [this, run = std::move(run)] {
            run(Session_->Hosts());
            UpdateCommands();
        });
    };
    on("actHostsManagerAdd", [](TManagerHost& hosts) { hosts.AddHostWithDialog({}, {}); });
    on("actHostsManagerDelete", [](TManagerHost& hosts) { hosts.DeleteSelectedAfterConfirmation(); });
    on("actHostsManagerClear", [](TManagerHost& hosts) { hosts.ClearAfterConfirmation(); });
    on("actHostsManagerProperties", [](TManagerHost& hosts) { hosts.EditSelectedHosts(); });
    on("actHostsManagerCopyPathToClipboard", [](TManagerHost& hosts) { hosts.CopySelectedHostsToClipboard(); });
    on("actHostsManagerPastePathFromClipboard", [](TManagerHost& hosts) { hosts.PasteHostsFromClipboard(); });
    on("actHostManagerSelectAll", [](TManagerHost& hosts) { hosts.SelectAllHosts(); });
    on("actHostsManagerOpen", [](TManagerHost& hosts) { hosts.OpenSelectedHosts(); });
    connect(&list, &THostListView::PropertiesRequested, Action("actHostsManagerProperties"), &QAction::trigger);

    InstallListPopup(list,
                     {"actHostsManagerAdd", "actHostsManagerDelete", "actHostsManagerClear", "-", "actHostsManagerOpen",
                      "-", "actHostsManagerCopyPathToClipboard", "actHostsManagerPastePathFromClipboard",
                      "actHostManagerSelectAll", "-", "actHostsManagerProperties"});
    BindInsertAndDelete(list, "actHostsManagerAdd", "actHostsManagerDelete");

    // The connection types dialog; the options dialog's "Edit" button runs it through the command.
    connect(Action("actSetTrafUseValue"), &QAction::triggered, this, [this] {
        if (HostDialogs_->ShowConnectionTypes(Session_->ConnectionTypes(), *Dialogs_, *Desktop_))
            UpdateCommands();
    });
}

void TQuorvexForm::DisconnectHosts()
{
    if (!HostPage_)
        return;
    HostPage_->ReadColumns();
    // The page lets go of the hosts before they go.
    HostPage_->Attach(nullptr);
}

void TQuorvexForm::UpdateHostCommands()
{
    const TManagerHost& hosts = Session_->Hosts();
    const bool selection = hosts.HasSelectedHosts();
    for (const char* name : {"actHostsManagerDelete", "actHostsManagerProperties", "actHostsManagerCopyPathToClipboard",
                             "actHostsManagerOpen"})
        Action(name)->setEnabled(selection);
    Action("actHostsManagerClear")->setEnabled(hosts.HasHosts());
    Action("actHostManagerSelectAll")->setEnabled(hosts.HasHosts());
}
