#include "records/qt/QtRecordDialogs.h"

#include <QMessageBox>

void TQtRecordDialogs::ShowRecordProperties(const TRecordPropertiesForm& form)
{
    const QString text = QString::fromStdString(form.Name + "\n\n" + form.Source + "\n" + form.Destination + "\n\n"
                                                + form.Size + "\n" + form.Created + "\n" + form.Completed);
    QMessageBox::information(Owner_, QString::fromStdString(form.Name), text);
}

bool TQtRecordDialogs::ShowCustomRangeDialog(TDateTime&, TDateTime&)
{
    return false;
}
