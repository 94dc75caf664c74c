#include "tasks/qt/DlgSetNumMaxActiveTask.h"

#include "ui_DlgSetNumMaxActiveTask.h"

#include "tasks/DialogRanges.h"

TDlgSetNumMaxActiveTask::TDlgSetNumMaxActiveTask(int limit, QWidget* parent)
    : QDialog(parent), Ui_(std::make_unique<Ui::DlgSetNumMaxActiveTask>())
{
    Ui_->setupUi(this);
    Ui_->edMaxDownloads->setRange(kMaxActiveTasksRange.Min, kMaxActiveTasksRange.Max);
    Ui_->edMaxDownloads->setValue(kMaxActiveTasksRange.Clamp(limit));
}

TDlgSetNumMaxActiveTask::~TDlgSetNumMaxActiveTask() = default;

int TDlgSetNumMaxActiveTask::Limit() const
{
    return kMaxActiveTasksRange.Clamp(Ui_->edMaxDownloads->value());
}
