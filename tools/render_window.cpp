// Draws one of the program's windows on the headless platform into a PNG file: for reviews,
// tests and the README's screenshots. Nothing touches the real settings or the desktop.
//
//   render_window --window main|warn --out FILE.png [--settings FILE.ini]
//                 [--clock "YYYY-MM-DD HH:MM:SS"] [--locale us|de]
//                 [--state idle|armed|warning=N|hover=CONTROL|focus=CONTROL]
#include "PngFile.h"
#include "controls/RzButton.h"
#include "controls/RzTray.h"
#include "forms/ProgramBlock.h"
#include "forms/UnitFormVesperon.h"
#include "forms/UnitFormWarn.h"
#include "platform/headless/HeadlessPlatform.h"
#include "toolkit/runtime/Timer.h"
#include "toolkit/text/DateUtils.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

constexpr const char* kUsage =
    "usage: render_window --window main|warn --out FILE.png [--settings FILE.ini]\n"
    "       [--clock \"YYYY-MM-DD HH:MM:SS\"] [--locale us|de]\n"
    "       [--state idle|armed|warning=N|hover=CONTROL|focus=CONTROL]\n";
constexpr const char* kConfigFolder = "/render/";

struct Options {
    std::string window = "main";
    std::string out;
    std::string settings;
    std::string clock = "2026-12-09 12:00:00";
    std::string locale = "us";
    std::string state = "idle";
};

bool ParseOptions(int argc, char** argv, Options& options) {
    std::map<std::string, std::string*> fields = {
        {"--window", &options.window}, {"--out", &options.out},       {"--settings", &options.settings},
        {"--clock", &options.clock},   {"--locale", &options.locale}, {"--state", &options.state}};
    for (int i = 1; i + 1 < argc; i += 2) {
        auto field = fields.find(argv[i]);
        if (field == fields.end()) {
            return false;
        }
        *field->second = argv[i + 1];
    }
    return argc % 2 == 1 && !options.out.empty() && (options.window == "main" || options.window == "warn");
}

bool ParseClock(const std::string& text, double& value) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    TDateTime date = 0, time = 0;
    if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d", &year, &month, &day, &hour, &minute, &second) != 6 ||
        !TryEncodeDate(year, month, day, date) || !TryEncodeTime(hour, minute, second, 0, time)) {
        return false;
    }
    value = date + time;
    return true;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

TControl* FindControl(TCustomForm* form, const std::string& name) {
    return dynamic_cast<TControl*>(form->FindComponent(name));
}

TPoint CentreInForm(TControl* control) {
    return control->Parent()->ClientToParent(
        Point(control->Left() + control->Width() / 2, control->Top() + control->Height() / 2),
        control->ParentForm());
}

// Moves the state of the program to the one asked for; false for an unknown state.
bool ApplyState(const std::string& state, platform::headless::HeadlessPlatform& system, TApplication& app,
                TFormVesperon* main, TFormWarn* warn) {
    if (state == "idle") {
        return true;
    }
    if (state == "armed") {
        main->BTNStartClick(main->BTNStart);
        system.clock.Advance(1000);
        main->Timer1Timer(main->Timer1);
        app.Restore();
        return true;
    }
    const std::size_t equals = state.find('=');
    if (equals == std::string::npos) {
        return false;
    }
    const std::string kind = state.substr(0, equals);
    const std::string value = state.substr(equals + 1);
    if (kind == "warning") {
        warn->Prepare("Cancel", "Will be in ", " seconds before shutdown,Please save unsaved file.",
                      StrToIntDef(value, 30));
        warn->Timer1Timer(warn->Timer1);
        warn->Show();
        return true;
    }
    TCustomForm* form = warn->Visible() ? static_cast<TCustomForm*>(warn) : main;
    TControl* control = FindControl(form, value);
    if (control == nullptr) {
        return false;
    }
    if (kind == "hover") {
        const TPoint centre = CentreInForm(control);
        auto* window = dynamic_cast<platform::headless::HeadlessWindow*>(form->NativeWindow());
        system.windows.MouseMove(*window, centre.X, centre.Y);
        return true;
    }
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (kind == "focus" && windowed != nullptr && windowed->CanFocus()) {
        windowed->SetFocus();
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    double now = 0;
    if (!ParseOptions(argc, argv, options) || !ParseClock(options.clock, now)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    platform::headless::HeadlessPlatform system(now);
    system.paths.configFolder = kConfigFolder;
    if (options.locale == "de") {
        system.locale.SetFormats(platform::headless::HeadlessLocale::Germany());
    }
    if (!options.settings.empty()) {
        system.files.ReplaceFile(std::string(kConfigFolder) + "Vesperon.ini", ReadFile(options.settings));
    }
    system.Install();

    TApplication app;
    app.SetTitle(forms::kApplicationTitle);
    SetMessageBoxProvider([](const std::string& text, const std::string&, unsigned flags) {
        std::fprintf(stderr, "render_window: message box: %s\n", text.c_str());
        return DefaultMessageBoxAnswer(flags);
    });
    forms::CreateProgramWindows(app, {});
    auto* main = dynamic_cast<TFormVesperon*>(app.MainForm());
    TFormWarn* warn = nullptr;
    for (TCustomForm* form : app.Forms()) {
        if (auto* found = dynamic_cast<TFormWarn*>(form)) {
            warn = found;
        }
    }
    main->Show();
    app.ProcessMessages();
    if (!ApplyState(options.state, system, app, main, warn)) {
        std::fprintf(stderr, "render_window: unknown state \"%s\"\n", options.state.c_str());
        return 2;
    }
    app.ProcessMessages();
    TCustomForm* form = options.window == "warn" ? static_cast<TCustomForm*>(warn) : main;
    if (!form->Showing()) {
        form->Show();
    }
    form->PaintInvalid();
    if (!WritePng(options.out, form->BackBuffer())) {
        std::fprintf(stderr, "render_window: cannot write %s\n", options.out.c_str());
        return 1;
    }
    SetMessageBoxProvider(nullptr);
    return 0;
}
