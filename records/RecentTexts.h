#pragma once

#include <string>
#include <vector>

// Puts text at the top of a list of recent texts (the filter box's, the find dialog's):
// equal entries go first, and the list is cut to maxCount entries (at least one).
void RememberText(std::vector<std::string>& list, const std::string& text, int maxCount, bool ignoreCase);
