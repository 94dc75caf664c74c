#include "config/OptionsDialogModel.h"

#include "FakeSystemIntegration.h"
#include "config/OptionKeys.h"
#include "config/OptionsFile.h"
#include "core/MessageCatalogue.h"

#include <gtest/gtest.h>

TEST(OptionsDialogModelTest, OkCopiesDependentValuesOnlyWhileTheirSwitchAllowsIt)
{
    // Each row changes controls, starting from the defaults; copied: whether every value
    // the dialog edits is then as its control shows it.
    struct {
        const char* name;
        void (*change)(TOptions& controls);
        bool copied;
    } cases[] = {
        // clang-format off
        {"a value without a switch", [](TOptions& c) { c.TaskBufferSize = 9; c.bdsExitProgram = true; }, true},
        {"completion options while nothing happens at completion", [](TOptions& c) { c.caFinishAction = 3; }, false},
        {"completion options while something does",
         [](TOptions& c) { c.bFinishAfterCompleteAll = true; c.iShowWarningTimeOut = 99; c.caFinishAction = 3; }, true},
        {"a connection limit while off", [](TOptions& c) { c.bLimitConnectionFTPDef = false; c.iMaxConnectionFTPDef = 7; },
         false},
        {"a connection limit while on", [](TOptions& c) { c.iMaxConnectionHTTPDef = 5; }, true},
        {"FTP text extensions in mode 1", [](TOptions& c) { c.iFTPMode = 1; c.sFTPModeASCIIFileExt = "iso"; }, false},
        {"FTP text extensions in mode 2", [](TOptions& c) { c.iFTPMode = 2; c.sFTPModeASCIIFileExt = "iso"; }, true},
        {"another program's path while not chosen", [](TOptions& c) { c.sOtherProgramLAN = "/bin/viewer"; }, false},
        {"another program's template while not chosen", [](TOptions& c) { c.sOtherProgramLANKey = "-n %PATH%"; }, false},
        {"another program chosen",
         [](TOptions& c) { c.bOtherProgramHTTP = true; c.sOtherProgramHTTP = "/bin/b"; c.sOtherProgramHTTPKey = "%PATH% -n"; },
         true},
        {"another program chosen without a path", [](TOptions& c) { c.bOtherProgramFTP = true; }, false},
        {"the proxy bypass list while off", [](TOptions& c) { c.sProxyBypass = "intranet"; }, false},
        {"the proxy bypass list while on", [](TOptions& c) { c.bProxyBypass = true; c.sProxyBypass = "intranet"; }, true},
        {"the clipboard filter while watching and filtering", [](TOptions& c) { c.sFilterClipboard = "ISO"; }, true},
        {"the clipboard filter while not filtering", [](TOptions& c) { c.bFilterClipboard = false; c.sFilterClipboard = "ISO"; },
         false},
        {"the clipboard filter while not watching", [](TOptions& c) { c.bMonitorClipboard = false; c.sFilterClipboard = "ISO"; },
         false},
        {"a sound row while sounds are off", [](TOptions& c) { c.bSoundTaskAdd = false; }, false},
        {"a sound file while sounds are off", [](TOptions& c) { c.sFileSoundTaskStop = "/x.wav"; }, false},
        {"sound rows while sounds are on",
         [](TOptions& c) { c.bUseSounds = true; c.bSoundTaskAdd = false; c.sFileSoundTaskStop = "/x.wav"; }, true},
        {"the browser, never integrated", [](TOptions& c) { c.IntegrateToIE = true; }, false},
        // clang-format on
    };
    for (const auto& c : cases) {
        TOptions options;
        TOptionsDialogModel model(options);
        c.change(model.Controls());
        TFakeSystemIntegration system;
        model.Apply(options, system);
        bool copied = true;
        ForEachDialogOptionKey([&](const TOptionKey&, const auto& now, const auto& shown) { copied &= now == shown; },
                               options, model.Controls());
        EXPECT_EQ(copied, c.copied) << c.name;
    }
}

