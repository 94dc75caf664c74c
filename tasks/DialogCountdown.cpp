#include "tasks/DialogCountdown.h"

#include "config/Options.h"
#include "core/MessageCatalogue.h"
#include "core/MessageFormat.h"

TDialogCountdown::TDialogCountdown() : TDialogCountdown(Options().DialogTimeout) {}

bool TDialogCountdown::Tick()
{
    --Counter_;
    if (Counter_ <= 0)
        return true;
    OkCaption_ = FormatMessage(Translate("sButtonTimedOk"), {int64_t(Counter_)});
    return false;
}

bool TDialogCountdown::Tick(bool held)
{
    return !held && Tick();
}
