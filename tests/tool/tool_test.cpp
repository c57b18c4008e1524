// blockyard-tool's commands on a real track (or a sample when the real tracks are absent), as
// runTool runs them and as the program in the runtime folder runs them.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

#include "check/track_checks.h"
#include "edit/block_edits.h"
#include "edit/edit_step.h"
#include "edit/kind_names.h"
#include "edit/reshape.h"
#include "file_bytes.h"
#include "real_tracks.h"
#include "sample_opening.h"
#include "tool/tool_run.h"
#include "track/track_writer.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Operation = std::function<ReshapeResult(TrackDocument&, const CatalogState&)>;

struct Ran {
    int status = -1;
    std::string out;
    std::string err;
};

class ToolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(base.ready());
        const fs::path real = realTracksFolder() / "A01-Race.Challenge.Gbx";
        const fs::path source =
            fs::exists(real) ? real : runtime_files::kSamples / "StadiumCircuit.Challenge.Gbx";
        fs::copy_file(source, in);
        inBytes = readFile(in);
        ASSERT_FALSE(inBytes.empty());
    }

    Ran run(const std::vector<std::string>& arguments) {
        std::ostringstream out, err;
        const ProgramFolders folders{base.path(), converterSiteIn(base.path())};
        const int status = runTool(arguments, folders, out, err);
        return {status, out.str(), err.str()};
    }

    fs::path at(const std::string& name) const { return work.path() / name; }

    // The track opened as the editor opens it, with every block selected.
    struct Opened {
        TrackDocument doc;
        CatalogState* catalog = nullptr;
        Bytes saved() const {
            return serialiseTrack(doc.track(), doc.envelope(), *catalog).value_or(Bytes{});
        }
    };
    void open(Opened& opened) {
        OpenedSample sample = base.openFile(in);
        ASSERT_TRUE(sample.ok);
        opened.doc.replaceTrack(std::move(sample.track), std::move(sample.envelope), in);
        opened.catalog = &base.catalog;
        selectAll(opened.doc);
    }

    // What the editor saves after the operation on the whole track; none when it refuses.
    std::optional<Bytes> edited(const Operation& operation) {
        Opened opened;
        open(opened);
        if (!operation(opened.doc, *opened.catalog).done)
            return std::nullopt;
        return opened.saved();
    }

    Bytes unedited() {
        return *edited([](TrackDocument&, const CatalogState&) {
            ReshapeResult result;
            result.done = true;
            return result;
        });
    }

    SampleBase base;
    TempFolder work;
    fs::path in = at("In.Challenge.Gbx");
    Bytes inBytes;
};

TEST_F(ToolTest, HelpOfTheToolAndOfEachCommand) {
    for (const char* help : {"--help", "-h"}) {
        const Ran ran = run({help});
        EXPECT_EQ(ran.status, kToolDone);
        EXPECT_NE(ran.out.find("Commands:"), std::string::npos) << ran.out;
        EXPECT_EQ(ran.err, "");
    }
    for (const std::string command :
         {"info", "list", "mirror", "turn", "shift", "replace", "diff"}) {
        const Ran ran = run({command, "--help"});
        EXPECT_EQ(ran.status, kToolDone) << command;
        EXPECT_EQ(ran.out.rfind("Usage: blockyard-tool " + command + " ", 0), 0u) << ran.out;
        EXPECT_EQ(run({command, in, at("Out.Gbx"), "-h"}).out, ran.out);
    }
    EXPECT_FALSE(fs::exists(at("Out.Gbx")));
}

