// The control channel on the session bus, for desktop tools and scripts: the name
// org.vesperon.Timer with the object /org/vesperon/Timer, whose interface org.vesperon.Timer
// has Arm(action s, when s, warn b), Cancel(), Status() -> (armed b, action s, target x,
// seconds_left x) and the signal Changed; sd-bus adds the introspection data. Served by the
// program's event loop; without a session bus it does nothing.
#pragma once

#include "platform/ControlChannel.h"
#include "platform/WindowSystem.h"
#include "platform/linuxdesktop/LoopBus.h"

#include <systemd/sd-bus.h>

namespace platform::linuxdesktop {

inline constexpr const char* kControlBusName = "org.vesperon.Timer";
inline constexpr const char* kControlBusPath = "/org/vesperon/Timer";
inline constexpr const char* kControlBusInterface = "org.vesperon.Timer";

class ControlBus {
public:
    ControlBus(platform::IWindowSystem* loop, platform::IControlListener& listener);
    ~ControlBus();
    ControlBus(const ControlBus&) = delete;
    ControlBus& operator=(const ControlBus&) = delete;

    // The object is on a session bus (its name may still be on its way).
    bool Connected() const { return object_ != nullptr; }
    void EmitChanged();

private:
    static int Arm(sd_bus_message* message, void* userdata, sd_bus_error* error);
    static int Cancel(sd_bus_message* message, void* userdata, sd_bus_error* error);
    static int Status(sd_bus_message* message, void* userdata, sd_bus_error* error);
    static int NameReply(sd_bus_message* message, void* userdata, sd_bus_error* error);
    platform::ControlReply Call(const platform::ControlRequest& request);

    platform::IControlListener& listener_;
    LoopBus bus_;
    sd_bus_slot* object_ = nullptr;
    sd_bus_slot* name_ = nullptr;
    bool handling_ = false; // a method call is being carried out
};

} // namespace platform::linuxdesktop
