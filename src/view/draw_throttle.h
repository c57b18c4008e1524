#pragma once

#include <cstddef>

// Keeps llvmpipe's rasteriser threads from falling far behind the drawing thread. That thread
// bins triangles into scenes faster than the others rasterise them, and every scene queued holds
// its bins: a frame of the full grid queued over 400 MB. After every kBatch triangles a fence is
// set and the drawing waits for the one before, so at most two batches are queued while the
// threads work on. Without rasteriser threads the fences cost nothing.
class DrawThrottle {
  public:
    // Peak memory of the program with the full grid drawn: 202 MB with batches of 4,096
    // triangles, 213 MB with 8,192, 245 MB with 16,384, 303 MB with 32,768; frame times within
    // the noise of one another.
    static constexpr std::size_t kBatch = 4096;

    DrawThrottle() = default;
    DrawThrottle(const DrawThrottle&) = delete;
    DrawThrottle& operator=(const DrawThrottle&) = delete;
    ~DrawThrottle();

    // Counts triangles just submitted.
    void drew(std::size_t triangles);

  private:
    std::size_t sinceFence_ = 0;
    // A GLsync, kept opaque so that users need no GL extension header.
    void* fence_ = nullptr;
};
