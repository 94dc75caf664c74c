#include "records/qt/dlgFind.h"

#include "config/Options.h"
#include "records/FindDialog.h"

#include "ui_dlgFind.h"

#include <QLineEdit>
#include <QSignalBlocker>

TdlgFind::TdlgFind(TFindTarget target, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), Ui_(std::make_unique<Ui::dlgFind>()),
      Model_(std::make_unique<TFindDialogModel>(std::move(target)))
{
    Ui_->setupUi(this);
    setModal(false);
    FillTexts();
    Ui_->cmbFind->setEditText({});
    connect(Ui_->cmbFind, &QComboBox::editTextChanged, this, &TdlgFind::TakeQuery);
    for (QCheckBox* box : {Ui_->cbName, Ui_->cbSource, Ui_->cbDestination})
        connect(box, &QCheckBox::toggled, this, &TdlgFind::TakeQuery);
    connect(Ui_->btnFindNext, &QPushButton::clicked, this, &TdlgFind::FindNext);
    connect(Ui_->btnSelectAll, &QPushButton::clicked, this, &TdlgFind::SelectAll);
    TakeQuery();
    resize(width(), minimumSizeHint().height());
}

TdlgFind::~TdlgFind() = default;

void TdlgFind::TakeQuery()
{
    Model_->Text = Ui_->cmbFind->currentText().toStdString();
    Model_->InName = Ui_->cbName->isChecked();
    Model_->InSource = Ui_->cbSource->isChecked();
    Model_->InDestination = Ui_->cbDestination->isChecked();
    Ui_->btnFindNext->setEnabled(Model_->CanFind());
    Ui_->btnSelectAll->setEnabled(Model_->CanFind());
}

void TdlgFind::FindNext()
{
    TakeQuery();
    if (!Model_->CanFind())
        return;
    Model_->FindNext();
    FillTexts();
    if (OnSearched)
        OnSearched();
}

void TdlgFind::SelectAll()
{
    TakeQuery();
    if (!Model_->CanFind())
        return;
    Model_->SelectAll();
    FillTexts();
    if (OnSearched)
        OnSearched();
}

void TdlgFind::FillTexts()
{
    const QString text = Ui_->cmbFind->currentText();
    const QSignalBlocker blocker(Ui_->cmbFind);
    Ui_->cmbFind->clear();
    for (const std::string& entry : Options().ListFinded)
        Ui_->cmbFind->addItem(QString::fromStdString(entry));
    Ui_->cmbFind->setEditText(text);
}
