#include "view/chunk_table.h"

#include <algorithm>
#include <tuple>

#include "view/block_placement.h"
#include "view/view_pyramid.h"

namespace {

int chunkOf(int cell) {
    return cell >= 0 ? cell / ChunkTable::kCells : -((-cell - 1) / ChunkTable::kCells) - 1;
}

double distanceToBox(const Vec3& p, const Box3& box) {
    const Vec3 nearest(std::clamp(p.x, box.lo.x, box.hi.x), std::clamp(p.y, box.lo.y, box.hi.y),
                       std::clamp(p.z, box.lo.z, box.hi.z));
    return (nearest - p).length();
}

// Frames between two checks of the slices drawn for whether they still show; a slice drawn while
// hidden costs time, never a pixel.
constexpr unsigned kRecountEvery = 8;

} // namespace

ChunkTable::Key ChunkTable::keyOf(const BlockRecord& record) {
    return {chunkOf(record.x), chunkOf(record.y)};
}

void ChunkTable::fail() {
    chunks_.clear();
    built_.clear();
    marked_.clear();
    failed_ = true;
}

void ChunkTable::invalidate() {
    allMarked_ = true;
    failed_ = false;
}

void ChunkTable::apply(const DocumentChange& change) {
    if (change.cause == DocumentChange::Cause::Replaced) {
        invalidate();
        built_.clear();
        return;
    }
    if (allMarked_)
        return;
    auto markRecord = [this](const BlockRecord* record, bool present) {
        if (auto was = built_.find(record); was != built_.end())
            marked_.insert(was->second);
        if (present)
            marked_.insert(keyOf(*record));
    };
    for (const BlockRecord* record : change.added)
        markRecord(record, true);
    for (const BlockRecord* record : change.removed)
        markRecord(record, false);
    for (const DocumentChange::Changed& changed : change.changed)
        markRecord(changed.record, true);
    // A block's tint is in its vertices.
    for (const BlockRecord* record : change.entered)
        markRecord(record, true);
    for (const BlockRecord* record : change.left)
        markRecord(record, true);
}

bool ChunkTable::update(const BlockScene& scene) {
    if (failed_ || (!allMarked_ && marked_.empty()))
        return !failed_;
    std::map<Key, std::vector<const BlockTable::Entry*>> members;
    built_.clear();
    for (const BlockTable::Entry& entry : scene.table.entries()) {
        const BlockRecord& record = *entry.record;
        built_[&record] = keyOf(record);
        if (isShown(scene, record) && scene.lists.mesh(entry.model))
            members[keyOf(record)].push_back(&entry);
    }
    std::size_t total = 0;
    for (const auto& [key, entries] : members)
        for (const BlockTable::Entry* entry : entries)
            total += scene.lists.mesh(entry->model)->triangles.size();
    if (total * 3 * sizeof(PlacedVertex) > kMaxBytes) {
        fail();
        return false;
    }
    if (allMarked_) {
        chunks_.clear();
        marked_.clear();
        for (const auto& member : members)
            marked_.insert(member.first);
    }

    std::vector<PlacedTriangle> triangles;
    std::vector<int> levels;
    std::vector<PlacedVertex> vertices;
    std::vector<PlacedVertex> sliceVertices;
    for (const Key& key : marked_) {
        const auto found = members.find(key);
        if (found == members.end()) {
            chunks_.erase(key);
            continue;
        }
        Chunk chunk;
        triangles.clear();
        levels.clear();
        // Blocks by level: the slices, with the box of each block's triangles.
        std::map<int, std::vector<Box3>> boxes;
        for (const BlockTable::Entry* entry : found->second) {
            const BlockRecord& record = *entry->record;
            const std::size_t first = triangles.size();
            placeModel(*scene.lists.mesh(entry->model), drawnRotation(record),
                       blockAnchor(record, scene.catalog), displayTint(scene, record), triangles);
            levels.resize(triangles.size(), record.z);
            Box3& box = boxes[record.z].emplace_back();
            for (std::size_t i = first; i < triangles.size(); ++i)
                for (const PlacedVertex& v : triangles[i].vertices)
                    box.add(Vec3(v.x, v.y, v.z));
        }
        std::map<int, TextureBatches> batches;
        for (std::size_t i = 0; i < triangles.size(); ++i)
            batches[levels[i]].add(triangles[i]);
        vertices.clear();
        for (auto& [level, levelBatches] : batches) {
            Slice& slice = chunk.slices.emplace_back();
            levelBatches.take(sliceVertices, slice.runs);
            for (TextureRun& run : slice.runs)
                run.first += static_cast<GLint>(vertices.size());
            slice.triangles = sliceVertices.size() / 3;
            slice.blocks = std::move(boxes[level]);
            for (const Box3& box : slice.blocks)
                slice.box.add(box);
            vertices.insert(vertices.end(), sliceVertices.begin(), sliceVertices.end());
        }
        if (!vertices.empty() &&
            !chunk.buffer.fill(vertices.data(), vertices.size() * sizeof(PlacedVertex))) {
            fail();
            return false;
        }
        chunks_[key] = std::move(chunk);
    }
    marked_.clear();
    allMarked_ = false;
    rebuilt_ = true;
    return true;
}

