#include <iostream>
#include <string>
#include <vector>

#include "tool/tool_run.h"
#include "track/program_folders.h"

int main(int argc, char* argv[]) {
    // The data and the converter are found as the editor finds them.
    const FoundFolders found = findProgramFolders();
    if (!found.folders) {
        std::cerr << "blockyard-tool: " << found.problem;
        return kToolFailed;
    }
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    return runTool(arguments, *found.folders, std::cout, std::cerr);
}
