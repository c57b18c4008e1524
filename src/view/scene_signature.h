#pragma once

#include <cstdint>
#include <vector>

#include "edit/editor_context.h"

// A digest of everything a display render draws before its overlays (the camera, the view's
// size and switches, every block with its flags and model) except which blocks are selected:
// equal digests mean the same picture but for the selection's tint, so a frame kept from before
// can stand for it once the blocks whose tint changed are drawn again. Changes to the track
// reach it through the blocks themselves, whichever edit made them.
std::uint64_t sceneSignature(const EditorContext& ctx, int width, int height);

// Whether each block is selected, in list order: with the digest, the whole scene.
std::vector<bool> blockSelection(const EditorContext& ctx);
