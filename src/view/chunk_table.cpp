#include "view/chunk_table.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "view/block_placement.h"
#include "view/on_every_core.h"
#include "view/view_pyramid.h"

namespace {

int chunkOf(int cell) {
    return cell >= 0 ? cell / ChunkTable::kCells : -((-cell - 1) / ChunkTable::kCells) - 1;
}

// The part of a triangle: the axis its normal lies closest to, and which way along it.
std::size_t facingOf(const PlacedTriangle& t) {
    const auto& v = t.vertices;
    Vec3 a(v[1].x - v[0].x, v[1].y - v[0].y, v[1].z - v[0].z);
    const Vec3 b(v[2].x - v[0].x, v[2].y - v[0].y, v[2].z - v[0].z);
    const Vec3 n = a.cross(b);
    const double m[3] = {std::abs(n.x), std::abs(n.y), std::abs(n.z)};
    const std::size_t axis = m[0] >= m[1] && m[0] >= m[2] ? 0 : (m[1] >= m[2] ? 1 : 2);
    const double along = axis == 0 ? n.x : (axis == 1 ? n.y : n.z);
    return 2 * axis + (along < 0 ? 1 : 0);
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
        if (auto was = built_.find(record); was != built_.end()) {
            marked_.insert(was->second);
            if (!present)
                built_.erase(was);
        }
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

ChunkTable::Members ChunkTable::membersToBuild(const BlockScene& scene) {
    Members members;
    if (allMarked_)
        built_.clear();
    for (const BlockTable::Entry& entry : scene.table.entries()) {
        const BlockRecord& record = *entry.record;
        const Key key = keyOf(record);
        if (!allMarked_ && marked_.count(key) == 0)
            continue;
        built_[&record] = key;
        if (isShown(scene, record) && scene.lists.mesh(entry.model))
            members[key].push_back(&entry);
    }
    return members;
}

bool ChunkTable::update(const BlockScene& scene) {
    if (failed_ || (!allMarked_ && marked_.empty()))
        return !failed_;
    const Members members = membersToBuild(scene);
    std::size_t total = 0;
    if (!allMarked_)
        for (const auto& [key, chunk] : chunks_)
            if (marked_.count(key) == 0)
                total += chunk.triangles;
    for (const auto& [key, entries] : members)
        for (const BlockTable::Entry* entry : entries)
            total += scene.lists.mesh(entry->model)->triangles.size();
    if (total * kBytesPerTriangle > kMaxBytes) {
        fail();
        return false;
    }
    if (allMarked_) {
        chunks_.clear();
        marked_.clear();
        for (const auto& member : members)
            marked_.insert(member.first);
    }
    for (const Key& key : marked_) {
        const auto found = members.find(key);
        if (found == members.end()) {
            chunks_.erase(key);
            continue;
        }
        Chunk chunk;
        if (!build(scene, found->second, chunk)) {
            fail();
            return false;
        }
        chunks_[key] = std::move(chunk);
    }
    marked_.clear();
    allMarked_ = false;
    return true;
}

bool ChunkTable::build(const BlockScene& scene,
                       const std::vector<const BlockTable::Entry*>& entries, Chunk& chunk) {
    std::map<int, std::vector<const BlockTable::Entry*>> levels;
    for (const BlockTable::Entry* entry : entries)
        levels[entry->record->z].push_back(entry);
    std::vector<PlacedTriangle> triangles;
    std::vector<PlacedVertex> vertices;
    std::vector<PlacedVertex> sliceVertices;
    std::vector<std::size_t> facings;
    std::vector<std::size_t> order;
    for (const auto& [level, blocks] : levels) {
        Slice& slice = chunk.slices.emplace_back();
        TextureBatches batches;
        for (const BlockTable::Entry* entry : blocks) {
            const BlockRecord& record = *entry->record;
            triangles.clear();
            placeModel(*scene.lists.mesh(entry->model), drawnRotation(record),
                       blockAnchor(record, scene.catalog), displayTint(scene, record), triangles);
            facings.resize(triangles.size());
            order.resize(triangles.size());
            for (std::size_t i = 0; i < triangles.size(); ++i) {
                facings[i] = facingOf(triangles[i]);
                order[i] = i;
            }
            // A part's triangles together, so that each part is one piece of a run.
            std::stable_sort(order.begin(), order.end(),
                             [&](std::size_t a, std::size_t b) { return facings[a] < facings[b]; });
            std::size_t part = slice.parts.size();
            for (std::size_t k = 0; k < order.size(); ++k) {
                const PlacedTriangle& triangle = triangles[order[k]];
                if (k == 0 || facings[order[k]] != facings[order[k - 1]]) {
                    part = slice.parts.size();
                    slice.parts.emplace_back();
                    slice.partFirst.push_back(slice.corners.size() / 9);
                    slice.partTriangles.push_back(0);
                }
                for (const PlacedVertex& v : triangle.vertices) {
                    slice.parts[part].add(Vec3(v.x, v.y, v.z));
                    slice.corners.insert(slice.corners.end(), {v.x, v.y, v.z});
                }
                ++slice.partTriangles[part];
                batches.add(triangle, part);
            }
        }
        for (const Box3& part : slice.parts)
            slice.box.add(part);
        batches.take(sliceVertices, slice.runs);
        const auto base = static_cast<GLint>(vertices.size());
        for (TextureRun& run : slice.runs) {
            run.first += base;
            for (PartPiece& piece : run.pieces)
                piece.first += base;
        }
        slice.triangles = sliceVertices.size() / 3;
        slice.shown.assign(slice.parts.size(), 1);
        slice.fresh = true;
        chunk.triangles += slice.triangles;
        vertices.insert(vertices.end(), sliceVertices.begin(), sliceVertices.end());
    }
    return vertices.empty() ||
           chunk.buffer.fill(vertices.data(), vertices.size() * sizeof(PlacedVertex));
}

bool ChunkTable::partHidden(const DepthTiles& depth, const Slice& slice, std::size_t part) {
    return depth.hides(slice.parts[part]) ||
           depth.hidesTriangles(&slice.corners[9 * slice.partFirst[part]],
                                slice.partTriangles[part]);
}

void ChunkTable::drawSlice(const Chunk& chunk, const Slice& slice, const std::vector<char>& parts,
                           DrawThrottle& throttle) {
    std::size_t triangles = 0;
    for (std::size_t p = 0; p < parts.size(); ++p)
        if (parts[p])
            triangles += slice.partTriangles[p];
    if (triangles == 0)
        return;
    chunk.buffer.bind();
    drawRuns(nullptr, slice.runs, triangles == slice.triangles ? nullptr : &parts);
    throttle.drew(triangles);
    ++slicesDrawn_;
    trianglesDrawn_ += triangles;
}

void ChunkTable::draw(const Camera& camera, double aspect, bool occlusion) {
    slicesDrawn_ = 0;
    slicesTested_ = 0;
    trianglesDrawn_ = 0;
    DrawThrottle throttle;
    const ViewPyramid pyramid(camera, aspect);
    std::vector<std::tuple<double, const Chunk*, Slice*>> inView;
    for (auto& [key, chunk] : chunks_)
        for (Slice& slice : chunk.slices)
            if (pyramid.contains(slice.box))
                inView.emplace_back(distanceToBox(camera.position, slice.box), &chunk, &slice);
    std::sort(inView.begin(), inView.end(),
              [](const auto& a, const auto& b) { return std::get<0>(a) < std::get<0>(b); });
    if (!occlusion) {
        for (auto& [distance, chunk, slice] : inView) {
            const std::vector<char> parts(slice->shown.size(), 1);
            drawSlice(*chunk, *slice, parts, throttle);
        }
        VertexBuffer::unbind();
        return;
    }
    // The parts that showed last time first, then those whose box shows over them.
    std::vector<std::pair<const Chunk*, Slice*>> tested;
    for (auto& [distance, chunk, slice] : inView) {
        drawSlice(*chunk, *slice, slice->shown, throttle);
        if (std::find(slice->shown.begin(), slice->shown.end(), 0) != slice->shown.end())
            tested.emplace_back(chunk, slice);
    }
    slicesTested_ = tested.size();
    DepthTiles depth;
    if (!tested.empty()) {
        depth.read();
        // The rasteriser's threads wait while the parts are tested: the tests take every core.
        std::vector<std::vector<char>> shows(tested.size());
        onEveryCore(tested.size(), [&](std::size_t i) {
            Slice& slice = *tested[i].second;
            if (depth.hides(slice.box))
                return;
            shows[i].assign(slice.shown.size(), 0);
            for (std::size_t p = 0; p < slice.shown.size(); ++p)
                if (!slice.shown[p] && !partHidden(depth, slice, p))
                    shows[i][p] = slice.shown[p] = 1;
        });
        for (std::size_t i = 0; i < tested.size(); ++i)
            if (!shows[i].empty())
                drawSlice(*tested[i].first, *tested[i].second, shows[i], throttle);
    }
    VertexBuffer::unbind();
    // Now and then the parts drawn learn whether they still show; the parts of slices built
    // since the last frame learn it at once.
    const bool all = ++frames_ % kRecountEvery == 0;
    const bool fresh = std::any_of(inView.begin(), inView.end(),
                                   [](const auto& drawn) { return std::get<2>(drawn)->fresh; });
    if (!all && !fresh)
        return;
    depth.read();
    onEveryCore(inView.size(), [&](std::size_t i) {
        Slice& slice = *std::get<2>(inView[i]);
        if (all || slice.fresh)
            for (std::size_t p = 0; p < slice.shown.size(); ++p)
                if (slice.shown[p])
                    slice.shown[p] = !partHidden(depth, slice, p);
        slice.fresh = false;
    });
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
