// The control channel: how another process of the log-on session (the command line, desktop
// tools) asks the copy of the program that runs in it to arm, cancel or report its task. The
// running copy listens; any process can send one request and wait for the reply.
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace platform {

enum class ControlCommand { Arm, Cancel, Status };

struct ControlRequest {
    ControlCommand command = ControlCommand::Status;
    // Arm: shutdown, logoff, restart, force-shutdown, standby or hibernate.
    std::string action;
    // Arm: now, +M, Mm, HhMm, HH:MM[:SS] or YYYY-MM-DD HH:MM[:SS].
    std::string when;
    // Arm: turns the 30-second warning on or off; unset keeps it as it is.
    std::optional<bool> warn;

    bool operator==(const ControlRequest&) const = default;
};

// The replies' codes, which the command line exits with.
inline constexpr int kControlDone = 0;
inline constexpr int kControlNoTask = 1;
inline constexpr int kControlRefused = 2;
inline constexpr int kControlNotRunning = 3;
inline constexpr int kControlFailed = 4; // no answer, busy, or an error while carrying it out

// The running copy's task after a request.
struct ControlStatus {
    bool armed = false;
    std::string action;     // the action's display name ("Shutdown", "Forced Shutdown", ...)
    double secondsLeft = 0; // to the target; negative once it has passed
};

struct ControlReply {
    int code = kControlDone;
    std::string text; // one line for the user (may be empty)
    ControlStatus status;
};

// A reply without a task's status.
inline ControlReply ReplyOf(int code, std::string text) {
    return ControlReply{code, std::move(text), {}};
}

class IControlListener {
public:
    virtual ~IControlListener() = default;
    virtual ControlReply Handle(const ControlRequest& request) = 0;
};

class IControlChannel {
public:
    virtual ~IControlChannel() = default;
    // Serves the session's requests to the listener from the program's event loop; null stops
    // serving. False when the channel could not be opened (the reason is logged): the program
    // then runs on without it.
    virtual bool Listen(IControlListener* listener) = 0;
    // Tells the session that the task changed (armed, stopped, another target).
    virtual void TaskChanged() = 0;
    // Sends one request to the copy that listens in this session and waits for its reply;
    // nothing when no copy listens.
    virtual std::optional<ControlReply> Send(const ControlRequest& request) = 0;
};

} // namespace platform
