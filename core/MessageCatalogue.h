#pragma once

#include <string>
#include <string_view>

// The program-wide table of run-time texts, keyed by message identifier (sStartDownload, ...).
// A message the table does not hold is its own identifier. Filled from the language file
// on the main thread; read from any thread.
std::string Translate(std::string_view id);

void SetMessageText(std::string_view id, std::string_view text);
void ClearMessageTexts();
