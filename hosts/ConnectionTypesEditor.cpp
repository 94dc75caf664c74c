#include "hosts/ConnectionTypesEditor.h"

#include "config/Options.h"
#include "core/DisplayFormats.h"
#include "core/MessageCatalogue.h"
#include "core/MessageFormat.h"
#include "core/WholeNumber.h"
#include "hosts/HostDialogs.h"
#include "tasks/TaskPorts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

constexpr uint64_t kMaxSpeed = std::numeric_limits<uint32_t>::max();

double UnitBase(bool inBits)
{
    return inBits ? 1000.0 : 1024.0;
}

} // namespace

std::string ShownSpeed(uint32_t bitsPerSecond, bool inBits, int unit)
{
    double value = inBits ? double(bitsPerSecond) : double(bitsPerSecond) / 8.0;
    for (int step = 0; step < unit; ++step)
        value /= UnitBase(inBits);
    if (value == std::floor(value))
        return std::to_string(uint64_t(value));
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    return LocalizeDecimalPoint(buffer);
}

uint64_t TypedSpeed(const std::string& text, bool inBits, int unit)
{
    // The regional decimal separator or a point.
    std::string number = text;
    std::replace(number.begin(), number.end(), FormatSettings().DecimalSeparator, '.');
    double value = 0;
    if (!ParseWholeNumber(std::string_view(number), value) || !(value > 0))
        return 0;
    if (!inBits)
        value *= 8.0;
    for (int step = 0; step < unit; ++step)
        value *= UnitBase(inBits);
    // Anything faster than a 32-bit speed is more than every bandwidth anyway.
    return uint64_t(std::min(std::nearbyint(value), double(kMaxSpeed + 1)));
}

TConnectionTypesEditor::TConnectionTypesEditor(const TTrafficUsageCollection& types, ITaskDialogs& dialogs,
                                               IHostDialogs& hostDialogs, IDesktop& desktop)
    : Types_(types.Boxes()), Dialogs_(dialogs), HostDialogs_(hostDialogs), Desktop_(desktop),
      InBits_(Options().MeasureSpeedInBits), Priority_(types.DefTraf)
{
    Types_.Assign(types);
    const int unit = Options().iSpeedType;
    // The automatic unit is no unit for typing: plain units then.
    Unit_ = unit >= 0 && unit <= 2 ? unit : 0;
}

std::vector<std::string> TConnectionTypesEditor::UnitNames() const
{
    if (InBits_)
        return {Translate("sSpeedBit"), Translate("sSpeedKBit"), Translate("sSpeedMbit")};
    return {Translate("sSpeedByte"), Translate("sSpeedKByte"), Translate("sSpeedMbyte")};
}

void TConnectionTypesEditor::SelectUnit(int unit)
{
    Unit_ = std::clamp(unit, 0, 2);
}

void TConnectionTypesEditor::SelectPriority(TTrafficPriority priority)
{
    if (priority >= 0 && priority < kTrafficPriorityCount)
        Priority_ = priority;
}

std::vector<std::string> TConnectionTypesEditor::TypeNames() const
{
    std::vector<std::string> names;
    for (int i = 0; i < Types_.Count(); ++i)
        names.push_back(Types_[i].Name);
    return names;
}

int TConnectionTypesEditor::TypeIndex()
{
    const int index = Types_.GetCurrentIndex();
    return index >= 0 && index < Types_.Count() ? index : -1;
}

void TConnectionTypesEditor::SelectType(int index)
{
    if (index >= 0 && index < Types_.Count())
        Types_.DefIndex = index;
}

std::string TConnectionTypesEditor::BandwidthText() const
{
    return Current() ? ShownSpeed(Current()->Bandwidth, InBits_, Unit_) : std::string();
}

std::string TConnectionTypesEditor::SpeedText() const
{
    return Current() ? ShownSpeed(GetPrioritySpeed(*Current(), Priority_), InBits_, Unit_) : std::string();
}

int TConnectionTypesEditor::Share() const
{
    return Current() ? GetPriorityShare(*Current(), Priority_) : 0;
}

