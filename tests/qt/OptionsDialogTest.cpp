#include "ModalScript.h"
#include "RussianTexts.h"
#include "WindowTestBed.h"
#include "app/ProgramSession.h"
#include "app/qt/QuorvexForm.h"
#include "config/OptionKeys.h"
#include "config/Options.h"
#include "core/MessageCatalogue.h"
#include "tasks/ManagerTask.h"
#include "transfer/Proxies.h"
#include "transfer/UserAgents.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>

#include <gtest/gtest.h>

namespace {

// The main window over data files of its own, in English.
class OptionsDialogTest : public TWindowTestBed {
protected:
    OptionsDialogTest() : Form(OpenWindow()) {}

    template <class T>
    static T& Find(QWidget& window, const char* name)
    {
        auto* found = window.findChild<T*>(name);
        if (!found)
            throw std::runtime_error(std::string("no ") + name);
        return *found;
    }

    std::unique_ptr<TQuorvexForm> Form;
};

}  // namespace

TEST_F(OptionsDialogTest, OkCopiesBackOnlyWhatItsSwitchAllowsAndAppliesAtOnce)
{
    const TOptions before = Options();
    std::string russian = "not shown";
    std::vector<std::string> nested;
    TModalScript script({
        [&](QWidget& dialog) {
            russian = RussianTexts(dialog);
            Find<QCheckBox>(dialog, "cbShowStatusBar").click();
            Find<QSpinBox>(dialog, "edTaskBufferSize").setValue(128);
            Find<QSpinBox>(dialog, "edListMaxActiveTask").setValue(7);
            // Values whose switch is off: the controls are disabled and keep nothing.
            Find<QCheckBox>(dialog, "cbLimitConnectionFTPDef").click();
            EXPECT_FALSE(Find<QSpinBox>(dialog, "edMaxConnectionFTPDef").isEnabled());
            Find<QSpinBox>(dialog, "edMaxConnectionFTPDef").setValue(9);
            EXPECT_FALSE(Find<QLineEdit>(dialog, "edOtherProgramLAN").isEnabled());
            Find<QLineEdit>(dialog, "edOtherProgramLAN").setText("/usr/bin/viewer");
            // A confirmation unticked: the question is not asked any more.
            Find<QListWidget>(dialog, "lvConfirmation").item(1)->setCheckState(Qt::Unchecked);
            {
                TModalScript agent({[](QWidget& form) {
                    Find<QLineEdit>(form, "edName").setText("Probe");
                    Find<QLineEdit>(form, "edUserAgent").setText("Probe/1.0");
                    Find<QPushButton>(form, "btnOK").click();
                }});
                Find<QPushButton>(dialog, "btnUserAgentAdd").click();
                nested = agent.Seen();
            }
            Find<QPushButton>(dialog, "btnOK").click();
        },
    });
    Form->Action("actOptions")->trigger();
    EXPECT_EQ(script.Seen(), std::vector<std::string>{"DlgOpt"});
    EXPECT_EQ(nested, std::vector<std::string>{"dlgUserAgent"});
    EXPECT_EQ(russian, "");

    const TOptions& options = Options();
    EXPECT_EQ(options.TaskBufferSize, 128);
    EXPECT_FALSE(options.bLimitConnectionFTPDef);
    EXPECT_EQ(options.iMaxConnectionFTPDef, before.iMaxConnectionFTPDef);
    EXPECT_EQ(options.sOtherProgramLAN, before.sOtherProgramLAN);
    EXPECT_TRUE(options.bdsAllTaskDelete);
    EXPECT_FALSE(options.bShowStatusBar);
    EXPECT_FALSE(Form->findChild<QStatusBar*>("StatusBar1")->isVisible());
    EXPECT_EQ(Form->Tasks().MaxActiveTasks, 7);
    const TUserAgentCollection& agents = Form->Session().UserAgents();
    ASSERT_EQ(agents.Count(), 1);
    EXPECT_EQ(agents.CurrentUserAgent(), "Probe/1.0");
}

TEST_F(OptionsDialogTest, CancelChangesNothing)
{
    const TOptions before = Options();
    const int proxies = Form->Session().Proxies().Count();
    std::vector<std::string> nested;
    TModalScript script({
        [&](QWidget& dialog) {
            Find<QCheckBox>(dialog, "cbShowTabs").click();
            Find<QCheckBox>(dialog, "cbMonitorClipboard").click();
            Find<QSpinBox>(dialog, "edDialogTimeout").setValue(99);
            Find<QComboBox>(dialog, "cmbSizeType").setCurrentIndex(1);
            {
                // A proxy added and confirmed in the proxy dialog.
                TModalScript proxyDialog({[&](QWidget& proxy) {
                    {
                        TModalScript name({[](QWidget& box) { Find<QPushButton>(box, "btnOK").click(); }});
                        Find<QPushButton>(proxy, "btnProxyAdd").click();
                        nested = name.Seen();
                    }
                    Find<QLineEdit>(proxy, "edAddres").setText("127.0.0.1");
                    emit Find<QLineEdit>(proxy, "edAddres").textEdited("127.0.0.1");
                    Find<QPushButton>(proxy, "btnApply").click();
                    Find<QPushButton>(proxy, "btnOK").click();
                }});
                Find<QPushButton>(dialog, "btnProxyHTTPEdit").click();
                nested.insert(nested.begin(), proxyDialog.Seen().begin(), proxyDialog.Seen().end());
            }
            {
                // The command again, from the tray: no second copy of the options opens.
                TModalScript second({});
                Form->Action("actOptions")->trigger();
                EXPECT_EQ(second.Seen(), std::vector<std::string>{});
            }
            Find<QPushButton>(dialog, "btnCancel").click();
        },
    });
    Form->Action("actOptions")->trigger();
    EXPECT_EQ(nested, (std::vector<std::string>{"dlgProxyProperties", "InputBoxDlg"}));
    bool same = true;
    ForEachOptionKey(
        [&](const TOptionKey& key, const auto& now, const auto& was) {
            EXPECT_TRUE(now == was) << key.Name;
            same &= now == was;
        },
        Options(), before);
    EXPECT_TRUE(same);
    EXPECT_EQ(Form->Session().Proxies().Count(), proxies);
}

TEST_F(OptionsDialogTest, ChoosingALanguageRetranslatesTheOpenWindows)
{
    QAction* options = Form->Action("actOptions");
    EXPECT_EQ(options->text(), "Options");
    QMenu& menu = Find<QMenu>(*Form, "mnChangeLang");
    const auto item = [&](const char* file) {
        for (QAction* action : menu.actions())
            if (action->text() == file)
                return action;
        throw std::runtime_error(std::string("no ") + file);
    };
    ASSERT_TRUE(item("english.lng")->isChecked());
    item("russian.lng")->trigger();
    EXPECT_EQ(Options().DefaultLang, "russian.lng");
    EXPECT_EQ(options->text(), "Настройки");
    EXPECT_EQ(menu.title(), "Выбрать язык");
    EXPECT_EQ(Translate("sProxyNone"), "Без прокси");
    EXPECT_TRUE(item("russian.lng")->isChecked());
    EXPECT_FALSE(item("english.lng")->isChecked());

    item("english.lng")->trigger();
    EXPECT_EQ(options->text(), "Options");
    EXPECT_EQ(RussianTexts(*Form), "");
}
