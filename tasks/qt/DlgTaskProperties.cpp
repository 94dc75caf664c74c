#include "tasks/qt/DlgTaskProperties.h"

#include "ui_DlgTaskProperties.h"

#include "core/Links.h"
#include "core/MessageCatalogue.h"

#include <QDir>
#include <QFileDialog>
#include <QSignalBlocker>

namespace {

QString ToQString(const std::string& text)
{
    return QString::fromStdString(text);
}

void FillList(QComboBox& list, const std::vector<std::string>& entries, const std::string& text)
{
    for (const std::string& entry : entries)
        list.addItem(ToQString(entry));
    list.setEditText(ToQString(text));
}

// Where a folder browser starts: the folder typed, when it is one on this machine.
QString BrowseStart(const std::string& text)
{
    return IsLocalPath(text) ? ToQString(text) : QDir::homePath();
}

} // namespace

TDlgTaskProperties::TDlgTaskProperties(TTaskDialogModel& model, const std::vector<std::string>& priorityCaptions,
                                       QWidget* parent)
    : QDialog(parent), Model_(model), Ui_(std::make_unique<Ui::DlgTaskProperties>())
{
    Ui_->setupUi(this);
    FillList(*Ui_->cmbSource, Model_.SourceEntries, Model_.SourceText());
    FillList(*Ui_->cmbDestination, Model_.DestinationEntries, Model_.DestinationText());
    Ui_->cbLoginToSource->setChecked(Model_.SourceLogin());
    Ui_->edSourceUser->setText(ToQString(Model_.SourceUser));
    Ui_->edSourcePassword->setText(ToQString(Model_.SourcePassword));
    Ui_->cbLoginToDestination->setChecked(Model_.DestinationLogin());
    Ui_->edDestinationUser->setText(ToQString(Model_.DestinationUser));
    Ui_->edDestinationPassword->setText(ToQString(Model_.DestinationPassword));
    Ui_->cbSaveAs->setChecked(Model_.SaveAs);
    Ui_->edSaveAs->setText(ToQString(Model_.SaveAsName));
    Ui_->rbAutomatic->setChecked(Model_.StartMode == tsAutomatic);
    Ui_->rbManually->setChecked(Model_.StartMode == tsManually);
    for (int priority = 0; priority < kTrafficPriorityCount; ++priority) {
        Ui_->cmbTraffik->addItem(std::size_t(priority) < priorityCaptions.size()
                                     ? ToQString(priorityCaptions[std::size_t(priority)])
                                     : QString::number(priority));
    }
    Ui_->cmbTraffik->setCurrentIndex(Model_.Priority);
    Ui_->cbUseByDefault->setChecked(Model_.UseByDefault);
    ShowEnabled();

    connect(Ui_->cmbSource, &QComboBox::editTextChanged, this, [this](const QString& text) {
        Model_.SetSourceText(text.toStdString());
        ShowEnabled();
    });
    connect(Ui_->cmbDestination, &QComboBox::editTextChanged, this, [this](const QString& text) {
        Model_.SetDestinationText(text.toStdString());
        ShowEnabled();
    });
    connect(Ui_->cbLoginToSource, &QCheckBox::toggled, this, [this](bool ticked) {
        Model_.SetSourceLogin(ticked);
        ShowEnabled();
    });
    connect(Ui_->cbLoginToDestination, &QCheckBox::toggled, this, [this](bool ticked) {
        Model_.SetDestinationLogin(ticked);
        ShowEnabled();
    });
    connect(Ui_->cbSaveAs, &QCheckBox::toggled, this, [this] { ShowEnabled(); });
    connect(Ui_->btnSource, &QToolButton::clicked, this, &TDlgTaskProperties::BrowseSource);
    connect(Ui_->btnDestination, &QToolButton::clicked, this, &TDlgTaskProperties::BrowseDestination);
    connect(Ui_->btnOK, &QPushButton::clicked, this, &TDlgTaskProperties::accept);
}

TDlgTaskProperties::~TDlgTaskProperties() = default;

void TDlgTaskProperties::ShowEnabled()
{
    const QSignalBlocker sourceBlocker(Ui_->cbLoginToSource);
    const QSignalBlocker destinationBlocker(Ui_->cbLoginToDestination);
    Ui_->cbLoginToSource->setEnabled(Model_.SourceLoginEnabled());
    Ui_->cbLoginToSource->setChecked(Model_.SourceLogin());
    for (QWidget* widget : {static_cast<QWidget*>(Ui_->lblSourceUser), static_cast<QWidget*>(Ui_->edSourceUser),
                            static_cast<QWidget*>(Ui_->lblSourcePassword),
                            static_cast<QWidget*>(Ui_->edSourcePassword)})
        widget->setEnabled(Model_.SourceLogin());
    Ui_->cbLoginToDestination->setEnabled(Model_.DestinationLoginEnabled());
    Ui_->cbLoginToDestination->setChecked(Model_.DestinationLogin());
    for (QWidget* widget :
         {static_cast<QWidget*>(Ui_->lblDestinationUser), static_cast<QWidget*>(Ui_->edDestinationUser),
          static_cast<QWidget*>(Ui_->lblDestinationPassword), static_cast<QWidget*>(Ui_->edDestinationPassword)})
        widget->setEnabled(Model_.DestinationLogin());
    Ui_->edSaveAs->setEnabled(Ui_->cbSaveAs->isChecked());
    Ui_->btnOK->setEnabled(Model_.OkEnabled());
    Ui_->cbUseByDefault->setEnabled(Model_.OkEnabled());
}

void TDlgTaskProperties::showEvent(QShowEvent* event)
{
    // After the language file, which gives the caption of an existing task's dialog.
    if (Model_.NewTask())
        setWindowTitle(ToQString(Translate("sCreateNewTask")));
    QDialog::showEvent(event);
}

void TDlgTaskProperties::BrowseSource()
{
    const QString path = QFileDialog::getOpenFileName(this, ToQString(Translate("sTitleOpenFolderorFileDialog")),
                                                      BrowseStart(Model_.SourceText()));
    if (!path.isEmpty())
        Ui_->cmbSource->setEditText(QDir::toNativeSeparators(path));
}

void TDlgTaskProperties::BrowseDestination()
{
    const QString path = QFileDialog::getExistingDirectory(this, ToQString(Translate("sTitleOpenFolderDialog")),
                                                           BrowseStart(Model_.DestinationText()));
    if (!path.isEmpty())
        Ui_->cmbDestination->setEditText(QDir::toNativeSeparators(path));
}

void TDlgTaskProperties::accept()
{
    if (!Model_.OkEnabled())
        return;
    Model_.SourceUser = Ui_->edSourceUser->text().toStdString();
    Model_.SourcePassword = Ui_->edSourcePassword->text().toStdString();
    Model_.DestinationUser = Ui_->edDestinationUser->text().toStdString();
    Model_.DestinationPassword = Ui_->edDestinationPassword->text().toStdString();
    Model_.SaveAs = Ui_->cbSaveAs->isChecked();
    Model_.SaveAsName = Ui_->edSaveAs->text().toStdString();
    if (Ui_->rbAutomatic->isChecked())
        Model_.StartMode = tsAutomatic;
    else if (Ui_->rbManually->isChecked())
        Model_.StartMode = tsManually;
    if (Ui_->cmbTraffik->currentIndex() >= 0)
        Model_.Priority = TTrafficPriority(Ui_->cmbTraffik->currentIndex());
    Model_.UseByDefault = Ui_->cbUseByDefault->isChecked();
    QDialog::accept();
}
