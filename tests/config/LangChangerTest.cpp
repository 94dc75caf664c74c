#include "config/LangChanger.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

// An object of a fake window: properties of given kinds, objects that properties hold,
// and what the language file set.
class TFakeObject : public ILangObject {
public:
    explicit TFakeObject(std::map<std::string, TLangPropertyKind> kinds = {}) : Kinds_(std::move(kinds)) {}

    TFakeObject& AddObject(const std::string& property, std::map<std::string, TLangPropertyKind> kinds)
    {
        return *(Objects_[property] = std::make_unique<TFakeObject>(std::move(kinds)));
    }

    TLangPropertyKind PropertyKind(std::string_view property) const override
    {
        const auto it = Kinds_.find(std::string(property));
        return it != Kinds_.end() ? it->second : TLangPropertyKind::None;
    }
    ILangObject* PropertyObject(std::string_view property) override
    {
        const auto it = Objects_.find(std::string(property));
        return it != Objects_.end() ? it->second.get() : nullptr;
    }
    void SetProperty(std::string_view property, const TLangValue& value) override
    {
        Set.insert_or_assign(std::string(property), value);
    }

    // Everything set here and below, keyed by the path from this object.
    void Collect(const std::string& prefix, std::map<std::string, TLangValue>& out) const
    {
        for (const auto& [property, value] : Set)
            out.emplace(prefix + property, value);
        for (const auto& [property, object] : Objects_)
            object->Collect(prefix + property + ".", out);
    }

    std::map<std::string, TLangValue> Set;

private:
    std::map<std::string, TLangPropertyKind> Kinds_;
    std::map<std::string, std::unique_ptr<TFakeObject>> Objects_;
};

class TFakeWindow : public ILangWindow {
public:
    TFakeWindow(std::string className, std::map<std::string, TLangPropertyKind> kinds)
        : Self(std::move(kinds)), ClassName_(std::move(className))
    {
    }

    TFakeObject& AddComponent(const std::string& name, std::map<std::string, TLangPropertyKind> kinds)
    {
        return *(Components_[name] = std::make_unique<TFakeObject>(std::move(kinds)));
    }

    std::string ClassName() const override { return ClassName_; }
    ILangObject* FindComponent(std::string_view name) override
    {
        const auto it = Components_.find(std::string(name));
        return it != Components_.end() ? it->second.get() : nullptr;
    }
    TLangPropertyKind PropertyKind(std::string_view property) const override { return Self.PropertyKind(property); }
    ILangObject* PropertyObject(std::string_view property) override { return Self.PropertyObject(property); }
    void SetProperty(std::string_view property, const TLangValue& value) override { Self.SetProperty(property, value); }

    // Everything the language file set: "property", "component.property", "a.b.property".
    std::map<std::string, TLangValue> Changes() const
    {
        std::map<std::string, TLangValue> out;
        Self.Collect("", out);
        for (const auto& [name, component] : Components_)
            component->Collect(name + ".", out);
        return out;
    }

    TFakeObject Self;

private:
    std::string ClassName_;
    std::map<std::string, std::unique_ptr<TFakeObject>> Components_;
};

using K = TLangPropertyKind;
using TList = std::vector<std::string>;

} // namespace

