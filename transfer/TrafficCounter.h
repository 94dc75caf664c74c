#pragma once

#include "core/SynchroInteger.h"

// Bytes written by all transfers since the speed graph last sampled and cleared it.
TSynchroInteger& TrafficCounter();
