#include "tool/tool_run.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>

#include "catalog/environment.h"
#include "check/track_checks.h"
#include "check/track_diff.h"
#include "edit/area.h"
#include "edit/kind_names.h"
#include "edit/reshape.h"
#include "edit/track_document.h"
#include "tool/check_listing.h"
#include "tool/diff_listing.h"
#include "tool/stream_prompts.h"
#include "tool/track_listing.h"
#include "track/converter_launch.h"
#include "track/track_head_info.h"
#include "track/track_reader.h"
#include "track/track_writer.h"

namespace {

constexpr const char* kUsage =
    "Usage: blockyard-tool COMMAND [OPTIONS] FILE...\n"
    "\n"
    "Reads, reshapes and writes the blocks of .Challenge.Gbx tracks as the Blockyard editor does.\n"
    "\n"
    "Commands:\n"
    "  info FILE                          the head's name, author, times and laps, the block\n"
    "                                     count and kinds used\n"
    "  list FILE [--csv|--json]           one line per block\n"
    "  mirror --axis x|y IN OUT           mirror the whole track about the centre of its cells\n"
    "  turn --quarters N IN OUT           turn the whole track N quarter turns "
    "(counter-clockwise)\n"
    "  shift --by DX,DY,DZ IN OUT         move every block by the offset\n"
    "  replace OLD=NEW[,OLD=NEW...] IN OUT  give the blocks of kind OLD the kind NEW\n"
    "  diff A B [--json]                  the blocks added, removed, moved, turned or changed\n"
    "                                     from A to B (exit status 0 same, 1 different)\n"
    "  check FILE|FOLDER... [--json]      errors, warnings and information of each track\n"
    "                                     (exit status 0 no errors, 1 errors, 2 unreadable)\n"
    "\n"
    "blockyard-tool COMMAND --help tells more of a command. Exit status: 0 done, 1 refused\n"
    "(a block would leave the grid, an unknown kind), 2 a usage error or a file that cannot be\n"
    "read or written. OUT is written whole or not at all; IN is never written unless OUT names\n"
    "it.\n";

const std::map<std::string, std::string>& commandHelp() {
    static const std::map<std::string, std::string> help = {
        {"check",
         "Usage: blockyard-tool check FILE|FOLDER... [--json]\n\nChecks each track as the "
         "editor's Checks panel does: one line per finding (FILE: error|warning|information: "
         "sentence), then the line \"N tracks, E errors, W warnings\". A folder is walked for "
         "*.Challenge.Gbx files. Errors: no start, more than one start, neither a finish nor a "
         "multilap, blocks of a kind the catalogue does not know. Warnings: blocks outside the "
         "grid, blocks sharing cells, road ends meeting no other, a checkpoint count other than "
         "the head's; a finding resting on a guessed footprint is information. --json writes "
         "one object (see the README). Exit status: 0 no track has an error, 1 one has, 2 a "
         "file could not be read (the others are still checked).\n"},
        {"info", "Usage: blockyard-tool info FILE\n\nPrints the track's environment, name, block "
                 "count and the kinds it uses, most used first.\n"},
        {"list", "Usage: blockyard-tool list FILE [--csv|--json]\n\nOne line per block in list "
                 "order: index, kind, x, y, z, rotation, the four variant bytes and whether it is "
                 "hidden. --csv and --json write the same as CSV with a header line or as a JSON "
                 "array.\n"},
        {"mirror", "Usage: blockyard-tool mirror --axis x|y IN OUT\n\nMirrors every block across "
                   "x or y about the centre of the track's cells. Kinds with a mirror partner "
                   "become their partner; kinds whose mirror image is unknown keep their kind "
                   "and are counted.\n"},
        {"turn", "Usage: blockyard-tool turn --quarters N IN OUT\n\nTurns the whole track N "
                 "quarter turns counter-clockwise seen from above (negative N turns the other "
                 "way) about the centre of its cells.\n"},
        {"shift",
         "Usage: blockyard-tool shift --by DX,DY,DZ IN OUT\n\nMoves every block by the "
         "offset in cells. Refused when a block would leave the grid (the Stadium's 32 x 32 x "
         "32 cells; elsewhere coordinates from 0 to 127).\n"},
        {"replace", "Usage: blockyard-tool replace OLD=NEW[,OLD=NEW...] IN OUT\n\nGives every "
                    "block of kind OLD the kind NEW, keeping its place, turn, variant bytes and "
                    "skin. Kinds are named as the environment's catalogue names them.\n"},
        {"diff",
         "Usage: blockyard-tool diff A B [--json]\n\nOne line per block added, removed, moved, "
         "turned or otherwise changed from A to B, then a count of each; nothing when the "
         "tracks hold the same blocks. Blocks are matched by kind and place first, then by "
         "kind and nearest place; when B is A shifted as a whole, places are compared after "
         "the shift. --json writes an object with the shift and the differences. Exit status: 0 "
         "the same blocks, 1 differences, 2 a usage error or a track that cannot be read.\n"},
    };
    return help;
}

std::optional<int> parseInt(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at - start));
        if (at == std::string::npos)
            return parts;
        start = at + 1;
    }
}

