// The services that talk to the session bus, opened once the program has drawn its first frame
// and is idle, so that connecting and registering do not delay the window.
#pragma once

#include "platform/NotifyShell.h"
#include "platform/SessionEnd.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <utility>
#include <vector>

namespace platform::linuxdesktop {

// Until it is opened the notification area accepts every icon and forgets it. Opening it opens
// the real shell, and every window whose icon was accepted hears "TaskbarCreated" and adds the
// icon again there, in its present state; an add the real shell refuses then reaches the window
// as a refusal. The loop opens it before it handles any input, so no window goes to a tray that
// is not there.
class DeferredNotifyShell : public INotifyShell {
public:
    using Opener = std::function<std::unique_ptr<INotifyShell>()>;

    // `shellVersion`: what the real shell will report.
    DeferredNotifyShell(unsigned shellVersion, Opener open);
    void Open();
    bool Opened() const { return shell_ != nullptr; }

    unsigned ShellVersion() override;
    bool NotifyIcon(unsigned message, const NotifyIconData& data) override;
    // Opens the real shell to answer.
    bool HostPresent() override;
    void AddListener(INotifySink& sink) override;
    void RemoveListener(INotifySink& sink) override;

private:
    unsigned shellVersion_;
    Opener open_;
    std::unique_ptr<INotifyShell> shell_;
    std::vector<INotifySink*> listeners_;
    std::set<std::pair<INotifySink*, std::uintptr_t>> accepted_;
};

// Until it is opened the end-of-session query only keeps its sink.
class DeferredSessionEnd : public ISessionEnd {
public:
    using Opener = std::function<std::unique_ptr<ISessionEnd>()>;

    explicit DeferredSessionEnd(Opener open);
    void Open();
    bool Opened() const { return query_ != nullptr; }

    void SetSink(ISessionEndSink* sink) override;

private:
    Opener open_;
    std::unique_ptr<ISessionEnd> query_;
    ISessionEndSink* sink_ = nullptr;
};

} // namespace platform::linuxdesktop
