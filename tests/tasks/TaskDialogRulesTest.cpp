#include "core/MessageCatalogue.h"
#include "tasks/DialogCountdown.h"
#include "tasks/ExistingFileDialogModel.h"
#include "tasks/MessageDlgModel.h"

#include <gtest/gtest.h>

namespace {

class TaskDialogRulesTest : public ::testing::Test {
protected:
    TaskDialogRulesTest()
    {
        for (const char* id :
             {"SMsgDlgYes", "SMsgDlgNo", "SMsgDlgOK", "SMsgDlgCancel", "SMsgDlgAbort", "SMsgDlgNoToAll"})
            SetMessageText(id, std::string(id).substr(7));
        SetMessageText("SMsgDlgConfirm", "Confirm");
        SetMessageText("sButtonTimedOk", "OK (%d)");
    }
    ~TaskDialogRulesTest() override { ClearMessageTexts(); }
};

}  // namespace

TEST_F(TaskDialogRulesTest, TheCountdownStandsStillWhileTheUserCannotAnswer)
{
    // Each beat: whether it was held; the counter after it and whether the time is up.
    struct Beat {
        bool Held;
        int Counter;
        bool Up;
    };
    struct Case {
        const char* Name;
        int Seconds;
        std::vector<Beat> Beats;
        std::string Caption;  // after the last beat
    };
    const Case cases[] = {
        {"held from the start", 2, {{true, 2, false}, {true, 2, false}, {false, 1, false}, {false, 0, true}}, "OK (1)"},
        {"held at the last second",
         2,
         {{false, 1, false}, {true, 1, false}, {true, 1, false}, {false, 0, true}},
         "OK (1)"},
        {"held before anything shows", 3, {{true, 3, false}}, ""},
        {"never held", 1, {{false, 0, true}}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TDialogCountdown countdown(c.Seconds);
        for (const Beat& beat : c.Beats) {
            EXPECT_EQ(countdown.Tick(beat.Held), beat.Up);
            EXPECT_EQ(countdown.Counter(), beat.Counter);
        }
        EXPECT_EQ(countdown.OkCaption(), c.Caption);
    }
}

TEST_F(TaskDialogRulesTest, MessageBoxButtonsStandInOrderWithTheirEnterAndEscAnswers)
{
    using R = TModalResult;
    struct Case {
        unsigned Buttons;
        std::string Captions;
        std::optional<R> Default;
        std::optional<R> Escape;
    };
    const Case cases[] = {
        {mbNoToAll | mbAbort | mbNo | mbYes, "Yes No Abort NoToAll ", R::Yes, R::No},
        {mbCancel | mbOK, "OK Cancel ", R::OK, R::Cancel},
        {mbOK | mbNo | mbYes, "Yes No OK ", R::OK, R::No},
        {mbOK, "OK ", R::OK, R::OK},
        {mbAbort, "Abort ", std::nullopt, std::nullopt},
        // A box must always be closable.
        {0, "OK ", R::OK, R::OK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Buttons);
        std::string captions;
        for (const TMessageDlgButton& button : MessageDlgButtons(c.Buttons))
            captions += button.Caption + " ";
        EXPECT_EQ(captions, c.Captions);
        EXPECT_EQ(MessageDlgDefault(c.Buttons), c.Default);
        EXPECT_EQ(MessageDlgEscape(c.Buttons), c.Escape);
    }
    EXPECT_EQ(MessageDlgCaption(TMessageKind::Confirmation), "Confirm");
    EXPECT_EQ(MessageDlgCaption(4), "");
}

TEST_F(TaskDialogRulesTest, CtrlCCopiesTheBoxAsLinesOfText)
{
    const std::string rule = "---------------------------\r\n";
    EXPECT_EQ(MessageDlgCopyText("Confirm", "Quit?", {"&Yes", "N&o to all"}),
              rule + "Confirm\r\n" + rule + "Quit?\r\n" + rule + "Yes   No to all   \r\n" + rule);
}

TEST_F(TaskDialogRulesTest, AnExistingFileIsRenamedOnlyToANameBesideIt)
{
    struct Case {
        TExistingFileDecision Decision;
        std::string Name;
        bool Ok;
    };
    const Case cases[] = {
        {efRename, "a[1].zip", true},  {efRename, "", false},
        {efRename, "..", false},       {efRename, "../a.zip", false},
        {efRename, "d\\a.zip", false}, {efOverwrite, "", true},
        {efAddTo, "../a.zip", true},   {efStop, "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TExistingFileDialogModel model("a.zip");
        model.Decision = c.Decision;
        model.Name = c.Name;
        model.Remember = true;
        TExistingFileDecision decision = efAsk;
        std::string name = "old";
        bool remember = false;
        EXPECT_EQ(model.Accept(decision, name, remember), c.Ok);
        EXPECT_EQ(decision, c.Ok ? c.Decision : efAsk);
        // Only a rename takes the name of the edit.
        EXPECT_EQ(name, c.Ok && c.Decision == efRename ? c.Name : "old");
        EXPECT_EQ(remember, c.Ok);
    }
}
