#pragma once

#include "config/Options.h"
#include "config/SystemIntegration.h"
#include "core/XMLStorage.h"

#include <string>

// Reads every key from the store; a missing key keeps the value options holds, a text
// that does not parse gives that value too. Starting with the session and the file-manager
// menus are then taken from the system.
void ReadOptions(const TXMLStorage& store, TOptions& options, const ISystemIntegration& system = NoSystemIntegration());
// Writes every key into the store's document (the window's geometry only while its state
// is normal, so that a maximised window keeps its last normal geometry).
void WriteOptions(TXMLStorage& store, const TOptions& options);

// At start: takes the regional settings, opens the store over its file and reads it.
void LoadOptions(TXMLStorage& store, TOptions& options, const ISystemIntegration& system);
// At exit: writes the options into the store's document, saves it and closes the store.
// True when the file was written.
bool SaveOptions(TXMLStorage& store, const TOptions& options);

// The file that sounds for the event (an index of kSoundEvents) unless the user chose another.
std::string DefaultSoundFile(int event);
