#include "hosts/TraffSchema.h"

#include "core/MessageCatalogue.h"
#include "core/MessageFormat.h"
#include "core/XmlFallbacks.h"
#include "tasks/TaskPorts.h"

#include <type_traits>

namespace {

// Every field after the name, in the order of the file, with its value in a second scheme
// (a new one when reading: the fallback of a text that does not parse).
template <class A, class B, class Visit>
void VisitFields(A& a, B& b, Visit&& visit)
{
    visit("FilledGraph", a.FilledGraph, b.FilledGraph);
    visit("AnimateAxisTime", a.AnimateAxisTime, b.AnimateAxisTime);
    visit("AutoScale", a.AutoScale, b.AutoScale);
    visit("ShowMeanValueLine", a.ShowMeanValueLine, b.ShowMeanValueLine);
    visit("ColorMeanValueLine", a.ColorMeanValueLine, b.ColorMeanValueLine);
    visit("ColorSpeedText", a.ColorSpeedText, b.ColorSpeedText);
    visit("ShowCurrentSpeedGraph", a.ShowCurrentSpeedGraph, b.ShowCurrentSpeedGraph);
    visit("ShowCurrentSpeedText", a.ShowCurrentSpeedText, b.ShowCurrentSpeedText);
    visit("ShowMaxSpeedText", a.ShowMaxSpeedText, b.ShowMaxSpeedText);
    visit("ShowAverageSpeedText", a.ShowAverageSpeedText, b.ShowAverageSpeedText);
    visit("DrawTick", a.DrawTick, b.DrawTick);
    visit("DrawVerticalGrid", a.DrawVerticalGrid, b.DrawVerticalGrid);
    visit("DrawHorizontalGrid", a.DrawHorizontalGrid, b.DrawHorizontalGrid);
    visit("VerticalDiv", a.VerticalDiv, b.VerticalDiv);
    visit("GridColor", a.GridColor, b.GridColor);
    visit("BackColor", a.BackColor, b.BackColor);
    visit("GraphColor", a.GraphColor, b.GraphColor);
}

}  // namespace

void TTraffSchemaItem::ReadFromNode(pugi::xml_node element)
{
    const TTraffSchemaItem fresh;
    ReadChild(element, "Name", Name);
    // A Boolean that is no Boolean reads as true, a number that is no number as a new
    // scheme's value.
    VisitFields(*this, fresh, [&](const char* name, auto& value, const auto& freshValue) {
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(value)>, bool>)
            ReadChildOr(element, name, value, true);
        else
            ReadChildOr(element, name, value, freshValue);
    });
}

void TTraffSchemaItem::WriteToNode(pugi::xml_node parent) const
{
    pugi::xml_node element = parent.append_child("TraffSchema");
    WriteChild(element, "Name", Name);
    VisitFields(*this, *this,
                [&](const char* name, const auto& value, const auto&) { WriteChild(element, name, value); });
}

TTraffSchemaItem NoSchemeLook()
{
    TTraffSchemaItem look;
    look.DrawHorizontalGrid = true;
    look.DrawVerticalGrid = true;
    return look;
}

TTraffSchemaItem& TTraffSchemaCollection::AddSchema(const std::string& name)
{
    TTraffSchemaItem& scheme = Add();
    scheme.Name = name;
    return scheme;
}

bool TTraffSchemaCollection::NameExists(const std::string& name) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i).Name == name)
            return true;
    return false;
}

TTraffSchemaItem* TTraffSchemaCollection::CurrentScheme()
{
    return Default >= 0 && Default < Count() ? &Items(Default) : nullptr;
}

const TTraffSchemaItem* TTraffSchemaCollection::CurrentScheme() const
{
    return Default >= 0 && Default < Count() ? &Items(Default) : nullptr;
}

void TTraffSchemaCollection::Assign(const TTraffSchemaCollection& source)
{
    if (&source == this)
        return;
    File_.SetFileName(source.FileName());
    Default = source.Default;
    Clear();
    for (int i = 0; i < source.Count(); ++i)
        Add().Assign(source[i]);
}

void TTraffSchemaCollection::ReadFromNode(pugi::xml_node root)
{
    ReadChildOr(root, "Default", Default, 0);
    if (pugi::xml_node schemes = root.child("TraffSchemaCollection"))
        TOwnedCollection::ReadFromNode(schemes);
}

void TTraffSchemaCollection::WriteToNode(pugi::xml_node root) const
{
    WriteChild(root, "Default", Default);
    TOwnedCollection::WriteToNode(root.append_child("TraffSchemaCollection"));
}

bool AddSchemaAsked(TTraffSchemaCollection& schemes, ITaskDialogs& dialogs)
{
    std::string name = Translate("sSchemaNameDefault");
    for (;;) {
        if (!dialogs.InputBox(Translate("sInputSchemaNameCaption"), Translate("sInputSchemaNamePrompt"), name))
            return false;
        const char* problem = name.empty()               ? "sEmptySchemaName"
                              : schemes.NameExists(name) ? "sDuplicateSchemaName"
                                                         : nullptr;
        if (!problem)
            break;
        if (dialogs.MessageBox(Translate(problem), TMessageKind::Error, mbOK | mbCancel) != TModalResult::OK)
            return false;
    }
    const TTraffSchemaItem* current = schemes.CurrentScheme();
    const TTraffSchemaItem model = current ? *current : TTraffSchemaItem();
    TTraffSchemaItem& added = schemes.Add();
    added.Assign(model);
    added.Name = name;
    schemes.SetCurrent(schemes.Count() - 1);
    return true;
}

bool DeleteSchemaAsked(TTraffSchemaCollection& schemes, ITaskDialogs& dialogs)
{
    const TTraffSchemaItem* current = schemes.CurrentScheme();
    if (schemes.Count() <= 1 || !current)
        return false;
    if (dialogs.MessageBox(FormatMessage(Translate("sDeleteSchema"), {current->Name}), TMessageKind::Warning,
                           mbOK | mbCancel)
        != TModalResult::OK)
        return false;
    schemes.Delete(schemes.Default);
    if (schemes.Default > schemes.Count() - 1)
        schemes.Default = schemes.Count() - 1;
    return true;
}
