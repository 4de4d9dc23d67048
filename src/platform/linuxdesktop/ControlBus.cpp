#include "platform/linuxdesktop/ControlBus.h"

#include "platform/linuxdesktop/ValidUtf8.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace platform::linuxdesktop {

namespace {

constexpr const char* kNoTaskError = "org.vesperon.Timer.Error.NoTask";
constexpr const char* kRefusedError = "org.vesperon.Timer.Error.Refused";
constexpr const char* kFailedError = "org.vesperon.Timer.Error.Failed";

ControlBus& Self(void* userdata) {
    return *static_cast<ControlBus*>(userdata);
}

int ReplyOf(sd_bus_message* message, const platform::ControlReply& reply, sd_bus_error* error) {
    if (reply.code == platform::kControlDone) {
        return sd_bus_reply_method_return(message, "");
    }
    const char* name = reply.code == platform::kControlNoTask    ? kNoTaskError
                       : reply.code == platform::kControlRefused ? kRefusedError
                                                                 : kFailedError;
    return sd_bus_error_set(error, name, ValidUtf8(reply.text).c_str());
}

double RealtimeSeconds() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

} // namespace

ControlBus::ControlBus(platform::IWindowSystem* loop, platform::IControlListener& listener)
    : listener_(listener), bus_(TBusKind::Session, loop) {
    static const sd_bus_vtable vtable[] = {
        SD_BUS_VTABLE_START(0),
        SD_BUS_METHOD_WITH_NAMES("Arm", "ssb", SD_BUS_PARAM(action) SD_BUS_PARAM(when) SD_BUS_PARAM(warn), "",
                                 "", &ControlBus::Arm, SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_METHOD("Cancel", "", "", &ControlBus::Cancel, SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_METHOD_WITH_NAMES("Status", "", "", "bsxx",
                                 SD_BUS_PARAM(armed) SD_BUS_PARAM(action) SD_BUS_PARAM(target)
                                     SD_BUS_PARAM(seconds_left),
                                 &ControlBus::Status, SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_SIGNAL("Changed", "", 0),
        SD_BUS_VTABLE_END,
    };
    if (!bus_.Open()) {
        return;
    }
    sd_bus* bus = bus_.Get();
    if (sd_bus_add_object_vtable(bus, &object_, kControlBusPath, kControlBusInterface, vtable, this) < 0) {
        object_ = nullptr;
        return;
    }
    // Asked without waiting: the answer comes through the event loop like any other message.
    if (sd_bus_request_name_async(bus, &name_, kControlBusName, 0, &ControlBus::NameReply, this) < 0) {
        name_ = nullptr;
    }
}

ControlBus::~ControlBus() {
    sd_bus_slot_unref(name_);
    sd_bus_slot_unref(object_);
}

void ControlBus::EmitChanged() {
    if (object_ == nullptr) {
        return;
    }
    sd_bus_emit_signal(bus_.Get(), kControlBusPath, kControlBusInterface, "Changed", "");
    // Inside a method call the bus is being processed already and sends the signal with the
    // reply; a flush from there would process it again.
    if (!handling_) {
        bus_.Flush();
    }
}

platform::ControlReply ControlBus::Call(const platform::ControlRequest& request) {
    handling_ = true;
    try {
        platform::ControlReply reply = listener_.Handle(request);
        handling_ = false;
        return reply;
    } catch (...) {
        handling_ = false;
        platform::ControlReply failed;
        failed.code = platform::kControlFailed;
        failed.text = "the request failed";
        return failed;
    }
}

int ControlBus::Arm(sd_bus_message* message, void* userdata, sd_bus_error* error) {
    const char* action = nullptr;
    const char* when = nullptr;
    int warn = 0;
    const int read = sd_bus_message_read(message, "ssb", &action, &when, &warn);
    if (read < 0) {
        return read;
    }
    platform::ControlRequest request;
    request.command = platform::ControlCommand::Arm;
    request.action = action;
    request.when = when;
    request.warn = warn != 0;
    return ReplyOf(message, Self(userdata).Call(request), error);
}

int ControlBus::Cancel(sd_bus_message* message, void* userdata, sd_bus_error* error) {
    platform::ControlRequest request;
    request.command = platform::ControlCommand::Cancel;
    return ReplyOf(message, Self(userdata).Call(request), error);
}

int ControlBus::Status(sd_bus_message* message, void* userdata, sd_bus_error* error) {
    const platform::ControlReply reply = Self(userdata).Call(platform::ControlRequest{});
    if (reply.code != platform::kControlDone && reply.code != platform::kControlNoTask) {
        return ReplyOf(message, reply, error);
    }
    const platform::ControlStatus& status = reply.status;
    const std::int64_t target = status.armed ? std::llround(RealtimeSeconds() + status.secondsLeft) : 0;
    const std::int64_t left = status.armed ? std::int64_t(status.secondsLeft) : 0;
    return sd_bus_reply_method_return(message, "bsxx", int(status.armed), ValidUtf8(status.action).c_str(),
                                      target, left);
}

int ControlBus::NameReply(sd_bus_message* message, void*, sd_bus_error*) {
    const sd_bus_error* failure = sd_bus_message_get_error(message);
    if (failure != nullptr) {
        std::fprintf(stderr, "vesperon: the session bus name %s is not ours: %s\n", kControlBusName,
                     failure->message != nullptr ? failure->message : failure->name);
    }
    return 0;
}

} // namespace platform::linuxdesktop
