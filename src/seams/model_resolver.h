#pragma once

#include <cstdint>

struct BlockRecord;

// The display list of a block's model file (or of the fallback model).
class ModelResolver {
  public:
    virtual ~ModelResolver() = default;
    virtual std::int32_t resolveBlockModel(const BlockRecord& record) = 0;
};
