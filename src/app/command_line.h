#pragma once

#include <optional>
#include <string>
#include <vector>

// What the command line asks for: start (with a track to open, or none), print the help or the
// version and exit, or stop at an argument it cannot take.
struct CommandLine {
    enum class Kind { Start, Help, Version, Error };
    Kind kind = Kind::Start;
    std::optional<std::string> track;
    // The help, the version or the error, for the terminal.
    std::string text;
};

// The arguments after the program's name. "--" ends the options, so a track named like one
// still opens.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The exit code for a command line that does not start the editor.
inline int exitCodeOf(const CommandLine& line) {
    return line.kind == CommandLine::Kind::Error ? 2 : 0;
}
