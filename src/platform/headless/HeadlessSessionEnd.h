// The end-of-session query in tests: the test plays the desktop's session manager, asking
// the program whether the session may end, ending it or cancelling, and reads the answers.
#pragma once

#include "platform/SessionEnd.h"

#include <optional>

namespace platform::headless {

class HeadlessSessionEnd : public platform::ISessionEnd {
public:
    void SetSink(platform::ISessionEndSink* sink) override { sink_ = sink; }
    bool Listening() const { return sink_ != nullptr; }

    // The program's answer to a query; nothing when no program listens.
    std::optional<bool> QueryEndSession();
    // The session ends now (true) or does not end after all (false).
    void EndSession(bool ending);

private:
    platform::ISessionEndSink* sink_ = nullptr;
};

} // namespace platform::headless
