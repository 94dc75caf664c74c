#pragma once

#include <string>
#include <vector>

// Every identifier of the message catalogue, in the order a language file fills them: the
// messages of the program, then the column captions of its lists (each family once). A
// language file is complete when it holds all of them; a message it lacks is its own
// identifier.
const std::vector<std::string>& CatalogueIdentifiers();