TEST(LangChangerTest, PropertyEntriesReachTheirWindowsComponentsAndProperties)
{
    TFakeWindow options("TDlgOpt", {{"windowTitle", K::String}});
    options.Self.AddObject("font", {{"pointSize", K::Integer}});
    options.AddComponent("btnOK", {{"text", K::String}});
    options.AddComponent("btnCancel", {{"text", K::String}});
    options.AddComponent("lblInfo", {{"text", K::String}}).AddObject("font", {{"family", K::String}});
    options.AddComponent("lblNote", {{"text", K::String}});
    options.AddComponent("lblBad", {{"text", K::String}});
    options.AddComponent("edCount", {{"value", K::Integer}});
    options.AddComponent("edLimit", {{"value", K::Integer}});
    options.AddComponent("edRatio", {{"ratio", K::Float}});
    options.AddComponent("edScale", {{"ratio", K::Float}});
    options.AddComponent("edZoom", {{"ratio", K::Float}});
    options.AddComponent("lstItems", {{"items", K::StringList}});
    options.AddComponent("lstEmpty", {{"items", K::StringList}});
    options.AddComponent("imgLogo", {{"pixmap", K::Other}});
    TFakeWindow other("TDlgOther", {{"windowTitle", K::String}});

    struct Case {
        std::string line;
        const TFakeWindow* window;  // null: the line changes nothing
        std::string path;
        TLangValue value;
    };
    const auto unchanged = [](std::string line) { return Case{std::move(line), nullptr, {}, {}}; };
    const Case cases[] = {
        {"DlgOpt.windowTitle=Options", &options, "windowTitle", "Options"},
        {"dlgopt.btnOK.text = OK ", &options, "btnOK.text", "OK"},  // the class matches without case
        unchanged("OptDlg.btnCancel.text=Cancel"),  // a unit name is no class
        {"DlgOpt.lblInfo.text=One{ENTER}Two", &options, "lblInfo.text", "One\nTwo"},
        {"DlgOpt.lblInfo.font.family=Verdana", &options, "lblInfo.font.family", "Verdana"},
        {"DlgOpt.font.pointSize=9", &options, "font.pointSize", int64_t(9)},
        unchanged("DlgOpt.edCount.value=twelve"),
        {"DlgOpt.edLimit.value=-12", &options, "edLimit.value", int64_t(-12)},
        {"DlgOpt.edRatio.ratio=1,5", &options, "edRatio.ratio", 1.5},
        {"DlgOpt.edScale.ratio=2.25", &options, "edScale.ratio", 2.25},
        unchanged("DlgOpt.edZoom.ratio=1,2,3"),
        {"DlgOpt.lstItems.items= a ,,b ,", &options, "lstItems.items", TList{"a", "", "b"}},
        {"DlgOpt.lstEmpty.items=", &options, "lstEmpty.items", TList{}},
        unchanged("DlgOpt.imgLogo.pixmap=logo.png"),  // a kind the file cannot set
        unchanged("DlgOpt.btnMissing.text=Missing"),
        unchanged("DlgOpt.btnOK.toolTip=Missing"),
        {"DlgOpt.lblNote.text", &options, "lblNote.text", ""},  // no "=": an empty value
        {"DlgOpt.lblBad.text=\xFF\xFE", &options, "lblBad.text", "<-- Error -->"},
        unchanged("sExitProgram=Quit?"),
        unchanged("; DlgOpt.btnCancel.text=Commented out"),
        {"DlgOther.windowTitle=Other", &other, "windowTitle", "Other"},
        unchanged("dlgopt.btnOK.text=Second of two equal keys"),
        unchanged("[Elsewhere]"),
        unchanged("DlgOpt.btnCancel.text=Another section"),
    };
    // A byte order mark and carriage returns, as editors of other systems leave them.
    std::string text = "\xEF\xBB\xBF[Translations]\r\n";
    for (const Case& c : cases)
        text += c.line + "\r\n";

    TLangChanger changer;
    changer.SetLangText(text);
    ILangWindow* const windows[] = {&options, &other};
    changer.TranslateForms(windows);

    std::map<std::string, TLangValue> expectedOptions, expectedOther;
    for (const Case& c : cases) {
        if (c.window)
            (c.window == &options ? expectedOptions : expectedOther).emplace(c.path, c.value);
    }
    EXPECT_EQ(options.Changes(), expectedOptions);
    EXPECT_EQ(other.Changes(), expectedOther);
}

TEST(LangChangerTest, ListsSplitAtTheSeparator)
{
    TLangChanger changer;
    changer.SetSeparator(" ");
    EXPECT_EQ(changer.Separator(), ",");
    changer.SetSeparator(";");
    changer.SetLangText("[Translations]\nDlgOpt.lstItems.items=a, b;c;\n");
    TFakeWindow options("TDlgOpt", {});
    options.AddComponent("lstItems", {{"items", K::StringList}});

    changer.TranslateForm(options);

    EXPECT_EQ(options.Changes(), (std::map<std::string, TLangValue>{{"lstItems.items", TList{"a, b", "c"}}}));
}

TEST(LangChangerTest, MessagesComeFromTheirEntries)
{
    TTempDir dir;
    WriteFileBytes(dir.Path() / "test.lng",
                   "[Translations]\n"
                   "sExitProgram=Quit?\n"
                   "sTwoLines=One{ENTER}Two{ENTER}\n"
                   "sEmpty\n"
                   "sBad=\xC3\n"
                   "SEXITPROGRAM=Second of two equal keys\n"
                   "[Other]\n"
                   "sOther=Another section\n");
    TLangChanger changer;
    ASSERT_TRUE(changer.SetLangFile("  " + dir.File("test.lng") + " "));
    EXPECT_EQ(changer.LangFile(), dir.File("test.lng"));

    const std::pair<std::string, std::string> cases[] = {
        {"sExitProgram", "Quit?"},
        {"sexitprogram", "Quit?"},
        {"sTwoLines", "One\nTwo\n"},
        {"sEmpty", ""},
        {"sBad", "<-- Error -->"},
        {"sOther", "sOther"},
        {"sMissing", "sMissing"},
    };
    for (const auto& [id, text] : cases)
        EXPECT_EQ(changer.Translate(id), text) << id;
}

TEST(LangChangerTest, AMissingFileLeavesWindowsAloneAndMessagesAsTheirIdentifiers)
{
    TLangChanger changer;
    changer.SetLangText("[Translations]\nsExitProgram=Quit?\nDlgOpt.windowTitle=Options\n");
    TTempDir dir;

    EXPECT_FALSE(changer.SetLangFile(dir.File("missing.lng")));
    TFakeWindow options("TDlgOpt", {{"windowTitle", K::String}});
    changer.TranslateForm(options);

    EXPECT_EQ(changer.LangFile(), dir.File("missing.lng"));
    EXPECT_EQ(changer.Translate("sExitProgram"), "sExitProgram");
    EXPECT_TRUE(options.Changes().empty());
    EXPECT_FALSE(changer.SetLangFile(dir.Path().string()));  // a folder is no file either
}