TEST_F(ToolTest, AUsageErrorExitsTwoAndWritesNothing) {
    const std::string out = at("Out.Gbx");
    const std::vector<std::vector<std::string>> mistakes = {
        {},
        {"frobnicate", in},
        {"info"},
        {"info", in, in},
        {"list", in, "--xml"},
        {"mirror", in, out},
        {"mirror", "--axis", "z", in, out},
        {"mirror", "--axis", "x", in},
        {"mirror", "--axis", "x", in, out, out},
        {"mirror", "--flip", "--axis", "x", in, out},
        {"turn", "--quarters", "1.5", in, out},
        {"turn", "--quarters", "1", "--quarters", "2", in, out},
        {"shift", "--by", "1,2", in, out},
        {"shift", "--by", "1,2,z", in, out},
        {"replace", in, out},
        {"replace", "A=", in, out},
        {"replace", "A=B=C", in, out},
        {"diff", in},
        {"diff", in, in, "--csv"},
    };
    for (const std::vector<std::string>& arguments : mistakes) {
        std::string line;
        for (const std::string& a : arguments)
            line += a + " ";
        const Ran ran = run(arguments);
        EXPECT_EQ(ran.status, kToolFailed) << line;
        EXPECT_NE(ran.err.find("Usage: blockyard-tool"), std::string::npos) << line;
        EXPECT_EQ(ran.out, "") << line;
    }
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(readFile(in), inBytes);
}

TEST_F(ToolTest, AMissingFolderEmptyOrGarbageTrackExitsTwoAndWritesNothing) {
    writeFile(at("Empty.Challenge.Gbx"), {});
    writeFile(at("Garbage.Challenge.Gbx"), Bytes(3000, 0x47));
    fs::create_directory(at("Folder.Challenge.Gbx"));
    for (const char* name : {"Missing.Challenge.Gbx", "Empty.Challenge.Gbx",
                             "Garbage.Challenge.Gbx", "Folder.Challenge.Gbx"}) {
        for (const std::vector<std::string>& arguments :
             std::vector<std::vector<std::string>>{{"info", at(name)},
                                                   {"list", at(name), "--json"},
                                                   {"turn", "--quarters", "1", at(name), at("O")},
                                                   {"replace", "A=B", at(name), at("O")}}) {
            const Ran ran = run(arguments);
            EXPECT_EQ(ran.status, kToolFailed) << name << " " << arguments[0];
            EXPECT_NE(ran.err.find("cannot read the track"), std::string::npos) << ran.err;
            EXPECT_EQ(ran.out, "");
        }
    }
    EXPECT_FALSE(fs::exists(at("O")));
}

