// The control channel on the session bus, for desktop tools and scripts: the name
// org.vesperon.Timer with the object /org/vesperon/Timer, whose interface org.vesperon.Timer
// has Arm(action s, when s, warn b), Cancel(), Status() -> (armed b, action s, target x,
// seconds_left x) and the signal Changed, described by its introspection data. Served by the
// program's event loop; without a session bus it does nothing.
#pragma once

#include "platform/ControlChannel.h"
#include "platform/WindowSystem.h"
#include "platform/dbus/Message.h"
#include "platform/linuxdesktop/LoopBus.h"

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
    bool Connected() const { return connected_; }
    void EmitChanged();

private:
    dbus::TMessage Arm(const dbus::TMessage& call);
    dbus::TMessage Cancel(const dbus::TMessage& call);
    dbus::TMessage Status(const dbus::TMessage& call);
    platform::ControlReply Call(const platform::ControlRequest& request);

    platform::IControlListener& listener_;
    LoopBus bus_;
    bool connected_ = false;
    bool handling_ = false; // a method call is being carried out
};

} // namespace platform::linuxdesktop
