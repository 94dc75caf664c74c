#include "app/qt/AboutBox.h"

#include "app/qt/SplashScreen.h"
#include "config/qt/QtLangWindow.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QVBoxLayout>

void ShowAboutBox(QWidget* owner, IDesktop& desktop, const TLangChanger& language)
{
    QDialog box(owner);
    box.setObjectName("AboutBox");
    box.setWindowTitle(owner ? owner->windowTitle() : QString());
    auto* layout = new QVBoxLayout(&box);
    // The same face as at start, inside a dialog.
    auto* face = new TSplashScreen(desktop);
    face->setWindowFlags(Qt::Widget);
    TranslateQtForm(language, *face);
    layout->addWidget(face);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    layout->addWidget(buttons);
    box.exec();
}