TEST(OptionsDialogModelTest, ControlsAreEnabledByTheirSwitches)
{
    TOptions options;
    options.DialogTimeout = 5000;
    options.ListMaxActiveTask = 0;
    TOptionsDialogModel model(options);
    TOptions& c = model.Controls();
    // Number boxes show a stored value within their range.
    EXPECT_EQ(c.DialogTimeout, 600);
    EXPECT_EQ(c.ListMaxActiveTask, 1);
    const struct {
        TOptionControl control;
        bool TOptions::*on;
    } switches[] = {
        {ocListAutoSavePeriod, &TOptions::ListAutoSave},
        {ocCompletionOptions, &TOptions::bFinishAfterCompleteAll},
        {ocTaskLogLineMax, &TOptions::TaskLogSaveToFile},
        {ocTaskStopIfNotReserve, &TOptions::TaskReserveSpace},
        {ocMaxConnectionNetbios, &TOptions::bLimitConnectionNetbiosDef},
        {ocMaxConnectionFTP, &TOptions::bLimitConnectionFTPDef},
        {ocMaxConnectionHTTP, &TOptions::bLimitConnectionHTTPDef},
        {ocOtherProgramLAN, &TOptions::bOtherProgramLAN},
        {ocOtherProgramHTTP, &TOptions::bOtherProgramHTTP},
        {ocOtherProgramFTP, &TOptions::bOtherProgramFTP},
        {ocClipboardKinds, &TOptions::bMonitorClipboard},
        {ocFilterClipboardText, &TOptions::bFilterClipboard},
        {ocSounds, &TOptions::bUseSounds},
    };
    for (const auto& s : switches)
        for (const bool on : {false, true}) {
            c.*s.on = on;
            EXPECT_EQ(model.Enabled(s.control), on) << s.control;
        }
    for (const int mode : {0, 1, 2}) {
        c.iFTPMode = mode;
        EXPECT_EQ(model.Enabled(ocFTPModeASCIIFileExt), mode == 2);
    }
    c.bProxyBypass = c.IntegrateToIE = true;
    for (const TOptionControl never : {ocProxyBypass, ocProxyChoice, ocIntegrateToIE, ocDownloadSubfolders})
        EXPECT_FALSE(model.Enabled(never));
    // A ticked confirmation asks: the inverse of its key.
    model.SetConfirmationTicked(17, false);
    EXPECT_TRUE(c.bdsExitProgram);
    EXPECT_TRUE(model.ConfirmationTicked(0));
    model.SetDefaultSound(8);
    EXPECT_EQ(c.sFileSoundTaskCompleteAll, DefaultSoundFile(8));
    // The extension text needs the clipboard watched, and the filter goes with the watching.
    c.bFilterClipboard = true;
    model.SetMonitorClipboard(false);
    EXPECT_FALSE(c.bFilterClipboard);
    EXPECT_FALSE(model.Enabled(ocFilterClipboardText));
}

TEST(OptionsDialogModelTest, OkTellsWhatChangedAndAppliesTheSystemSettings)
{
    TOptions options;
    TFakeSystemIntegration system;
    TOptionsDialogModel untouched(options);
    EXPECT_TRUE(untouched.Apply(options, system).ChangedKeys.empty());
    EXPECT_EQ(system.StartWithSessionSets, 1);  // always
    EXPECT_EQ(system.IntegrationSets, 0);       // only when it differs

    TOptionsDialogModel model(options);
    model.Controls().bShowStatusBar = false;
    model.Controls().StartWithWindows = true;
    model.Controls().ExplorerIntegration = true;
    const TOptionsDialogResult result = model.Apply(options, system);
    EXPECT_EQ(result.ChangedKeys, (std::vector<std::string>{"StartWithWindows", "bShowStatusBar"}));
    EXPECT_TRUE(result.Changed("bShowStatusBar"));
    EXPECT_FALSE(result.Changed("bShowTabs"));
    EXPECT_TRUE(system.StartWithSession);
    EXPECT_TRUE(system.Integrated);
    EXPECT_TRUE(options.ExplorerIntegration);

    // A session that refuses both: the options show its states, not what was asked.
    TFakeSystemIntegration refusing;
    refusing.Refuses = true;
    TOptions asked;
    TOptionsDialogModel refused(asked);
    refused.Controls().StartWithWindows = refused.Controls().ExplorerIntegration = true;
    refused.Apply(asked, refusing);
    EXPECT_FALSE(asked.StartWithWindows);
    EXPECT_FALSE(asked.ExplorerIntegration);
}

TEST(OptionsDialogModelTest, UnitBoxesListLongAndShortNamesAndFollowBitsOrBytes)
{
    SetMessageTexts({{"sSizeByteName", "Bytes"},
                     {"sSizeByte", "B"},
                     {"sSizeKByte", "KB"},
                     {"sSizeMByte", "MB"},
                     {"sSizeGByte", "GB"},
                     {"sSizeAutoName", "Automatic"},
                     {"sSpeedBitAutoName", "Bits, automatic"},
                     {"sSpeedBit", "bit/s"},
                     {"sSpeedKBit", "kbit/s"},
                     {"sSpeedMbit", "Mbit/s"},
                     {"sSpeedByteName", "Bytes per second"},
                     {"sSpeedByte", "B/s"}});
    TOptions options;
    options.iSpeedType = 0;
    TOptionsDialogModel model(options);
    const std::vector<std::string> sizes = model.SizeUnitTexts();
    ASSERT_EQ(sizes.size(), 5u);
    EXPECT_EQ(sizes[0], "Bytes (B)");
    EXPECT_EQ(sizes[4], "Automatic (B; KB; MB; GB)");
    EXPECT_EQ(model.SpeedUnitTexts().at(3), "Bits, automatic (bit/s; kbit/s; Mbit/s)");
    model.Controls().MeasureSpeedInBits = false;
    EXPECT_EQ(model.SpeedUnitTexts().at(0), "Bytes per second (B/s)");
    EXPECT_EQ(model.Controls().iSpeedType, 0);
    ClearMessageTexts();
}
