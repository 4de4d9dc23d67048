#include "power/FakeServices.h"

#include "support/PrivateBus.h"

#include <chrono>
#include <future>
#include <string>
#include <unistd.h>

namespace powertest {

void CallLog::Add(std::string call) {
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back(std::move(call));
}

std::vector<std::string> CallLog::Calls() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return calls_;
}

FakeService::FakeService(const std::string& address, const char* name, std::vector<Object> objects,
                         void* userdata) {
    std::promise<bool> started;
    std::future<bool> result = started.get_future();
    thread_ = std::thread([this, address, name, objects, userdata, &started] {
        const testbus::Connection connection(address);
        sd_bus* bus = connection.Get();
        bool ok = bus != nullptr;
        for (const Object& object : objects) {
            ok = ok && sd_bus_add_object_vtable(bus, nullptr, object.path, object.interface, object.vtable,
                                                userdata) >= 0;
        }
        ok = ok && sd_bus_request_name(bus, name, 0) >= 0;
        started.set_value(ok);
        while (ok && !stop_) {
            const int r = sd_bus_process(bus, nullptr);
            if (r < 0) {
                break;
            }
            if (r == 0) {
                sd_bus_wait(bus, 20000);
            }
        }
    });
    ready_ = result.get();
}

FakeService::~FakeService() {
    stop_ = true;
    thread_.join();
}

namespace {

const char* BoolText(int value) {
    return value != 0 ? "true" : "false";
}

FakeLogind& Logind(void* userdata) {
    return *static_cast<FakeLogind*>(userdata);
}

// Logs the call and, when told to, waits before the answer.
void Received(void* userdata, std::string call) {
    Logind(userdata).log.Add(std::move(call));
    Logind(userdata).WaitForRelease();
}

int CanQuery(sd_bus_message* m, void* userdata, sd_bus_error*) {
    Received(userdata, std::string(sd_bus_message_get_member(m)) + "()");
    return sd_bus_reply_method_return(m, "s", Logind(userdata).options.canAnswer.c_str());
}

int InteractiveAction(sd_bus_message* m, void* userdata, sd_bus_error*) {
    int interactive = 0;
    const int r = sd_bus_message_read(m, "b", &interactive);
    if (r < 0) {
        return r;
    }
    Received(userdata, std::string(sd_bus_message_get_member(m)) + "(" + BoolText(interactive) + ")");
    return sd_bus_reply_method_return(m, "");
}

int FlaggedAction(sd_bus_message* m, void* userdata, sd_bus_error* error) {
    std::uint64_t flags = 0;
    const int r = sd_bus_message_read(m, "t", &flags);
    if (r < 0) {
        return r;
    }
    Logind(userdata).log.Add(std::string(sd_bus_message_get_member(m)) + "(" + std::to_string(flags) + ")");
    if (Logind(userdata).options.refuseFlaggedCalls) {
        return sd_bus_error_set(error, SD_BUS_ERROR_INVALID_ARGS, "Invalid flags parameter");
    }
    return sd_bus_reply_method_return(m, "");
}

int GetSessionByPID(sd_bus_message* m, void* userdata, sd_bus_error*) {
    std::uint32_t pid = 0;
    const int r = sd_bus_message_read(m, "u", &pid);
    if (r < 0) {
        return r;
    }
    Logind(userdata).log.Add(pid == std::uint32_t(getpid()) ? "GetSessionByPID(own pid)"
                                                            : "GetSessionByPID(" + std::to_string(pid) + ")");
    return sd_bus_reply_method_return(m, "o", "/org/freedesktop/login1/session/c7");
}

int TerminateSession(sd_bus_message* m, void* userdata, sd_bus_error*) {
    const char* id = nullptr;
    const int r = sd_bus_message_read(m, "s", &id);
    if (r < 0) {
        return r;
    }
    Logind(userdata).log.Add(std::string("TerminateSession(") + id + ")");
    return sd_bus_reply_method_return(m, "");
}

int SessionId(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*, sd_bus_error*) {
    return sd_bus_message_append(reply, "s", "c7");
}

const sd_bus_vtable kManagerVtable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_METHOD("CanPowerOff", "", "s", CanQuery, 0),
    SD_BUS_METHOD("CanReboot", "", "s", CanQuery, 0),
    SD_BUS_METHOD("CanSuspend", "", "s", CanQuery, 0),
    SD_BUS_METHOD("CanHibernate", "", "s", CanQuery, 0),
    SD_BUS_METHOD("PowerOff", "b", "", InteractiveAction, 0),
    SD_BUS_METHOD("Reboot", "b", "", InteractiveAction, 0),
    SD_BUS_METHOD("Suspend", "b", "", InteractiveAction, 0),
    SD_BUS_METHOD("Hibernate", "b", "", InteractiveAction, 0),
    SD_BUS_METHOD("PowerOffWithFlags", "t", "", FlaggedAction, 0),
    SD_BUS_METHOD("RebootWithFlags", "t", "", FlaggedAction, 0),
    SD_BUS_METHOD("GetSessionByPID", "u", "o", GetSessionByPID, 0),
    SD_BUS_METHOD("TerminateSession", "s", "", TerminateSession, 0),
    SD_BUS_VTABLE_END,
};