TEST_F(ToolTest, InfoAndListDescribeEveryBlockAndWriteNothing) {
    Opened opened;
    open(opened);
    const std::list<BlockRecord>& blocks = opened.doc.blocks();

    const Ran info = run({"info", in});
    ASSERT_EQ(info.status, kToolDone) << info.err;
    EXPECT_NE(info.out.find("\nEnvironment: Stadium\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("\nBlocks: " + std::to_string(blocks.size()) + "\n"),
              std::string::npos);
    // The kinds' counts, most used first, add up to the blocks.
    std::istringstream kinds(info.out.substr(info.out.find("Kinds: ")));
    std::string line;
    std::getline(kinds, line);
    std::size_t sum = 0;
    int previous = INT_MAX;
    for (int count = 0; kinds >> count && std::getline(kinds, line);) {
        EXPECT_LE(count, previous);
        previous = count;
        sum += static_cast<std::size_t>(count);
    }
    EXPECT_EQ(sum, blocks.size());

    std::string text, csv = "index,kind,x,y,z,rotation,var1,var2,var3,var4,hidden\n";
    int index = 0;
    for (const BlockRecord& r : blocks) {
        std::string values = std::to_string(r.x) + " " + std::to_string(r.y) + " " +
                             std::to_string(r.z) + " " + std::to_string(r.rotation);
        for (std::uint8_t v : r.variant)
            values += " " + std::to_string(v);
        const std::string name = kindNameOf(*opened.catalog, r);
        text += std::to_string(++index) + " " + name + " " + values + " shown\n";
        std::replace(values.begin(), values.end(), ' ', ',');
        csv += std::to_string(index) + "," + name + "," + values + ",0\n";
    }
    EXPECT_EQ(run({"list", in}).out, text);
    EXPECT_EQ(run({"list", "--csv", in}).out, csv);
    const Ran json = run({"list", in, "--json"});
    EXPECT_EQ(json.status, kToolDone);
    std::size_t objects = 0;
    for (std::size_t at = json.out.find("{\"index\": "); at != std::string::npos;
         at = json.out.find("{\"index\": ", at + 1))
        ++objects;
    EXPECT_EQ(objects, blocks.size());
    EXPECT_EQ(json.out.substr(0, 2), "[\n");
    EXPECT_EQ(json.out.substr(json.out.size() - 4), "}\n]\n");
    EXPECT_EQ(readFile(in), inBytes);
}

// Each reshape writes what the editor's own operation on the whole track saves, or is refused
// as the editor refuses it; its inverse on the result gives back the track as the editor saves it.
TEST_F(ToolTest, EachReshapeSavesTheEditorsResultAndItsInverseGivesBackTheTrack) {
    Opened opened;
    open(opened);
    // The most used kind becomes a kind of one cell that the track does not use.
    std::map<std::uint32_t, int> used;
    for (const BlockRecord& r : opened.doc.blocks())
        ++used[r.catalogIndex];
    const std::uint32_t from = std::max_element(used.begin(), used.end(), [](auto& a, auto& b) {
                                   return a.second < b.second;
                               })->first;
    const auto& entries = opened.catalog->catalogs[kStadium].entries;
    std::uint32_t to = 1;
    while (used.count(to) || entries[to - 1].unitCount() > 1)
        ++to;
    const std::string oldName = entries[from - 1].name, newName = entries[to - 1].name;

    struct Case {
        std::vector<std::string> command;
        std::vector<std::string> inverse;
        Operation operation;
    };
    const auto turns = [](int quarters) {
        return [quarters](TrackDocument& doc, const CatalogState& catalog) {
            return turnSelection(doc, catalog, quarters);
        };
    };
    const std::vector<Case> cases = {
        {{"mirror", "--axis", "x"},
         {"mirror", "--axis", "x"},
         [](TrackDocument& doc, const CatalogState& catalog) {
             return mirrorSelection(doc, catalog, MirrorAxis::X);
         }},
        {{"mirror", "--axis", "y"},
         {"mirror", "--axis", "y"},
         [](TrackDocument& doc, const CatalogState& catalog) {
             return mirrorSelection(doc, catalog, MirrorAxis::Y);
         }},
        {{"turn", "--quarters", "1"}, {"turn", "--quarters", "-1"}, turns(1)},
        {{"turn", "--quarters", "-5"}, {"turn", "--quarters", "5"}, turns(-1)},
        {{"turn", "--quarters", "2"}, {"turn", "--quarters", "-2"}, turns(2)},
        {{"turn", "--quarters", "3"}, {"turn", "--quarters", "1"}, turns(-1)},
        {{"shift", "--by", "0,0,1"},
         {"shift", "--by", "0,0,-1"},
         [](TrackDocument& doc, const CatalogState& catalog) {
             return shiftSelection(doc, catalog, 0, 0, 1);
         }},
        {{"replace", oldName + "=" + newName},
         {"replace", newName + "=" + oldName},
         [&](TrackDocument& doc, const CatalogState& catalog) {
             return replaceKinds(doc, catalog, {{from, to}}, ReplaceScope::Track, Area{});
         }},
    };
    const Bytes original = unedited();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command[0] + " " + c.command[c.command.size() - 1]);
        fs::remove(at("Once.Gbx"));
        fs::remove(at("Back.Gbx"));
        std::vector<std::string> once = c.command, back = c.inverse;
        once.insert(once.end(), {in, at("Once.Gbx")});
        back.insert(back.end(), {at("Once.Gbx"), at("Back.Gbx")});
        const std::optional<Bytes> expected = edited(c.operation);
        const Ran ran = run(once);
        if (!expected) {
            EXPECT_EQ(ran.status, kToolRefused) << ran.err;
            EXPECT_FALSE(fs::exists(at("Once.Gbx")));
            continue;
        }
        ASSERT_EQ(ran.status, kToolDone) << ran.err;
        EXPECT_EQ(readFile(at("Once.Gbx")), *expected);
        EXPECT_NE(*expected, original);
        const Ran inverse = run(back);
        ASSERT_EQ(inverse.status, kToolDone) << inverse.err;
        EXPECT_EQ(readFile(at("Back.Gbx")), original);
    }
    EXPECT_EQ(readFile(in), inBytes);
}

