// The program block: command line, platform installation, windows and the message loop.
#include "app/ControlCommandLine.h"
#include "app/OpenBackend.h"
#include "app/ProcessStart.h"
#include "forms/ProgramBlock.h"
#include "platform/Platform.h"
#include "platform/dryrun/DryRunSwitch.h"
#include "toolkit/runtime/Forms.h"
#include "toolkit/widgets/Dialogs.h"

#include <cctype>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* kUsage =
    "Usage: vesperon [au] [--dry-run[=LOG]] [--version] [--help]\n"
    "       vesperon --shutdown|--logoff|--restart|--force-shutdown|--standby|--hibernate\n"
    "                WHEN [--warn|--no-warn] [--dry-run[=LOG]]\n"
    "       vesperon --cancel | --status\n"
    "\n"
    "A shutdown timer: shuts down, logs off, restarts or suspends the computer at a\n"
    "chosen time or after a countdown.\n"
    "\n"
    "  au              started by the log-on entry: go to the notification area\n"
    "                  (and arm the task at once when Repeat is on); any case\n"
    "  --dry-run[=LOG] log every power request (to stderr and LOG) instead of making it\n"
    "  --version       print the version and exit\n"
    "  --help          print this help and exit\n"
    "\n"
    "Other arguments (a launcher's %U, a file) are ignored.\n";

struct CommandLine {
    std::vector<std::string> arguments; // all of them, for the main window
    bool version = false;
    bool help = false;
    std::optional<std::string> dryRunLog;
    std::vector<std::string> ignored;
};

bool IsAutoRunArgument(std::string_view argument) {
    return argument.size() == 2 && std::tolower(static_cast<unsigned char>(argument[0])) == 'a' &&
           std::tolower(static_cast<unsigned char>(argument[1])) == 'u';
}

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    line.arguments = arguments;
    for (const std::string& argument : arguments) {
        if (argument == "--version") {
            line.version = true;
        } else if (argument == "--help" || argument == "-h") {
            line.help = true;
        } else if (auto log = platform::dryrun::ParseSwitch(argument)) {
            line.dryRunLog = std::move(log);
        } else if (!IsAutoRunArgument(argument)) {
            line.ignored.emplace_back(argument);
        }
    }
    return line;
}

// A launcher may add arguments of its own (%U, a file): they do not stop the program. They are
// named on one line, control characters shown as '?'.
void ReportIgnored(const std::vector<std::string>& ignored) {
    std::string text = "vesperon: ignoring";
    for (const std::string& argument : ignored) {
        text += " \"";
        for (const char c : argument) {
            text += std::iscntrl(static_cast<unsigned char>(c)) ? '?' : c;
        }
        text += '"';
    }
    std::fprintf(stderr, "%s\n", text.c_str());
}

// The backend's facilities as the active platform for the life of this object.
class InstalledPlatform {
public:
    explicit InstalledPlatform(const platform::IBackend& backend) { platform::Install(backend.Set()); }
    ~InstalledPlatform() { platform::Install(platform::Platform{}); }
    InstalledPlatform(const InstalledPlatform&) = delete;
    InstalledPlatform& operator=(const InstalledPlatform&) = delete;
};

} // namespace

int main(int argc, char** argv) {
    ConnectStandardOutput();
    const ControlCommandLine control = ParseControlCommandLine(CommandLineArguments(argc, argv));
    const CommandLine line = ParseCommandLine(control.rest);
    if (line.help) {
        std::fputs(kUsage, stdout);
        std::fputs(kControlUsage, stdout);
        return 0;
    }
    if (line.version) {
        std::printf("Vesperon %s\n", VESPERON_VERSION);
        return 0;
    }
    if (!control.error.empty()) {
        std::fprintf(stderr, "vesperon: %s (see vesperon --help)\n", control.error.c_str());
        return platform::kControlRefused;
    }
    if (!line.ignored.empty()) {
        ReportIgnored(line.ignored);
    }

    if (control.request) {
        if (const std::optional<int> code = SendToRunningCopy(*control.request)) {
            return *code;
        }
    }

    platform::BackendOptions options;
    options.dryRunLog = line.dryRunLog;
    std::string error;
    const std::unique_ptr<platform::IBackend> backend = OpenBackend(options, error);
    if (backend == nullptr) {
        std::fprintf(stderr, "vesperon: %s.\n", error.c_str());
        return 1;
    }
    const InstalledPlatform installed(*backend);

    TApplication application;
    InstallMessageBoxDialog();
    if (control.request) {
        return RunCommandCopy(application, line.arguments, *control.request);
    }
    return forms::RunProgram(application, line.arguments);
}
