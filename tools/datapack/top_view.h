#pragma once

#include <map>
#include <string>

#include "image.h"
#include "mesh_builder.h"

// Draws a model seen from straight above (+Y up, +X right) into a size x size picture, fitted
// to the square of `extent` world units around the anchor, lit from the upper left. Texture
// names that `textures` lacks draw grey.
Image renderTopView(const MeshBuilder& mesh, const std::map<std::string, Image>& textures,
                    double extent, int size, Rgb background);
