#include "data_pack.h"

#include <map>
#include <set>

#include "block_kinds.h"
#include "environment_look.h"
#include "file_output.h"
#include "fixed_models.h"
#include "gbx_writer.h"
#include "kind_geometry.h"
#include "kinds_file.h"
#include "picker_pictures.h"
#include "texture_atlas.h"
#include "texture_painter.h"
#include "track_layout.h"

namespace {

// A block model naming one banded texture; the bands it needs are noted for writing the picture.
std::vector<std::uint8_t> blockModel(const BlockKind& kind,
                                     std::map<std::string, std::vector<std::string>>& atlases) {
    const AtlasModel model = atlasModel(buildKindMesh(kind));
    if (model.textureName.empty())
        return encodeModel({}, model.triangles);
    atlases[model.textureName] = model.bandTextures;
    return encodeModel({model.textureName}, model.triangles);
}

// Model and block information files that an earlier data pack wrote and this one does not (other
// variants, kinds past the catalogue's end) would be found by the editor; they go.
void removeStaleKindFiles(const std::filesystem::path& folder,
                          const std::vector<BlockKind>& kinds) {
    std::set<std::string> current = {"stadium_opt.mdl"};
    for (const BlockKind& kind : kinds) {
        current.insert(std::to_string(kind.index) + "_0_0_0_0.mdl");
        current.insert(std::to_string(kind.index) + ".bzi");
    }
    std::error_code ec;
    for (const char* sub : {"models", "bzi"})
        for (const auto& entry : std::filesystem::directory_iterator(folder / sub, ec))
            if (entry.is_regular_file() && !current.count(entry.path().filename().string()))
                std::filesystem::remove(entry.path(), ec);
}

bool writeEnvironment(const std::filesystem::path& folder, const std::filesystem::path& pictures,
                      int environment) {
    const EnvironmentLook& look = environmentLooks()[static_cast<std::size_t>(environment)];
    const std::vector<BlockKind> kinds = environmentKinds(environment);
    bool ok = true;
    std::string names;
    std::map<std::string, std::vector<std::string>> atlases;
    for (const BlockKind& kind : kinds) {
        names += kind.name + "\n";
        const std::string number = std::to_string(kind.index);
        ok &= writeFileIfChanged(folder / "bzi" / (number + ".bzi"), encodeBlockInfo(kind.units));
        // Every flag word of the kind falls back to this file.
        ok &= writeFileIfChanged(folder / "models" / (number + "_0_0_0_0.mdl"),
                                 blockModel(kind, atlases));
    }
    if (kinds.empty())
        return false;
    ok &= writeFileIfChanged(folder / "blocks.dat", names);
    ok &= writeFileIfChanged(folder / "kinds.dat", encodeKindsFile(kinds));
    removeStaleKindFiles(folder, kinds);
    for (const auto& [index, picture] : kindPictures(environment))
        ok &= writeFileIfChanged(pictures / (std::to_string(index) + ".bmp"), encodeBmp(picture));
    // The single textures stay for anyone who builds models of their own.
    for (const auto& [file, spec] : environmentTextures(look))
        ok &= writeFileIfChanged(folder / "textures" / file, encodeBmp(paintTexture(spec)));
    for (const auto& [file, bands] : atlases)
        ok &= writeFileIfChanged(folder / "textures" / file, encodeBmp(atlasImage(look, bands)));
    return ok;
}

bool writeStadiumSurroundings(const std::filesystem::path& stadium) {
    bool ok =
        writeFileIfChanged(stadium / "models" / "stadium_opt.mdl", buildStadiumMesh().encode());
    const std::pair<const char*, TextureSpec> textures[] = {
        {kStadiumFieldTexture, {Pattern::Grass, {45, 135, 50}, {80, 170, 65}, 901}},
        {kStadiumWallTexture, {Pattern::Panels, {235, 235, 240}, {200, 40, 40}, 902}},
        {kStadiumSeatsTexture, {Pattern::Seats, {40, 90, 190}, {60, 60, 70}, 903}},
        {kStadiumRoofTexture, {Pattern::Concrete, {200, 205, 215}, {150, 155, 165}, 904}},
    };
    for (const auto& [file, spec] : textures)
        ok &= writeFileIfChanged(stadium / "textures" / file, encodeBmp(paintTexture(spec)));
    return ok;
}

} // namespace

bool writeDataFolder(const std::filesystem::path& dataFolder) {
    bool ok = true;
    for (int environment = 0; environment < kEnvironmentTotal; ++environment) {
        const std::string& name = environmentLooks()[static_cast<std::size_t>(environment)].name;
        ok &= writeEnvironment(dataFolder / name, dataFolder / "textures" / "blocks" / name,
                               environment);
    }
    ok &= writeFileIfChanged(dataFolder / "no.mdl", buildFallbackMesh().encode());
    ok &= writeFileIfChanged(
        dataFolder / kUnknownTexture,
        encodeBmp(paintTexture({Pattern::Unknown, {255, 0, 255}, {0, 0, 0}, 1})));
    ok &= writeStadiumSurroundings(dataFolder / "Stadium");
    // The picker shows the Stadium's kinds; its tree is the same in every environment.
    for (const auto& [file, picture] : pickerPictures(6))
        ok &= writeFileIfChanged(dataFolder / "textures" / "blocks" / file, encodeBmp(picture));
    return ok;
}

bool writeSampleTracks(const std::filesystem::path& folder) {
    std::optional<std::vector<SampleTrack>> tracks = sampleTracks();
    if (!tracks)
        return false;
    bool ok = true;
    for (const SampleTrack& track : *tracks) {
        ok &= writeFileIfChanged(folder / track.fileName,
                                 encodeTrack(track, environmentKinds(track.environment)));
    }
    return ok;
}
