#include "WindowTestBed.h"

#include "app/qt/QuorvexForm.h"
#include "config/Options.h"
#include "core/MessageCatalogue.h"

TWindowTestBed::TWindowTestBed() : Saved_(AppFolders())
{
    TAppFolders folders = Saved_;
    folders.DataFolder = Temp.Path().string() + "/data/";
    folders.DefaultsFolder = QUORVEX_DEFAULTS_DIR;
    folders.LanguagesFolder = QUORVEX_LANGUAGES_DIR;
    SetAppFolders(folders);
    Options() = TOptions{};
    Options().bdsExitProgram = true;
    Options().bMonitorClipboard = false;
    Files = LocateDataFiles();
}

TWindowTestBed::~TWindowTestBed()
{
    Options() = TOptions{};
    SetAppFolders(Saved_);
    ClearMessageTexts();
}

std::unique_ptr<TQuorvexForm> TWindowTestBed::OpenWindow()
{
    auto form = std::make_unique<TQuorvexForm>(MainThread, Language, Files, false);
    form->show();
    return form;
}
