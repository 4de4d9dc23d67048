#include "forms/ProgramBlock.h"

#include "forms/RemoteCommands.h"
#include "forms/UnitFormVesperon.h"
#include "forms/UnitFormWarn.h"
#include "platform/Platform.h"
#include "platform/SessionLock.h"

namespace forms {

namespace {

constexpr const char* kAutoRunArgument = "au";

void SetUpApplication(TApplication& application) {
    application.SetTitle(kApplicationTitle);
    // The screen keeps the windows' pixels; the program keeps none of its own.
    application.SetFormsKeepPixels(false);
    application.Icon()->LoadFromResourceName("app_icon_32");
}

bool AcquireInstanceLock() {
    platform::ISessionLock* lock = platform::Current().sessionLock;
    return lock == nullptr || lock->Acquire(kInstanceLockName);
}

} // namespace

TProgramWindows CreateProgramWindows(TApplication& application, const std::vector<std::string>& arguments) {
    TProgramWindows windows;
    application.CreateForm(windows.main, arguments);
    application.CreateForm(windows.warn);
    windows.main->SetWarnForm(windows.warn);
    windows.warn->SetMainForm(windows.main);
    windows.remote = new TRemoteCommands(windows.main, windows.warn);
    return windows;
}

int RunProgram(TApplication& application, const std::vector<std::string>& arguments) {
    SetUpApplication(application);
    if (!AcquireInstanceLock()) {
        ShowMessage(kAlreadyRunningText);
    } else {
        CreateProgramWindows(application, arguments);
    }
    application.Run();
    return 0;
}

std::optional<int> RunProgramWithCommand(TApplication& application, std::vector<std::string> arguments,
                                         const platform::ControlRequest& command,
                                         const std::function<void(const platform::ControlReply&)>& done) {
    SetUpApplication(application);
    if (!AcquireInstanceLock()) {
        return std::nullopt;
    }
    arguments.emplace_back(kAutoRunArgument);
    const TProgramWindows windows = CreateProgramWindows(application, arguments);
    int exitCode = 0;
    windows.remote->HandleAtFirstActivation(command, [&](const platform::ControlReply& reply) {
        if (done) {
            done(reply);
        }
        if (reply.code != platform::kControlDone) {
            exitCode = reply.code;
            application.Terminate();
        }
    });
    application.Run();
    return exitCode;
}

} // namespace forms