// An open track and what reading it needed.
struct OpenTrack {
    CatalogState catalog;
    TrackDocument document;
};

class Tool {
  public:
    Tool(const ProgramFolders& folders, std::ostream& out, std::ostream& err)
        : folders_(folders), out_(out), err_(err), prompts_(err) {}

    int usage(const std::string& problem) {
        err_ << "blockyard-tool: " << problem << "\n\n" << kUsage;
        return kToolFailed;
    }

    bool open(const std::string& file, OpenTrack& open) {
        initEnvironmentNames(open.catalog.environmentNames);
        Track track;
        TrackEnvelope envelope;
        PosixConverterLauncher launcher;
        if (!openTrack(folders_.base, folders_.converter, file, track, envelope, open.catalog,
                       prompts_, launcher)) {
            err_ << "blockyard-tool: cannot read the track " << file << '\n';
            return false;
        }
        open.document.replaceTrack(std::move(track), std::move(envelope), file);
        return true;
    }

    int save(const OpenTrack& open, const std::string& file) {
        const TrackDocument& document = open.document;
        if (!saveTrack(file, document.track(), document.envelope(), open.catalog)) {
            err_ << "blockyard-tool: cannot write the track " << file << '\n';
            return kToolFailed;
        }
        return kToolDone;
    }

    // Opens IN, runs the operation on every block, and saves OUT unless it was refused.
    int reshape(const std::string& in, const std::string& outFile,
                const std::function<ReshapeResult(OpenTrack&)>& operation) {
        OpenTrack open;
        if (!this->open(in, open))
            return kToolFailed;
        selectAll(open.document);
        const ReshapeResult result = operation(open);
        if (!result.message.empty())
            err_ << result.message << '\n';
        if (!result.done && !open.document.blocks().empty() &&
            (result.leaving > 0 || !result.message.empty()))
            return kToolRefused;
        return save(open, outFile);
    }

    int run(const std::vector<std::string>& args) {
        if (args.empty())
            return usage("no command given");
        const std::string& command = args[0];
        if (command == "--help" || command == "-h") {
            out_ << kUsage;
            return kToolDone;
        }
        const auto help = commandHelp().find(command);
        if (help == commandHelp().end())
            return usage("unknown command " + command);
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        for (const std::string& arg : rest)
            if (arg == "--help" || arg == "-h") {
                out_ << help->second;
                return kToolDone;
            }
        if (command == "info" || command == "list")
            return read(command, rest);
        if (command == "diff")
            return diff(rest);
        if (command == "check")
            return check(rest);
        return write(command, rest);
    }

