#pragma once

#include "tasks/OfferedPaths.h"

#include <vector>

class QMimeData;

// The formats of a drop or of the clipboard that paths and links can be taken from, in
// the offerer's order.
std::vector<TOfferedFormat> OfferedFormats(const QMimeData& data);
