#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "tool/executable_folder.h"
#include "tool/tool_run.h"

int main(int argc, char* argv[]) {
    // The data and the converter are those of the current folder when it has them, as for the
    // editor started there; otherwise those beside the executable.
    std::error_code ec;
    std::filesystem::path base = std::filesystem::current_path(ec);
    if (ec || !std::filesystem::is_directory(base / "data", ec))
        base = executableFolder().value_or(base);
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    return runTool(arguments, base, std::cout, std::cerr);
}
