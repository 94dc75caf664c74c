#include "records/FindDialog.h"

#include "config/Options.h"
#include "records/RecentTexts.h"

void TFindDialogModel::FindNext()
{
    if (!CanFind())
        return;
    RememberText();
    if (FirstSearch_)
        Target_.ResetFind();
    FirstSearch_ = false;
    Target_.FindNext(Text, Flags());
}

void TFindDialogModel::SelectAll()
{
    if (!CanFind())
        return;
    RememberText();
    FirstSearch_ = true;
    Target_.FindAll(Text, Flags());
}

void TFindDialogModel::RememberText() const
{
    ::RememberText(Options().ListFinded, Text, Options().ListFinded_MAxCount, false);
}
