#include "config/qt/QtLangWindow.h"

#include "RussianTexts.h"
#include "app/qt/MessageDlgTimeout.h"
#include "hosts/qt/QtTransferSettingsDialogs.h"
#include "hosts/qt/dlgProxyProperties.h"
#include "hosts/qt/dlgUserAgent.h"
#include "support/TaskFakes.h"
#include "tasks/DuplicateDialogModel.h"
#include "tasks/ExistingFileDialogModel.h"
#include "tasks/IncompleteTaskDialogModel.h"
#include "tasks/TaskDialogModel.h"
#include "tasks/qt/DLGAskDestinationAlreadyInList.h"
#include "tasks/qt/DLGAskPerformDeleteIncompleteTask.h"
#include "tasks/qt/DlgAskAlraedyInDisk.h"
#include "tasks/qt/DlgSetNumMaxActiveTask.h"
#include "tasks/qt/DlgTaskProperties.h"
#include "tasks/qt/dlgPauseTemp.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <memory>

TEST(QtLangWindowTest, TheShippedLanguagesTranslateEveryTextOfTheWindows)
{
    TTaskBed bed;
    bed.OpenManager();
    TTaskItem& task = bed.AddTask("/s/a.zip", "/d");
    TTaskDialogModel taskModel(TTaskProp{}, false);
    TDuplicateDialogModel duplicate("/d", "a.zip");
    TExistingFileDialogModel existing("a.zip");
    TIncompleteTaskDialogModel incomplete(task);
    auto properties = std::make_unique<TDlgTaskProperties>(taskModel, std::vector<std::string>{});
    std::vector<std::unique_ptr<QDialog>> windows;
    windows.push_back(std::make_unique<TDLGAskDestinationAlreadyInList>(duplicate));
    windows.push_back(std::make_unique<TDlgAskAlraedyInDisk>(existing));
    windows.push_back(std::make_unique<TDLGAskPerformDeleteIncompleteTask>(incomplete, [] {}));
    windows.push_back(std::make_unique<TdlgPauseTemp>(30));
    windows.push_back(std::make_unique<TDlgSetNumMaxActiveTask>(3));
    windows.push_back(std::make_unique<TMessageDlgTimeout>("", "", 30, 3));
    TUserAgentForm agent("", "");
    windows.push_back(std::make_unique<TdlgUserAgent>(agent));
    TRecordingBoxes boxes;
    TProxyCollection proxies(boxes);
    proxies.AddProxy("p");
    TLangChanger none;
    TQtTransferSettingsDialogs forms(nullptr, none, bed.Dialogs);
    windows.push_back(std::make_unique<TdlgProxyProperties>(proxies, bed.Dialogs, forms));

    TLangChanger english;
    TLangChanger russian;
    ASSERT_TRUE(english.SetLangFile(QUORVEX_LANGUAGES_DIR "english.lng"));
    ASSERT_TRUE(russian.SetLangFile(QUORVEX_LANGUAGES_DIR "russian.lng"));
    TranslateQtForm(english, *properties);
    EXPECT_EQ(RussianTexts(*properties), "");
    for (const auto& window : windows) {
        TranslateQtForm(english, *window);
        EXPECT_EQ(RussianTexts(*window), "") << window->objectName().toStdString();
    }
    auto& tabs = *properties->findChild<QTabWidget*>("pcProperties");
    EXPECT_EQ(properties->windowTitle(), "Properties");
    EXPECT_EQ(tabs.tabText(1), "Additional");
    EXPECT_EQ(properties->findChild<QComboBox*>("cmbSource")->toolTip(), "The path or the link of the file to copy");

    TranslateQtForm(russian, *properties);
    EXPECT_EQ(properties->windowTitle(), "Свойства");
    EXPECT_EQ(tabs.tabText(0), "Общие");
    EXPECT_EQ(properties->findChild<QLabel*>("lblSource")->text(), "Ссылка");
}

TEST(QtLangWindowTest, EntriesReachPropertiesListItemsFontsAndTabPages)
{
    QWidget form;
    form.setObjectName("Probe");
    auto* tabs = new QTabWidget(&form);
    auto* page = new QWidget;
    page->setObjectName("tsMain");
    tabs->addTab(page, "x");
    auto* label = new QLabel(page);
    label->setObjectName("lblName");
    auto* kinds = new QComboBox(&form);
    kinds->setObjectName("cmbKind");
    kinds->addItems({"a", "b"});
    kinds->setCurrentIndex(1);
    auto* edit = new QLineEdit(&form);
    edit->setObjectName("edName");
    auto* ratio = new QDoubleSpinBox(&form);
    ratio->setObjectName("edRatio");

    TLangChanger changer;
    changer.SetLangText("[Translations]\n"
                        "probe.windowTitle=Probe{ENTER}window\n"
                        "Probe.LBLNAME.Text=Name\n"
                        "Probe.lblName.font.pointSize=21\n"
                        "Probe.tsMain.title=Main\n"
                        "Probe.cmbKind.items=One, Two, Three\n"
                        "Probe.edName.maxLength=12\n"
                        "Probe.edRatio.value=2,5\n"
                        "Probe.edName.noSuchProperty=x\n"
                        "Other.windowTitle=not this one\n");
    TranslateQtForm(changer, form);
    EXPECT_EQ(form.windowTitle(), "Probe\nwindow");
    EXPECT_EQ(label->text(), "Name");
    EXPECT_EQ(label->font().pointSize(), 21);
    EXPECT_EQ(tabs->tabText(0), "Main");
    ASSERT_EQ(kinds->count(), 3);
    EXPECT_EQ(kinds->itemText(2), "Three");
    EXPECT_EQ(kinds->currentIndex(), 1);
    EXPECT_EQ(edit->maxLength(), 12);
    EXPECT_DOUBLE_EQ(ratio->value(), 2.5);
}
