#include "platform/headless/HeadlessNotifyShell.h"

#include <algorithm>

namespace platform::headless {

HeadlessNotifyShell::Icon* HeadlessNotifyShell::Find(const platform::NotifyIconData& data) {
    auto found = std::find_if(icons_.begin(), icons_.end(), [&data](const Icon& icon) {
        return icon.window == data.hWnd && icon.id == data.uID;
    });
    return found != icons_.end() ? &*found : nullptr;
}

bool HeadlessNotifyShell::NotifyIcon(unsigned message, const platform::NotifyIconData& data) {
    RecordedNotifyCall call{message,
                            data.cbSize,
                            data.hWnd,
                            data.uID,
                            data.uFlags,
                            data.uCallbackMessage,
                            platform::NotifyTipText(data),
                            data.hIcon.width,
                            0};
    if (data.hIcon.pixels != nullptr && data.hIcon.width > 0 && data.hIcon.height > 0) {
        call.iconPixel = data.hIcon.pixels[0];
    }
    calls.push_back(call);

    Icon* icon = Find(data);
    switch (message) {
    case platform::NIM_ADD:
        if (!hostPresent || icon != nullptr) {
            return false;
        }
        icons_.push_back(Icon{data.hWnd, data.uID, data.uCallbackMessage, call.tip});
        return true;
    case platform::NIM_MODIFY:
        if (icon == nullptr) {
            return false;
        }
        icon->callbackMessage = data.uCallbackMessage;
        icon->tip = call.tip;
        return true;
    case platform::NIM_DELETE:
        if (icon == nullptr) {
            return false;
        }
        icons_.erase(icons_.begin() + (icon - icons_.data()));
        return true;
    default:
        return false;
    }
}

void HeadlessNotifyShell::AddListener(platform::INotifySink& sink) {
    if (std::find(listeners_.begin(), listeners_.end(), &sink) == listeners_.end()) {
        listeners_.push_back(&sink);
    }
}

void HeadlessNotifyShell::RemoveListener(platform::INotifySink& sink) {
    std::erase(listeners_, &sink);
}

std::size_t HeadlessNotifyShell::CountOf(unsigned message) const {
    return std::size_t(std::count_if(calls.begin(), calls.end(), [message](const RecordedNotifyCall& call) {
        return call.message == message;
    }));
}

void HeadlessNotifyShell::Mouse(unsigned mouseMessage) {
    if (icons_.empty()) {
        return;
    }
    const Icon& icon = icons_.front();
    icon.window->PostCallback(icon.callbackMessage, icon.id, mouseMessage);
}

void HeadlessNotifyShell::DoubleClickLeft() {
    constexpr unsigned kLeftDown = 0x201;
    constexpr unsigned kLeftUp = 0x202;
    constexpr unsigned kLeftDouble = 0x203;
    for (unsigned mouseMessage : {kLeftDown, kLeftUp, kLeftDouble, kLeftUp}) {
        Mouse(mouseMessage);
    }
}

void HeadlessNotifyShell::RestartHost(bool comesBack) {
    icons_.clear();
    hostPresent = comesBack;
    if (!comesBack) {
        return;
    }
    for (platform::INotifySink* sink : std::vector<platform::INotifySink*>(listeners_)) {
        sink->PostTaskbarCreated();
    }
}

} // namespace platform::headless