TEST_F(ToolTest, ARefusedReshapeExitsOneAndLeavesOutAsItWas) {
    // A kind that the largest kind would make reach past the grid where one of its blocks stands.
    Opened opened;
    open(opened);
    const auto& entries = opened.catalog->catalogs[kStadium].entries;
    const auto largest = std::max_element(entries.begin(), entries.end(), [](auto& a, auto& b) {
        return a.unitCount() < b.unitCount();
    });
    const std::uint32_t big = static_cast<std::uint32_t>(largest - entries.begin()) + 1;
    std::optional<std::uint32_t> edge;
    for (const BlockRecord& record : opened.doc.blocks()) {
        const ReshapeResult tried = replaceKinds(
            opened.doc, *opened.catalog, {{record.catalogIndex, big}}, ReplaceScope::Track, Area{});
        if (tried.leaving > 0) {
            edge = record.catalogIndex;
            break;
        }
        opened.doc.undo();
    }
    ASSERT_TRUE(edge);

    writeFile(at("Out.Gbx"), {1, 2, 3});
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"shift", "--by", "40,0,0", in, at("Out.Gbx")},
             {"shift", "--by", "0,0,-2147483648", in, at("Out.Gbx")},
             {"replace", entries[*edge - 1].name + "=" + largest->name, in, at("Out.Gbx")},
             {"replace", "NoSuchKind=StadiumRoadMain", in, at("Out.Gbx")}}) {
        const Ran ran = run(arguments);
        EXPECT_EQ(ran.status, kToolRefused) << arguments[2];
        EXPECT_NE(ran.err, "");
        EXPECT_EQ(readFile(at("Out.Gbx")), (Bytes{1, 2, 3}));
    }
}

TEST_F(ToolTest, InIsWrittenOnlyWhenOutNamesIt) {
    ASSERT_EQ(run({"mirror", "--axis", "x", in, at("Out.Gbx")}).status, kToolDone);
    EXPECT_EQ(readFile(in), inBytes);
    ASSERT_EQ(run({"mirror", "--axis", "x", in, in}).status, kToolDone);
    EXPECT_EQ(readFile(in), readFile(at("Out.Gbx")));
}

// Written as a user who may change the file but not its folder: a tool that wrote the file in
// place would succeed; one that writes a new file and renames it over fails and leaves it.
TEST_F(ToolTest, AFailedSaveExitsTwoAndLeavesAnExistingOutAsItWas) {
    const fs::path folder = at("locked");
    fs::create_directory(folder);
    const fs::path out = folder / "Out.Gbx";
    writeFile(out, {1, 2, 3});
    fs::permissions(out, fs::perms::all);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    // The other user reads the track and the data and converts in the base folder.
    fs::permissions(work.path(), fs::perms::all);
    fs::permissions(in, fs::perms::all);
    fs::permissions(base.path(), fs::perms::all);
    fs::permissions(base.path() / "GS", fs::perms::all);
    fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(10);
        // The same command with an OUT it may write: it reads the track and saves.
        std::ostringstream ignored;
        const ProgramFolders folders{base.path(), converterSiteIn(base.path())};
        if (runTool({"mirror", "--axis", "x", in, at("Free.Gbx")}, folders, ignored, ignored) !=
            kToolDone)
            _exit(11);
        _exit(runTool({"mirror", "--axis", "x", in, out}, folders, ignored, ignored));
    }
    int status = -1;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), kToolFailed);
    EXPECT_EQ(readFile(out), (Bytes{1, 2, 3}));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    fs::permissions(folder, fs::perms::owner_all);
}

