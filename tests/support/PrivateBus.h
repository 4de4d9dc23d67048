// A private dbus-daemon for the tests, standing in for both the system and the session
// bus, and the test's own connections to it. Nothing it carries can reach the machine's real
// services.
#pragma once

#include <string>
#include <sys/types.h>
#include <systemd/sd-bus.h>

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

// A connection of the test's own (a fake service, a client, an intruder), apart from the
// program's; Get() is null when it could not connect.
class Connection {
public:
    explicit Connection(const std::string& address);
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection();

    sd_bus* Get() const { return bus_; }

private:
    sd_bus* bus_ = nullptr;
};

} // namespace testbus
