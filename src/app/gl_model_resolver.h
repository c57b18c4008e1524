#pragma once

#include "seams/model_resolver.h"

class DrawArea;

// Resolves block models with the view's GL context current, since a first use compiles a
// display list. Without a context the block keeps the fallback model.
class GlModelResolver : public ModelResolver {
  public:
    GlModelResolver(DrawArea& view, ModelResolver& store) : view_(view), store_(store) {}

    std::int32_t resolveBlockModel(BlockRecord& record) override;

  private:
    DrawArea& view_;
    ModelResolver& store_;
};
