// A private dbus-daemon for the tests, standing in for both the system and the session
// bus. Nothing it carries can reach the machine's real services.
#pragma once

#include <string>
#include <sys/types.h>

namespace testbus {

class PrivateBus {
public:
    PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;
    ~PrivateBus();

    // Empty when the daemon could not be started; Error() then says why.
    const std::string& Address() const { return address_; }
    const std::string& Error() const { return error_; }
    // An address on which nothing listens (a bus that is not there).
    std::string AbsentAddress() const { return "unix:path=" + folder_ + "/absent"; }

private:
    bool WaitUntilListening();

    std::string folder_;
    std::string address_;
    std::string error_;
    pid_t pid_ = -1;
};

} // namespace testbus
