#pragma once

#include "seams/view_port.h"

// Colours of the gizmo handles. The click decision reads them back from a picking render and
// compares them exactly; block picking colours never hold a 255 nor equal a minus handle, so no
// handle clashes with a block.
inline constexpr Rgb kMovePlusX{255, 0, 0};
inline constexpr Rgb kMovePlusY{0, 255, 0};
inline constexpr Rgb kMovePlusZ{0, 0, 255};
inline constexpr Rgb kMoveMinusX{254, 0, 0};
inline constexpr Rgb kMoveMinusY{0, 254, 0};
inline constexpr Rgb kMoveMinusZ{0, 0, 254};
inline constexpr Rgb kRotateOneWay{255, 0, 255};
inline constexpr Rgb kRotateOtherWay{254, 0, 254};
