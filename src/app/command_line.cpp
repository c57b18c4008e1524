#include "app/command_line.h"

#include "seams/prompts.h"

namespace {

constexpr const char* kHelpText =
    "Usage: blockyard [TRACK]\n"
    "A 3D editor for the tracks of a block-based racing game.\n"
    "TRACK, a .Challenge.Gbx file, opens at start through the converter Gridsmith.\n"
    "The data folder data/ and the converter GS/Gridsmith are those of the working folder when\n"
    "it holds data/, else those installed with the program.\n"
    "\n"
    "Options:\n"
    "  -h, --help     print this help and exit\n"
    "  -v, --version  print the version and exit\n";

CommandLine failed(const std::string& why) {
    return {CommandLine::Kind::Error, std::nullopt,
            "blockyard: " + why + "\nTry 'blockyard --help'.\n"};
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    // Help and version win over a fault anywhere on the line, as the help is what a user
    // who got it wrong looks for.
    std::optional<CommandLine> fault;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        const bool option = !optionsEnded && argument.size() > 1 && argument[0] == '-';
        if (option && argument == "--") {
            optionsEnded = true;
        } else if (option && (argument == "--help" || argument == "-h")) {
            return {CommandLine::Kind::Help, std::nullopt, kHelpText};
        } else if (option && (argument == "--version" || argument == "-v")) {
            return {CommandLine::Kind::Version, std::nullopt, std::string(kProgramCaption) + "\n"};
        } else if (option) {
            if (!fault)
                fault = failed("unknown option '" + argument + "'");
        } else if (line.track) {
            if (!fault)
                fault = failed("one track at a time, not also '" + argument + "'");
        } else {
            line.track = argument;
        }
    }
    return fault ? *fault : line;
}
