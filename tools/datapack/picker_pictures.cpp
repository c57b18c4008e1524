#include "picker_pictures.h"

#include <array>

#include "environment_look.h"
#include "grid_units.h"
#include "kind_geometry.h"
#include "texture_painter.h"
#include "top_view.h"

namespace {

constexpr int kPictureSize = 64;

// 3 x 5 glyphs of the digits and the dot, one row per string.
const std::array<const char*, 5>& glyph(char c) {
    static const std::array<std::array<const char*, 5>, 11> glyphs = {{
        {"###", "#.#", "#.#", "#.#", "###"},
        {".#.", "##.", ".#.", ".#.", "###"},
        {"###", "..#", "###", "#..", "###"},
        {"###", "..#", "###", "..#", "###"},
        {"#.#", "#.#", "###", "..#", "..#"},
        {"###", "#..", "###", "..#", "###"},
        {"###", "#..", "###", "#.#", "###"},
        {"###", "..#", "..#", "..#", "..#"},
        {"###", "#.#", "###", "#.#", "###"},
        {"###", "#.#", "###", "..#", "###"},
        {"...", "...", "...", "...", ".#."},
    }};
    return c == '.' ? glyphs[10] : glyphs[static_cast<std::size_t>(c - '0')];
}

void drawText(Image& image, const std::string& text, int left, int top, int scaleFactor,
              Rgb colour) {
    int x = left;
    for (char c : text) {
        const auto& rows = glyph(c);
        for (int gy = 0; gy < 5; ++gy)
            for (int gx = 0; gx < 3; ++gx)
                if (rows[gy][gx] == '#')
                    for (int dy = 0; dy < scaleFactor; ++dy)
                        for (int dx = 0; dx < scaleFactor; ++dx) {
                            int px = x + gx * scaleFactor + dx, py = top + gy * scaleFactor + dy;
                            if (px >= 0 && py >= 0 && px < image.width && py < image.height)
                                image.at(px, py) = colour;
                        }
        x += 4 * scaleFactor;
    }
}

void drawFrame(Image& image, Rgb colour, int thickness) {
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (x < thickness || y < thickness || x >= image.width - thickness ||
                y >= image.height - thickness)
                image.at(x, y) = colour;
}

Image emptySlot() {
    Image image(kPictureSize, kPictureSize, {90, 90, 95});
    for (int i = 8; i < kPictureSize - 8; ++i) {
        image.at(i, i) = {150, 150, 155};
        image.at(kPictureSize - 1 - i, i) = {150, 150, 155};
    }
    drawFrame(image, {60, 60, 65}, 3);
    return image;
}

// A folder-like picture: a coloured card with its label and, when given, a small preview.
Image groupPicture(const std::string& label, Rgb colour, const Image* preview) {
    Image image(kPictureSize, kPictureSize, colour);
    drawFrame(image, scale(colour, 0.6), 3);
    if (preview)
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                image.at(28 + x, 28 + y) = preview->at(x * 2, y * 2);
    int textScale = label.size() > 2 ? 3 : 4;
    drawText(image, label, 6, 6, textScale, {250, 250, 250});
    return image;
}

Rgb groupColour(int group) {
    static const std::array<Rgb, 8> colours = {{{200, 80, 60},
                                                {200, 150, 40},
                                                {120, 170, 60},
                                                {50, 150, 140},
                                                {60, 110, 190},
                                                {130, 80, 180},
                                                {180, 70, 140},
                                                {110, 110, 110}}};
    return colours[static_cast<std::size_t>(group)];
}

// Draws the kinds of an environment, painting each texture once.
class KindPainter {
  public:
    explicit KindPainter(int environment)
        : look_(environmentLooks()[static_cast<std::size_t>(environment)]),
          kinds_(environmentKinds(environment)) {}

    const std::vector<BlockKind>& kinds() const { return kinds_; }

    Image picture(int index) {
        if (index <= 0 || index > static_cast<int>(kinds_.size()))
            return emptySlot();
        const BlockKind& kind = kinds_[static_cast<std::size_t>(index - 1)];
        MeshBuilder mesh = buildKindMesh(kind);
        for (const std::string& name : mesh.textureNames())
            if (!textures_.count(name))
                textures_.emplace(name, paintTexture(textureSpecByName(look_, name)));
        double cells = std::max(spanX(kind), spanY(kind)) + 1;
        Image image = renderTopView(mesh, textures_, kCellSize * (cells + 0.3), kPictureSize,
                                    look_.pictureBackground);
        drawFrame(image, scale(look_.pictureBackground, 0.6), 1);
        return image;
    }

  private:
    const EnvironmentLook& look_;
    std::vector<BlockKind> kinds_;
    std::map<std::string, Image> textures_;
};

} // namespace

PickerTree pickerTree() {
    PickerTree tree;
    tree.groupBlocks.assign(8, {});
    tree.groupSubgroups.assign(8, {});
    tree.groupBlocks[0] = {98, 80, 307};
    tree.groupSubgroups[5].assign(9, std::vector<int>(9, 0));
    tree.groupSubgroups[5][1][0] = 9;
    return tree;
}

std::map<int, Image> kindPictures(int environment) {
    KindPainter painter(environment);
    std::map<int, Image> pictures;
    for (const BlockKind& kind : painter.kinds())
        pictures[kind.index] = painter.picture(kind.index);
    return pictures;
}

std::map<std::string, Image> pickerPictures(int environment) {
    KindPainter painter(environment);
    auto blockPicture = [&](int index) { return painter.picture(index); };

    std::map<std::string, Image> pictures;
    const PickerTree tree = pickerTree();
    for (int g = 0; g < 8; ++g) {
        const std::string group = std::to_string(g);
        const std::string label = std::to_string(g + 1);
        int firstBlock = 0;
        if (!tree.groupBlocks[g].empty()) {
            for (std::size_t k = 0; k < tree.groupBlocks[g].size(); ++k)
                pictures[group + "_" + std::to_string(k) + ".bmp"] =
                    blockPicture(tree.groupBlocks[g][k]);
            firstBlock = tree.groupBlocks[g][0];
        }
        for (std::size_t s = 0; s < tree.groupSubgroups[g].size(); ++s) {
            const std::vector<int>& blocks = tree.groupSubgroups[g][s];
            const std::string sub = group + "_" + std::to_string(s);
            int firstInSub = 0;
            for (std::size_t k = 0; k < blocks.size(); ++k) {
                pictures[sub + "_" + std::to_string(k) + ".bmp"] = blockPicture(blocks[k]);
                if (!firstInSub)
                    firstInSub = blocks[k];
            }
            Image preview = firstInSub ? blockPicture(firstInSub) : Image();
            pictures[sub + ".bmp"] = groupPicture(label + "." + std::to_string(s + 1),
                                                  groupColour(g), firstInSub ? &preview : nullptr);
            if (!firstBlock)
                firstBlock = firstInSub;
        }
        Image preview = firstBlock ? blockPicture(firstBlock) : Image();
        pictures[group + ".bmp"] =
            groupPicture(label, groupColour(g), firstBlock ? &preview : nullptr);
    }
    return pictures;
}
