// The program block: command line, platform installation, windows and the message loop.
#include "app/DesktopPlatform.h"
#include "forms/ProgramBlock.h"
#include "toolkit/runtime/Forms.h"
#include "toolkit/widgets/Dialogs.h"

#include <cctype>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* kUsage =
    "Usage: vesperon [au] [--dry-run[=LOG]] [--version] [--help]\n"
    "\n"
    "A shutdown timer: shuts down, logs off, restarts or suspends the computer at a\n"
    "chosen time or after a countdown.\n"
    "\n"
    "  au              started by the log-on entry: go to the notification area\n"
    "                  (and arm the task at once when Repeat is on); any case\n"
    "  --dry-run[=LOG] log every power request (to stderr and LOG) instead of making it\n"
    "  --version       print the version and exit\n"
    "  --help          print this help and exit\n";

struct CommandLine {
    std::vector<std::string> arguments; // all of them, for the main window
    bool version = false;
    bool help = false;
    std::optional<std::string> dryRunLog;
    std::string unknown;
};

bool IsAutoRunArgument(std::string_view argument) {
    return argument.size() == 2 && std::tolower(static_cast<unsigned char>(argument[0])) == 'a' &&
           std::tolower(static_cast<unsigned char>(argument[1])) == 'u';
}

CommandLine ParseCommandLine(int argc, char** argv) {
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        line.arguments.emplace_back(argument);
        if (argument == "--version") {
            line.version = true;
        } else if (argument == "--help" || argument == "-h") {
            line.help = true;
        } else if (auto log = linuxplatform::DryRunPower::ParseSwitch(argument)) {
            line.dryRunLog = std::move(log);
        } else if (!IsAutoRunArgument(argument) && line.unknown.empty()) {
            line.unknown = argument;
        }
    }
    return line;
}

} // namespace

int main(int argc, char** argv) {
    const CommandLine line = ParseCommandLine(argc, argv);
    if (line.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (line.version) {
        std::printf("Vesperon %s\n", VESPERON_VERSION);
        return 0;
    }
    if (!line.unknown.empty()) {
        std::fprintf(stderr, "vesperon: unknown argument \"%s\"\n\n%s", line.unknown.c_str(), kUsage);
        return 2;
    }

    DesktopPlatform desktop;
    std::string error;
    if (!desktop.Open(error)) {
        std::fprintf(stderr, "vesperon: %s; the program needs an X11 desktop session.\n", error.c_str());
        return 1;
    }
    desktop.UseDryRun(line.dryRunLog);
    desktop.Install();

    TApplication application;
    InstallMessageBoxDialog();
    return forms::RunProgram(application, line.arguments);
}
