#pragma once

#include <optional>

#include "edit/area.h"
#include "view/camera.h"
#include "view/view_pyramid.h"
#include "view/view_state.h"

// How the view projects the world: the free camera's perspective, or with the top view an
// orthographic look straight down over the camera's place, its edges along the grid's lines and
// its top toward the grid axis nearest to the camera's heading. The higher the camera flies, the
// more the top view takes in.

// The eye of the top view: above the camera's place, looking down, up along a grid axis.
Camera topViewEye(const Camera& camera);
// Half the height of the world the top view shows, in world units.
double topViewHalfHeight(const Camera& camera);

// The line of sight through the centre of pixel (x, y), y counted down from the top, of a view
// width x height pixels: from the eye in perspective, straight down in the top view.
PickRay viewRay(const ViewState& view, int x, int y, int width, int height);

// The cell whose bottom face at the level the ray meets, as the area cursor's cell pass finds it;
// none when the ray runs level or away from it, or meets it farther off the grid than 8 bits
// of cell number reach.
std::optional<GridCell> cellOnLevel(const PickRay& ray, int level);

// A camera whose view pyramid holds all the view shows, for the visibility tests: the camera
// itself in perspective, an eye high enough above the top view's box otherwise.
Camera cullingCamera(const ViewState& view);

// Loads the projection and view matrices of the frame (GL; leaves the model-view matrix current).
void loadViewMatrices(const ViewState& view);
