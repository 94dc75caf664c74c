#pragma once

#include "app/DataFiles.h"
#include "config/LangChanger.h"
#include "core/AppFolders.h"
#include "core/MainThread.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

class TQuorvexForm;

// The main window's tests: the factory files and language files of the source tree, the
// user's data in a temporary folder, the options at their defaults with no question at exit
// and no watching of the clipboard. Everything is put back afterwards.
class TWindowTestBed : public ::testing::Test {
protected:
    TWindowTestBed();
    ~TWindowTestBed() override;

    // A window over these data files, shown.
    std::unique_ptr<TQuorvexForm> OpenWindow();

    TTempDir Temp;
    TMainThread MainThread;
    TLangChanger Language;
    TDataFiles Files;

private:
    TAppFolders Saved_;
};
