#pragma once

#include "hosts/TrafficUsage.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class ITaskDialogs;
class IDesktop;
class IHostDialogs;

// The connection types dialog without its widgets: it works on a copy of the types, which
// the caller hands back to the program's types on OK (ApplyTo) and drops on Cancel. The
// dialog shows what the getters say after every event it passes on.
class TConnectionTypesEditor {
public:
    // How a priority's limit is typed: as a share of the bandwidth or as a speed.
    enum TLimitMode { lmShare, lmSpeed };

    // What a typed value changes in the other fields; empty where nothing changes.
    struct TFieldUpdate {
        std::optional<std::string> SpeedText;  // new text of the speed field
        std::optional<int> Share;              // new position of the share's up-down
    };

    // Takes the units from MeasureSpeedInBits and iSpeedType (automatic shows plain units).
    TConnectionTypesEditor(const TTrafficUsageCollection& types, ITaskDialogs& dialogs, IHostDialogs& hostDialogs,
                           IDesktop& desktop);

    TTrafficUsageCollection& Types() { return Types_; }
    void ApplyTo(TTrafficUsageCollection& types) const { types.Assign(Types_); }

    // Units: plain, kilo, mega, in bits or bytes.
    std::vector<std::string> UnitNames() const;
    int Unit() const { return Unit_; }
    void SelectUnit(int unit);

    TLimitMode Mode() const { return Mode_; }
    void SetMode(TLimitMode mode) { Mode_ = mode; }

    // The priority whose limit is shown; choosing one leaves the default priority alone.
    TTrafficPriority Priority() const { return Priority_; }
    void SelectPriority(TTrafficPriority priority);
    // The unlimited priority has no limit to show.
    bool LimitGroupVisible() const { return Priority_ != tpHighestPriority; }

    std::vector<std::string> TypeNames() const;
    // The current type's row of the list; -1 for none.
    int TypeIndex();
    void SelectType(int index);

    // The current type's bandwidth and the selected priority's speed in the chosen unit,
    // and its share of the bandwidth.
    std::string BandwidthText() const;
    std::string SpeedText() const;
    int Share() const;

    // The share field, in share mode: a number above 100 counts as 100; anything else that
    // is no number from 0 beeps and changes nothing.
    TFieldUpdate ShareTyped(const std::string& text);
    // The speed field, in speed mode: a speed above the bandwidth counts as the bandwidth;
    // no speed at all beeps and changes nothing.
    TFieldUpdate SpeedTyped(const std::string& text);

    bool CanEdit() const;
    bool CanDelete() const;
    // Asks a name and a bandwidth until both are good or Cancel; the new type gets 80, 50,
    // 25 and 5 per cent of the bandwidth and becomes current. True when one was added.
    bool Add();
    bool Edit();
    // Asks first; never deletes the last type.
    bool Delete();

private:
    TTrafficUsageItem* Current() { return Types_.GetCurrentConnectionType(); }
    const TTrafficUsageItem* Current() const { return Types_.GetCurrentConnectionType(); }
    void ShowRefusal(const char* messageId);

    TTrafficUsageCollection Types_;
    ITaskDialogs& Dialogs_;
    IHostDialogs& HostDialogs_;
    IDesktop& Desktop_;
    bool InBits_;
    int Unit_ = 0;
    TLimitMode Mode_ = lmShare;
    TTrafficPriority Priority_;
};

// A speed in bits per second as the dialog shows it in a unit (0 plain, 1 kilo, 2 mega):
// bytes count 1024 to the next unit, bits 1000; a fraction shows two decimals.
std::string ShownSpeed(uint32_t bitsPerSecond, bool inBits, int unit);
// A typed speed in a unit back in bits per second, rounded; 0 when the text is no number.
uint64_t TypedSpeed(const std::string& text, bool inBits, int unit);
