#include "platform/linuxdesktop/SessionEndQuery.h"

#include "platform/linuxdesktop/LogindBus.h"

#include <cstdlib>
#include <sys/eventfd.h>
#include <unistd.h>

namespace platform::linuxdesktop {

namespace {

constexpr const char* kManagerService = "org.gnome.SessionManager";
constexpr const char* kManagerPath = "/org/gnome/SessionManager";
constexpr const char* kManagerInterface = "org.gnome.SessionManager";
constexpr const char* kClientInterface = "org.gnome.SessionManager.ClientPrivate";
constexpr const char* kAppId = "vesperon";
// Set by the session manager for the programs it starts; passed back once, never inherited.
constexpr const char* kStartupIdVariable = "DESKTOP_AUTOSTART_ID";
// A forceful end of the session ends it whatever the programs answer: nobody is asked.
constexpr std::uint32_t kEndSessionForceful = 1u << 0;
// Shown by the session manager beside the program's name when the query is refused.
constexpr const char* kRefusalReason = "The exit was not confirmed";

bool NoManagerError(const std::string& name) {
    return name == "org.freedesktop.DBus.Error.ServiceUnknown" ||
           name == "org.freedesktop.DBus.Error.NameHasNoOwner";
}

constexpr TBusObject kManager{kManagerService, kManagerPath, kManagerInterface};

std::string TakeStartupId() {
    const char* value = std::getenv(kStartupIdVariable);
    std::string id = value != nullptr ? value : "";
    unsetenv(kStartupIdVariable);
    return id;
}

} // namespace

SessionEndQuery::SessionEndQuery(platform::IWindowSystem* loop)
    : loop_(loop), bus_(TBusKind::Session, loop), wakeFd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    // Requests are handed to the sink from a loop turn of their own, never from inside the
    // bus's dispatch: the sink may ask the user, in a modal loop that serves the bus again.
    if (loop_ != nullptr && wakeFd_ >= 0) {
        loop_->WatchFd(wakeFd_, true, false, [this] { RunPending(); });
    }
}

SessionEndQuery::~SessionEndQuery() {
    Unregister();
    if (loop_ != nullptr && wakeFd_ >= 0) {
        loop_->UnwatchFd(wakeFd_);
    }
    if (wakeFd_ >= 0) {
        close(wakeFd_);
    }
}

void SessionEndQuery::SetSink(platform::ISessionEndSink* sink) {
    sink_ = sink;
    if (sink_ == nullptr) {
        Unregister();
    } else if (state_ == TState::Idle) {
        Register();
    }
}

// ---------------------------------------------------------------------------------------
// Registration

void SessionEndQuery::Register() {
    if (!bus_.Open() || loop_ == nullptr || wakeFd_ < 0) {
        state_ = TState::NoManager;
        return;
    }
    // The match goes first, so that no signal to the new client can come before it.
    dbus::TMatch clientSignals;
    clientSignals.interface = kClientInterface;
    match_ =
        bus_.Get()->AddMatch(clientSignals, [this](const dbus::TMessage& signal) { ClientSignal(signal); });
    state_ = TState::Registering;
    registerCall_ = bus_.Call(
        kManager, "RegisterClient", TStart::NoService, TWait::Query,
        [this](TBusReply& reply) { RegisterReplied(reply); },
        dbus::TWriter().String(kAppId).String(TakeStartupId()));
    if (registerCall_ == 0) {
        return;
    }
    bus_.Flush();
}

void SessionEndQuery::RegisterReplied(const TBusReply& reply) {
    registerCall_ = 0;
    if (!reply.Ok()) {
        if (!reply.ErrorName().empty() && !NoManagerError(reply.ErrorName())) {
            ReportPowerFailure(std::string("the session manager refused the registration: ") +
                               reply.ErrorName() + ": " + reply.ErrorMessage());
        }
    } else if (const std::optional<std::string> path = reply.ReadText('o'); path && !reply.Sender().empty()) {
        managerName_ = reply.Sender();
        clientPath_ = *path;
        state_ = TState::Registered;
        return;
    }
    if (dbus::TConnection* bus = bus_.Get(); bus != nullptr && match_ != 0) {
        bus->RemoveMatch(match_);
    }
    match_ = 0;
    state_ = TState::NoManager;
}

