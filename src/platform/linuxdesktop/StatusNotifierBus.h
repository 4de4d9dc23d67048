// A session-bus connection served by the program's event loop: its descriptor is watched for
// the direction sd-bus waits on, and whatever arrives is processed at once.
#pragma once

#include "platform/WindowSystem.h"

#include <systemd/sd-bus.h>

namespace platform::linuxdesktop {

class StatusNotifierBus {
public:
    // Connects to the session bus (DBUS_SESSION_BUS_ADDRESS); Get() is null when that failed.
    explicit StatusNotifierBus(platform::IWindowSystem* loop);
    ~StatusNotifierBus();
    StatusNotifierBus(const StatusNotifierBus&) = delete;
    StatusNotifierBus& operator=(const StatusNotifierBus&) = delete;

    sd_bus* Get() const { return bus_; }
    // Sends what is queued, handles what has arrived, and watches for what sd-bus waits on next.
    void Flush();

private:
    void Process();
    void Rearm();

    platform::IWindowSystem* loop_;
    sd_bus* bus_ = nullptr;
    int fd_ = -1;
};

// The text as valid UTF-8: a tooltip cut by bytes may end inside a character, and the bus
// refuses strings that are not UTF-8. Broken sequences are dropped.
std::string ValidUtf8(const std::string& text);

} // namespace platform::linuxdesktop
