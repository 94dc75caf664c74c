#include "tasks/qt/QtMessageBoxes.h"

#include "tasks/TaskPorts.h"
#include "tasks/qt/DialogShow.h"
#include "tasks/qt/MessageDlg.h"

void TQtMessageBoxes::ShowErrorBox(const std::string& caption, const std::string& text)
{
    TMessageDlg dialog(text, TMessageKind::Error, mbOK, false, Owner_);
    if (!caption.empty())
        dialog.setWindowTitle(QString::fromStdString(caption));
    ExecCentred(dialog, Owner_);
}
