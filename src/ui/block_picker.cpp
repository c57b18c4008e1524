#include "ui/block_picker.h"

#include <QWidget>

#include "edit/editor_context.h"
#include "ui/block_picker_dialog.h"

namespace {

constexpr int kPictureSize = 64;

QImage loadPicture(const std::filesystem::path& path) {
    QImage picture;
    if (!picture.load(QString::fromStdString(path.string()), "BMP"))
        return {};
    picture = picture.convertToFormat(QImage::Format_RGB888);
    if (picture.size() != QSize(kPictureSize, kPictureSize))
        picture = picture.scaled(kPictureSize, kPictureSize, Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
    return picture;
}

// Keeps a picker state for as long as the window it belongs to.
class PickerStateHolder : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    PickerState state;
};

} // namespace

std::filesystem::path pickerPictureFolder(const std::filesystem::path& baseFolder,
                                          const std::string& environmentName) {
    return baseFolder / "data" / "textures" / "blocks" / environmentName;
}

void preparePicker(PickerState& state, const EditorContext& ctx) {
    const int environment = ctx.catalog.currentEnvironment;
    if (environment < 0 || environment >= kEnvironmentCount)
        return;
    const BlockCatalog& catalog = ctx.catalog.catalogs[static_cast<std::size_t>(environment)];
    if (state.environment == environment && state.kindCount == catalog.entries.size())
        return;
    state = PickerState{};
    state.environment = environment;
    state.kindCount = catalog.entries.size();
    state.families = blockFamilies(catalog);
    const std::filesystem::path folder = pickerPictureFolder(
        ctx.folders.base, ctx.catalog.environmentNames[static_cast<std::size_t>(environment)]);
    state.pictures.reserve(catalog.entries.size());
    for (std::size_t i = 1; i <= catalog.entries.size(); ++i)
        state.pictures.push_back(loadPicture(folder / (std::to_string(i) + ".bmp")));
}

int showBlockPicker(QWidget* owner, EditorContext& ctx, PickerState& state) {
    preparePicker(state, ctx);
    BlockPickerDialog dialog(state, ctx.catalog, owner);
    return dialog.exec();
}

int showBlockPicker(QWidget* owner, EditorContext& ctx) {
    if (!owner) {
        PickerState once;
        return showBlockPicker(owner, ctx, once);
    }
    QWidget* window = owner->window();
    auto* holder = window->findChild<PickerStateHolder*>(QString(), Qt::FindDirectChildrenOnly);
    if (!holder)
        holder = new PickerStateHolder(window);
    return showBlockPicker(owner, ctx, holder->state);
}

#include "block_picker.moc"
