#pragma once

#include "core/DisplayFormats.h"
#include "tasks/PriorityNames.h"
#include "tasks/TaskTypes.h"

#include <cstdint>
#include <string>
#include <vector>

class TTrafficUsageCollection;

// FormatBitSpeed (core/DisplayFormats.h) and the priority names (tasks/PriorityNames.h)
// live in the layers whose lists show them.

// "name - speed (share%)" with the speed and share of the current connection type, in
// automatic units and the option MeasureSpeedInBits; the unlimited priority, and every
// priority while no type is current, show the name alone.
std::string FormatPriorityCaption(const TTrafficUsageCollection& types, TTrafficPriority priority);
// The captions of the five priorities, lowest first.
std::vector<std::string> PriorityCaptions(const TTrafficUsageCollection& types);
