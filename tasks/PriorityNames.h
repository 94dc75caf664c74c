#pragma once

#include "tasks/TaskTypes.h"

#include <string>
#include <vector>

// The names of the five priorities from the message catalogue; a priority's number is its
// index.
std::vector<std::string> PriorityNames();
std::string PriorityName(TTrafficPriority priority);
