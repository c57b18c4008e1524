#include "track/track_reader.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>
#include <thread>

#include "platform/private_folder.h"
#include "seams/prompts.h"
#include "track/converter_launch.h"
#include "track/parsed_track.h"
#include "track/structural_reader.h"
#include "track/text_search_reader.h"

namespace {

constexpr auto kConverterWait = std::chrono::milliseconds(1000);
constexpr auto kPollInterval = std::chrono::milliseconds(5);

std::filesystem::path withBak(const std::filesystem::path& path) {
    std::filesystem::path bak = path;
    bak += ".bak";
    return bak;
}

// The copy's path in the converter folder: a name no file has yet, so that the reader never
// overwrites, or on failure removes, a file it did not make (the user's own file among them).
// A ".bak" under the chosen name would announce a conversion that has not happened, so the
// name's ".bak" must be free too.
std::filesystem::path copyPathFor(const std::filesystem::path& folder, const std::string& name) {
    std::error_code ec;
    auto taken = [&ec](const std::filesystem::path& path) {
        return std::filesystem::exists(std::filesystem::symlink_status(path, ec)) ||
               std::filesystem::exists(std::filesystem::symlink_status(withBak(path), ec));
    };
    std::filesystem::path copy = folder / name;
    for (int n = 1; taken(copy); ++n)
        copy = folder / ("copy" + std::to_string(n) + "_" + name);
    return copy;
}

bool readWhole(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// The walk through the body's chunks knows where every name is defined, so its result stands
// whenever it can walk the file. The text searches assume how many names the head defines; they
// only read what the walk cannot, and only when every reference named a spelled-out name.
std::optional<ParsedTrack> readConverted(const std::vector<std::uint8_t>& bytes,
                                         const CatalogState& catalog) {
    if (std::optional<ParsedTrack> walked = readByStructure(bytes, catalog.currentEnvironment))
        return walked;
    std::optional<ParsedTrack> parsed =
        readByTextSearch(bytes, catalog.environmentNames, catalog.currentEnvironment);
    if (parsed && parsed->unresolvedReferences == 0)
        return parsed;
    return std::nullopt;
}

std::vector<std::string> catalogNames(const BlockCatalog& catalog) {
    std::vector<std::string> names;
    names.reserve(catalog.entries.size());
    for (const CatalogEntry& entry : catalog.entries)
        names.push_back(entry.name);
    return names;
}

// The folder one open works in: the site's own, or a fresh one that goes when the open ends.
class WorkFolder {
  public:
    WorkFolder(const ConverterSite& site, Prompts& prompts) {
        if (!site.folderPerOpen) {
            path_ = site.folder;
            return;
        }
        std::string error = "no per-user cache folder is known (HOME is not set)";
        std::optional<std::filesystem::path> made;
        if (!site.folder.empty())
            made = makePrivateFolder(site.folder, error);
        if (!made) {
            prompts.message("Cannot make a working folder for the converter in \"" +
                                site.folder.string() + "\": " + error +
                                ".\n\nTracks open once that folder can be written.",
                            kProgramCaption, MessageIcon::Error);
            return;
        }
        path_ = *made;
        fresh_ = true;
    }
    ~WorkFolder() {
        std::error_code ec;
        if (fresh_)
            std::filesystem::remove_all(path_, ec);
    }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    // Empty when no folder could be made.
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
    bool fresh_ = false;
};

void commit(ParsedTrack& parsed, const CatalogState& catalog, Track& track,
            TrackEnvelope& envelope) {
    resolveBlockNames(parsed.track, catalogNames(catalog.catalogs[parsed.track.environment]));
    track = std::move(parsed.track);
    envelope = std::move(parsed.envelope);
}

} // namespace

ConverterSite converterSiteIn(const std::filesystem::path& baseFolder) {
    const std::filesystem::path folder = baseFolder / "GS";
#ifdef _WIN32
    return {folder / "Gridsmith.exe", folder};
#else
    return {folder / "Gridsmith", folder};
#endif
}

std::string convertedFileName(const std::string& sourcePath) {
    std::size_t slash = sourcePath.rfind('/');
    if (slash == std::string::npos)
        slash = sourcePath.rfind('\\');
    std::string name = slash == std::string::npos ? sourcePath : sourcePath.substr(slash + 1);
    std::replace(name.begin(), name.end(), ' ', '_');
    return name;
}

bool parseConvertedTrack(const std::vector<std::uint8_t>& bytes, const CatalogState& catalog,
                         Track& track, TrackEnvelope& envelope) {
    std::optional<ParsedTrack> parsed = readConverted(bytes, catalog);
    if (!parsed)
        return false;
    commit(*parsed, catalog, track, envelope);
    return true;
}

bool openTrack(const std::filesystem::path& baseFolder, const ConverterSite& converter,
               const std::string& sourcePath, Track& track, TrackEnvelope& envelope,
               CatalogState& catalog, Prompts& prompts, ConverterLauncher& launcher) {
    std::string name = convertedFileName(sourcePath);
    if (name.empty())
        return false;
    const WorkFolder work(converter, prompts);
    const std::filesystem::path& folder = work.path();
    if (folder.empty())
        return false;
    std::filesystem::path copy = copyPathFor(folder, name);
    std::filesystem::path bak = withBak(copy);

    std::error_code ec;
    // Without a copy the converter has nothing to convert; no need to wait for it.
    if (!std::filesystem::copy_file(sourcePath, copy, std::filesystem::copy_options::none, ec)) {
        // A copy that exists now appeared after the name was chosen: it is not ours.
        if (ec != std::errc::file_exists)
            std::filesystem::remove(copy, ec);
        return false;
    }

    auto launched = std::chrono::steady_clock::now();
    bool started = launcher.start(converter.program, copy.filename().string(), folder);
    bool converted = false;
    while (started) {
        converted = std::filesystem::exists(bak, ec);
        if (converted || std::chrono::steady_clock::now() - launched >= kConverterWait)
            break;
        std::this_thread::sleep_for(kPollInterval);
    }
    // The ".bak" is the converter's last step, so it is about to end; one that never made it
    // is stopped.
    launcher.reap(converted ? kConverterWait : std::chrono::milliseconds(0));
    if (!converted) {
        std::filesystem::remove(copy, ec);
        return false;
    }

    std::vector<std::uint8_t> bytes;
    if (!readWhole(copy, bytes))
        return false;
    std::filesystem::remove(copy, ec);
    std::filesystem::remove(bak, ec);

    return readConvertedTrack(baseFolder, bytes, track, envelope, catalog, prompts);
}

bool readConvertedTrack(const std::filesystem::path& baseFolder,
                        const std::vector<std::uint8_t>& bytes, Track& track,
                        TrackEnvelope& envelope, CatalogState& catalog, Prompts& prompts) {
    std::optional<ParsedTrack> parsed = readConverted(bytes, catalog);
    if (!parsed)
        return false;
    catalog.currentEnvironment = parsed->track.environment;
    loadCatalog(catalog, parsed->track.environment, baseFolder, prompts);
    commit(*parsed, catalog, track, envelope);
    return true;
}
