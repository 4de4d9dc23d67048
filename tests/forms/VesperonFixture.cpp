#include "forms/VesperonFixture.h"

#include "controls/RzButton.h"
#include "controls/RzEdit.h"
#include "controls/RzRadChk.h"
#include "forms/ProgramBlock.h"

void VesperonTest::SetUp() {
    ToolkitTest::SetUp();
    platform.paths.configFolder = "/cfg/";
    app->SetTitle(forms::kApplicationTitle);
}

void VesperonTest::Start(const std::vector<std::string>& arguments) {
    forms::CreateProgramWindows(*app, arguments);
    main = dynamic_cast<TFormVesperon*>(app->MainForm());
    for (TCustomForm* form : app->Forms()) {
        if (auto* found = dynamic_cast<TFormWarn*>(form)) {
            warn = found;
        }
    }
    main->Show();
    Idle();
}

void VesperonTest::WriteIni(const std::string& content) {
    platform.files.ReplaceFile(kIniPath, content);
}

std::string VesperonTest::Ini() {
    std::string content;
    return platform.files.ReadFile(kIniPath, content) ? content : std::string();
}

void VesperonTest::ClickOn(TControl* control) {
    TCustomForm* form = control->ParentForm();
    const TPoint centre = control->Parent()->ClientToParent(
        Point(control->Left() + control->Width() / 2, control->Top() + control->Height() / 2), form);
    Click(form, centre.X, centre.Y);
    Idle();
}

void VesperonTest::TypeMinutes(const std::string& digits) {
    ClickOn(main->RZFenZhong);
    platform.windows.Type(Window(main), "\x01" + digits);
    Idle();
}

void VesperonTest::StartWithCountdown(const std::string& minutes, bool withWarning) {
    Start();
    ClickOn(main->RBDe);
    TypeMinutes(minutes);
    if (withWarning) {
        ClickOn(main->CBWarn);
    }
}

void VesperonTest::ArmCountdown(const std::string& minutes, bool withWarning) {
    StartWithCountdown(minutes, withWarning);
    ClickOn(main->BTNStart);
}

std::vector<std::string> VesperonTest::Messages() {
    std::vector<std::string> texts;
    for (const platform::headless::RecordedMessageBox& box : platform.messageBoxes.Shown()) {
        texts.push_back(box.text);
    }
    return texts;
}

std::vector<std::string> VesperonTest::PowerRequests() {
    std::vector<std::string> requests;
    for (const std::string& call : platform.power.Calls()) {
        if (call.rfind("SetShutdownPrivilege", 0) != 0) {
            requests.push_back(call);
        }
    }
    return requests;
}