// diff names no block of a track against itself, every block of a shifted copy as moved, and
// exactly the deleted and the turned block of a copy edited in the editor.
TEST_F(ToolTest, DiffNamesTheBlocksThatDiffer) {
    const Ran same = run({"diff", in, in});
    EXPECT_EQ(same.status, kToolDone) << same.err;
    EXPECT_EQ(same.out, "");
    EXPECT_EQ(run({"diff", "--json", in, in}).out, "{\"shift\": [0, 0, 0], \"differences\": []}\n");
    const Ran missing = run({"diff", in, at("Missing.Challenge.Gbx")});
    EXPECT_EQ(missing.status, kToolFailed);
    EXPECT_EQ(missing.out, "");

    Opened opened;
    open(opened);
    const std::size_t count = opened.doc.blocks().size();
    const fs::path shifted = at("Shifted.Challenge.Gbx");
    std::string by;
    for (const char* offset : {"0,0,1", "0,0,-1", "1,0,0", "-1,0,0"})
        if (run({"shift", "--by", by = offset, in, shifted}).status == kToolDone)
            break;
    ASSERT_TRUE(fs::exists(shifted));
    const Ran moved = run({"diff", in, shifted});
    EXPECT_EQ(moved.status, kToolDifferent);
    std::istringstream lines(moved.out);
    std::size_t movedLines = 0;
    for (std::string line; std::getline(lines, line) && line.rfind("moved ", 0) == 0;)
        ++movedLines;
    EXPECT_EQ(movedLines, count);
    EXPECT_NE(moved.out.find(std::to_string(count) + " differences: 0 added, 0 removed, " +
                             std::to_string(count) + " moved, 0 turned, 0 changed; the whole " +
                             "track shifted by " + by + "\n"),
              std::string::npos)
        << moved.out;

    const BlockRecord& gone = *std::next(opened.doc.blocks().begin(), 3);
    const BlockRecord& turned = *std::next(opened.doc.blocks().begin(), 7);
    const auto place = [](const BlockRecord& r, int rotation) {
        return std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.z) +
               " turn " + std::to_string(rotation);
    };
    const std::string expected =
        "removed " + kindNameOf(*opened.catalog, gone) + " " + place(gone, gone.rotation) +
        "\nturned " + kindNameOf(*opened.catalog, turned) + " " + place(turned, turned.rotation) +
        " -> " + place(turned, (turned.rotation + 1) % 4) +
        " (turn)\n2 differences: 0 added, 1 removed, 0 moved, 1 turned, 0 changed\n";
    opened.doc.setSelection({&gone});
    deleteSelection(opened.doc);
    opened.doc.setSelection({&turned});
    rotateSelection(opened.doc, 1);
    const fs::path edited = at("Edited.Challenge.Gbx");
    writeFile(edited, opened.saved());
    const Ran two = run({"diff", in, edited});
    EXPECT_EQ(two.status, kToolDifferent);
    EXPECT_EQ(two.out, expected);
    const std::string json = run({"diff", in, edited, "--json"}).out;
    EXPECT_NE(json.find("{\"change\": \"removed\", \"kind\": \"" +
                        kindNameOf(*opened.catalog, gone) +
                        "\", \"what\": [], \"a\": {\"index\": 4,"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"what\": [\"turn\"], \"a\": {\"index\": 8,"), std::string::npos);
    EXPECT_NE(json.find("\"b\": {\"index\": 7,"), std::string::npos);
}

// The program itself, started from a folder without data: it finds the data and the converter
// beside it, prints to its standard output and exits with the tool's statuses.
TEST_F(ToolTest, TheProgramInTheRuntimeFolderRunsTheCommands) {
    const fs::path program = runtime_files::kRuntime / "blockyard-tool";
    ASSERT_TRUE(fs::exists(program));
    const auto shell = [&](const std::string& arguments, std::string* output = nullptr) {
        const std::string command = "cd '" + work.path().string() + "' && '" + program.string() +
                                    "' " + arguments + " 2>/dev/null";
        FILE* pipe = popen(command.c_str(), "r");
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            if (output)
                output->append(buffer, n);
        const int status = pclose(pipe);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    std::string info;
    EXPECT_EQ(shell("info '" + in.string() + "'", &info), kToolDone);
    EXPECT_EQ(info, run({"info", in}).out);
    EXPECT_EQ(shell("turn --quarters 2 In.Challenge.Gbx Out.Gbx"), kToolDone);
    EXPECT_EQ(readFile(at("Out.Gbx")), *edited([](TrackDocument& doc, const CatalogState& c) {
                  return turnSelection(doc, c, 2);
              }));
    EXPECT_EQ(shell("shift --by 99,0,0 In.Challenge.Gbx Out2.Gbx"), kToolRefused);
    EXPECT_EQ(shell("shift In.Challenge.Gbx Out2.Gbx"), kToolFailed);
    EXPECT_FALSE(fs::exists(at("Out2.Gbx")));
}

} // namespace

