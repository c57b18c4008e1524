#pragma once

#include "edit/area.h"
#include "view/camera.h"

// The cell at the centre of the view at the level; on the grid, the nearest cell of it when the
// view looks past it or away from that level. A level off the grid counts as level 1.
GridCell viewCentreCell(const Camera& camera, int level);
