#pragma once

#include <cstdint>

struct BlockRecord;

// Gives a block the display list of its model file (or the fallback model) and returns it.
class ModelResolver {
public:
    virtual ~ModelResolver() = default;
    virtual std::int32_t resolveBlockModel(BlockRecord& record) = 0;
};
