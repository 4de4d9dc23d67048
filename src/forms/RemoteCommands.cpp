#include "forms/RemoteCommands.h"

#include "controls/RzButton.h"
#include "controls/RzEdit.h"
#include "controls/RzRadChk.h"
#include "core/TaskCommands.h"
#include "core/TaskTexts.h"
#include "forms/UnitFormVesperon.h"
#include "forms/UnitFormWarn.h"
#include "platform/Platform.h"
#include "toolkit/runtime/Timer.h"
#include "toolkit/widgets/DateTimePicker.h"

#include <exception>
#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr const char* kBusyText = "Vesperon is waiting for an answer in a message box";

std::string ActionNamesText() {
    std::string names;
    for (const char* name : core::kActionCommandNames) {
        names += names.empty() ? name : std::string(", ") + name;
    }
    return names;
}

// Collects the texts of the message boxes asked for while it lives, instead of showing them.
class TMessageCapture {
public:
    TMessageCapture() : previous_(MessageBoxProvider()) {
        SetMessageBoxProvider([this](const std::string& text, const std::string&, unsigned flags) {
            texts.push_back(text);
            return DefaultMessageBoxAnswer(flags);
        });
    }
    ~TMessageCapture() { SetMessageBoxProvider(previous_); }
    TMessageCapture(const TMessageCapture&) = delete;
    TMessageCapture& operator=(const TMessageCapture&) = delete;

    std::vector<std::string> texts;

private:
    TMessageBoxProvider previous_;
};

platform::IControlChannel* Channel() {
    return platform::Current().controlChannel;
}

} // namespace

TRemoteCommands::TRemoteCommands(TFormVesperon* main, TFormWarn* warn)
    : TComponent(main), FMain(main), FWarn(warn) {
    SetName("RemoteCommands");
    // Every way the task changes passes through one of these handlers.
    for (TNotifyEvent* event :
         {&FMain->OnActivate, &FMain->BTNStart->OnClick, &FMain->BTNStop->OnClick, &FMain->BTNAtOnce->OnClick,
          &FMain->Timer1->OnTimer, &FWarn->BTNCancel->OnClick, &FWarn->Timer1->OnTimer}) {
        FollowEvent(*event);
    }
    FLastView = ViewOfTask();
    if (Channel() != nullptr) {
        Channel()->Listen(this);
    }
}

TRemoteCommands::~TRemoteCommands() {
    if (Channel() != nullptr) {
        Channel()->Listen(nullptr);
    }
}

platform::ControlReply TRemoteCommands::Handle(const platform::ControlRequest& request) {
    // The box's own loop is running; its answer is awaited before anything else is done.
    if (Application != nullptr && Application->InModalBox()) {
        return platform::ReplyOf(platform::kControlFailed, kBusyText);
    }
    platform::ControlReply reply;
    try {
        switch (request.command) {
        case platform::ControlCommand::Arm:
            reply = Arm(request);
            break;
        case platform::ControlCommand::Cancel:
            reply = Cancel();
            break;
        case platform::ControlCommand::Status:
            reply = Status();
            break;
        }
    } catch (const std::exception& error) {
        reply = platform::ReplyOf(platform::kControlFailed, error.what());
    }
    NoticeChanges();
    return reply;
}

void TRemoteCommands::HandleAtFirstActivation(const platform::ControlRequest& request, TReplyEvent done) {
    TNotifyEvent activation = std::move(FMain->OnActivate);
    FMain->OnActivate = [this, alive = std::weak_ptr<int>(FLifetime), activation, request, done,
                         first = true](TObject* sender) mutable {
        if (first && !alive.expired()) {
            first = false;
            const platform::ControlReply reply = Handle(request);
            if (done) {
                done(reply);
            }
            if (reply.code != platform::kControlDone) {
                return;
            }
        }
        if (activation) {
            activation(sender);
        }
    };
}

// ---------------------------------------------------------------------------------------
// The requests

platform::ControlReply TRemoteCommands::Arm(const platform::ControlRequest& request) {
    const std::optional<std::int32_t> action = core::ActionOfCommandName(request.action);
    if (!action) {
        return platform::ReplyOf(platform::kControlRefused,
                                 "unknown action \"" + request.action + "\": use " + ActionNamesText());
    }
    const core::TWhenParse when = core::ParseWhen(request.when);
    if (!when.when) {
        return platform::ReplyOf(platform::kControlRefused, when.error);
    }
    return ArmAs(*action, *when.when, request.warn);
}

