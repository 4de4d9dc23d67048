#include "platform/linuxdesktop/DeferredBusServices.h"

#include <algorithm>

namespace platform::linuxdesktop {

DeferredNotifyShell::DeferredNotifyShell(unsigned shellVersion, Opener open)
    : shellVersion_(shellVersion), open_(std::move(open)) {}

void DeferredNotifyShell::Open() {
    if (shell_ != nullptr) {
        return;
    }
    shell_ = open_();
    if (shell_ == nullptr) {
        return;
    }
    for (INotifySink* listener : listeners_) {
        shell_->AddListener(*listener);
    }
    std::set<INotifySink*> withIcons;
    for (const auto& [window, id] : std::exchange(accepted_, {})) {
        withIcons.insert(window);
    }
    for (INotifySink* listener : listeners_) {
        if (withIcons.count(listener) != 0) {
            listener->PostTaskbarCreated();
        }
    }
}

unsigned DeferredNotifyShell::ShellVersion() {
    return shell_ != nullptr ? shell_->ShellVersion() : shellVersion_;
}

bool DeferredNotifyShell::NotifyIcon(unsigned message, const NotifyIconData& data) {
    if (shell_ != nullptr) {
        return shell_->NotifyIcon(message, data);
    }
    const std::pair<INotifySink*, std::uintptr_t> key{data.hWnd, data.uID};
    switch (message) {
    case NIM_ADD:
        return accepted_.insert(key).second;
    case NIM_MODIFY:
        return accepted_.count(key) != 0;
    case NIM_DELETE:
        return accepted_.erase(key) != 0;
    default:
        return false;
    }
}

bool DeferredNotifyShell::HostPresent() {
    Open();
    return shell_ != nullptr && shell_->HostPresent();
}

void DeferredNotifyShell::AddListener(INotifySink& sink) {
    if (std::find(listeners_.begin(), listeners_.end(), &sink) == listeners_.end()) {
        listeners_.push_back(&sink);
    }
    if (shell_ != nullptr) {
        shell_->AddListener(sink);
    }
}

void DeferredNotifyShell::RemoveListener(INotifySink& sink) {
    std::erase(listeners_, &sink);
    std::erase_if(accepted_, [&sink](const auto& key) { return key.first == &sink; });
    if (shell_ != nullptr) {
        shell_->RemoveListener(sink);
    }
}

DeferredSessionEnd::DeferredSessionEnd(Opener open) : open_(std::move(open)) {}

void DeferredSessionEnd::Open() {
    if (query_ != nullptr) {
        return;
    }
    query_ = open_();
    if (query_ != nullptr && sink_ != nullptr) {
        query_->SetSink(sink_);
    }
}

void DeferredSessionEnd::SetSink(ISessionEndSink* sink) {
    sink_ = sink;
    if (query_ != nullptr) {
        query_->SetSink(sink);
    }
}

} // namespace platform::linuxdesktop
