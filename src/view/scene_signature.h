#pragma once

#include <cstdint>

#include "edit/editor_context.h"

// A digest of everything a display render draws before its overlays (the camera, the view's
// size and switches, every block with its flags and model): equal digests mean the same
// picture, so a frame kept from before can stand for it. Changes to the track reach it through
// the blocks themselves, whichever edit made them.
std::uint64_t sceneSignature(const EditorContext& ctx, int width, int height);