  private:
    int read(const std::string& command, const std::vector<std::string>& rest) {
        std::optional<std::string> file;
        ListFormat format = ListFormat::Text;
        for (const std::string& arg : rest) {
            if (command == "list" && arg == "--csv")
                format = ListFormat::Csv;
            else if (command == "list" && arg == "--json")
                format = ListFormat::Json;
            else if (arg.starts_with("--") || file)
                return usage("unexpected argument " + arg + " for " + command);
            else
                file = arg;
        }
        if (!file)
            return usage(command + " needs a track");
        OpenTrack open;
        if (!this->open(*file, open))
            return kToolFailed;
        if (command == "info")
            writeTrackInfo(out_, *file, open.document.track(), open.document.envelope(),
                           open.catalog);
        else
            writeBlockList(out_, open.document.track(), open.catalog, format);
        return kToolDone;
    }

    // The files a command names and whether it asks for JSON, the only option these take; the
    // unexpected option, if any.
    static std::optional<std::string> filesAndJson(const std::vector<std::string>& rest,
                                                   std::vector<std::string>& files, bool& json) {
        for (const std::string& arg : rest) {
            if (arg == "--json")
                json = true;
            else if (arg.starts_with("--"))
                return arg;
            else
                files.push_back(arg);
        }
        return std::nullopt;
    }

    int diff(const std::vector<std::string>& rest) {
        std::vector<std::string> files;
        bool json = false;
        if (const auto option = filesAndJson(rest, files, json))
            return usage("unexpected option " + *option + " for diff");
        if (files.size() != 2)
            return usage("diff needs A and B");
        OpenTrack a, b;
        if (!open(files[0], a) || !open(files[1], b))
            return kToolFailed;
        const TrackDiff found =
            diffTracks(a.document.track(), a.catalog, b.document.track(), b.catalog);
        writeTrackDiff(out_, found, a.catalog, b.catalog, json);
        return found.differences.empty() ? kToolDone : kToolDifferent;
    }

    int check(const std::vector<std::string>& rest) {
        std::vector<std::string> files;
        bool json = false;
        if (const auto option = filesAndJson(rest, files, json))
            return usage("unexpected option " + *option + " for check");
        if (files.empty())
            return usage("check needs a track or a folder");
        const std::vector<std::string> tracks = trackFiles(files);
        int errors = 0, warnings = 0, withErrors = 0, unreadable = 0;
        if (json)
            out_ << "{\"tracks\": [";
        for (std::size_t i = 0; i < tracks.size(); ++i) {
            OpenTrack open;
            if (!this->open(tracks[i], open)) {
                writeUnreadable(out_, tracks[i], json, i == 0);
                ++unreadable;
                continue;
            }
            const TrackDocument& document = open.document;
            const std::vector<Finding> findings =
                checkTrack(document.track(), open.catalog,
                           readTrackHead(document.envelope().headBytes).checkpoints);
            writeFindings(out_, tracks[i], document.track(), open.catalog, findings, json, i == 0);
            int trackErrors = 0;
            for (const Finding& finding : findings) {
                const int count = 1 + static_cast<int>(finding.unlisted);
                trackErrors += finding.severity == Severity::Error ? count : 0;
                warnings += finding.severity == Severity::Warning ? count : 0;
            }
            errors += trackErrors;
            withErrors += trackErrors > 0;
        }
        const std::size_t checked = tracks.size() - static_cast<std::size_t>(unreadable);
        if (json)
            out_ << (tracks.empty() ? "" : "\n") << "], \"checked\": " << checked
                 << ", \"unreadable\": " << unreadable << ", \"errors\": " << errors
                 << ", \"warnings\": " << warnings << "}\n";
        else
            out_ << checked << " tracks, " << errors << " errors, " << warnings << " warnings\n";
        return unreadable > 0 ? kToolFailed : withErrors > 0 ? kToolTrackErrors : kToolDone;
    }

    // The files named and the *.Challenge.Gbx files under the folders named, each folder's in
    // name order.
    static std::vector<std::string> trackFiles(const std::vector<std::string>& names) {
        std::vector<std::string> files;
        for (const std::string& name : names) {
            std::error_code error;
            if (!std::filesystem::is_directory(name, error)) {
                files.push_back(name);
                continue;
            }
            std::vector<std::string> found;
            for (std::filesystem::recursive_directory_iterator it(name, error), end;
                 !error && it != end; it.increment(error))
                if (it->path().filename().string().ends_with(".Challenge.Gbx"))
                    found.push_back(it->path().string());
            std::sort(found.begin(), found.end());
            files.insert(files.end(), found.begin(), found.end());
        }
        return files;
    }

