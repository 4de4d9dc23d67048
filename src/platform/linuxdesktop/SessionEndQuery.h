// The desktop's end-of-session query on Linux: the program registers as a client of the
// session manager on the session bus (GNOME, Cinnamon and MATE offer org.gnome.SessionManager)
// and answers its client signals. QueryEndSession asks the sink, EndSession and Stop end the
// program, CancelEndSession tells the sink the session goes on. Where no session manager
// answers, nothing happens.
#pragma once

#include "platform/SessionEnd.h"
#include "platform/WindowSystem.h"
#include "platform/dbus/Message.h"
#include "platform/linuxdesktop/BusReply.h"
#include "platform/linuxdesktop/LoopBus.h"

#include <cstdint>
#include <deque>
#include <string>

namespace platform::linuxdesktop {

class SessionEndQuery : public platform::ISessionEnd {
public:
    enum class TState {
        Idle,        // no sink yet, or no session bus
        Registering, // the registration is on its way
        Registered,  // the session manager took it: ClientPath() names the client object
        NoManager,   // no session manager answered (or it refused): nothing will arrive
    };

    // `loop` serves the bus connection and the hand-over of requests to the sink.
    explicit SessionEndQuery(platform::IWindowSystem* loop);
    ~SessionEndQuery() override;
    SessionEndQuery(const SessionEndQuery&) = delete;
    SessionEndQuery& operator=(const SessionEndQuery&) = delete;

    // Registers with the session manager at the first sink; a null sink unregisters, unless
    // the session has ended.
    void SetSink(platform::ISessionEndSink* sink) override;

    TState State() const { return state_; }
    const std::string& ClientPath() const { return clientPath_; }

private:
    enum class TRequest { Query, End, Cancel, Stop };
    struct TPending {
        TRequest request;
        std::uint32_t flags;
        std::uint64_t query; // the query this request belongs to
    };

    void RegisterReplied(const TBusReply& reply);
    void ClientSignal(const dbus::TMessage& signal);
    void Register();
    void Unregister();
    void Queue(TRequest request, std::uint32_t flags);
    void RunPending();
    void Handle(const TPending& pending);
    void AnswerQuery(const TPending& pending);
    void Respond(bool isOk, const char* reason);

    platform::IWindowSystem* loop_;
    LoopBus bus_;
    int wakeFd_ = -1;
    platform::ISessionEndSink* sink_ = nullptr;
    TState state_ = TState::Idle;
    std::uint64_t match_ = 0;
    std::uint32_t registerCall_ = 0;
    std::string managerName_; // the unique bus name that took the registration
    std::string clientPath_;
    std::deque<TPending> pending_;
    std::uint64_t query_ = 0; // counts queries and cancellations
    bool running_ = false;
    bool ended_ = false;
};

} // namespace platform::linuxdesktop
