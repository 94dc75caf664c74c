#include "app/CompletionAction.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records the requests as "Method force" and the window's answers.
class TRecordingPower : public ISystemPower, public ICompletionShell {
public:
    std::string PowerOff(bool force) override { return Record("PowerOff", force); }
    std::string Reboot(bool force) override { return Record("Reboot", force); }
    std::string Hibernate(bool force) override { return Record("Hibernate", force); }
    std::string Suspend(bool force) override { return Record("Suspend", force); }
    std::string LogOff(bool force) override { return Record("LogOff", force); }
    bool ConfirmCompletion(int seconds) override
    {
        Calls.push_back("Warning " + std::to_string(seconds));
        if (DuringWarning)
            DuringWarning();
        return Confirm;
    }
    void CloseProgram() override { Calls.push_back("Close"); }
    void ShowSystemError(const std::string& text) override { Calls.push_back("Error " + text); }

    std::string Record(const char* method, bool force)
    {
        Calls.push_back(std::string(method) + (force ? " forced" : ""));
        return Refusal;
    }

    std::vector<std::string> Calls;
    bool Confirm = true;
    std::string Refusal;
    std::function<void()> DuringWarning;
};

TEST(CompletionActionTest, RunsOnlyWhenNoDownloadIsLeftToRun)
{
    // A task in its pause before a retry, or paused for a while, is not finished: the
    // computer must not go down under it.
    const struct {
        std::vector<TTaskState> states;
        bool runs;
    } cases[] = {
        {{}, true},
        {{stateCompleted, stateStopped, stateErrorStopped, stateScheduled}, true},
        {{stateCompleted, stateStarted}, false},
        {{stateCompleted, stateWait}, false},
        {{stateCompleted, stateError}, false},
        {{stateTemporaryPaused}, false},
    };
    for (const auto& c : cases) {
        TRecordingPower power;
        RunCompletionAction(
            {false, caShutdown, 30, true}, [&] { return DownloadsFinished(c.states); }, power, power);
        EXPECT_EQ(power.Calls, c.runs ? std::vector<std::string>{"PowerOff forced"} : std::vector<std::string>{})
            << c.states.size();
    }
}

TEST(CompletionActionTest, WarningThenTheActionOfTheOption)
{
    const struct {
        TCompletionSettings settings;
        bool confirm;
        std::string refusal;
        std::vector<std::string> calls;
    } cases[] = {
        {{true, caShutdown, 30, true}, true, "", {"Warning 30", "PowerOff forced"}},
        {{true, caReboot, 5, false}, false, "", {"Warning 5"}},
        {{false, caHibernate, 30, true}, true, "", {"Hibernate forced"}},
        {{false, caSleep, 30, false}, true, "", {"Suspend"}},
        {{false, caLogoff, 30, false}, true, "", {"LogOff"}},
        {{true, caClose, 30, true}, true, "", {"Warning 30", "Close"}},
        {{false, caReboot, 30, true}, true, "Access denied", {"Reboot forced", "Error Access denied"}},
        {{true, 6, 30, true}, true, "", {}},
        {{true, -1, 30, true}, true, "", {}},
    };
    for (const auto& c : cases) {
        TRecordingPower power;
        power.Confirm = c.confirm;
        power.Refusal = c.refusal;
        RunCompletionAction(
            c.settings, [] { return true; }, power, power);
        EXPECT_EQ(power.Calls, c.calls) << c.settings.Action;
    }
}

TEST(CompletionActionTest, DownloadStartedDuringTheWarningStopsTheAction)
{
    TRecordingPower power;
    std::vector<TTaskState> states{stateCompleted};
    power.DuringWarning = [&] { states.push_back(stateStarted); };
    RunCompletionAction(
        {true, caShutdown, 30, true}, [&] { return DownloadsFinished(states); }, power, power);
    EXPECT_EQ(power.Calls, std::vector<std::string>{"Warning 30"});
}

TEST(CompletionActionTest, SwitchedOnOnlyThroughTheConfirmedDialog)
{
    TCompletionSettings settings{true, caShutdown, 30, true};
    const auto cancel = [](TCompletionSettings& edited) {
        edited.Action = caSleep;
        return false;
    };
    EXPECT_FALSE(ToggleCompletionAction(false, settings, cancel));
    EXPECT_EQ(settings.Action, caShutdown);
    const auto ok = [](TCompletionSettings& edited) {
        edited.Action = caSleep;
        return true;
    };
    EXPECT_TRUE(ToggleCompletionAction(false, settings, ok));
    EXPECT_EQ(settings.Action, caSleep);
    // On, the command turns it off without asking.
    EXPECT_FALSE(ToggleCompletionAction(true, settings, [](TCompletionSettings&) -> bool { throw 0; }));
}

}  // namespace