    int write(const std::string& command, const std::vector<std::string>& rest) {
        // The option and its value (none for replace, whose pairs come first), then IN and OUT.
        std::vector<std::string> files;
        std::optional<std::string> value;
        const std::string option = command == "mirror"  ? "--axis"
                                   : command == "turn"  ? "--quarters"
                                   : command == "shift" ? "--by"
                                                        : "";
        for (std::size_t i = 0; i < rest.size(); ++i) {
            if (!option.empty() && rest[i] == option && i + 1 < rest.size() && !value)
                value = rest[++i];
            else if (option.empty() && !value && !rest[i].starts_with("--"))
                value = rest[i];
            else if (rest[i].starts_with("--"))
                return usage("unexpected option " + rest[i] + " for " + command);
            else
                files.push_back(rest[i]);
        }
        if (!value)
            return usage(command + " needs " + (option.empty() ? "OLD=NEW pairs" : option));
        if (files.size() != 2)
            return usage(command + " needs IN and OUT");
        const std::string& in = files[0];
        const std::string& outFile = files[1];

        if (command == "mirror") {
            if (*value != "x" && *value != "y")
                return usage("--axis takes x or y");
            const MirrorAxis axis = *value == "x" ? MirrorAxis::X : MirrorAxis::Y;
            return reshape(in, outFile, [axis](OpenTrack& t) {
                return mirrorSelection(t.document, t.catalog, axis);
            });
        }
        if (command == "turn") {
            const std::optional<int> quarters = parseInt(*value);
            if (!quarters)
                return usage("--quarters takes a whole number");
            return reshape(in, outFile, [q = *quarters % 4](OpenTrack& t) {
                // Whole turns change nothing and are no refusal.
                ReshapeResult result = turnSelection(t.document, t.catalog, q);
                result.done = result.done || q == 0;
                return result;
            });
        }
        if (command == "shift") {
            const std::vector<std::string> parts = split(*value, ',');
            std::optional<int> d[3];
            for (std::size_t i = 0; i < 3 && parts.size() == 3; ++i)
                d[i] = parseInt(parts[i]);
            if (!d[0] || !d[1] || !d[2])
                return usage("--by takes DX,DY,DZ");
            return reshape(in, outFile, [&d](OpenTrack& t) {
                ReshapeResult result = shiftSelection(t.document, t.catalog, *d[0], *d[1], *d[2]);
                // No offset at all changes nothing and is no refusal.
                result.done = result.done || (*d[0] == 0 && *d[1] == 0 && *d[2] == 0);
                return result;
            });
        }
        std::vector<std::pair<std::string, std::string>> names;
        for (const std::string& pair : split(*value, ',')) {
            const std::vector<std::string> sides = split(pair, '=');
            if (sides.size() != 2 || sides[0].empty() || sides[1].empty())
                return usage("replace takes OLD=NEW pairs, not " + pair);
            names.emplace_back(sides[0], sides[1]);
        }
        return reshape(in, outFile, [&names](OpenTrack& t) {
            ReshapeResult refused;
            const auto pairs = kindPairsNamed(t.catalog, names, refused.message);
            if (pairs.empty())
                return refused;
            ReshapeResult result =
                replaceKinds(t.document, t.catalog, pairs, ReplaceScope::Track, Area{});
            // No block of the old kinds is no refusal; a new kind reaching past the grid is.
            result.done = result.done || result.leaving == 0;
            return result;
        });
    }

    const ProgramFolders& folders_;
    std::ostream& out_;
    std::ostream& err_;
    StreamPrompts prompts_;
};

} // namespace

int runTool(const std::vector<std::string>& arguments, const ProgramFolders& folders,
            std::ostream& out, std::ostream& err) {
    return Tool(folders, out, err).run(arguments);
}
