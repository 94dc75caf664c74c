#pragma once

#include "core/XmlRecords.h"
#include "core/XmlValues.h"

#include <string>

class ITaskDialogs;

// One look of the speed graph: its colours, grids, ticks, texts and scale. Colours hold red
// in the low byte, green in the next and blue in the third.
class TTraffSchemaItem : public TXmlItem {
public:
    TTraffSchemaItem() = default;
    TTraffSchemaItem(const TTraffSchemaItem&) = default;
    TTraffSchemaItem& operator=(const TTraffSchemaItem&) = default;

    std::string Name;
    TColor BackColor = 15858672;
    TColor GridColor = 2469711;
    TColor GraphColor = 11319543;
    bool FilledGraph = true;
    bool AutoScale = true;
    bool DrawHorizontalGrid = false;
    bool DrawVerticalGrid = false;
    bool DrawTick = true;
    bool AnimateAxisTime = true;
    int32_t VerticalDiv = 3;
    bool ShowMeanValueLine = true;
    TColor ColorMeanValueLine = 2469711;
    bool ShowCurrentSpeedGraph = true;
    bool ShowCurrentSpeedText = true;
    bool ShowMaxSpeedText = true;
    bool ShowAverageSpeedText = true;
    TColor ColorSpeedText = 2469711;

    void Assign(const TTraffSchemaItem& source) { *this = source; }

    // A "TraffSchema" element of "schemas.xml".
    void ReadFromNode(pugi::xml_node element) override;
    void WriteToNode(pugi::xml_node parent) const override;
};

// How the graph draws while no scheme is current: the colours of a new scheme, and every
// switch on, both grids included.
TTraffSchemaItem NoSchemeLook();

// The graph's schemes and the current one, with their file "schemas.xml".
class TTraffSchemaCollection : public TFiledCollection<TTraffSchemaItem> {
public:
    explicit TTraffSchemaCollection(IMessageBoxPort& boxes) : TFiledCollection(boxes) {}

    int32_t Default = 0;  // the current scheme

    TTraffSchemaItem& AddSchema(const std::string& name);
    // Exact comparison: "Night" and "night" are two schemes.
    bool NameExists(const std::string& name) const;
    // The scheme at Default, or null when Default selects none.
    TTraffSchemaItem* CurrentScheme();
    const TTraffSchemaItem* CurrentScheme() const;
    void SetCurrent(int index) { Default = index; }
    // Copies the file name, the current index and every scheme.
    void Assign(const TTraffSchemaCollection& source);

    void ReadFromNode(pugi::xml_node root) override;
    void WriteToNode(pugi::xml_node root) const override;

private:
    const char* RootName() const override { return "TraffSchemasRoot"; }
    void ResetBeforeLoad() override { Default = 0; }
};

// The scheme commands of the graph's properties dialog, on its working copy. Add asks for a
// name until it is neither empty nor taken, adds a copy of the current scheme under it and
// makes it current; false when the user cancelled.
bool AddSchemaAsked(TTraffSchemaCollection& schemes, ITaskDialogs& dialogs);
// Asks, then deletes the current scheme; the last one is never deleted. False when nothing
// was deleted.
bool DeleteSchemaAsked(TTraffSchemaCollection& schemes, ITaskDialogs& dialogs);
