#include "ui/block_picker.h"

#include <QWidget>

#include "edit/editor_context.h"
#include "ui/block_picker_dialog.h"

namespace {

constexpr int kPictureSize = 64;

// Appends the picture at path to the images and returns its index, or -1 when the file is
// missing or not a readable bitmap.
std::int32_t loadPicture(std::vector<QImage>& images, const QString& path) {
    QImage picture;
    if (!picture.load(path, "BMP"))
        return -1;
    picture = picture.convertToFormat(QImage::Format_RGB888);
    if (picture.size() != QSize(kPictureSize, kPictureSize))
        picture = picture.scaled(kPictureSize, kPictureSize, Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
    images.push_back(picture);
    return static_cast<std::int32_t>(images.size() - 1);
}

// Keeps a picker state for as long as the window it belongs to.
class PickerStateHolder : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    PickerState state;
};

} // namespace

void buildPickerTree(PickerState& state, const QString& pictureFolder) {
    if (state.built)
        return;
    state.root = makePickerRoot();
    state.images.clear();
    state.images.reserve(8);
    const QString folder = pictureFolder + QLatin1Char('/');
    for (int g = 0; g < state.root.count; ++g) {
        PickerGroup& group = state.root.subgroups[g];
        group.image = loadPicture(state.images, folder + QStringLiteral("%1.bmp").arg(g));
        if (group.hasSubgroups()) {
            for (int s = 0; s < group.count; ++s) {
                PickerGroup& subgroup = group.subgroups[s];
                subgroup.image =
                    loadPicture(state.images, folder + QStringLiteral("%1_%2.bmp").arg(g).arg(s));
                for (int k = 0; k < subgroup.count; ++k)
                    subgroup.blocks[k].image = loadPicture(
                        state.images, folder + QStringLiteral("%1_%2_%3.bmp").arg(g).arg(s).arg(k));
            }
        } else {
            for (int k = 0; k < group.count; ++k)
                group.blocks[k].image =
                    loadPicture(state.images, folder + QStringLiteral("%1_%2.bmp").arg(g).arg(k));
        }
    }
    state.built = true;
}

int showBlockPicker(QWidget* owner, EditorContext& ctx, PickerState& state) {
    buildPickerTree(state);
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
