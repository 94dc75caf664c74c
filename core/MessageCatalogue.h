#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The program-wide table of run-time texts, keyed by message identifier (sStartDownload, ...).
// A message the table does not hold is its own identifier. Filled from the language file
// on the main thread; read from any thread. The text returned stays valid and unchanged for
// the life of the program, whatever language is loaded later.
const std::string& Translate(std::string_view id);

void SetMessageText(std::string_view id, std::string_view text);
void ClearMessageTexts();
// Replaces the whole table at once, so a reader never sees a language half loaded.
void SetMessageTexts(const std::vector<std::pair<std::string, std::string>>& texts);
