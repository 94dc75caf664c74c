#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class DlgSetNumMaxActiveTask;
}

// Asks how many downloads may run at once (kMaxActiveTasksRange).
class TDlgSetNumMaxActiveTask : public QDialog {
    Q_OBJECT

public:
    explicit TDlgSetNumMaxActiveTask(int limit, QWidget* parent = nullptr);
    ~TDlgSetNumMaxActiveTask() override;

    int Limit() const;

private:
    std::unique_ptr<Ui::DlgSetNumMaxActiveTask> Ui_;
};
