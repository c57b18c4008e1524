#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include <GL/gl.h>

#include "assets/display_lists.h"
#include "math/vec3.h"
#include "seams/view_port.h"

// A vertex placed in the world as vertex arrays take it: position and texture coordinates.
struct PlacedVertex {
    float x, y, z, u, v;
};

// The vertices of one part (chunk_table.h: a block's triangles facing one way) within a run.
struct PartPiece {
    std::size_t part = 0;
    GLint first = 0;
    GLsizei count = 0;
};

// Triangles of one texture and tint, consecutive in a vertex array, with the piece of each part in
// the order the parts came.
struct TextureRun {
    GLuint texture = 0;
    Rgb colour;
    GLint first = 0;
    GLsizei count = 0;
    std::vector<PartPiece> pieces;
};

struct PlacedTriangle {
    GLuint texture = 0;
    Rgb colour;
    PlacedVertex vertices[3];
};

// Placed triangles gathered by texture and tint, for a vertex array with one run per pair. A
// colour per run instead of per vertex spares llvmpipe interpolating four values per pixel.
class TextureBatches {
  public:
    // Triangles of one part come together, parts numbered in the order they come.
    void add(const PlacedTriangle& triangle, std::size_t part = 0);
    bool empty() const { return groups_.empty(); }
    // Every vertex gathered, one run per texture and tint in the order they came; leaves the
    // batches empty.
    void take(std::vector<PlacedVertex>& vertices, std::vector<TextureRun>& runs);

  private:
    struct Group {
        GLuint texture;
        Rgb colour;
        std::vector<PlacedVertex> vertices;
        std::vector<PartPiece> pieces;
    };
    std::vector<Group> groups_;
};

// The model's triangles turned by the block's quarter turns (clockwise seen from above, as the
// display lists are drawn) and moved to its anchor, in the colour, appended to out.
// Every path that draws placed triangles gets them from here, so that the same block gives the
// same depths bit for bit.
void placeModel(const ModelMesh& mesh, int quarterTurns, const Vec3& anchor, Rgb colour,
                std::vector<PlacedTriangle>& out);

// Draws the runs of a vertex array starting at `base`: client memory, or an offset into the
// vertex buffer bound; given `parts`, only the pieces of the parts it marks. Leaves the current
// colour white.
void drawRuns(const PlacedVertex* base, const std::vector<TextureRun>& runs,
              const std::vector<char>* parts = nullptr);
