#include "hosts/qt/HostPage.h"
#include "ModalScript.h"
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

template <class T>
T& Child(QWidget& parent, const char* name)
{
    T* child = parent.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return *child;
}

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
