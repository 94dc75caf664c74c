#include "app/ShellNotifier.h"

#include "config/Options.h"
#include "core/MessageCatalogue.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

class TRecordingOutput : public IShellOutput {
public:
    void ShowBalloon(const std::string& title, const std::string& text, TBalloonKind kind) override
    {
        Calls.push_back("Balloon:" + title + "|" + text + (kind == TBalloonKind::Error ? "|error" : "|info"));
    }
    void PlaySoundFile(const std::string& path) override { Calls.push_back("Sound:" + path); }
    void StartTrayAnimation() override
    {
        Animating = true;
        Calls.push_back("Animate");
    }
    void StopTrayAnimation() override
    {
        Animating = false;
        Calls.push_back("Still");
    }
    bool TrayAnimating() const override { return Animating; }
    bool ApplicationActive() const override { return Active; }
    void ShowTaskPage() override { Calls.push_back("ShowTaskPage"); }
    void RunCompletionAction() override { Calls.push_back("CompletionAction"); }

    std::vector<std::string> Calls;
    bool Animating = false;
    bool Active = false;
};

// Every sound on, each with a file named after its event.
void SoundsOn(TOptions& o)
{
    o.bUseSounds = true;
    o.sFileSoundTaskStart = "start.wav";
    o.sFileSoundTaskComplete = "complete.wav";
    o.sFileSoundTaskCompleteAll = "all.wav";
    o.sFileSoundShutDown = "shutdown.wav";
    o.sFileSoundTaskStop = "stop.wav";
    o.sFileSoundTaskAdd = "add.wav";
    o.sFileSoundTaskDel = "del.wav";
    o.sFileSoundProgramStart = "hello.wav";
    o.sFileSoundProgramExit = "bye.wav";
}

using TSetup = std::function<void(TOptions&, TRecordingOutput&)>;
using TEvent = std::function<void(TShellNotifier&)>;

}  // namespace

