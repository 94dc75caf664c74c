#include "hosts/qt/QtHostDialogs.h"

#include "config/qt/QtLangWindow.h"
#include "hosts/ConnectionTypesEditor.h"
#include "hosts/qt/DlgTrafficPriority.h"
#include "hosts/qt/dlgEditConnectionName.h"
#include "hosts/qt/dlgHostProperties.h"
#include "hosts/qt/dlgNewConnection.h"
#include "tasks/qt/DialogShow.h"

TQtHostDialogs::TQtHostDialogs(QWidget* owner, const TLangChanger& language) : Owner_(owner), Language_(language) {}

bool TQtHostDialogs::Run(QDialog& dialog) const
{
    TranslateQtForm(Language_, dialog);
    return ExecCentred(dialog, Owner_) == QDialog::Accepted;
}

bool TQtHostDialogs::ShowHostProperties(THostForm& form)
{
    TdlgHostProperties dialog(form, Owner_);
    return Run(dialog);
}

bool TQtHostDialogs::ShowNewConnection(std::string& name, std::string& bandwidth)
{
    TdlgNewConnection dialog(name, bandwidth, Owner_);
    if (!Run(dialog))
        return false;
    name = dialog.Name();
    bandwidth = dialog.Bandwidth();
    return true;
}

bool TQtHostDialogs::ShowEditConnectionName(std::string& name)
{
    TdlgEditConnectionName dialog(name, Owner_);
    if (!Run(dialog))
        return false;
    name = dialog.Name();
    return true;
}

bool TQtHostDialogs::ShowConnectionTypes(TTrafficUsageCollection& types, ITaskDialogs& dialogs, IDesktop& desktop)
{
    // The questions of the dialog stand over it, not over the main window.
    TQtHostDialogs inner(nullptr, Language_);
    TConnectionTypesEditor editor(types, dialogs, inner, desktop);
    TDlgTrafficPriority dialog(editor, Owner_);
    inner.Owner_ = &dialog;
    if (!Run(dialog))
        return false;
    editor.ApplyTo(types);
    return true;
}
