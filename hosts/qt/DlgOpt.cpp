#include "hosts/qt/DlgOpt.h"

#include "config/OptionKeys.h"
#include "config/qt/QtLangWindow.h"
#include "core/MessageCatalogue.h"
#include "hosts/TrafficUsage.h"

#include "ui_DlgOpt.h"

#include <QFileDialog>
#include <QFileInfo>

#include <type_traits>

namespace {

// The controls that show one value each, by their names.
struct TCheckControl {
    const char* Name;
    bool TOptions::*Value;
};
struct TNumberControl {
    const char* Name;
    int TOptions::*Value;
};
// The index of the entry chosen is the value (some values are enumerations).
struct TListControl {
    const char* Name;
    int (*Get)(const TOptions&);
    void (*Set)(TOptions&, int);
};
template <auto Value>
constexpr TListControl ListOf(const char* name)
{
    return {name, [](const TOptions& o) { return int(o.*Value); },
            [](TOptions& o, int index) { o.*Value = std::remove_reference_t<decltype(o.*Value)>(index); }};
}
struct TRadioControl {
    const char* Name;
    int TOptions::*Value;
    int Means;  // the value while the button is chosen
};
struct TTextControl {
    const char* Name;
    std::string TOptions::*Value;
};
// Two radio buttons over one switch: the first chosen while it is on.
struct TRadioPair {
    const char* On;
    const char* Off;
    bool TOptions::*Value;
};

// clang-format off
const TCheckControl kChecks[] = {
    {"cbListAutoSave", &TOptions::ListAutoSave},
    {"cbListDeleteTaskAfterComplete", &TOptions::ListDeleteTaskAfterComplete},
    {"cbFinishAfterCompleteAll", &TOptions::bFinishAfterCompleteAll},
    {"cbTaskErrorPauseTempTimeout", &TOptions::bTaskErrorPauseTempTimeout},
    {"cbTaskErrorMoveDown", &TOptions::bTaskErrorMoveDown},
    {"cbTaskLogSaveToFile", &TOptions::TaskLogSaveToFile},
    {"cbDetailedInfo", &TOptions::bDetailedInfo},
    {"cbTaskReserveSpace", &TOptions::TaskReserveSpace},
    {"cbTaskStopIfNotReserve", &TOptions::TaskStopIfNotReserve},
    {"cbTaskGetDateFromServer", &TOptions::TaskGetDateFromServer},
    {"cbSetAtributes", &TOptions::bSetAtributes},
    {"cbHistoryLineMax", &TOptions::bHistoryLineMax},
    {"cbHistoryTimeMax", &TOptions::bHistoryTimeMax},
    {"cbHistoryAddIncomplete", &TOptions::bHistoryAddIncomplete},
    {"cbLimitConnectionNetbiosDef", &TOptions::bLimitConnectionNetbiosDef},
    {"cbLimitConnectionFTPDef", &TOptions::bLimitConnectionFTPDef},
    {"cbLimitConnectionHTTPDef", &TOptions::bLimitConnectionHTTPDef},
    {"cbUseCokies", &TOptions::bUseCokies},
    {"cbUsePassiveFTP", &TOptions::bUsePassiveFTP},
    {"cbProxyBypass", &TOptions::bProxyBypass},
    {"cbStartWithWindows", &TOptions::StartWithWindows},
    {"cbIntegrateToExplorer", &TOptions::ExplorerIntegration},
    {"cbIntegrateToIE", &TOptions::IntegrateToIE},
    {"cbMonitorClipboard", &TOptions::bMonitorClipboard},
    {"cbMonitorHTTP", &TOptions::bMonitorHTTP},
    {"cbMonitorFTP", &TOptions::bMonitorFTP},
    {"cbMonitorNetbios", &TOptions::bMonitorNetbios},
    {"cbMonitorLocal", &TOptions::bMonitorLocal},
    {"cbFilterClipboard", &TOptions::bFilterClipboard},
    {"cbMinimizeToTrayX", &TOptions::MinimizeToTrayX},
    {"cbStartMinimized", &TOptions::StartMinimized},
    {"cbAnimateTray", &TOptions::AnimateTray},
    {"cbShowSplash", &TOptions::ShowSplashScreen},
    {"cbGraphTrafVisible", &TOptions::bGraphTrafVisible},
    {"cbMeasureSpeedInBits", &TOptions::MeasureSpeedInBits},
    {"cbShowDefIcons", &TOptions::ShowDefIcons},
    {"cbShowTabPanel", &TOptions::bShowTabPanel},
    {"cbShowStatusBar", &TOptions::bShowStatusBar},
    {"cbShowTabs", &TOptions::bShowTabs},
    {"cbShowHintInStatusBar", &TOptions::bShowHintInStatusBar},
    {"cbShowHintForListView", &TOptions::bShowHintForListView},
    {"cbUseSounds", &TOptions::bUseSounds},
    {"cbHintAfterCompleteAll", &TOptions::HintAfterCompleteAll},
    {"cbHintAfterError", &TOptions::bHintAfterError},
    {"cbHintAfterComplete", &TOptions::bHintAfterComplete},
    {"cbHintAfterStart", &TOptions::bHintAfterStart},
    {"cbShowHintOnlyNonActive", &TOptions::bShowHintOnlyNonActive},
};

const TRadioPair kRadioPairs[] = {
    {"rbTemporaryHost", "rbPermanentHost", &TOptions::bTemporaryHostDefault},
    {"rbOtherProgramLAN", "rbDefaultProgramLAN", &TOptions::bOtherProgramLAN},
    {"rbOtherProgramHTTP", "rbDefaultProgramHTTP", &TOptions::bOtherProgramHTTP},
    {"rbOtherProgramFTP", "rbDefaultProgramFTP", &TOptions::bOtherProgramFTP},
};

const TNumberControl kNumbers[] = {
    {"edListMaxActiveTask", &TOptions::ListMaxActiveTask},
    {"edListAutoSavePeriod", &TOptions::ListAutoSavePeriod},
    {"edTaskMaxRetries", &TOptions::TaskMaxRetries},
    {"edTaskRetriesPause", &TOptions::TaskRetriesPause},
    {"edTaskBufferSize", &TOptions::TaskBufferSize},
    {"edTaskErrorPauseTempTimeout", &TOptions::iTaskErrorPauseTempTimeout},
    {"edTaskErrorPauseTempRetries", &TOptions::iTaskErrorPauseTempRetries},
    {"edTaskLogLineMax", &TOptions::TaskLogLineMax},
    {"edHistoryLineMax", &TOptions::HistoryLineMax},
    {"edHistoryTimeMax", &TOptions::HistoryTimeMax},
    {"edMaxConnectionNetbiosDef", &TOptions::iMaxConnectionNetbiosDef},
    {"edMaxConnectionFTPDef", &TOptions::iMaxConnectionFTPDef},
    {"edMaxConnectionHTTPDef", &TOptions::iMaxConnectionHTTPDef},
    {"edDialogTimeout", &TOptions::DialogTimeout},
};

const TListControl kLists[] = {
    ListOf<&TOptions::DuplicateTaskWhatToDo>("cmbDuplicateTaskWhatToDo"),
    ListOf<&TOptions::AlraedyInDiskWhatToDo>("cmbAlraedyInDiskWhatToDo"),
    ListOf<&TOptions::IncompleteTaskWhatToDo>("cmbIncompleteTaskWhatToDo"),
    ListOf<&TOptions::DblClickTask>("cmbDblClickTask"),
    ListOf<&TOptions::DblClickComplete>("cmbDblClickComplete"),
    ListOf<&TOptions::DblClickError>("cmbDblClickError"),
    ListOf<&TOptions::iSizeType>("cmbSizeType"),
    ListOf<&TOptions::iSpeedType>("cmbSpeedType"),
};

// The lists whose entries are messages, in the order of kLists.
const TOptionList kListTexts[] = {olDuplicateTask, olAlreadyOnDisk,    olIncompleteTask,
                                  olDblClickTask,  olDblClickComplete, olDblClickError};

const TRadioControl kRadios[] = {
    {"rbFTPModeBinary", &TOptions::iFTPMode, 0},
    {"rbFTPModeASCII", &TOptions::iFTPMode, 1},
    {"rbFTPModeByExt", &TOptions::iFTPMode, 2},
};

const TTextControl kTexts[] = {
    {"edOtherProgramLAN", &TOptions::sOtherProgramLAN},
    {"edOtherProgramLANKey", &TOptions::sOtherProgramLANKey},
    {"edOtherProgramHTTP", &TOptions::sOtherProgramHTTP},
    {"edOtherProgramHTTPKey", &TOptions::sOtherProgramHTTPKey},
    {"edOtherProgramFTP", &TOptions::sOtherProgramFTP},
    {"edOtherProgramFTPKey", &TOptions::sOtherProgramFTPKey},
    {"edFTPModeASCIIFileExt", &TOptions::sFTPModeASCIIFileExt},
    {"mmProxyBypass", &TOptions::sProxyBypass},
    {"mmFilterClipboard", &TOptions::sFilterClipboard},
};

// The controls each rule enables.
const struct {
    TOptionControl Control;
    std::initializer_list<const char*> Names;
} kDependents[] = {
    {ocListAutoSavePeriod, {"edListAutoSavePeriod", "lblListAutoSavePeriod"}},
    {ocTaskLogLineMax, {"edTaskLogLineMax"}},
    {ocTaskStopIfNotReserve, {"cbTaskStopIfNotReserve"}},
    {ocMaxConnectionNetbios, {"edMaxConnectionNetbiosDef"}},
    {ocMaxConnectionFTP, {"edMaxConnectionFTPDef"}},
    {ocMaxConnectionHTTP, {"edMaxConnectionHTTPDef"}},
    {ocOtherProgramLAN, {"lblOtherProgramLAN", "edOtherProgramLAN", "btnOtherProgramLAN", "lblOtherProgramLANKey", "edOtherProgramLANKey"}},
    {ocOtherProgramHTTP, {"lblOtherProgramHTTP", "edOtherProgramHTTP", "btnOtherProgramHTTP", "lblOtherProgramHTTPKey", "edOtherProgramHTTPKey"}},
    {ocOtherProgramFTP, {"lblOtherProgramFTP", "edOtherProgramFTP", "btnOtherProgramFTP", "lblOtherProgramFTPKey", "edOtherProgramFTPKey"}},
    {ocFTPModeASCIIFileExt, {"edFTPModeASCIIFileExt"}},
    {ocClipboardKinds, {"cbMonitorHTTP", "cbMonitorFTP", "cbMonitorNetbios", "cbMonitorLocal", "cbFilterClipboard"}},
    {ocFilterClipboardText, {"mmFilterClipboard"}},
    {ocSounds, {"lvSounds", "btnSoundPlay", "btnSoundChange", "btnSoundDefault"}},
    {ocProxyBypass, {"cbProxyBypass", "mmProxyBypass"}},
    {ocProxyChoice, {"cmbProxyHTTP", "cmbProxyFTP"}},
    {ocIntegrateToIE, {"cbIntegrateToIE"}},
    {ocDownloadSubfolders, {"cbDownloadSubfolders"}},
};
// clang-format on

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

TDlgOpt::TDlgOpt(TOptions& options, const TDlgOptEnvironment& environment, TDlgOptCommands commands, QWidget* parent)
    : QDialog(parent), Ui_(std::make_unique<Ui::DlgOpt>()), Options_(options), Environment_(environment),
      Commands_(std::move(commands)), Model_(options), Forms_(this, environment.Language, environment.Dialogs),
      UserAgents_(environment.UserAgents, environment.Dialogs, Forms_), Proxies_(environment.Proxies.Boxes())
{
    Ui_->setupUi(this);
    Proxies_.Assign(environment.Proxies);
    for (const TNumberBox& box : TOptionsDialogModel::NumberBoxes())
        for (const TNumberControl& number : kNumbers)
            if (number.Value == box.Value)
                findChild<QSpinBox*>(number.Name)->setRange(box.Min, box.Max);
    for (std::size_t list = 0; list < std::size(kListTexts); ++list)
        for (const std::string& text : TOptionsDialogModel::ListTexts(kListTexts[list]))
            findChild<QComboBox*>(kLists[list].Name)->addItem(Q(text));
    FillUnitLists();
    FillUserAgents();
    FillProxyLists();
    FillConnectionTypes();
    FillSounds();
    FillConfirmations();
    ConnectPages();
    BindControls();
    ConnectButtons();
    ShowValues();
    ShowEnabled();
}

TDlgOpt::~TDlgOpt() = default;

void TDlgOpt::ConnectPages()
{
    connect(Ui_->lvPages, &QListWidget::currentRowChanged, Ui_->pcOptions, &QStackedWidget::setCurrentIndex);
    Ui_->lvPages->setCurrentRow(0);
    Ui_->lvPages->setFixedWidth(Ui_->lvPages->sizeHintForColumn(0) + 2 * Ui_->lvPages->frameWidth() + 16);
}

void TDlgOpt::BindControls()
{
    TOptions& c = Model_.Controls();
    // Every edit: the model takes it, then the controls show what follows from it.
    const auto changed = [this] {
        ShowValues();
        ShowEnabled();
    };
    for (const TCheckControl& check : kChecks)
        connect(findChild<QAbstractButton*>(check.Name), &QAbstractButton::toggled, this,
                [this, &c, check, changed](bool on) {
                    if (Filling_)
                        return;
                    if (check.Value == &TOptions::bMonitorClipboard)
                        Model_.SetMonitorClipboard(on);
                    else
                        c.*check.Value = on;
                    if (check.Value == &TOptions::MeasureSpeedInBits)
                        FillUnitLists();
                    changed();
                });
    for (const TRadioPair& pair : kRadioPairs)
        connect(findChild<QAbstractButton*>(pair.On), &QAbstractButton::toggled, this,
                [this, &c, pair, changed](bool on) {
                    if (Filling_)
                        return;
                    c.*pair.Value = on;
                    changed();
                });
    for (const TRadioControl& radio : kRadios)
        connect(findChild<QAbstractButton*>(radio.Name), &QAbstractButton::toggled, this,
                [this, &c, radio, changed](bool on) {
                    if (Filling_ || !on)
                        return;
                    c.*radio.Value = radio.Means;
                    changed();
                });
    for (const TNumberControl& number : kNumbers)
        connect(findChild<QSpinBox*>(number.Name), &QSpinBox::valueChanged, this, [this, &c, number](int value) {
            if (!Filling_)
                c.*number.Value = value;
        });
    for (const TListControl& list : kLists)
        connect(findChild<QComboBox*>(list.Name), &QComboBox::activated, this,
                [&c, list](int index) { list.Set(c, index); });
    for (const TTextControl& text : kTexts) {
        if (auto* edit = findChild<QLineEdit*>(text.Name))
            connect(edit, &QLineEdit::textChanged, this, [this, &c, text](const QString& value) {
                if (!Filling_)
                    c.*text.Value = value.toStdString();
            });
        else if (auto* memo = findChild<QPlainTextEdit*>(text.Name))
            connect(memo, &QPlainTextEdit::textChanged, this, [this, &c, text, memo] {
                if (!Filling_)
                    c.*text.Value = memo->toPlainText().toStdString();
            });
    }
}

void TDlgOpt::ShowValues()
{
    const TOptions& c = Model_.Controls();
    Filling_ = true;
    for (const TCheckControl& check : kChecks)
        findChild<QAbstractButton*>(check.Name)->setChecked(c.*check.Value);
    for (const TRadioPair& pair : kRadioPairs)
        findChild<QAbstractButton*>(c.*pair.Value ? pair.On : pair.Off)->setChecked(true);
    for (const TRadioControl& radio : kRadios)
        if (c.*radio.Value == radio.Means)
            findChild<QAbstractButton*>(radio.Name)->setChecked(true);
    for (const TNumberControl& number : kNumbers)
        findChild<QSpinBox*>(number.Name)->setValue(c.*number.Value);
    for (const TListControl& list : kLists)
        findChild<QComboBox*>(list.Name)->setCurrentIndex(list.Get(c));
    // Only a text that differs: setting it anew would move the cursor of the one being typed.
    for (const TTextControl& text : kTexts) {
        const QString value = Q(c.*text.Value);
        if (auto* edit = findChild<QLineEdit*>(text.Name); edit && edit->text() != value)
            edit->setText(value);
        else if (auto* memo = findChild<QPlainTextEdit*>(text.Name); memo && memo->toPlainText() != value)
            memo->setPlainText(value);
    }
    for (int row = 0; row < kSoundEventCount; ++row) {
        QTreeWidgetItem* item = Ui_->lvSounds->topLevelItem(row);
        item->setCheckState(0, c.*kSoundEvents[row].Flag ? Qt::Checked : Qt::Unchecked);
        item->setText(1, Q(c.*kSoundEvents[row].File));
    }
    for (int row = 0; row < kConfirmationFlagCount; ++row)
        Ui_->lvConfirmation->item(row)->setCheckState(Model_.ConfirmationTicked(row) ? Qt::Checked : Qt::Unchecked);
    Filling_ = false;
}

void TDlgOpt::ShowEnabled()
{
    for (const auto& dependent : kDependents)
        for (const char* name : dependent.Names)
            findChild<QWidget*>(name)->setEnabled(Model_.Enabled(dependent.Control));
    Ui_->btnFinishOptions->setEnabled(Model_.Enabled(ocCompletionOptions) && Commands_.EditCompletionOptions);
    Ui_->btnUserAgentEdit->setEnabled(UserAgents_.CanEdit());
    Ui_->btnUserAgentDelete->setEnabled(UserAgents_.CanEdit());
    Ui_->btnConnectionTypeEdit->setEnabled(bool(Commands_.EditConnectionTypes));
    Ui_->btnHistoryClear->setEnabled(bool(Commands_.ClearHistory));
    Ui_->btnGraphProperties->setEnabled(bool(Commands_.GraphProperties));
    Ui_->btnSoundPlay->setEnabled(Model_.Enabled(ocSounds) && Commands_.PlaySound);
}

void TDlgOpt::FillUnitLists()
{
    const auto fill = [this](QComboBox& list, const std::vector<std::string>& texts, int chosen) {
        Filling_ = true;
        list.clear();
        for (const std::string& text : texts)
            list.addItem(Q(text));
        list.setCurrentIndex(chosen);
        Filling_ = false;
    };
    fill(*Ui_->cmbSizeType, Model_.SizeUnitTexts(), Model_.Controls().iSizeType);
    fill(*Ui_->cmbSpeedType, Model_.SpeedUnitTexts(), Model_.Controls().iSpeedType);
}

void TDlgOpt::FillUserAgents()
{
    Ui_->cmbUserAgents->clear();
    for (const std::string& name : UserAgents_.ChoiceNames())
        Ui_->cmbUserAgents->addItem(Q(name));
    Ui_->cmbUserAgents->setCurrentIndex(UserAgents_.Selected());
}

void TDlgOpt::FillProxyLists()
{
    for (const bool ftp : {false, true}) {
        QComboBox& list = ftp ? *Ui_->cmbProxyFTP : *Ui_->cmbProxyHTTP;
        const int shown = ShownProxyChoice(Proxies_, ftp);
        list.clear();
        for (const TProxyCollection::TChoice& choice : Proxies_.Choices(ftp))
            list.addItem(Q(choice.Name), choice.Way);
        list.setCurrentIndex(shown);
    }
}

void TDlgOpt::FillConnectionTypes()
{
    TTrafficUsageCollection& types = Environment_.ConnectionTypes;
    Ui_->cmbConnectionType->clear();
    for (int i = 0; i < types.Count(); ++i)
        Ui_->cmbConnectionType->addItem(Q(types[i].Name));
    Ui_->cmbConnectionType->setCurrentIndex(types.Count() > 0 ? types.GetCurrentIndex() : -1);
}

void TDlgOpt::FillSounds()
{
    QTreeWidget& list = *Ui_->lvSounds;
    list.setHeaderLabels({Q(Translate("sColumnSoundType")), Q(Translate("sColumSoundFile"))});
    for (const TSoundEvent& event : kSoundEvents) {
        auto* item = new QTreeWidgetItem(&list, {Q(Translate(event.NameMessage))});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    }
    list.setCurrentItem(list.topLevelItem(0));
    list.resizeColumnToContents(0);
    list.setColumnWidth(0, list.columnWidth(0) + 24);
}

void TDlgOpt::FillConfirmations()
{
    for (const TConfirmationFlag& flag : kConfirmationFlags) {
        auto* item = new QListWidgetItem(Q(Translate(flag.CaptionMessage)), Ui_->lvConfirmation);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    }
}

int TDlgOpt::SoundRow() const
{
    return Ui_->lvSounds->indexOfTopLevelItem(Ui_->lvSounds->currentItem());
}

void TDlgOpt::BrowseProgram(const char* edit)
{
    auto* field = findChild<QLineEdit*>(edit);
    const QString program = QFileDialog::getOpenFileName(this, {}, QFileInfo(field->text()).absolutePath());
    if (!program.isEmpty())
        field->setText(program);
}

void TDlgOpt::ConnectButtons()
{
    TOptions& c = Model_.Controls();
    connect(Ui_->lvSounds, &QTreeWidget::itemChanged, this, [this, &c](QTreeWidgetItem* item) {
        if (!Filling_)
            c.*kSoundEvents[Ui_->lvSounds->indexOfTopLevelItem(item)].Flag = item->checkState(0) == Qt::Checked;
    });
    connect(Ui_->btnSoundPlay, &QPushButton::clicked, this, [this, &c] {
        if (const int row = SoundRow(); row >= 0)
            Commands_.PlaySound(c.*kSoundEvents[row].File);
    });
    connect(Ui_->btnSoundChange, &QPushButton::clicked, this, [this, &c] {
        const int row = SoundRow();
        if (row < 0)
            return;
        const QString file = QFileDialog::getOpenFileName(
            this, {}, QFileInfo(Q(c.*kSoundEvents[row].File)).absolutePath(), QStringLiteral("*.wav"));
        if (file.isEmpty())
            return;
        c.*kSoundEvents[row].File = file.toStdString();
        ShowValues();
    });
    connect(Ui_->btnSoundDefault, &QPushButton::clicked, this, [this] {
        if (const int row = SoundRow(); row >= 0) {
            Model_.SetDefaultSound(row);
            ShowValues();
        }
    });
    connect(Ui_->lvConfirmation, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!Filling_)
            Model_.SetConfirmationTicked(Ui_->lvConfirmation->row(item), item->checkState() == Qt::Checked);
    });

    for (const char* kind : {"LAN", "HTTP", "FTP"}) {
        const std::string edit = std::string("edOtherProgram") + kind;
        connect(findChild<QPushButton*>(QString("btnOtherProgram") + kind), &QPushButton::clicked, this,
                [this, edit] { BrowseProgram(edit.c_str()); });
    }

    connect(Ui_->cmbUserAgents, &QComboBox::activated, this, [this](int choice) {
        UserAgents_.Select(choice);
        ShowEnabled();
    });
    const auto agentsChanged = [this](bool changed) {
        if (changed)
            FillUserAgents();
        ShowEnabled();
    };
    connect(Ui_->btnUserAgentAdd, &QPushButton::clicked, this,
            [this, agentsChanged] { agentsChanged(UserAgents_.Add()); });
    connect(Ui_->btnUserAgentEdit, &QPushButton::clicked, this,
            [this, agentsChanged] { agentsChanged(UserAgents_.Edit()); });
    connect(Ui_->btnUserAgentDelete, &QPushButton::clicked, this,
            [this, agentsChanged] { agentsChanged(UserAgents_.Delete()); });

    for (const bool ftp : {false, true}) {
        QComboBox* list = ftp ? Ui_->cmbProxyFTP : Ui_->cmbProxyHTTP;
        connect(list, &QComboBox::activated, this, [this, list, ftp](int row) {
            (ftp ? Proxies_.DefaultProxyFTP : Proxies_.DefaultProxyHTTP) = list->itemData(row).toInt();
        });
        connect(ftp ? Ui_->btnProxyFTPEdit : Ui_->btnProxyHTTPEdit, &QPushButton::clicked, this, [this] {
            Forms_.ShowProxies(Proxies_);
            FillProxyLists();
        });
    }

    connect(Ui_->cmbConnectionType, &QComboBox::activated, this,
            [this](int index) { Environment_.ConnectionTypes.DefIndex = index; });
    connect(Ui_->btnConnectionTypeEdit, &QPushButton::clicked, this, [this] {
        Commands_.EditConnectionTypes();
        FillConnectionTypes();
    });
    connect(Ui_->btnHistoryClear, &QPushButton::clicked, this, [this] { Commands_.ClearHistory(); });
    connect(Ui_->btnGraphProperties, &QPushButton::clicked, this, [this] { Commands_.GraphProperties(); });
    connect(Ui_->btnFinishOptions, &QPushButton::clicked, this, [this, &c] {
        Commands_.EditCompletionOptions(c.bShowFinishWarning, c.iShowWarningTimeOut, c.caFinishAction,
                                        c.bFinishForceCloseApplicattion);
    });
}

void TDlgOpt::accept()
{
    Result_ = Model_.Apply(Options_, Environment_.System);
    UserAgents_.ApplyTo(Environment_.UserAgents);
    Environment_.Proxies.Assign(Proxies_);
    QDialog::accept();
}
