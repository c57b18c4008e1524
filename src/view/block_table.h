#pragma once

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

#include "catalog/catalog.h"
#include "edit/document_change.h"
#include "edit/track_document.h"
#include "math/box3.h"
#include "seams/model_resolver.h"
#include "view/camera.h"

// The renderer's own facts about each block of the document, in list order: the display list of
// its model and whether it is in view. The document's notifications keep it current; the records
// themselves carry none of it.
class BlockTable {
  public:
    static constexpr std::int32_t kUnresolved = -1;
    struct Entry {
        const BlockRecord* record = nullptr;
        std::int32_t model = kUnresolved;
        bool inView = false;
    };

    explicit BlockTable(const TrackDocument& document) : document_(document) {}

    // Follows one change of the document.
    void apply(const DocumentChange& change);
    // Gives every block whose model is not known yet its display list.
    void resolveModels(ModelResolver& resolver);
    // Tests each block's box (footprint and model bounds) against the view, when the camera,
    // the aspect or the blocks changed since the last test.
    void updateVisibility(const CatalogState& catalog,
                          const std::function<const Box3&(std::int32_t)>& modelBounds,
                          const Camera& camera, double aspect);

    const std::vector<Entry>& entries() const { return entries_; }
    // The model of a block of the table, or the unresolved mark.
    std::int32_t modelOf(const BlockRecord* record) const;
    // The block's entry, or null for a block the table does not list.
    const Entry* entryOf(const BlockRecord* record) const;
    // Counts every change of the blocks the table has heard of, never going back.
    std::uint64_t serial() const { return serial_; }

  private:
    // Lists the document's blocks again, keeping the models of those already known.
    void rebuild();

    const TrackDocument& document_;
    std::vector<Entry> entries_;
    std::unordered_map<const BlockRecord*, std::size_t> slots_;
    std::uint64_t serial_ = 0;
    bool listed_ = false;
    bool visibilityKnown_ = false;
    // What changed since visibility was last tested: every block, or these.
    bool everyBlockChanged_ = true;
    std::vector<const BlockRecord*> changed_;
    Camera visibilityCamera_;
    double visibilityAspect_ = 0;
};