bool ChunkTable::shows(const DepthTiles& depth, const Slice& slice) {
    return !depth.hides(slice.box) &&
           std::any_of(slice.blocks.begin(), slice.blocks.end(),
                       [&](const Box3& box) { return !depth.hides(box); });
}

void ChunkTable::drawSlice(const Chunk& chunk, Slice& slice) {
    chunk.buffer.bind();
    drawRuns(nullptr, slice.runs);
    ++slicesDrawn_;
    trianglesDrawn_ += slice.triangles;
}

void ChunkTable::draw(const Camera& camera, double aspect, bool occlusion) {
    slicesDrawn_ = 0;
    slicesTested_ = 0;
    trianglesDrawn_ = 0;
    std::vector<std::tuple<double, const Chunk*, Slice*>> inView;
    for (auto& [key, chunk] : chunks_)
        for (Slice& slice : chunk.slices)
            if (isBoxInView(slice.box, camera, aspect))
                inView.emplace_back(distanceToBox(camera.position, slice.box), &chunk, &slice);
    std::sort(inView.begin(), inView.end(),
              [](const auto& a, const auto& b) { return std::get<0>(a) < std::get<0>(b); });
    if (!occlusion) {
        for (auto& [distance, chunk, slice] : inView)
            drawSlice(*chunk, *slice);
        VertexBuffer::unbind();
        return;
    }
    // The slices that showed last time first, then those whose box shows over them.
    std::vector<std::pair<const Chunk*, Slice*>> drawn;
    std::vector<std::pair<const Chunk*, Slice*>> tested;
    for (auto& [distance, chunk, slice] : inView) {
        if (slice->shown) {
            drawSlice(*chunk, *slice);
            drawn.emplace_back(chunk, slice);
        } else {
            tested.emplace_back(chunk, slice);
        }
    }
    slicesTested_ = tested.size();
    DepthTiles depth;
    if (!tested.empty()) {
        depth.read();
        for (auto& [chunk, slice] : tested) {
            slice->shown = shows(depth, *slice);
            if (slice->shown) {
                drawSlice(*chunk, *slice);
                drawn.emplace_back(chunk, slice);
            }
        }
    }
    VertexBuffer::unbind();
    // Now and then, and after a rebuild, the slices drawn learn whether they still show.
    if (++frames_ % kRecountEvery != 0 && !rebuilt_)
        return;
    rebuilt_ = false;
    depth.read();
    for (auto& [chunk, slice] : drawn)
        slice->shown = shows(depth, *slice);
}

std::size_t ChunkTable::runCount() const {
    std::size_t n = 0;
    for (const auto& [key, chunk] : chunks_)
        for (const Slice& slice : chunk.slices)
            n += slice.runs.size();
    return n;
}

std::size_t ChunkTable::triangleCount() const {
    std::size_t n = 0;
    for (const auto& [key, chunk] : chunks_)
        for (const Slice& slice : chunk.slices)
            n += slice.triangles;
    return n;
}
