#pragma once

#include <string>
#include <vector>

#include "block_kinds.h"

// The text of an environment's kinds file (see catalog/kinds_file_format.h): the picker's
// groups, then each kind's index, name, family, picker group and mirror image in catalogue order.
std::string encodeKindsFile(const std::vector<BlockKind>& kinds);
