#include "records/RecentTexts.h"

#include "core/TextCase.h"

#include <algorithm>

void RememberText(std::vector<std::string>& list, const std::string& text, int maxCount, bool ignoreCase)
{
    std::erase_if(list, [&](const std::string& entry) { return ignoreCase ? SameText(entry, text) : entry == text; });
    list.insert(list.begin(), text);
    list.resize(std::min(list.size(), std::size_t(std::max(maxCount, 1))));
}
