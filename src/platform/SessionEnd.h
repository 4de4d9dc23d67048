// End of the session: the desktop asks running programs whether the user's session may end
// (log-off, shutdown or restart started by any program), then tells them it ends.
#pragma once

namespace platform {

// Hears the desktop's end-of-session requests. The calls come from the event loop, outside
// any bus or window-system callback, so the sink may run a modal loop (a question to the user)
// before it returns.
class ISessionEndSink {
public:
    virtual ~ISessionEndSink() = default;
    // May the session end? True lets it end; false refuses it for this program.
    virtual bool QueryEndSession() = 0;
    // The session ends now (ending = true: the program ends without asking) or, after a
    // query, does not end after all (false).
    virtual void EndSession(bool ending) = 0;
};

class ISessionEnd {
public:
    virtual ~ISessionEnd() = default;
    // Starts listening with this sink, or stops listening (null). Where the desktop offers no
    // such query, the sink never hears anything.
    virtual void SetSink(ISessionEndSink* sink) = 0;
};

} // namespace platform