// Every real track checks without an error. Tracks made from one with the editor's own
// operations have each error and warning, naming the blocks concerned; check goes on past an
// unreadable file and exits 2, or 1 when a track has an error.
TEST_F(ToolTest, CheckFindsEachFaultMadeWithTheEditorsOperations) {
    if (!realTrackFiles().empty()) {
        const Ran real = run({"check", realTracksFolder().string()});
        EXPECT_EQ(real.status, kToolDone) << real.out;
        EXPECT_NE(real.out.find(std::to_string(realTrackFiles().size()) + " tracks, 0 errors, "),
                  std::string::npos);
    }
    const CatalogState& catalog = base.catalog;
    auto findingsOf = [&catalog](const TrackDocument& doc, FindingKind kind) {
        std::vector<Finding> found;
        for (Finding& finding : checkTrack(doc.track(), catalog, std::nullopt))
            if (finding.kind == kind)
                found.push_back(std::move(finding));
        return found;
    };
    auto first = [&catalog](const TrackDocument& doc, auto test) -> const BlockRecord* {
        for (const BlockRecord& record : doc.blocks())
            if (const CatalogEntry* entry = catalogEntry(catalog, record.catalogIndex);
                entry && test(*entry))
                return &record;
        return nullptr;
    };
    auto ofRole = [](KindRole role) {
        return [role](const CatalogEntry& entry) { return entry.role == role; };
    };
    auto only = [](TrackDocument& doc, const BlockRecord* record) { doc.setSelection({record}); };
    int made = 0;
    auto save = [&](const Opened& opened) {
        ASSERT_TRUE(saveTrack(at("made" + std::to_string(++made) + ".Challenge.Gbx"),
                              opened.doc.track(), opened.doc.envelope(), *opened.catalog));
    };

    {
        Opened opened;
        open(opened);
        const BlockRecord* start = first(opened.doc, ofRole(KindRole::Start));
        if (!start)
            GTEST_SKIP() << "the track has no start";
        EXPECT_TRUE(findingsOf(opened.doc, FindingKind::NoStart).empty());
        only(opened.doc, start);
        stackSelection(opened.doc, catalog, 1, 0, 0, 3);
        const std::vector<Finding> starts = findingsOf(opened.doc, FindingKind::ManyStarts);
        ASSERT_EQ(starts.size(), 1u);
        EXPECT_EQ(starts[0].blocks,
                  (std::vector<const BlockRecord*>{start, &opened.doc.blocks().back()}));
        EXPECT_EQ(starts[0].severity, Severity::Error);
        save(opened);
        deleteSelection(opened.doc);
        only(opened.doc, start);
        deleteSelection(opened.doc);
        EXPECT_EQ(findingsOf(opened.doc, FindingKind::NoStart).size(), 1u);
        save(opened);
    }
    {
        Opened opened;
        open(opened);
        while (const BlockRecord* finish = first(opened.doc, ofRole(KindRole::Finish))) {
            only(opened.doc, finish);
            deleteSelection(opened.doc);
        }
        EXPECT_EQ(findingsOf(opened.doc, FindingKind::NoFinish).size(),
                  first(opened.doc, ofRole(KindRole::Multilap)) ? 0u : 1u);
        save(opened);
    }
    {
        Opened opened;
        open(opened);
        const BlockRecord& block = opened.doc.blocks().front();
        {
            EditStep step(opened.doc, "Forget");
            BlockRecord& record = step.change(block);
            record.keptName = "StadiumNoSuchKind";
            record.catalogIndex = 0;
        }
        const std::vector<Finding> unknown = findingsOf(opened.doc, FindingKind::UnknownKind);
        ASSERT_EQ(unknown.size(), 1u);
        EXPECT_EQ(unknown[0].blocks, std::vector<const BlockRecord*>{&block});
        EXPECT_NE(unknown[0].text.find("\"StadiumNoSuchKind\""), std::string::npos);
        save(opened);
    }
    // Warnings: a road piece moved off the grid, one moved onto another, and the road ends
    // that a piece taken out of a road leaves open, each naming its blocks; made with measured
    // footprints they are warnings.
    Opened opened;
    open(opened);
    auto plainRoad = [](const CatalogEntry& entry) {
        return entry.footprintExact && !entry.sharesCells && entry.roadEnds.size() == 2 &&
               entry.role == KindRole::None;
    };
    const BlockRecord* road = first(opened.doc, plainRoad);
    if (!road || catalog.currentEnvironment != kStadium)
        GTEST_SKIP() << "no road piece of a measured footprint";
    const std::vector<Finding> before = findingsOf(opened.doc, FindingKind::OpenEnds);
    const GridCell cell{road->x, road->y, road->z};
    only(opened.doc, road);
    deleteSelection(opened.doc);
    std::vector<Finding> opens = findingsOf(opened.doc, FindingKind::OpenEnds);
    std::erase_if(opens, [&before](const Finding& finding) {
        return std::any_of(before.begin(), before.end(),
                           [&finding](const Finding& old) { return old.blocks == finding.blocks; });
    });
    for (const Finding& finding : opens) {
        ASSERT_EQ(finding.blocks.size(), 1u);
        const BlockRecord& next = *finding.blocks[0];
        EXPECT_EQ(std::abs(next.x - cell.x) + std::abs(next.y - cell.y), 1) << finding.text;
        EXPECT_EQ(finding.severity, Severity::Warning);
    }
    EXPECT_FALSE(opens.empty());
    const BlockRecord* other = first(opened.doc, plainRoad);
    const auto moving = std::find_if(
        opened.doc.blocks().rbegin(), opened.doc.blocks().rend(), [&](const BlockRecord& r) {
            const CatalogEntry* entry = catalogEntry(catalog, r.catalogIndex);
            return &r != other && entry && entry->footprintExact && !entry->sharesCells;
        });
    ASSERT_NE(moving, opened.doc.blocks().rend());
    const BlockRecord* mover = &*moving;
    only(opened.doc, mover);
    moveSelection(opened.doc, other->x - mover->x, other->y - mover->y, other->z - mover->z);
    rotateSelection(opened.doc, other->rotation - mover->rotation);
    const std::vector<Finding> shared = findingsOf(opened.doc, FindingKind::SharedCells);
    ASSERT_FALSE(shared.empty());
    EXPECT_TRUE(std::any_of(shared.begin(), shared.end(), [&](const Finding& finding) {
        return finding.severity == Severity::Warning &&
               finding.blocks == std::vector<const BlockRecord*>{other, mover};
    }));
    save(opened);
    moveSelection(opened.doc, 40, 0, 0);
    const std::vector<Finding> outside = findingsOf(opened.doc, FindingKind::OutsideGrid);
    ASSERT_EQ(outside.size(), 1u);
    EXPECT_EQ(outside[0].blocks, std::vector<const BlockRecord*>{mover});
    EXPECT_NE(outside[0].text.find(blockName(catalog, *mover)), std::string::npos);
    save(opened);
    // A checkpoint count other than the head's.
    const std::vector<Finding> counts = checkTrack(opened.doc.track(), catalog, 99);
    EXPECT_TRUE(std::any_of(counts.begin(), counts.end(), [](const Finding& finding) {
        return finding.kind == FindingKind::CheckpointCount &&
               finding.severity == Severity::Warning;
    }));

    const Ran errors = run({"check", work.path().string(), "--json"});
    EXPECT_EQ(errors.status, kToolTrackErrors) << errors.out << errors.err;
    for (const char* kind : {"\"no-start\"", "\"many-starts\"", "\"unknown-kind\"",
                             "\"outside-grid\"", "\"shared-cells\"", "\"open-ends\""})
        EXPECT_NE(errors.out.find(kind), std::string::npos) << kind;
    std::ofstream(at("garbage.Challenge.Gbx")) << "not a track";
    const Ran unreadable = run({"check", work.path().string()});
    EXPECT_EQ(unreadable.status, kToolFailed);
    EXPECT_NE(unreadable.out.find("garbage.Challenge.Gbx: unreadable"), std::string::npos);
    EXPECT_NE(unreadable.out.find("\n" + std::to_string(made + 1) + " tracks, "), std::string::npos)
        << unreadable.out;
}