TEST(ShellNotifierTest, EventsGiveBalloonsSoundsAndAnimationAsTheOptionsSay)
{
    const TOptions saved = Options();
    ClearMessageTexts();
    SetMessageText("sHintCaptionInfo", "Info");
    SetMessageText("sHintCaptionError", "Oops");
    SetMessageText("sNotifyStartItem", "%s started");
    SetMessageText("sNotifyCompleteItem", "%s done");
    SetMessageText("sNotifyErrorItem", "%s failed");
    SetMessageText("sNotifyTempPausedErrorItem", "%s rests");
    SetMessageText("sNotifyCompleteItemAll", "All done");
    const TEvent started = [](TShellNotifier& n) { n.NotifyTaskStarted("a.iso"); };
    const TEvent allCompleted = [](TShellNotifier& n) { n.NotifyAllCompleted(); };
    // clang-format off
    const struct {
        const char* Name;
        TSetup Setup;
        TEvent Event;
        std::vector<std::string> Calls;
    } cases[] = {
        {"start", [](TOptions& o, TRecordingOutput&) { SoundsOn(o); }, started,
         {"Animate", "Balloon:Info|a.iso started|info", "Sound:start.wav"}},
        {"start while cycling", [](TOptions& o, TRecordingOutput& out) { SoundsOn(o); out.Animating = true; }, started,
         {"Balloon:Info|a.iso started|info", "Sound:start.wav"}},
        {"start without animation", [](TOptions& o, TRecordingOutput&) { SoundsOn(o); o.AnimateTray = false; },
         started, {"Balloon:Info|a.iso started|info", "Sound:start.wav"}},
        {"sounds off", [](TOptions& o, TRecordingOutput&) { SoundsOn(o); o.bUseSounds = false; }, started,
         {"Animate", "Balloon:Info|a.iso started|info"}},
        {"event's sound off", [](TOptions& o, TRecordingOutput&) { SoundsOn(o); o.bSoundTaskComplete = false; },
         [](TShellNotifier& n) { n.NotifyTaskCompleted("b"); }, {"Balloon:Info|b done|info"}},
        {"active window", [](TOptions&, TRecordingOutput& out) { out.Active = true; },
         [](TShellNotifier& n) { n.NotifyTaskError("c"); }, {}},
        {"active window, balloons always",
         [](TOptions& o, TRecordingOutput& out) { out.Active = true; o.bShowHintOnlyNonActive = false; },
         [](TShellNotifier& n) { n.NotifyTaskError("c"); }, {"Balloon:Oops|c failed|error"}},
        {"balloon option off", [](TOptions& o, TRecordingOutput&) { o.bHintAfterError = false; },
         [](TShellNotifier& n) { n.NotifyTaskPausedAfterError("d"); }, {}},
        {"paused after errors", [](TOptions&, TRecordingOutput&) {},
         [](TShellNotifier& n) { n.NotifyTaskPausedAfterError("d"); }, {"Balloon:Oops|d rests|error"}},
        {"stopped", [](TOptions& o, TRecordingOutput&) { SoundsOn(o); },
         [](TShellNotifier& n) { n.NotifyTaskStopped(); }, {"Sound:stop.wav"}},
        {"all completed", [](TOptions& o, TRecordingOutput& out) { SoundsOn(o); out.Animating = true; }, allCompleted,
         {"Balloon:Info|All done|info", "Sound:all.wav", "Still"}},
        {"all completed, then finish",
         [](TOptions& o, TRecordingOutput& out) {
             SoundsOn(o);
             o.bFinishAfterCompleteAll = true;
             o.AnimateTray = false;  // turned off while cycling: it stops all the same
             out.Animating = true;
         },
         allCompleted,
         {"Balloon:Info|All done|info", "Sound:all.wav", "Still", "Sound:shutdown.wav", "CompletionAction"}},
        {"finish without sounds", [](TOptions& o, TRecordingOutput&) { o.bFinishAfterCompleteAll = true; },
         allCompleted, {"Balloon:Info|All done|info", "CompletionAction"}},
        {"added and deleted", [](TOptions& o, TRecordingOutput&) { SoundsOn(o); },
         [](TShellNotifier& n) {
             n.PlaySoundTaskAdded();
             n.PlaySoundTaskDeleted();
             n.ShowTaskPage();
         },
         {"Sound:add.wav", "Sound:del.wav", "ShowTaskPage"}},
        {"start and exit of the program", [](TOptions& o, TRecordingOutput&) { SoundsOn(o); },
         [](TShellNotifier& n) {
             n.ProgramStarted();
             n.ProgramExiting();
         },
         {"Sound:hello.wav", "Still", "Sound:bye.wav"}},
        {"closing: the task hooks are silent",
         [](TOptions& o, TRecordingOutput&) {
             SoundsOn(o);
             o.bFinishAfterCompleteAll = true;
         },
         [](TShellNotifier& n) {
             n.ProgramExiting();
             n.NotifyTaskStarted("e");
             n.NotifyTaskCompleted("e");
             n.NotifyTaskError("e");
             n.NotifyTaskPausedAfterError("e");
             n.NotifyTaskStopped();
             n.NotifyAllCompleted();
         },
         {"Sound:bye.wav"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        Options() = TOptions();
        TRecordingOutput output;
        c.Setup(Options(), output);
        TShellNotifier notifier(output);
        c.Event(notifier);
        EXPECT_EQ(output.Calls, c.Calls) << c.Name;
    }

    // A sound whose file was never chosen plays the event's own file.
    Options() = TOptions();
    Options().bUseSounds = true;
    TRecordingOutput output;
    TShellNotifier(output).NotifyTaskStopped();
    ASSERT_EQ(output.Calls.size(), 1u);
    EXPECT_TRUE(output.Calls[0].ends_with("Sounds/Stop.wav")) << output.Calls[0];
    Options() = saved;
    ClearMessageTexts();
}