TConnectionTypesEditor::TFieldUpdate TConnectionTypesEditor::ShareTyped(const std::string& text)
{
    TFieldUpdate update;
    TTrafficUsageItem* type = Current();
    if (Mode_ != lmShare || !type)
        return update;
    int share = -1;
    if (!ParseWholeNumber(std::string_view(text), share) || share < 0) {
        Desktop_.Beep(TBeepKind::Error);
        return update;
    }
    if (share > 100) {
        share = 100;
        update.Share = share;
    }
    const uint32_t speed = uint32_t(std::nearbyint(double(uint64_t(type->Bandwidth) * uint64_t(share)) / 100.0));
    SetPrioritySpeed(*type, Priority_, speed);
    update.SpeedText = ShownSpeed(speed, InBits_, Unit_);
    return update;
}

TConnectionTypesEditor::TFieldUpdate TConnectionTypesEditor::SpeedTyped(const std::string& text)
{
    TFieldUpdate update;
    TTrafficUsageItem* type = Current();
    if (Mode_ != lmSpeed || !type)
        return update;
    uint64_t speed = TypedSpeed(text, InBits_, Unit_);
    if (speed == 0) {
        Desktop_.Beep(TBeepKind::Error);
        return update;
    }
    if (speed > type->Bandwidth) {
        speed = type->Bandwidth;
        update.SpeedText = ShownSpeed(uint32_t(speed), InBits_, Unit_);
    }
    SetPrioritySpeed(*type, Priority_, uint32_t(speed));
    if (type->Bandwidth != 0)
        update.Share = GetPriorityShare(*type, Priority_);
    return update;
}

bool TConnectionTypesEditor::CanEdit() const
{
    return Current() && Current()->Editable;
}

bool TConnectionTypesEditor::CanDelete() const
{
    return CanEdit() && Types_.Count() > 1;
}

void TConnectionTypesEditor::ShowRefusal(const char* messageId)
{
    Dialogs_.MessageBox(Translate(messageId), TMessageKind::Error, mbOK);
}

bool TConnectionTypesEditor::Add()
{
    std::string name = Translate("sConnectionName") + " " + std::to_string(Types_.Count() + 1);
    std::string bandwidthText = "0";
    uint64_t bandwidth = 0;
    for (;;) {
        if (!HostDialogs_.ShowNewConnection(name, bandwidthText))
            return false;
        if (name.empty())
            ShowRefusal("sInputNameIsEmpty");
        else if (bandwidthText.empty())
            ShowRefusal("sInputBandwidthIsEmpty");
        // The file keeps bandwidths as 32-bit numbers: a larger one could not come back.
        else if (!ParseWholeNumber(std::string_view(bandwidthText), bandwidth) || bandwidth == 0
                 || bandwidth > kMaxSpeed)
            ShowRefusal("sInputBandwidthError");
        else
            break;
    }
    TTrafficUsageItem& type = Types_.AddConnectionType(name);
    type.Editable = true;
    type.Bandwidth = uint32_t(bandwidth);
    // nearbyint rounds halves to even in the default rounding mode.
    auto part = [&](double share) { return uint32_t(std::nearbyint(double(bandwidth) * share)); };
    type.HighTraffic = part(0.8);
    type.MiddleTraffic = part(0.5);
    type.LowTraffic = part(0.25);
    type.LowestTraffic = part(0.05);
    Types_.DefIndex = Types_.Count() - 1;
    return true;
}

bool TConnectionTypesEditor::Edit()
{
    if (!CanEdit())
        return false;
    std::string name = Current()->Name;
    for (;;) {
        if (!HostDialogs_.ShowEditConnectionName(name))
            return false;
        if (!name.empty())
            break;
        ShowRefusal("sInputNameIsEmpty");
    }
    Current()->Name = name;
    return true;
}

bool TConnectionTypesEditor::Delete()
{
    if (!CanDelete())
        return false;
    const std::string text = FormatMessage(Translate("sDeleteConnection"), {Current()->Name});
    if (Dialogs_.MessageBox(text, TMessageKind::Confirmation, mbYes | mbNo) != TModalResult::Yes)
        return false;
    Types_.Delete(Types_.GetCurrentIndex());
    Types_.GetCurrentIndex();
    return true;
}