void SessionEndQuery::Unregister() {
    bus_.Forget(registerCall_);
    registerCall_ = 0;
    if (dbus::TConnection* bus = bus_.Get(); bus != nullptr && match_ != 0) {
        bus->RemoveMatch(match_);
    }
    match_ = 0;
    // After the end of the session the manager forgets its clients itself.
    if (state_ == TState::Registered && !ended_) {
        const TBusObject manager{managerName_.c_str(), kManagerPath, kManagerInterface};
        bus_.Send(manager, "UnregisterClient", dbus::TWriter().ObjectPath(clientPath_));
        bus_.Flush();
    }
    if (state_ != TState::NoManager) {
        state_ = TState::Idle;
    }
    managerName_.clear();
    clientPath_.clear();
    pending_.clear();
}

// ---------------------------------------------------------------------------------------
// The client's signals

void SessionEndQuery::ClientSignal(const dbus::TMessage& signal) {
    // Only the manager that took the registration speaks for this client.
    if (state_ != TState::Registered || clientPath_ != signal.path || managerName_ != signal.sender) {
        return;
    }
    dbus::TReader arguments = signal.Read();
    const std::string& member = signal.member;
    if (member == "QueryEndSession") {
        if (const std::optional<std::uint32_t> flags = arguments.Uint32()) {
            Queue(TRequest::Query, *flags);
        }
    } else if (member == "EndSession") {
        if (const std::optional<std::uint32_t> flags = arguments.Uint32()) {
            Queue(TRequest::End, *flags);
        }
    } else if (member == "CancelEndSession") {
        Queue(TRequest::Cancel, 0);
    } else if (member == "Stop") {
        Queue(TRequest::Stop, 0);
    }
}

void SessionEndQuery::Queue(TRequest request, std::uint32_t flags) {
    // A new query or a cancellation makes the answer to an earlier query pointless.
    if (request == TRequest::Query || request == TRequest::Cancel) {
        ++query_;
    }
    pending_.push_back(TPending{request, flags, query_});
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = write(wakeFd_, &one, sizeof one);
}

// ---------------------------------------------------------------------------------------
// Handing the requests to the sink

void SessionEndQuery::RunPending() {
    std::uint64_t count = 0;
    [[maybe_unused]] const auto got = read(wakeFd_, &count, sizeof count);
    if (running_) {
        // A question is open: the end of the session does not wait for its answer, the rest
        // waits its turn.
        for (auto it = pending_.begin(); it != pending_.end();) {
            if (it->request == TRequest::End || it->request == TRequest::Stop) {
                const TPending ending = *it;
                it = pending_.erase(it);
                Handle(ending);
            } else {
                ++it;
            }
        }
        return;
    }
    running_ = true;
    struct TRunning {
        bool& flag;
        ~TRunning() { flag = false; }
    } guard{running_};
    while (!pending_.empty()) {
        const TPending next = pending_.front();
        pending_.pop_front();
        Handle(next);
    }
}

void SessionEndQuery::Handle(const TPending& pending) {
    if (ended_) {
        return;
    }
    switch (pending.request) {
    case TRequest::Query:
        AnswerQuery(pending);
        break;
    case TRequest::End:
        ended_ = true;
        if (sink_ != nullptr) {
            sink_->EndSession(true);
        }
        Respond(true, "");
        break;
    case TRequest::Cancel:
        if (sink_ != nullptr) {
            sink_->EndSession(false);
        }
        break;
    case TRequest::Stop:
        ended_ = true;
        if (sink_ != nullptr) {
            sink_->EndSession(true);
        }
        break;
    }
}

void SessionEndQuery::AnswerQuery(const TPending& pending) {
    bool isOk = true;
    if ((pending.flags & kEndSessionForceful) == 0 && sink_ != nullptr) {
        isOk = sink_->QueryEndSession();
    }
    if (pending.query == query_ && !ended_) {
        Respond(isOk, isOk ? "" : kRefusalReason);
    }
}

void SessionEndQuery::Respond(bool isOk, const char* reason) {
    if (state_ != TState::Registered) {
        return;
    }
    const TBusObject client{managerName_.c_str(), clientPath_.c_str(), kClientInterface};
    bus_.Send(client, "EndSessionResponse", dbus::TWriter().Bool(isOk).String(reason));
    bus_.Flush();
}

} // namespace platform::linuxdesktop
