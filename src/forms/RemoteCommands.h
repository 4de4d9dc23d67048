// Commands from other processes of the session (the command line, the session bus), carried
// out on the main window as a user carries them out: the settings controls are set, so that
// their handlers store what changes, then Start, Stop or Shutdown Now is pressed. What those
// handlers would say in a message box becomes the reply's text instead; no box is shown.
#pragma once

#include "core/WhenText.h"
#include "platform/ControlChannel.h"
#include "toolkit/runtime/Forms.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class TFormVesperon;
class TFormWarn;

class TRemoteCommands : public TComponent, public platform::IControlListener {
public:
    // Owned by the main window; serves the platform's control channel while it lives and tells
    // the channel whenever the task changes, whoever changed it.
    TRemoteCommands(TFormVesperon* main, TFormWarn* warn);
    ~TRemoteCommands() override;

    platform::ControlReply Handle(const platform::ControlRequest& request) override;

    // Carries out the request when the main window is activated for the first time, before the
    // window's own activation handler runs, and hands the reply to `done`.
    using TReplyEvent = std::function<void(const platform::ControlReply& reply)>;
    void HandleAtFirstActivation(const platform::ControlRequest& request, TReplyEvent done);

private:
    struct TTaskView {
        bool inProgress = false;
        std::string action;
        TDateTime target = 0;
        bool operator==(const TTaskView&) const = default;
    };

    platform::ControlReply Arm(const platform::ControlRequest& request);
    platform::ControlReply Cancel();
    platform::ControlReply Status();
    // Sets the controls for the action and the moment, then presses Start or Shutdown Now.
    platform::ControlReply ArmAs(std::int32_t action, const core::TWhen& when, std::optional<bool> warn);

    // The task is armed, warning or fired.
    bool TaskInProgress() const;
    TTaskView ViewOfTask() const;

    // The settings controls, set as a user sets them.
    void ChooseAction(std::int32_t action);
    void ChooseWarn(bool warn);
    void ChooseMode(bool appointed);
    void ChooseMinutes(std::int32_t minutes);
    void ChooseMoment(TDateTime moment);

    // Looks for a change of the task each time the event's handler has run.
    void FollowEvent(TNotifyEvent& event);
    void NoticeChanges();

    TFormVesperon* FMain;
    TFormWarn* FWarn;
    TTaskView FLastView;
    // The handlers this object wraps outlive it (the warning window's, for one); they look
    // here before they reach it.
    std::shared_ptr<int> FLifetime = std::make_shared<int>(0);
};
