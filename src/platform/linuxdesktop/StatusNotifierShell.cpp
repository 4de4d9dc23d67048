#include "platform/linuxdesktop/StatusNotifierShell.h"

#include "platform/Geometry.h"
#include "platform/NotifyShell.h"
#include "platform/WindowSystem.h"

#include <algorithm>

namespace platform::linuxdesktop {

StatusNotifierShell::StatusNotifierShell(platform::IWindowSystem* loop, platform::INotifyShell* fallback)
    : loop_(loop), fallback_(fallback), bus_(TBusKind::Session, loop) {
    if (fallback_ != nullptr) {
        fallback_->AddListener(*this);
    }
    if (!bus_.Open()) {
        return;
    }
    dbus::TConnection* bus = bus_.Get();
    match_ = bus->AddMatch({kBusDaemon.service, kBusDaemon.path, kBusDaemon.interface, "NameOwnerChanged"},
                           [this](const dbus::TMessage& signal) { OwnerChanged(signal); });
    dbus::TMessage hasOwner =
        dbus::MethodCall(kBusDaemon.service, kBusDaemon.path, kBusDaemon.interface, "NameHasOwner");
    hasOwner.SetBody(dbus::TWriter().String(kWatcherName));
    const dbus::TMessage reply = bus->Call(std::move(hasOwner), dbus::DefaultCallTimeoutUsec());
    if (reply.type == dbus::TMessageType::MethodReturn) {
        watcherPresent_ = reply.Read().Bool().value_or(false);
    }
    bus_.Flush();
}

StatusNotifierShell::~StatusNotifierShell() {
    items_.clear();
    if (dbus::TConnection* bus = bus_.Get(); bus != nullptr && match_ != 0) {
        bus->RemoveMatch(match_);
    }
    if (fallback_ != nullptr) {
        fallback_->RemoveListener(*this);
    }
}

unsigned StatusNotifierShell::ShellVersion() {
    return kVersion;
}

bool StatusNotifierShell::HostPresent() {
    return watcherPresent_ || (fallback_ != nullptr && fallback_->HostPresent());
}

std::string StatusNotifierShell::ItemName(const platform::INotifySink* window, std::uintptr_t id) const {
    const auto found = items_.find(Key{window, id});
    return found != items_.end() ? found->second->BusName() : std::string();
}

bool StatusNotifierShell::Add(const platform::NotifyIconData& data) {
    if (watcherPresent_) {
        auto item = std::make_unique<StatusNotifierItem>(loop_, data, ++serial_);
        if (!item->Start()) {
            return false;
        }
        items_[Key{data.hWnd, data.uID}] = std::move(item);
        return true;
    }
    if (fallback_ == nullptr || !fallback_->NotifyIcon(platform::NIM_ADD, data)) {
        return false;
    }
    platform::NotifyIconData kept = data;
    kept.hIcon = platform::PixelView{};
    fallbackIcons_[Key{data.hWnd, data.uID}] = kept;
    return true;
}

bool StatusNotifierShell::NotifyIcon(unsigned message, const platform::NotifyIconData& data) {
    const Key key{data.hWnd, data.uID};
    const auto item = items_.find(key);
    const auto inFallback = fallbackIcons_.find(key);
    const bool known = item != items_.end() || inFallback != fallbackIcons_.end();
    switch (message) {
    case platform::NIM_ADD:
        return !known && Add(data);
    case platform::NIM_MODIFY:
        if (item != items_.end()) {
            item->second->Update(data);
            return true;
        }
        return inFallback != fallbackIcons_.end() && fallback_->NotifyIcon(message, data);
    case platform::NIM_DELETE:
        if (item != items_.end()) {
            items_.erase(item);
            return true;
        }
        if (inFallback != fallbackIcons_.end()) {
            fallbackIcons_.erase(inFallback);
            return fallback_->NotifyIcon(message, data);
        }
        return false;
    default:
        return false;
    }
}

void StatusNotifierShell::AddListener(platform::INotifySink& sink) {
    if (std::find(listeners_.begin(), listeners_.end(), &sink) == listeners_.end()) {
        listeners_.push_back(&sink);
    }
}

void StatusNotifierShell::RemoveListener(platform::INotifySink& sink) {
    std::erase(listeners_, &sink);
}

void StatusNotifierShell::TellListeners() {
    for (platform::INotifySink* sink : std::vector<platform::INotifySink*>(listeners_)) {
        sink->PostTaskbarCreated();
    }
}

void StatusNotifierShell::OwnerChanged(const dbus::TMessage& signal) {
    dbus::TReader arguments = signal.Read();
    const std::optional<std::string> name = arguments.String();
    const std::optional<std::string> oldOwner = arguments.String();
    const std::optional<std::string> newOwner = arguments.String();
    if (name && oldOwner && newOwner && *name == kWatcherName) {
        WatcherChanged(!newOwner->empty());
    }
}

// A new watcher knows none of the items, a vanished one takes them with it: drop them, and
// let every window add its icon again wherever a host is now.
void StatusNotifierShell::WatcherChanged(bool present) {
    watcherPresent_ = present;
    items_.clear();
    if (present && fallback_ != nullptr) {
        for (const auto& [key, record] : fallbackIcons_) {
            fallback_->NotifyIcon(platform::NIM_DELETE, record);
        }
    }
    fallbackIcons_.clear();
    if (HostPresent()) {
        TellListeners();
    }
}

void StatusNotifierShell::PostTaskbarCreated() {
    if (!watcherPresent_) {
        fallbackIcons_.clear();
        TellListeners();
    }
}

void StatusNotifierShell::PostCallback(unsigned /*message*/, std::uintptr_t /*id*/,
                                       unsigned /*mouseMessage*/) {}

void StatusNotifierShell::ShowTip(platform::Point /*screen*/, const std::string& /*text*/) {}

void StatusNotifierShell::HideTip() {}

} // namespace platform::linuxdesktop
