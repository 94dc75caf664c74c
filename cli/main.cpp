#include "cli/CliArguments.h"
#include "cli/CliRun.h"
#include "cli/ConsolePorts.h"
#include "core/DisplayFormats.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    try {
        LoadFormatSettingsFromLocale();
        const std::vector<std::string> args(argv + 1, argv + argc);
        const TCliParseResult parsed = ParseCliArguments(args, std::filesystem::current_path().string());
        if (!parsed.Error.empty()) {
            PrintMessage(parsed.Error + " (see --help)");
            return ceUsage;
        }
        if (parsed.Arguments.Help) {
            std::cout << CliUsage();
            return ceCompleted;
        }
        return RunCli(parsed.Arguments);
    } catch (const std::exception& e) {
        PrintMessage(e.what());
        return ceFailed;
    }
}
