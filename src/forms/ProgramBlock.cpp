#include "forms/ProgramBlock.h"

#include "forms/UnitFormVesperon.h"
#include "forms/UnitFormWarn.h"
#include "platform/Platform.h"
#include "platform/SessionLock.h"

namespace forms {

void CreateProgramWindows(TApplication& application, const std::vector<std::string>& arguments) {
    TFormVesperon* main = nullptr;
    TFormWarn* warn = nullptr;
    application.CreateForm(main, arguments);
    application.CreateForm(warn);
    main->SetWarnForm(warn);
    warn->SetMainForm(main);
}

int RunProgram(TApplication& application, const std::vector<std::string>& arguments) {
    application.SetTitle(kApplicationTitle);
    application.Icon()->LoadFromResourceName("app_icon_32");
    platform::ISessionLock* lock = platform::Current().sessionLock;
    if (lock != nullptr && !lock->Acquire(kInstanceLockName)) {
        ShowMessage(kAlreadyRunningText);
    } else {
        CreateProgramWindows(application, arguments);
    }
    application.Run();
    return 0;
}

} // namespace forms
