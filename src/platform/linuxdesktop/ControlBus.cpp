#include "platform/linuxdesktop/ControlBus.h"

#include "platform/dbus/ValidUtf8.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace platform::linuxdesktop {

namespace {

constexpr const char* kNoTaskError = "org.vesperon.Timer.Error.NoTask";
constexpr const char* kRefusedError = "org.vesperon.Timer.Error.Refused";
constexpr const char* kFailedError = "org.vesperon.Timer.Error.Failed";

dbus::TMessage ReplyOf(const dbus::TMessage& call, const platform::ControlReply& reply) {
    if (reply.code == platform::kControlDone) {
        return dbus::MethodReturn(call);
    }
    const char* name = reply.code == platform::kControlNoTask    ? kNoTaskError
                       : reply.code == platform::kControlRefused ? kRefusedError
                                                                 : kFailedError;
    return dbus::ErrorReply(call, name, dbus::ValidUtf8(reply.text));
}

double RealtimeSeconds() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

} // namespace

ControlBus::ControlBus(platform::IWindowSystem* loop, platform::IControlListener& listener)
    : listener_(listener), bus_(TBusKind::Session, loop) {
    if (!bus_.Open()) {
        return;
    }
    dbus::TInterface object{kControlBusInterface, {}, {}, {{"Changed", ""}}};
    object.methods.push_back({"Arm", "ssb", "", "action when warn", "", [this](const dbus::TMessage& call) {
                                  return Arm(call);
                              }});
    object.methods.push_back({"Cancel", "", "", "", "", [this](const dbus::TMessage& call) {
                                  return Cancel(call);
                              }});
    object.methods.push_back(
        {"Status", "", "bsxx", "", "armed action target seconds_left", [this](const dbus::TMessage& call) {
             return Status(call);
         }});
    bus_.Get()->AddObject(kControlBusPath, std::move(object));
    connected_ = true;
    // Asked without waiting: the answer comes through the event loop like any other message.
    bus_.Call(
        kBusDaemon, "RequestName", TStart::Service, TWait::Query,
        [](TBusReply& reply) {
            if (!reply.Ok()) {
                std::fprintf(stderr, "vesperon: the session bus name %s is not ours: %s\n", kControlBusName,
                             reply.ErrorMessage().empty() ? reply.ErrorName().c_str()
                                                          : reply.ErrorMessage().c_str());
            }
        },
        dbus::TWriter().String(kControlBusName).Uint32(dbus::kNameDoNotQueue));
}

ControlBus::~ControlBus() {
    if (dbus::TConnection* bus = bus_.Get()) {
        bus->RemoveObject(kControlBusPath);
    }
}

void ControlBus::EmitChanged() {
    dbus::TConnection* bus = bus_.Get();
    if (!connected_ || bus == nullptr) {
        return;
    }
    bus->EmitSignal(kControlBusPath, kControlBusInterface, "Changed");
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

dbus::TMessage ControlBus::Arm(const dbus::TMessage& call) {
    dbus::TReader arguments = call.Read();
    platform::ControlRequest request;
    request.command = platform::ControlCommand::Arm;
    request.action = arguments.String().value_or("");
    request.when = arguments.String().value_or("");
    request.warn = arguments.Bool().value_or(false);
    return ReplyOf(call, Call(request));
}

dbus::TMessage ControlBus::Cancel(const dbus::TMessage& call) {
    platform::ControlRequest request;
    request.command = platform::ControlCommand::Cancel;
    return ReplyOf(call, Call(request));
}

dbus::TMessage ControlBus::Status(const dbus::TMessage& call) {
    const platform::ControlReply reply = Call(platform::ControlRequest{});
    if (reply.code != platform::kControlDone && reply.code != platform::kControlNoTask) {
        return ReplyOf(call, reply);
    }
    const platform::ControlStatus& status = reply.status;
    const std::int64_t target = status.armed ? std::llround(RealtimeSeconds() + status.secondsLeft) : 0;
    const std::int64_t left = status.armed ? std::int64_t(status.secondsLeft) : 0;
    dbus::TMessage answer = dbus::MethodReturn(call);
    answer.SetBody(
        dbus::TWriter().Bool(status.armed).String(dbus::ValidUtf8(status.action)).Int64(target).Int64(left));
    return answer;
}

} // namespace platform::linuxdesktop
