#include "config/OptionsDialogModel.h"

#include "FakeSystemIntegration.h"
#include "config/OptionKeys.h"
#include "config/OptionsFile.h"
#include "core/MessageCatalogue.h"

#include <gtest/gtest.h>

#include <functional>

TEST(OptionsDialogModelTest, OkCopiesDependentValuesOnlyWhileTheirSwitchAllowsIt)
{
    using TChange = std::function<void(TOptionsDialogModel&)>;
    using TExpect = std::function<void(const TOptions&)>;
    const TOptions d;
    const std::string wav = DefaultSoundFile(0) + ".other";
    struct {
        const char* name;
        TChange change;
        TExpect expect;
    } cases[] = {
        // clang-format off
        {"completion options while nothing happens at completion",
         [](auto& m) {
             m.Controls().iShowWarningTimeOut = 99;
             m.Controls().caFinishAction = 3;
             m.Controls().bShowFinishWarning = false;
         },
         [&](const TOptions& o) {
             EXPECT_EQ(o.iShowWarningTimeOut, d.iShowWarningTimeOut);
             EXPECT_EQ(o.caFinishAction, 0);
             EXPECT_TRUE(o.bShowFinishWarning);
         }},
        {"completion options while something does",
         [](auto& m) {
             m.Controls().bFinishAfterCompleteAll = true;
             m.Controls().iShowWarningTimeOut = 99;
             m.Controls().caFinishAction = 3;
         },
         [](const TOptions& o) {
             EXPECT_TRUE(o.bFinishAfterCompleteAll);
             EXPECT_EQ(o.iShowWarningTimeOut, 99);
             EXPECT_EQ(o.caFinishAction, 3);
         }},
        {"a connection limit turned off keeps its number",
         [](auto& m) {
             m.Controls().bLimitConnectionFTPDef = false;
             m.Controls().iMaxConnectionFTPDef = 7;
             m.Controls().iMaxConnectionHTTPDef = 5;
         },
         [](const TOptions& o) {
             EXPECT_FALSE(o.bLimitConnectionFTPDef);
             EXPECT_EQ(o.iMaxConnectionFTPDef, 1);
             EXPECT_EQ(o.iMaxConnectionHTTPDef, 5);
         }},
        {"FTP text extensions outside mode 2",
         [](auto& m) { m.Controls().iFTPMode = 1; m.Controls().sFTPModeASCIIFileExt = "iso"; },
         [&](const TOptions& o) {
             EXPECT_EQ(o.iFTPMode, 1);
             EXPECT_EQ(o.sFTPModeASCIIFileExt, d.sFTPModeASCIIFileExt);
         }},
        {"FTP text extensions in mode 2",
         [](auto& m) { m.Controls().iFTPMode = 2; m.Controls().sFTPModeASCIIFileExt = "iso"; },
         [](const TOptions& o) { EXPECT_EQ(o.sFTPModeASCIIFileExt, "iso"); }},
        {"another program not chosen",
         [](auto& m) { m.Controls().sOtherProgramLAN = "/bin/viewer"; m.Controls().sOtherProgramLANKey = "-n %PATH%"; },
         [](const TOptions& o) {
             EXPECT_FALSE(o.bOtherProgramLAN);
             EXPECT_EQ(o.sOtherProgramLAN, "");
             EXPECT_EQ(o.sOtherProgramLANKey, "%PATH%");
         }},
        {"another program chosen",
         [](auto& m) {
             m.Controls().bOtherProgramHTTP = true;
             m.Controls().sOtherProgramHTTP = "/bin/browser";
             m.Controls().sOtherProgramHTTPKey = "-n %PATH%";
         },
         [](const TOptions& o) {
             EXPECT_TRUE(o.bOtherProgramHTTP);
             EXPECT_EQ(o.sOtherProgramHTTP, "/bin/browser");
             EXPECT_EQ(o.sOtherProgramHTTPKey, "-n %PATH%");
         }},
        {"another program chosen without a path",
         [](auto& m) { m.Controls().bOtherProgramFTP = true; m.Controls().sOtherProgramFTPKey = "-x %PATH%"; },
         [](const TOptions& o) { EXPECT_FALSE(o.bOtherProgramFTP); EXPECT_EQ(o.sOtherProgramFTPKey, "-x %PATH%"); }},
        {"proxy bypass list while off",
         [](auto& m) { m.Controls().sProxyBypass = "intranet"; },
         [](const TOptions& o) { EXPECT_EQ(o.sProxyBypass, ""); }},
        {"proxy bypass list while on",
         [](auto& m) { m.Controls().bProxyBypass = true; m.Controls().sProxyBypass = "intranet"; },
         [](const TOptions& o) { EXPECT_TRUE(o.bProxyBypass); EXPECT_EQ(o.sProxyBypass, "intranet"); }},
        {"clipboard filter while watching and filtering",
         [](auto& m) { m.Controls().sFilterClipboard = "ISO"; },
         [](const TOptions& o) { EXPECT_EQ(o.sFilterClipboard, "ISO"); }},
        {"clipboard filter while not filtering",
         [](auto& m) { m.Controls().bFilterClipboard = false; m.Controls().sFilterClipboard = "ISO"; },
         [&](const TOptions& o) {
             EXPECT_FALSE(o.bFilterClipboard);
             EXPECT_EQ(o.sFilterClipboard, d.sFilterClipboard);
         }},
        {"clipboard filter while not watching",
         [](auto& m) {
             m.Controls().sFilterClipboard = "ISO";
             m.SetMonitorClipboard(false);
             m.SetMonitorClipboard(true);
         },
         [&](const TOptions& o) {
             EXPECT_FALSE(o.bFilterClipboard);
             EXPECT_EQ(o.sFilterClipboard, d.sFilterClipboard);
         }},
        {"sound rows while sounds are off",
         [&](auto& m) { m.Controls().bSoundTaskAdd = false; m.Controls().sFileSoundProgramStart = wav; },
         [](const TOptions& o) { EXPECT_TRUE(o.bSoundTaskAdd); EXPECT_EQ(o.sFileSoundProgramStart, ""); }},
        {"sound rows while sounds are on",
         [&](auto& m) {
             m.Controls().bUseSounds = true;
             m.Controls().bSoundTaskAdd = false;
             m.Controls().sFileSoundProgramStart = wav;
             m.SetDefaultSound(8);
         },
         [&](const TOptions& o) {
             EXPECT_FALSE(o.bSoundTaskAdd);
             EXPECT_EQ(o.sFileSoundProgramStart, wav);
             EXPECT_EQ(o.sFileSoundTaskCompleteAll, DefaultSoundFile(8));
         }},
        {"confirmation rows are the inverse of their keys",
         [](auto& m) { m.SetConfirmationTicked(17, false); m.SetConfirmationTicked(0, true); },
         [](const TOptions& o) { EXPECT_TRUE(o.bdsExitProgram); EXPECT_FALSE(o.bdsApllyParamFromAnotherTask); }},
        {"the browser is never integrated",
         [](auto& m) { m.Controls().IntegrateToIE = true; },
         [](const TOptions& o) { EXPECT_FALSE(o.IntegrateToIE); }},
        {"a number box holds its range",
         [](auto&) {},
         [](const TOptions& o) { EXPECT_EQ(o.DialogTimeout, 600); EXPECT_EQ(o.ListMaxActiveTask, 1); }},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TOptions options;
        options.bdsApllyParamFromAnotherTask = true;
        options.DialogTimeout = 5000;
        options.ListMaxActiveTask = 0;
        TOptionsDialogModel model(options);
        c.change(model);
        TFakeSystemIntegration system;
        model.Apply(options, system);
        c.expect(options);
    }
}

TEST(OptionsDialogModelTest, ControlsAreEnabledByTheirSwitches)
{
    TOptions options;
    TOptionsDialogModel model(options);
    TOptions& c = model.Controls();
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
    for (const TOptionControl never : {ocProxyBypass, ocIntegrateToIE, ocDownloadSubfolders})
        EXPECT_FALSE(model.Enabled(never));
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