platform::ControlReply TRemoteCommands::ArmAs(std::int32_t action, const core::TWhen& when,
                                              std::optional<bool> warn) {
    // The settings cannot be changed while a task runs; a user presses Stop first.
    if (TaskInProgress()) {
        FMain->BTNStopClick(FMain->BTNStop);
    }
    TMessageCapture messages;
    // Top to bottom, as the window lays the settings out.
    if (when.kind == core::TWhenKind::Countdown) {
        ChooseMode(false);
        ChooseMinutes(when.minutes);
    } else if (when.kind != core::TWhenKind::Now) {
        ChooseMode(true);
        ChooseMoment(core::MomentOf(when, Now()));
    }
    ChooseAction(action);
    if (warn) {
        ChooseWarn(*warn);
    }
    if (when.kind == core::TWhenKind::Now) {
        FMain->BTNAtOnceClick(FMain->BTNAtOnce);
        return messages.texts.empty() ? platform::ReplyOf(platform::kControlDone, "")
                                      : platform::ReplyOf(platform::kControlRefused, messages.texts.front());
    }
    FMain->BTNStartClick(FMain->BTNStart);
    if (!messages.texts.empty()) {
        return platform::ReplyOf(platform::kControlRefused, messages.texts.front());
    }
    return Status();
}

platform::ControlReply TRemoteCommands::Cancel() {
    if (!TaskInProgress()) {
        return platform::ReplyOf(platform::kControlNoTask, core::kNoTaskText);
    }
    FMain->BTNStopClick(FMain->BTNStop);
    return platform::ReplyOf(platform::kControlDone, "");
}

platform::ControlReply TRemoteCommands::Status() {
    if (!TaskInProgress()) {
        return platform::ReplyOf(platform::kControlNoTask, core::kNoTaskText);
    }
    const TDateTime now = Now();
    platform::ControlReply reply = platform::ReplyOf(
        platform::kControlDone, core::TaskStatusLine(FMain->FActionName, FMain->FTarget, now));
    reply.status.armed = true;
    reply.status.action = FMain->FActionName;
    reply.status.secondsLeft = (FMain->FTarget - now) * SecsPerDay;
    return reply;
}

// ---------------------------------------------------------------------------------------
// The task and the controls

bool TRemoteCommands::TaskInProgress() const {
    return FMain->FState != core::TTaskState::Idle;
}

TRemoteCommands::TTaskView TRemoteCommands::ViewOfTask() const {
    return TTaskView{TaskInProgress(), FMain->FActionName, FMain->FTarget};
}

void TRemoteCommands::ChooseAction(std::int32_t action) {
    TRzRadioButton* const buttons[] = {FMain->RBShutdown, FMain->RBLogoff,  FMain->RBRestart,
                                       FMain->RBForce,    FMain->RBStandby, FMain->RBDormancy};
    TRzRadioButton* button = buttons[action - 1];
    if (!button->Checked()) {
        button->SetChecked(true);
    } else if (FMain->FTask.FAction != action) {
        // Shown checked while the field holds a number no button stands for.
        FMain->RBShutdownClick(button);
    }
}

void TRemoteCommands::ChooseWarn(bool warn) {
    FMain->CBWarn->SetChecked(warn);
}

void TRemoteCommands::ChooseMode(bool appointed) {
    (appointed ? FMain->RBDateTime : FMain->RBDe)->SetChecked(true);
}

void TRemoteCommands::ChooseMinutes(std::int32_t minutes) {
    FMain->RZFenZhong->SetValueAsInteger(minutes);
}

// A picker set from code raises no change event; a user's edit does, so its handler is run
// when the text it stores changes.
void TRemoteCommands::ChooseMoment(TDateTime moment) {
    const TFormatSettings formats = FormatSettings();
    FMain->DateTimePicker1->SetDate(moment);
    if (DateToStr(moment, formats) != FMain->FTask.FDateText) {
        FMain->DateTimePicker1Change(FMain->DateTimePicker1);
    }
    FMain->DateTimePicker2->SetTime(moment);
    if (TimeToStr(moment, formats) != FMain->FTask.FTimeText) {
        FMain->DateTimePicker2Change(FMain->DateTimePicker2);
    }
}

// ---------------------------------------------------------------------------------------
// Changes of the task

void TRemoteCommands::FollowEvent(TNotifyEvent& event) {
    TNotifyEvent handler = std::move(event);
    event = [this, alive = std::weak_ptr<int>(FLifetime), handler](TObject* sender) {
        if (handler) {
            handler(sender);
        }
        if (!alive.expired()) {
            NoticeChanges();
        }
    };
}

void TRemoteCommands::NoticeChanges() {
    const TTaskView view = ViewOfTask();
    if (view == FLastView) {
        return;
    }
    FLastView = view;
    if (Channel() != nullptr) {
        Channel()->TaskChanged();
    }
}
