#pragma once

#include <cstddef>
#include <map>
#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

#include "assets/vertex_buffer.h"
#include "edit/document_change.h"
#include "math/box3.h"
#include "view/block_pass.h"
#include "view/camera.h"
#include "view/chunk_geometry.h"
#include "view/depth_tiles.h"
#include "view/draw_throttle.h"

// The blocks' triangles batched by region: a vertex buffer for each chunk of 2 x 2 cells, in a
// slice per level, each slice's triangles grouped by texture and tint. Each block's triangles
// fall into parts by the way they face (up, down, or one of the four sides). A frame draws the
// slices nearest first, a run per texture instead of a list per block, and leaves out the parts
// hidden behind those drawn: the walls of a building behind another, the far sides of a box. A
// chunk is rebuilt only when one of its blocks changed.
class ChunkTable {
  public:
    // With each part tested on its own, the chunk's size no longer decides what is left out: on
    // the large sample 2, 4 and 8 cells a side drew the same triangles in 50.7, 51.2 and 53.2 ms.
    static constexpr int kCells = 2;
    // Bytes the chunks may hold together, their vertices and the corners kept for the hidden-part
    // test; more (the full grid would take 305 MB) are not worth the memory, and the blocks are
    // drawn one by one.
    static constexpr std::size_t kMaxBytes = std::size_t{64} << 20;
    static constexpr std::size_t kBytesPerTriangle = 3 * sizeof(PlacedVertex) + 9 * sizeof(float);

    // Marks the chunks whose blocks the change touches: where its blocks were when last built and
    // where they are now. Makes no GL call.
    void apply(const DocumentChange& change);
    // Marks every chunk: what all blocks look like changed (level limit, tints, environment).
    void invalidate();

    // Builds the marked chunks from the blocks the scene shows whose model has a mesh. False when
    // they would hold more than kMaxBytes or a vertex buffer cannot be filled (GL out of memory):
    // every chunk is dropped, and no chunk is built again until invalidate().
    bool update(const BlockScene& scene);
    bool failed() const { return failed_; }
    // Draws the slices whose box is in view, nearest first. With `occlusion` (filled polygons
    // only), a part that was hidden behind others when last checked is drawn only when its box
    // shows over what the others drew (depth_tiles.h): the picture is the same.
    void draw(const Camera& camera, double aspect, bool occlusion);

    std::size_t chunkCount() const { return chunks_.size(); }
    std::size_t runCount() const;
    std::size_t triangleCount() const;
    // Of the last frame drawn: the slices drawn and their triangles.
    std::size_t slicesDrawn() const { return slicesDrawn_; }
    std::size_t trianglesDrawn() const { return trianglesDrawn_; }
    // Of the last frame drawn: the slices with a part whose box was tested against the others.
    std::size_t slicesTested() const { return slicesTested_; }

  private:
    // A chunk, by the cell that anchors its blocks' footprints.
    using Key = std::pair<int, int>;
    struct Slice {
        std::vector<TextureRun> runs;
        // The box of each part's triangles, and of them all.
        std::vector<Box3> parts;
        Box3 box;
        std::vector<std::size_t> partTriangles;
        // The corners of each part's triangles, x, y and z, a part's together from its first
        // triangle: to test them one by one where their part's box may show.
        std::vector<float> corners;
        std::vector<std::size_t> partFirst;
        std::size_t triangles = 0;
        // Of each part: showed over the others when last checked (until then: assumed).
        std::vector<char> shown;
        // Built since the last frame: its parts are checked after the frame that first draws
        // them.
        bool fresh = true;
    };
    struct Chunk {
        VertexBuffer buffer;
        std::vector<Slice> slices;
        std::size_t triangles = 0;
    };
    using Members = std::map<Key, std::vector<const BlockTable::Entry*>>;

    static Key keyOf(const BlockRecord& record);
    void fail();
    // Whether the part would draw no pixel over the depth read back.
    static bool partHidden(const DepthTiles& depth, const Slice& slice, std::size_t part);
    // Draws the parts of the slice that `parts` marks.
    void drawSlice(const Chunk& chunk, const Slice& slice, const std::vector<char>& parts,
                   DrawThrottle& throttle);
    // The blocks to build again, by chunk: all of them, or those of the marked chunks.
    Members membersToBuild(const BlockScene& scene);
    static bool build(const BlockScene& scene, const std::vector<const BlockTable::Entry*>& entries,
                      Chunk& chunk);

    std::map<Key, Chunk> chunks_;
    std::set<Key> marked_;
    bool allMarked_ = true;
    bool failed_ = false;
    // The chunk of each block when the chunks were last built.
    std::unordered_map<const BlockRecord*, Key> built_;
    std::size_t slicesDrawn_ = 0;
    std::size_t trianglesDrawn_ = 0;
    std::size_t slicesTested_ = 0;
    unsigned frames_ = 0;
};
