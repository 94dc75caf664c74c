#include "hosts/qt/HostPage.h"
#include "ModalScript.h"
#include "RussianTexts.h"
#include "WindowTestBed.h"
#include "app/ProgramSession.h"
#include "app/qt/QuorvexForm.h"
#include "config/LangChanger.h"
#include "config/Options.h"
#include "core/MessageCatalogue.h"
#include "hosts/ManagerHost.h"
#include "hosts/TrafficUsage.h"
#include "hosts/qt/HostListModel.h"
#include "hosts/qt/HostListView.h"
#include "hosts/qt/QtHostDialogs.h"
#include "support/TaskFakes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class HostPageTest : public ::testing::Test {
protected:
    HostPageTest()
    {
        ClearMessageTexts();
        Options() = TOptions{};
        TTrafficUsageItem& type = Types.AddConnectionType("LAN");
        type.Bandwidth = 1000000;
        type.MiddleTraffic = 500000;
        THostProperties properties;
        properties.Name = "srv";
        properties.Address = "\\\\srv\\";
        properties.Description = "backups";
        properties.LoginToServer = true;
        properties.UserLogin = "me";
        properties.UserPassword = "pw";
        properties.AllowUnlimitedConnection = false;
        properties.MaxConnection = 3;
        properties.TrafficPriority = tpMiddlePriority;
        Host = &Hosts.Hosts().AddHost(properties);
        Hosts.Rows().Add(Host);
        Page.Attach(&Hosts);
        Page.show();
        // The user selects the row.
        Page.HostList().selectAll();
    }
    ~HostPageTest() override { Options() = TOptions{}; }

    QString Cell(int column) const
    {
        const THostListModel& model = Page.HostList().Model();
        return model.data(model.index(0, column), Qt::DisplayRole).toString();
    }

    TRecordingBoxes Boxes;
    TScriptedDialogs Dialogs;
    TRecordingDesktop Desktop;
    TTrafficUsageCollection Types{Boxes};
    TLangChanger Language;  // no file: the forms keep their own texts
    QWidget Owner;
    TQtHostDialogs HostDialogs{&Owner, Language};
    THostEnvironment Environment{Boxes, Dialogs, HostDialogs, Desktop, Types};
    TManagerHost Hosts{Environment, ""};
    THostPage Page;
    THost* Host = nullptr;
};

}  // namespace

TEST_F(HostPageTest, HostDialogShowsTheHostWritesItBackOnOkAndChangesNothingOnCancel)
{
    ASSERT_TRUE(Hosts.HasSelectedHosts());
    EXPECT_EQ(Cell(1), "0/3");
    std::vector<std::string> shown;
    bool okWithoutName = true;
    TModalScript edit({[&](QWidget& dialog) {
        shown = {Child<QLineEdit>(dialog, "edName").text().toStdString(),
                 Child<QLineEdit>(dialog, "edAddress").text().toStdString(),
                 Child<QPlainTextEdit>(dialog, "mmDescription").toPlainText().toStdString(),
                 std::to_string(Child<QSpinBox>(dialog, "edMaxConnections").value()),
                 Child<QCheckBox>(dialog, "cbMaxConnections").isChecked() ? "unlimited" : "limited",
                 Child<QComboBox>(dialog, "cmbTraffik").currentText().toStdString(),
                 Child<QLineEdit>(dialog, "edUserLogin").text().toStdString(),
                 Child<QLineEdit>(dialog, "edUserPassword").text().toStdString()};
        auto& name = Child<QLineEdit>(dialog, "edName");
        name.clear();
        okWithoutName = Child<QPushButton>(dialog, "btnOK").isEnabled();
        name.setText("srv2");
        Child<QCheckBox>(dialog, "cbMaxConnections").setChecked(true);
        Child<QComboBox>(dialog, "cmbTraffik").setCurrentIndex(tpHighestPriority);
        Child<QCheckBox>(dialog, "cbLoginToServer").setChecked(false);
        Child<QPushButton>(dialog, "btnOK").click();
    }});
    Hosts.EditSelectedHosts();
    const std::vector<std::string> expected = {
        "srv", "\\\\srv\\", "backups", "3", "limited", "sMiddlePriority - 500.0 sSpeedKBit (50%)", "me", "pw"};
    EXPECT_EQ(shown, expected);
    EXPECT_FALSE(okWithoutName);
    EXPECT_EQ(Host->Name, "srv2");
    EXPECT_TRUE(Host->AllowUnlimitedConnection);
    EXPECT_EQ(Host->MaxConnection, 3);  // an unlimited host keeps its former count
    EXPECT_EQ(Host->TrafficPriority, tpHighestPriority);
    EXPECT_FALSE(Host->LoginToServer);
    EXPECT_EQ(Host->UserLogin + Host->UserPassword, "");
    EXPECT_EQ(Cell(0), "srv2");
    EXPECT_EQ(Cell(1), "0");

    const THostProperties before = Host->Properties();
    TModalScript cancel({[](QWidget& dialog) {
        Child<QLineEdit>(dialog, "edName").setText("other");
        Child<QCheckBox>(dialog, "cbTemporaryHost").setChecked(true);
        Child<QPushButton>(dialog, "btnCancel").click();
    }});
    Hosts.EditSelectedHosts();
    EXPECT_EQ(cancel.Seen(), std::vector<std::string>{"dlgHostProperties"});
    EXPECT_EQ(Host->Name, before.Name);
    EXPECT_EQ(Host->Temporary, before.Temporary);
    EXPECT_EQ(Cell(0), "srv2");
}