const sd_bus_vtable kSessionVtable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_PROPERTY("Id", "s", SessionId, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_VTABLE_END,
};

FakeSessionManager& Manager(void* userdata) {
    return *static_cast<FakeSessionManager*>(userdata);
}

// Logs "<interface>.<method>(<arguments>)" and answers as the manager was told to.
int LogOut(sd_bus_message* m, const std::string& arguments, void* userdata, sd_bus_error* error) {
    Manager(userdata).log.Add(std::string(sd_bus_message_get_interface(m)) + "." +
                              sd_bus_message_get_member(m) + "(" + arguments + ")");
    if (Manager(userdata).refuse) {
        return sd_bus_error_set(error, SD_BUS_ERROR_ACCESS_DENIED, "Logout inhibited");
    }
    return sd_bus_reply_method_return(m, "");
}

int GnomeLogout(sd_bus_message* m, void* userdata, sd_bus_error* error) {
    std::uint32_t mode = 0;
    const int r = sd_bus_message_read(m, "u", &mode);
    return r < 0 ? r : LogOut(m, std::to_string(mode), userdata, error);
}

int KdeLogout(sd_bus_message* m, void* userdata, sd_bus_error* error) {
    return LogOut(m, "", userdata, error);
}

int XfceLogout(sd_bus_message* m, void* userdata, sd_bus_error* error) {
    int showDialog = 0;
    int allowSave = 0;
    const int r = sd_bus_message_read(m, "bb", &showDialog, &allowSave);
    return r < 0 ? r
                 : LogOut(m, std::string(BoolText(showDialog)) + ", " + BoolText(allowSave), userdata, error);
}

const sd_bus_vtable kGnomeVtable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_METHOD("Logout", "u", "", GnomeLogout, 0),
    SD_BUS_VTABLE_END,
};

const sd_bus_vtable kKdeVtable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_METHOD("logout", "", "", KdeLogout, 0),
    SD_BUS_VTABLE_END,
};

const sd_bus_vtable kXfceVtable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_METHOD("Logout", "bb", "", XfceLogout, 0),
    SD_BUS_VTABLE_END,
};

const char* ServiceName(DesktopKind kind) {
    switch (kind) {
    case DesktopKind::Gnome:
        return "org.gnome.SessionManager";
    case DesktopKind::KdeShutdown:
        return "org.kde.Shutdown";
    case DesktopKind::Xfce:
        return "org.xfce.SessionManager";
    }
    return "";
}

FakeService::Object ManagerObject(DesktopKind kind) {
    switch (kind) {
    case DesktopKind::Gnome:
        return {"/org/gnome/SessionManager", "org.gnome.SessionManager", kGnomeVtable};
    case DesktopKind::KdeShutdown:
        return {"/Shutdown", "org.kde.Shutdown", kKdeVtable};
    case DesktopKind::Xfce:
        return {"/org/xfce/SessionManager", "org.xfce.Session.Manager", kXfceVtable};
    }
    return {};
}

} // namespace

FakeLogind::~FakeLogind() {
    ReleaseAnswers();
}

void FakeLogind::ReleaseAnswers() {
    const std::lock_guard<std::mutex> lock(mutex_);
    releasedAnswers_ = true;
    released_.notify_all();
}

void FakeLogind::WaitForRelease() {
    if (!options.holdAnswers) {
        return;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    released_.wait_for(lock, std::chrono::milliseconds(kHeldAnswerMs), [this] { return releasedAnswers_; });
}

FakeLogind::FakeLogind(const std::string& address, CallLog& callLog, FakeLogindOptions fakeOptions)
    : log(callLog), options(std::move(fakeOptions)),
      service_(address, "org.freedesktop.login1",
               {{"/org/freedesktop/login1", "org.freedesktop.login1.Manager", kManagerVtable},
                {"/org/freedesktop/login1/session/c7", "org.freedesktop.login1.Session", kSessionVtable}},
               this) {}

FakeSessionManager::FakeSessionManager(const std::string& address, DesktopKind kind, CallLog& callLog,
                                       bool refuses)
    : log(callLog), refuse(refuses), service_(address, ServiceName(kind), {ManagerObject(kind)}, this) {}

} // namespace powertest
