#pragma once

#include <filesystem>

#include "catalog/catalog.h"
#include "edit/area_editor.h"
#include "edit/block_placing.h"
#include "edit/track_document.h"
#include "seams/prompts.h"
#include "track/track_reader.h"

// Where the program reads its data and runs its converter: the base folder holds data/; the model
// and texture folders are those of the open track's environment.
struct DataFolders {
    std::filesystem::path base;
    ConverterSite converter;
    std::filesystem::path models;
    std::filesystem::path textures;
};

// The editing state of the program, one piece per job, so that every test starts afresh. The
// view's own state (camera, keys, switches, pointer) lives with the view, the renderer's tables
// with the renderer.
struct EditorContext {
    DataFolders folders;
    TrackDocument document;
    CatalogState catalog;
    AreaEditor areaEditor;
    BlockClipboard clipboard;

    // Every message, question and dialog; until the program or a test sets its own, nobody is
    // asked (SilentPrompts).
    Prompts& prompts() { return prompts_ ? *prompts_ : silent_; }
    void setPrompts(Prompts* prompts) { prompts_ = prompts; }

  private:
    Prompts* prompts_ = nullptr;
    SilentPrompts silent_;
};
