// The control socket beside the lock, served by an event loop of the test: private, one
// request line per connection, refusals that cost the loop nothing, stale sockets replaced;
// and the Linux control channel that reads and answers request lines through it.
#include "platform/linuxdesktop/ControlSocket.h"

#include "platform/controlline/ControlLine.h"
#include "platform/headless/HeadlessClock.h"
#include "platform/linuxdesktop/LinuxControlChannel.h"
#include "support/BusServingLoop.h"
#include "support/ControlRequests.h"
#include "support/RecordingControlListener.h"
#include "support/TemporaryFolder.h"

#include <chrono>
#include <filesystem>
#include <future>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using platform::linuxdesktop::ControlExchange;
using platform::linuxdesktop::ControlSocketServer;
using platform::linuxdesktop::ExchangeControlLine;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

constexpr int kNobody = 65534;

// The test's event loop, keeping the descriptors watched through it.
class WatchCountingLoop : public BusServingLoop {
public:
    using BusServingLoop::BusServingLoop;
    void WatchFd(int fd, bool readable, bool writable, FdCallback onReady) override {
        watched.insert(fd);
        BusServingLoop::WatchFd(fd, readable, writable, std::move(onReady));
    }
    void UnwatchFd(int fd) override {
        watched.erase(fd);
        BusServingLoop::UnwatchFd(fd);
    }
    std::set<int> watched;
};

class ControlSocketTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (int fd : raw) {
            close(fd);
        }
        server.reset();
    }

    // A server that answers every line with "0 got LINE".
    bool OpenServer(std::int64_t readTimeoutMs = 2000) {
        server = MakeServer(readTimeoutMs);
        return server->Open();
    }
    std::unique_ptr<ControlSocketServer> MakeServer(std::int64_t readTimeoutMs = 2000) {
        auto made = std::make_unique<ControlSocketServer>(
            loop, path,
            [this](std::string_view line) {
                lines.emplace_back(line);
                return "0 got " + std::string(line) + "\n";
            },
            readTimeoutMs);
        made->SetLog([this](const std::string& message) { log.push_back(message); });
        return made;
    }

    // Sends from another thread while the loop serves.
    ControlExchange Exchange(const std::string& request) {
        auto sent = std::async(std::launch::async,
                               [this, request] { return ExchangeControlLine(path, request, 3000); });
        loop.RunUntil([&] { return sent.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
        return sent.get();
    }

    // A connection of the test's own, with the bytes sent; closed at the end of the test.
    int RawConnection(const std::string& bytes = "") {
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        path.copy(address.sun_path, sizeof address.sun_path - 1);
        EXPECT_EQ(connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        if (!bytes.empty()) {
            EXPECT_EQ(send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL), ssize_t(bytes.size()));
        }
        raw.push_back(fd);
        return fd;
    }
    // The server has closed the connection (after writing what the returned text holds).
    bool ClosedByServer(int fd, std::string* written = nullptr) {
        std::string received;
        const bool closed = loop.RunUntil([&] {
            char buffer[512];
            const ssize_t count = recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
            if (count > 0) {
                received.append(buffer, std::size_t(count));
            }
            return count == 0;
        });
        if (written != nullptr) {
            *written = received;
        }
        return closed;
    }
    // A socket file at the path that nobody listens on, as a killed copy leaves it.
    void LeaveStaleSocket() {
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        path.copy(address.sun_path, sizeof address.sun_path - 1);
        ASSERT_EQ(bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        close(fd);
    }

    TemporaryFolder temporary;
    const std::string& folder = temporary.Root();
    const std::string path = temporary.Path("Vesperon.sock");
    platform::headless::HeadlessClock clock;
    WatchCountingLoop loop{clock};
    std::unique_ptr<ControlSocketServer> server;
    std::vector<std::string> lines;
    std::vector<std::string> log;
    std::vector<int> raw;
};

} // namespace

TEST_F(ControlSocketTest, ARequestLineIsAnsweredOnAPrivateSocket) {
    ASSERT_TRUE(OpenServer());
    struct stat info {};
    ASSERT_EQ(lstat(path.c_str(), &info), 0);
    EXPECT_TRUE(S_ISSOCK(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    const ControlExchange exchange = Exchange("status\n");
    EXPECT_TRUE(exchange.listening);
    EXPECT_EQ(exchange.reply, "0 got status");
    EXPECT_THAT(lines, ElementsAre("status"));
    EXPECT_THAT(log, IsEmpty());
}

TEST_F(ControlSocketTest, WithoutACopyNothingListens) {
    EXPECT_FALSE(Exchange("status\n").listening);
    LeaveStaleSocket();
    EXPECT_FALSE(Exchange("status\n").listening);
}

TEST_F(ControlSocketTest, AStaleSocketLeftByAKilledCopyIsReplaced) {
    LeaveStaleSocket();
    ASSERT_TRUE(OpenServer());
    EXPECT_EQ(Exchange("cancel\n").reply, "0 got cancel");
}

TEST_F(ControlSocketTest, ASocketAnotherCopyListensOnIsLeftToIt) {
    ASSERT_TRUE(OpenServer());
    std::unique_ptr<ControlSocketServer> second = MakeServer();
    EXPECT_FALSE(second->Open());
    EXPECT_THAT(log, ElementsAre(HasSubstr("another copy listens")));
    second.reset();
    EXPECT_EQ(Exchange("status\n").reply, "0 got status");
}

TEST_F(ControlSocketTest, SomethingElseAtThePathIsLeftAlone) {
    temporary.Write("Vesperon.sock", "not a socket");
    EXPECT_FALSE(OpenServer());
    EXPECT_EQ(temporary.Read("Vesperon.sock"), "not a socket");
}

TEST_F(ControlSocketTest, TheServerTakesItsSocketAwayWithIt) {
    ASSERT_TRUE(OpenServer());
    server.reset();
    EXPECT_FALSE(fs::exists(path));
    EXPECT_THAT(loop.watched, IsEmpty());
}

TEST_F(ControlSocketTest, OversizeAndMultiLineRequestsAreRefusedAndTheServerGoesOn) {
    ASSERT_TRUE(OpenServer());
    std::string written;
    EXPECT_TRUE(ClosedByServer(RawConnection(std::string(platform::controlline::kMaxRequestLine + 50, 'a')),
                               &written));
    EXPECT_EQ(written, "");
    EXPECT_TRUE(ClosedByServer(RawConnection("status\ncancel\n")));
    EXPECT_THAT(lines, IsEmpty());
    EXPECT_THAT(log, testing::Contains(HasSubstr("request line too long")));
    EXPECT_THAT(log, testing::Contains(HasSubstr("more than one request line")));
    EXPECT_EQ(Exchange("status\n").reply, "0 got status");
}

TEST_F(ControlSocketTest, APeerThatSaysNothingIsDroppedAfterTheReadTimeAndBlocksNoOne) {
    ASSERT_TRUE(OpenServer(200));
    const int silent = RawConnection("sta");
    EXPECT_EQ(Exchange("status\n").reply, "0 got status");
    EXPECT_TRUE(ClosedByServer(silent));
    EXPECT_THAT(log, ElementsAre(HasSubstr("no request line in time")));
}

TEST_F(ControlSocketTest, APeerThatHangsUpEarlyIsRefused) {
    ASSERT_TRUE(OpenServer());
    const int fd = RawConnection("stat");
    shutdown(fd, SHUT_WR);
    EXPECT_TRUE(ClosedByServer(fd));
    EXPECT_THAT(log, ElementsAre(HasSubstr("ended before the request line")));
}

TEST_F(ControlSocketTest, TooManyWaitingConnectionsAreTurnedAway) {
    ASSERT_TRUE(OpenServer());
    std::vector<int> waiting;
    for (int i = 0; i < 8; ++i) {
        waiting.push_back(RawConnection());
    }
    const int extra = RawConnection();
    EXPECT_TRUE(ClosedByServer(extra));
    EXPECT_THAT(log, ElementsAre(HasSubstr("too many")));
}

TEST_F(ControlSocketTest, APeerOfAnotherUserIsRefused) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root to connect as another user";
    }
    ASSERT_TRUE(OpenServer());
    // Opened up on purpose, so that only the peer check stands in the other user's way.
    chmod(folder.c_str(), 0755);
    chmod(path.c_str(), 0666);
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(kNobody) != 0 || setuid(kNobody) != 0) {
            _exit(3);
        }
        const ControlExchange exchange = ExchangeControlLine(path, "status\n", 2000);
        _exit(exchange.reply ? 1 : 0);
    }
    int status = -1;
    loop.RunUntil([&] { return waitpid(child, &status, WNOHANG) == child; });
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    // The connection may still wait in the backlog.
    loop.RunUntil([&] { return !log.empty(); });
    EXPECT_THAT(lines, IsEmpty());
    EXPECT_THAT(log, ElementsAre(HasSubstr("another user")));
}

TEST_F(ControlSocketTest, TheChannelReadsRequestsAndRefusesMalformedOnes) {
    platform::linuxdesktop::LinuxControlChannel listening(&loop, folder);
    platform::linuxdesktop::LinuxControlChannel sending(nullptr, folder);
    RecordingControlListener listener;
    listener.reply.code = 2;
    listener.reply.text = "The set time is overdue!";
    ASSERT_TRUE(listening.Listen(&listener));

    const platform::ControlRequest request = ArmRequest("hibernate", "2020-01-01 10:00");
    auto sent = std::async(std::launch::async, [&] { return sending.Send(request); });
    loop.RunUntil([&] { return sent.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
    const std::optional<platform::ControlReply> reply = sent.get();
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->code, 2);
    EXPECT_EQ(reply->text, "The set time is overdue!");
    EXPECT_THAT(listener.requests, ElementsAre(request));

    const ControlExchange malformed = Exchange("arm reboot sometime\n");
    EXPECT_EQ(malformed.reply, "2 malformed request");
    EXPECT_EQ(listener.requests.size(), 1u);

    listening.Listen(nullptr);
    EXPECT_FALSE(sending.Send(request).has_value());
}
