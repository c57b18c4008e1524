#pragma once

#include <filesystem>
#include <string>

#include "catalog/catalog.h"
#include "edit/area.h"
#include "edit/block_list_index.h"
#include "edit/block_placing.h"
#include "edit/edit_history.h"
#include "edit/selection.h"
#include "track/track.h"
#include "view/camera.h"
#include "view/pick_table.h"

class Prompts;
class Panels;
class ViewPort;
class ModelResolver;

struct ScreenPoint {
    float x = 0;
    float y = 0;
};

// The program-wide state of the editor, held in one object so that every test starts afresh.
struct EditorContext {
    // Shell
    std::filesystem::path baseFolder;
    std::string currentTrackPath;
    std::filesystem::path modelFolder;
    std::filesystem::path textureFolder;

    // Document and catalogue
    Track currentTrack;
    TrackEnvelope envelope;
    BlockListIndex blockIndex; // positions of currentTrack's records, a cache
    CatalogState catalog;
    EditHistory history; // of currentTrack; new with every opened track

    // Editing
    Selection selection;
    Area area;
    BlockClipboard clipboard;
    int areaEditState = 0; // 0 off, 1 on, 2 cursor found for the frame being drawn
    AreaCursor areaCursor;
    std::int8_t cursorLevel = 1;

    // View
    Camera viewCamera;
    CameraKeys cameraKeys;
    PickTable pickTable;
    bool solidFill = true;
    bool showGrid = false;
    bool showStadium = false;
    bool showMoveGizmo = false;
    bool showRotateGizmo = false;
    bool viewChanged = true;
    double viewAspect = 584.0 / 571.0;

    // View input
    ScreenPoint lastPointer;
    ScreenPoint pressPointer;
    bool leftButtonDown = false;
    bool fKeyDown = false;

    // Seams to the toolkit and the renderer; set by the program or by a test.
    Prompts* prompts = nullptr;
    Panels* panels = nullptr;
    ViewPort* viewPort = nullptr;
    ModelResolver* modelResolver = nullptr;
};