class HostWindowTest : public TWindowTestBed {};

TEST_F(HostWindowTest, TheHostAndConnectionTypeCommandsWorkFromTheWindowInEnglish)
{
    TQuorvexForm form(MainThread, Language, Files, false);
    form.show();
    form.Action("actShowHosts")->trigger();
    const int hostsBefore = form.Session().Hosts().Hosts().Count();
    std::string russian = "not shown";
    {
        TModalScript addHost({[&](QWidget& dialog) {
            russian = RussianTexts(dialog);
            Child<QLineEdit>(dialog, "edName").setText("nas");
            Child<QLineEdit>(dialog, "edAddress").setText("\\\\nas\\");
            Child<QPushButton>(dialog, "btnOK").click();
        }});
        form.Action("actAdd")->trigger();  // the page's own add command
    }
    EXPECT_EQ(russian, "");
    ASSERT_EQ(form.Session().Hosts().Hosts().Count(), hostsBefore + 1);
    EXPECT_EQ(form.Session().Hosts().FindHost("\\\\NAS\\share")->Name, "nas");

    // The options dialog opens the connection types through this command.
    TTrafficUsageCollection& types = form.Session().ConnectionTypes();
    const int typesBefore = types.Count();
    std::vector<std::string> shown;
    TModalScript addType({[&](QWidget& dialog) {
                              russian = RussianTexts(dialog);
                              QTimer::singleShot(0, &Child<QPushButton>(dialog, "btnAddConnection"),
                                                 &QPushButton::click);
                          },
                          [](QWidget& question) {
                              Child<QLineEdit>(question, "edName").setText("WAN");
                              Child<QLineEdit>(question, "edBandwidth").setText("1000000");
                              Child<QPushButton>(question, "btnOK").click();
                          },
                          [&](QWidget& dialog) {  // in front again: the new type is the current one
                              shown = {Child<QComboBox>(dialog, "cmbTypeConnection").currentText().toStdString(),
                                       Child<QLineEdit>(dialog, "edBandwidth").text().toStdString()};
                              Child<QPushButton>(dialog, "btnOK").click();
                          }});
    form.Action("actSetTrafUseValue")->trigger();
    EXPECT_EQ(russian, "");
    EXPECT_EQ(addType.Seen(),
              (std::vector<std::string>{"DlgTrafficPriority", "dlgNewConnection", "DlgTrafficPriority"}));
    ASSERT_EQ(types.Count(), typesBefore + 1);
    ASSERT_EQ(types.GetCurrentConnectionType(), &types[typesBefore]);
    EXPECT_EQ(types[typesBefore].Name, "WAN");
    EXPECT_EQ(types[typesBefore].HighTraffic, 800000u);
    EXPECT_EQ(shown, (std::vector<std::string>{"WAN", "1000000"}));
    form.Action("actExit")->trigger();
}
