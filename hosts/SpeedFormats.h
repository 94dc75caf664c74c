#pragma once

#include "tasks/TaskTypes.h"

#include <cstdint>
#include <string>
#include <vector>

class TTrafficUsageCollection;

// Speed units of the option iSpeedType.
enum TSpeedUnit { spPlain = 0, spKilo = 1, spMega = 2, spAuto = 3 };

// A speed given in bits per second, in bits (base 1000) or in bytes (base 1024) and the
// unit given, with one decimal in the kilo and mega units and the catalogue's unit word.
// The automatic unit steps up only above 1.0 of the next unit.
std::string FormatBitSpeed(uint64_t bitsPerSecond, bool inBits, int unit);

// The names of the five priorities from the message catalogue; a priority's number is its
// index.
std::vector<std::string> PriorityNames();
std::string PriorityName(TTrafficPriority priority);

// "name - speed (share%)" with the speed and share of the current connection type, in
// automatic units and the option MeasureSpeedInBits; the unlimited priority, and every
// priority while no type is current, show the name alone.
std::string FormatPriorityCaption(const TTrafficUsageCollection& types, TTrafficPriority priority);
// The captions of the five priorities, lowest first.
std::vector<std::string> PriorityCaptions(const TTrafficUsageCollection& types);
