// The program block: command line, platform installation, windows and the message loop.
#include "app/DesktopPlatform.h"
#include "toolkit/Forms.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "Usage: vesperon [au] [--dry-run[=LOG]] [--version] [--help]\n"
    "\n"
    "A shutdown timer: shuts down, logs off, restarts or suspends the computer at a\n"
    "chosen time or after a countdown.\n"
    "\n"
    "  au              started by the log-on entry: go to the notification area\n"
    "  --dry-run[=LOG] log every power request (to stderr and LOG) instead of making it\n"
    "  --version       print the version and exit\n"
    "  --help          print this help and exit\n";

struct CommandLine {
    bool version = false;
    bool help = false;
    std::optional<std::string> dryRunLog;
    std::string unknown;
};

CommandLine ParseCommandLine(int argc, char** argv) {
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--version") {
            line.version = true;
        } else if (argument == "--help" || argument == "-h") {
            line.help = true;
        } else if (auto log = linuxplatform::DryRunPower::ParseSwitch(argument)) {
            line.dryRunLog = std::move(log);
        } else if (argument != "au" && line.unknown.empty()) {
            line.unknown = argument;
        }
    }
    return line;
}

// Stands in for the main window until it exists: the window's size, title and placement.
void CreateMainWindow(TApplication& application) {
    TForm* form = nullptr;
    application.CreateForm(form);
    form->SetText("Vesperon V2.4(Timer)");
    form->SetBorderStyle(bsSingle);
    form->SetBorderIcons(biSystemMenu | biMinimize);
    form->SetFormStyle(fsStayOnTop);
    form->SetPosition(poScreenCenter);
    form->SetClientWidth(486);
    form->SetClientHeight(302);
    form->SetColor(clBtnFace);
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
    application.SetTitle("Vesperon");
    CreateMainWindow(application);
    application.Run();
    return 0;
}
