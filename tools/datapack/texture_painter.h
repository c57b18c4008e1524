#pragma once

#include <cstdint>

#include "image.h"

// The surfaces that the painter can draw, each tileable.
enum class Pattern {
    Asphalt,   // fine grain with a dashed centre line
    Planks,    // wooden boards with grain
    Bricks,    // staggered bricks with mortar
    Cobbles,   // rounded stones
    Snow,      // soft white drifts
    Sand,      // wind ripples
    Grass,     // blades on soil
    Dirt,      // ruts and pebbles
    Ice,       // pale with cracks
    Concrete,  // slabs with joints
    Finish,    // chequered flag
    StartLine, // green band with arrows
    Gate,      // diagonal stripes of a checkpoint
    Facade,    // wall with windows
    Roof,      // overlapping tiles
    Foliage,   // leaves
    Bark,      // vertical grain
    Rock,      // stone with cracks
    Unknown,   // magenta and black chequer with a question mark
    Seats,     // rows of stadium seats
    Panels,    // advertising boards
};

struct TextureSpec {
    Pattern pattern = Pattern::Concrete;
    Rgb base;
    Rgb accent;
    std::uint32_t seed = 1;
};

// Paints a size x size texture (size a power of two); the same spec gives the same pixels.
Image paintTexture(const TextureSpec& spec, int size = 64);
