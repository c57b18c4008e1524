#pragma once

#include "mesh_builder.h"

inline constexpr const char* kUnknownTexture = "no.bmp";

// The fallback model: a chequered one-cell box around the anchor, marked as unknown.
MeshBuilder buildFallbackMesh();

// The Stadium surroundings in world coordinates: the field under the 32 x 32 grid, a wall along
// its border, and stands with a roof on all four sides.
MeshBuilder buildStadiumMesh();

// Texture file names of the Stadium surroundings.
inline constexpr const char* kStadiumFieldTexture = "stadium_field.bmp";
inline constexpr const char* kStadiumWallTexture = "stadium_wall.bmp";
inline constexpr const char* kStadiumSeatsTexture = "stadium_seats.bmp";
inline constexpr const char* kStadiumRoofTexture = "stadium_roof.bmp";
