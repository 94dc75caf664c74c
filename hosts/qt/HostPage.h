#pragma once

#include <QWidget>

#include <functional>

class QAction;
class TManagerHost;
class THostListView;

// The host page: the list of the hosts with their connection counts.
class THostPage : public QWidget {
    Q_OBJECT
public:
    explicit THostPage(QWidget* parent = nullptr);
    ~THostPage() override;

    // Shows the manager's rows from now on; null lets go of them. Attach null (or free the
    // page) before the manager goes.
    void Attach(TManagerHost* manager);
    // Once per tick: the values that moved (the running transfers of each host).
    void Tick();

    // The list's column settings from the option HostsListColumns, and back.
    void ApplyColumns();
    void ReadColumns();

    THostListView& HostList() const { return *List_; }  // TreeManagerHost

private:
    THostListView* List_;
};
