#include "app/gl_model_resolver.h"

#include "app/draw_area.h"
#include "assets/model_store.h"
#include "track/track.h"

std::int32_t GlModelResolver::resolveBlockModel(BlockRecord& record) {
    CurrentContext current(view_);
    if (!current.held()) {
        record.modelList = kFallbackList;
        return record.modelList;
    }
    return store_.resolveBlockModel(record);
}
