#include "platform/linuxdesktop/SessionEndQuery.h"

#include "platform/linuxdesktop/LogindBus.h"

#include <cstdlib>
#include <cstring>
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

bool NoManagerError(const char* name) {
    return name != nullptr && (std::strcmp(name, "org.freedesktop.DBus.Error.ServiceUnknown") == 0 ||
                               std::strcmp(name, "org.freedesktop.DBus.Error.NameHasNoOwner") == 0);
}

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
    sd_bus* bus = bus_.Get();
    // The match goes first, so that no signal to the new client can come before it.
    sd_bus_message* call = nullptr;
    const std::string startupId = TakeStartupId();
    const bool sent = sd_bus_match_signal_async(bus, &match_, nullptr, nullptr, kClientInterface, nullptr,
                                                ClientSignal, nullptr, this) >= 0 &&
                      sd_bus_message_new_method_call(bus, &call, kManagerService, kManagerPath,
                                                     kManagerInterface, "RegisterClient") >= 0 &&
                      sd_bus_message_set_auto_start(call, 0) >= 0 &&
                      sd_bus_message_append(call, "ss", kAppId, startupId.c_str()) >= 0 &&
                      sd_bus_call_async(bus, &registerCall_, call, RegisterReplied, this, 0) >= 0;
    sd_bus_message_unref(call);
    if (!sent) {
        match_ = sd_bus_slot_unref(match_);
        state_ = TState::NoManager;
        return;
    }
    state_ = TState::Registering;
    bus_.Flush();
}

int SessionEndQuery::RegisterReplied(sd_bus_message* reply, void* userdata, sd_bus_error*) {
    auto& self = *static_cast<SessionEndQuery*>(userdata);
    self.registerCall_ = sd_bus_slot_unref(self.registerCall_);
    const char* path = nullptr;
    const char* sender = sd_bus_message_get_sender(reply);
    if (sd_bus_message_is_method_error(reply, nullptr)) {
        const sd_bus_error* error = sd_bus_message_get_error(reply);
        if (!NoManagerError(error->name)) {
            ReportPowerFailure(std::string("the session manager refused the registration: ") + error->name +
                               ": " + (error->message != nullptr ? error->message : ""));
        }
    } else if (sender != nullptr && sd_bus_message_read(reply, "o", &path) > 0) {
        self.managerName_ = sender;
        self.clientPath_ = path;
        self.state_ = TState::Registered;
        return 0;
    }
    self.match_ = sd_bus_slot_unref(self.match_);
    self.state_ = TState::NoManager;
    return 0;
}

void SessionEndQuery::Unregister() {
    registerCall_ = sd_bus_slot_unref(registerCall_);
    match_ = sd_bus_slot_unref(match_);
    // After the end of the session the manager forgets its clients itself.
    if (state_ == TState::Registered && !ended_) {
        sd_bus_call_method_async(bus_.Get(), nullptr, managerName_.c_str(), kManagerPath, kManagerInterface,
                                 "UnregisterClient", nullptr, nullptr, "o", clientPath_.c_str());
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

int SessionEndQuery::ClientSignal(sd_bus_message* message, void* userdata, sd_bus_error*) {
    auto& self = *static_cast<SessionEndQuery*>(userdata);
    const char* path = sd_bus_message_get_path(message);
    const char* sender = sd_bus_message_get_sender(message);
    const char* member = sd_bus_message_get_member(message);
    // Only the manager that took the registration speaks for this client.
    if (self.state_ != TState::Registered || path == nullptr || sender == nullptr || member == nullptr ||
        self.clientPath_ != path || self.managerName_ != sender) {
        return 0;
    }
    std::uint32_t flags = 0;
    if (std::strcmp(member, "QueryEndSession") == 0 && sd_bus_message_read(message, "u", &flags) > 0) {
        self.Queue(TRequest::Query, flags);
    } else if (std::strcmp(member, "EndSession") == 0 && sd_bus_message_read(message, "u", &flags) > 0) {
        self.Queue(TRequest::End, flags);
    } else if (std::strcmp(member, "CancelEndSession") == 0) {
        self.Queue(TRequest::Cancel, 0);
    } else if (std::strcmp(member, "Stop") == 0) {
        self.Queue(TRequest::Stop, 0);
    }
    return 0;
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
    sd_bus_call_method_async(bus_.Get(), nullptr, managerName_.c_str(), clientPath_.c_str(), kClientInterface,
                             "EndSessionResponse", nullptr, nullptr, "bs", int(isOk), reason);
    bus_.Flush();
}

} // namespace platform::linuxdesktop
