// Small stand-ins for org.freedesktop.login1 and the desktops' session managers, each
// serving its own connection to the private test bus on its own thread and writing every
// call it receives to a shared call log.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <systemd/sd-bus.h>
#include <thread>
#include <vector>

namespace powertest {

class CallLog {
public:
    void Add(std::string call);
    std::vector<std::string> Calls() const;

private:
    mutable std::mutex mutex_;
    std::vector<std::string> calls_;
};

// One service name on the bus with its objects, served until destruction.
class FakeService {
public:
    struct Object {
        const char* path;
        const char* interface;
        const sd_bus_vtable* vtable;
    };
    // Connects, exports the objects (userdata = the given pointer) and takes the name;
    // Ready() tells whether all of it worked.
    FakeService(const std::string& address, const char* name, std::vector<Object> objects, void* userdata);
    FakeService(const FakeService&) = delete;
    FakeService& operator=(const FakeService&) = delete;
    ~FakeService();

    bool Ready() const { return ready_; }

private:
    void Serve(const std::string& address, const char* name, std::vector<Object> objects, void* userdata);

    std::thread thread_;
    std::atomic<bool> stop_{false};
    bool ready_ = false;
};

struct FakeLogindOptions {
    std::string canAnswer = "yes";   // the answer of every Can... query
    bool refuseFlaggedCalls = false; // ...WithFlags answers InvalidArgs, as older logind does
    // Every answer waits until ReleaseAnswers(), as while an authorisation prompt is open
    // (at most kHeldAnswerMs, so that a caller that waits for it is not stuck forever).
    bool holdAnswers = false;
};

inline constexpr int kHeldAnswerMs = 3000;

// org.freedesktop.login1 with the calls the power backend makes. The caller's session is
// "c7".
class FakeLogind {
public:
    FakeLogind(const std::string& address, CallLog& log, FakeLogindOptions options = {});
    ~FakeLogind();
    bool Ready() const { return service_.Ready(); }
    void ReleaseAnswers();
    // Waits, on the service's thread, until the answers are released.
    void WaitForRelease();

    CallLog& log;
    const FakeLogindOptions options;

private:
    std::mutex mutex_;
    std::condition_variable released_;
    bool releasedAnswers_ = false;
    FakeService service_;
};

enum class DesktopKind { Gnome, KdeShutdown, Xfce };

// A desktop session manager that takes (or, refusing, answers an error to) the log-out.
class FakeSessionManager {
public:
    FakeSessionManager(const std::string& address, DesktopKind kind, CallLog& log, bool refuse = false);
    bool Ready() const { return service_.Ready(); }

    CallLog& log;
    const bool refuse;

private:
    FakeService service_;
};

} // namespace powertest
