#include "app/ShellNotifier.h"

#include "config/OptionKeys.h"
#include "config/Options.h"
#include "config/OptionsFile.h"
#include "core/MessageCatalogue.h"
#include "core/MessageFormat.h"

namespace {

std::string FormatWithName(const char* messageId, const std::string& name)
{
    return FormatMessage(Translate(messageId), {name});
}

}  // namespace

void TShellNotifier::Balloon(bool option, const char* titleId, const std::string& text, TBalloonKind kind)
{
    if (!option || (Options().bShowHintOnlyNonActive && Output_.ApplicationActive()))
        return;
    Output_.ShowBalloon(Translate(titleId), text, kind);
}

void TShellNotifier::Sound(bool TOptions::*flag)
{
    const TOptions& options = Options();
    if (!options.bUseSounds || !(options.*flag))
        return;
    for (int event = 0; event < kSoundEventCount; ++event) {
        if (kSoundEvents[event].Flag != flag)
            continue;
        // Options that were never read name no file: the event's own sound stands in.
        const std::string& file = options.*kSoundEvents[event].File;
        Output_.PlaySoundFile(file.empty() ? DefaultSoundFile(event) : file);
        return;
    }
}

void TShellNotifier::NotifyTaskStarted(const std::string& name)
{
    if (ShellClosing_)
        return;
    if (Options().AnimateTray && !Output_.TrayAnimating())
        Output_.StartTrayAnimation();
    Balloon(Options().bHintAfterStart, "sHintCaptionInfo", FormatWithName("sNotifyStartItem", name),
            TBalloonKind::Information);
    Sound(&TOptions::bSoundTaskStart);
}

void TShellNotifier::NotifyTaskCompleted(const std::string& name)
{
    if (ShellClosing_)
        return;
    Balloon(Options().bHintAfterComplete, "sHintCaptionInfo", FormatWithName("sNotifyCompleteItem", name),
            TBalloonKind::Information);
    Sound(&TOptions::bSoundTaskComplete);
}

void TShellNotifier::NotifyTaskPausedAfterError(const std::string& name)
{
    if (ShellClosing_)
        return;
    Balloon(Options().bHintAfterError, "sHintCaptionError", FormatWithName("sNotifyTempPausedErrorItem", name),
            TBalloonKind::Error);
}

void TShellNotifier::NotifyTaskError(const std::string& name)
{
    if (ShellClosing_)
        return;
    Balloon(Options().bHintAfterError, "sHintCaptionError", FormatWithName("sNotifyErrorItem", name),
            TBalloonKind::Error);
}

void TShellNotifier::NotifyTaskStopped()
{
    if (!ShellClosing_)
        Sound(&TOptions::bSoundTaskStop);
}

void TShellNotifier::NotifyAllCompleted()
{
    if (ShellClosing_)
        return;
    Balloon(Options().HintAfterCompleteAll, "sHintCaptionInfo", Translate("sNotifyCompleteItemAll"),
            TBalloonKind::Information);
    Sound(&TOptions::bSoundTaskCompleteAll);
    // Stopped whatever AnimateTray says now: turned off while cycling, it would cycle on
    // with nothing running.
    if (Output_.TrayAnimating())
        Output_.StopTrayAnimation();
    if (Options().bFinishAfterCompleteAll) {
        Sound(&TOptions::bSoundShutDown);
        Output_.RunCompletionAction();
    }
}

void TShellNotifier::PlaySoundTaskDeleted()
{
    Sound(&TOptions::bSoundTaskDel);
}

void TShellNotifier::PlaySoundTaskAdded()
{
    Sound(&TOptions::bSoundTaskAdd);
}

void TShellNotifier::ProgramStarted()
{
    Sound(&TOptions::bSoundProgramStart);
    Output_.StopTrayAnimation();
}

void TShellNotifier::ProgramExiting()
{
    Sound(&TOptions::bSoundProgramExit);
    ShellClosing_ = true;
}
