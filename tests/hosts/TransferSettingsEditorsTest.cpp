#include "core/MessageCatalogue.h"
#include "hosts/TransferSettingsEditors.h"
#include "support/TaskFakes.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

// Answers the forms in turn: false for Cancel, or OK with the texts given.
class TScriptedForms : public ITransferSettingsDialogs {
public:
    struct TAnswer {
        bool Ok;
        std::string First;
        std::string Second;
    };
    std::deque<TAnswer> Answers;
    std::vector<std::string> Proposed;   // the name each proxy name box was opened with

    bool ShowUserAgent(TUserAgentForm& form) override
    {
        const TAnswer answer = Next();
        form.Name = answer.First;
        form.Agent = answer.Second;
        return answer.Ok;
    }
    bool InputProxyName(std::string& name) override
    {
        Proposed.push_back(name);
        const TAnswer answer = Next();
        name = answer.First;
        return answer.Ok;
    }

private:
    TAnswer Next()
    {
        const TAnswer answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
};

class TransferSettingsEditors : public ::testing::Test {
protected:
    void SetUp() override { ClearMessageTexts(); }

    TRecordingBoxes Boxes;
    TScriptedDialogs Dialogs;
    TScriptedForms Forms;
};

} // namespace

TEST_F(TransferSettingsEditors, UserAgentPageAddsEditsAndDeletesOnlyItsOwnChoices)
{
    TUserAgentCollection agents(Boxes);
    agents.AddUserAgent("Old", "Old/1");
    {
        TUserAgentsEditor page(agents, Dialogs, Forms);
        EXPECT_FALSE(page.CanEdit());
        // A form without an agent string adds nothing.
        Forms.Answers = {{true, "New", ""}, {true, "New", "New/2"}, {true, "Newer", "New/3"}};
        EXPECT_FALSE(page.Add());
        EXPECT_TRUE(page.Add());
        EXPECT_EQ(page.Selected(), 4);
        EXPECT_TRUE(page.Edit());
        page.Select(3);
        Dialogs.MessageBoxAnswers = {TModalResult::Yes};
        EXPECT_TRUE(page.Delete());
        EXPECT_EQ(page.ChoiceNames(), (std::vector<std::string>{"sQuorvexUserAgentString",
                                                                "sImportFromIEUserAgentString",
                                                                "sEmptyUserAgentString", "Newer"}));
        page.Select(1);
        EXPECT_FALSE(page.Delete());
        page.ApplyTo(agents);
    }
    EXPECT_EQ(agents.Count(), 1);
    EXPECT_EQ(agents.ChoiceAgent(3), "New/3");
    EXPECT_EQ(agents.DefIndex, 1);

    // A page left as it was hands nothing back.
    TUserAgentsEditor untouched(agents, Dialogs, Forms);
    agents.AddUserAgent("Later", "Later/1");
    untouched.ApplyTo(agents);
    EXPECT_EQ(agents.Count(), 2);
}

TEST_F(TransferSettingsEditors, ProxyDialogRefusesBadNamesAndValuesAndChangesNothingUntilConfirmed)
{
    TProxyCollection proxies(Boxes);
    proxies.AddProxy("office").Addres = "10.0.0.1";
    TProxyEditor dialog(proxies, Dialogs, Forms);
    EXPECT_EQ(dialog.Fields.Addres, "10.0.0.1");

    // A taken name, then an empty one; OK asks again with the last entry.
    Forms.Answers = {{true, "office", ""}, {true, "", ""}, {true, "home", ""}};
    Dialogs.MessageBoxAnswers = {TModalResult::OK, TModalResult::OK};
    ASSERT_TRUE(dialog.Add());
    EXPECT_EQ(Forms.Proposed, (std::vector<std::string>{"sProxyNameDefault", "office", ""}));
    EXPECT_EQ(dialog.Selected(), 1);
    EXPECT_TRUE(dialog.CanApply());

    dialog.Fields.Addres = "192.168.0.9";
    dialog.Fields.ProxyUserName = "me";
    for (const char* port : {"", "65536", "8o"}) {
        dialog.Fields.Port = port;
        Dialogs.MessageBoxAnswers = {TModalResult::OK};
        EXPECT_EQ(dialog.Apply(), TProxyEditor::apWrongPort) << port;
    }
    // The address went in, the rest did not.
    EXPECT_EQ(dialog.Proxies()[1].Addres, "192.168.0.9");
    EXPECT_EQ(dialog.Proxies()[1].ProxyUserName, "");
    dialog.Fields.Port = "8080";
    EXPECT_EQ(dialog.Apply(), TProxyEditor::apApplied);
    EXPECT_EQ(dialog.Proxies()[1].Port, 8080);
    EXPECT_FALSE(dialog.CanApply());

    // No to applying on OK closes as cancelled: the given proxies stay as they were.
    dialog.Fields.Addres = "";
    dialog.FieldsChanged();
    Dialogs.MessageBoxAnswers = {TModalResult::No};
    EXPECT_EQ(dialog.Ok(), TProxyEditor::clCancelled);
    EXPECT_EQ(proxies.Count(), 1);
    // Yes with a change that cannot be applied keeps the dialog open.
    Dialogs.MessageBoxAnswers = {TModalResult::Yes, TModalResult::OK};
    EXPECT_EQ(dialog.Ok(), TProxyEditor::clStay);
}

TEST_F(TransferSettingsEditors, ConfirmedProxyDialogDropsProxiesWithoutAnAddressWhenTheUserAgrees)
{
    TProxyCollection proxies(Boxes);
    proxies.AddProxy("office").Addres = "10.0.0.1";
    TProxyEditor dialog(proxies, Dialogs, Forms);
    Forms.Answers = {{true, "blank", ""}};
    ASSERT_TRUE(dialog.Add());
    Dialogs.MessageBoxAnswers = {TModalResult::No};
    dialog.Select(0);   // the new proxy's changes are not applied, its address stays empty
    EXPECT_EQ(dialog.Ok(), TProxyEditor::clConfirmed);
    Dialogs.MessageBoxAnswers = {TModalResult::Cancel};
    EXPECT_FALSE(dialog.Finish(proxies));
    EXPECT_EQ(proxies.Count(), 1);
    Dialogs.MessageBoxAnswers = {TModalResult::OK};
    proxies.DefaultProxyHTTP = 3;
    EXPECT_TRUE(dialog.Finish(proxies));
    EXPECT_EQ(proxies.Count(), 1);
    // The copy's ways come back with it; one that names no listed proxy shows the system's.
    EXPECT_EQ(proxies.DefaultProxyHTTP, 1);
    proxies.DefaultProxyFTP = 3;
    proxies[0].ProxyProtocolFTP = false;
    proxies.DefaultProxyHTTP = 2;
    EXPECT_EQ(ShownProxyChoice(proxies, true), 1);
    EXPECT_EQ(proxies.DefaultProxyFTP, 1);
    EXPECT_EQ(ShownProxyChoice(proxies, false), 2);
}
