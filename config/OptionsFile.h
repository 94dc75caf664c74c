#pragma once

#include "config/Options.h"
#include "core/XMLStorage.h"

// Reads every option value from the store; a missing key keeps the value options holds.
void ReadOptions(const TXMLStorage& store, TOptions& options);
