// The control channel of a Linux session: the Unix-domain socket beside the single-instance
// lock for the command line, and the session bus name for desktop tools when a bus exists.
#pragma once

#include "platform/ControlChannel.h"
#include "platform/WindowSystem.h"
#include "platform/linuxdesktop/LinuxSessionLock.h"

#include <memory>
#include <string>
#include <string_view>

namespace platform::linuxdesktop {

class ControlSocketServer;
class ControlBus;

class LinuxControlChannel : public platform::IControlChannel {
public:
    // Listens through the given event loop (none: only sends) in the lock's folder.
    explicit LinuxControlChannel(platform::IWindowSystem* loop, std::string folder = DefaultLockFolder());
    ~LinuxControlChannel() override;
    LinuxControlChannel(const LinuxControlChannel&) = delete;
    LinuxControlChannel& operator=(const LinuxControlChannel&) = delete;

    // True when the socket listens; the bus is offered besides when there is one.
    bool Listen(platform::IControlListener* listener) override;
    void TaskChanged() override;
    std::optional<platform::ControlReply> Send(const platform::ControlRequest& request) override;

    std::string SocketPath() const;

private:
    std::string HandleLine(std::string_view line);

    platform::IWindowSystem* loop_;
    std::string folder_;
    platform::IControlListener* listener_ = nullptr;
    std::unique_ptr<ControlSocketServer> socket_;
    std::unique_ptr<ControlBus> bus_;
    std::shared_ptr<int> alive_ = std::make_shared<int>(); // work waiting for the idle loop checks it
};

} // namespace platform::linuxdesktop
