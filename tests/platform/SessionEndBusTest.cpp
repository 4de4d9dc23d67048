// The end-of-session query against a session manager on a private bus: the program's two
// windows on the headless platform, with the Linux backend registering at a small
// org.gnome.SessionManager of the test's own. The process's DBUS_SESSION_BUS_ADDRESS points
// at the private bus while a test runs; without that bus the tests do not run at all.
#include "forms/ProgramBlock.h"
#include "forms/UnitFormVesperon.h"
#include "platform/Clock.h"
#include "platform/NotifyShell.h"
#include "platform/Platform.h"
#include "platform/WindowSystem.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/linuxdesktop/SessionEndQuery.h"
#include "support/BusServingLoop.h"
#include "support/PrivateBus.h"
#include "support/ScopedEnvironment.h"
#include "support/ScopedPlatform.h"

#include <chrono>
#include <cstdlib>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <systemd/sd-bus.h>
#include <vector>

using platform::linuxdesktop::SessionEndQuery;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

namespace {

constexpr const char* kClientPath = "/org/gnome/SessionManager/Client1";
constexpr const char* kClientInterface = "org.gnome.SessionManager.ClientPrivate";
constexpr int kPatienceMs = 5000;

using Clock = std::chrono::steady_clock;

// A bus connection of the test (the fake manager, an intruder) that signals the client.
class TestConnection : public testbus::Connection {
public:
    using Connection::Connection;
    void Emit(const char* member, std::optional<std::uint32_t> flags = std::nullopt) {
        if (flags) {
            sd_bus_emit_signal(Get(), kClientPath, kClientInterface, member, "u", *flags);
        } else {
            sd_bus_emit_signal(Get(), kClientPath, kClientInterface, member, "");
        }
        sd_bus_flush(Get());
    }
};

// The calls the fake manager received, in order.
using CallLog = std::vector<std::string>;

CallLog& Log(void* userdata) {
    return *static_cast<CallLog*>(userdata);
}

int RegisterClient(sd_bus_message* m, void* userdata, sd_bus_error*) {
    const char* appId = nullptr;
    const char* startupId = nullptr;
    if (sd_bus_message_read(m, "ss", &appId, &startupId) < 0) {
        return -EINVAL;
    }
    Log(userdata).push_back(std::string("RegisterClient(") + appId + ", " + startupId + ")");
    return sd_bus_reply_method_return(m, "o", kClientPath);
}

int UnregisterClient(sd_bus_message* m, void* userdata, sd_bus_error*) {
    const char* path = nullptr;
    if (sd_bus_message_read(m, "o", &path) < 0) {
        return -EINVAL;
    }
    Log(userdata).push_back(std::string("UnregisterClient(") + path + ")");
    return sd_bus_reply_method_return(m, "");
}

int EndSessionResponse(sd_bus_message* m, void* userdata, sd_bus_error*) {
    int isOk = 0;
    const char* reason = nullptr;
    if (sd_bus_message_read(m, "bs", &isOk, &reason) < 0) {
        return -EINVAL;
    }
    Log(userdata).push_back(std::string("EndSessionResponse(") + (isOk != 0 ? "true" : "false") + ", " +
                            reason + ")");
    return sd_bus_reply_method_return(m, "");
}

const sd_bus_vtable kManagerVtable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_METHOD("RegisterClient", "ss", "o", RegisterClient, 0),
    SD_BUS_METHOD("UnregisterClient", "o", "", UnregisterClient, 0),
    SD_BUS_VTABLE_END,
};

const sd_bus_vtable kClientVtable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_METHOD("EndSessionResponse", "bs", "", EndSessionResponse, 0),
    SD_BUS_VTABLE_END,
};

// org.gnome.SessionManager with the calls a client makes: it logs them, has one client, and
// signals it on request.
class FakeGnomeSession {
public:
    explicit FakeGnomeSession(const std::string& address) : connection_(address) {
        sd_bus* bus = connection_.Get();
        ready_ =
            bus != nullptr &&
            sd_bus_add_object_vtable(bus, nullptr, "/org/gnome/SessionManager", "org.gnome.SessionManager",
                                     kManagerVtable, &log) >= 0 &&
            sd_bus_add_object_vtable(bus, nullptr, kClientPath, kClientInterface, kClientVtable, &log) >= 0 &&
            sd_bus_request_name(bus, "org.gnome.SessionManager", 0) >= 0;
    }

    bool Ready() const { return ready_; }
    int Fd() const { return sd_bus_get_fd(connection_.Get()); }
    void Process() {
        while (sd_bus_process(connection_.Get(), nullptr) > 0) {
        }
    }
    void Emit(const char* member, std::optional<std::uint32_t> flags = std::nullopt) {
        connection_.Emit(member, flags);
    }

    CallLog log;

private:
    TestConnection connection_;
    bool ready_ = false;
};

// The program's event loop over the watched descriptors; each turn also serves the fake
// manager. A loop that runs past the test's patience ends the application's loop.
class TestLoop : public BusServingLoop {
public:
    using BusServingLoop::BusServingLoop;

    void WaitAndDispatch(std::optional<std::int64_t>) override {
        Turn(manager != nullptr ? manager->Fd() : -1, 20);
        if (manager != nullptr) {
            manager->Process();
        }
        if (Clock::now() > giveUpAt && Application != nullptr) {
            timedOut = true;
            Application->Terminate();
        }
    }

    FakeGnomeSession* manager = nullptr;
    Clock::time_point giveUpAt = Clock::now() + std::chrono::milliseconds(kPatienceMs);
    bool timedOut = false;
};

class SessionEndBusTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (bus_.Address().empty()) {
            GTEST_SKIP() << "no private bus, so no test against a session manager: " << bus_.Error();
        }
        sessionBusAddress_.emplace("DBUS_SESSION_BUS_ADDRESS", bus_.Address().c_str());
        const char* now = std::getenv("DBUS_SESSION_BUS_ADDRESS");
        ASSERT_TRUE(now != nullptr && bus_.Address() == now)
            << "refusing to run on any bus but the private one";
        paths_.configFolder = "/cfg/";
    }
    void TearDown() override {
        app_.reset();
        installed_.reset();
        query_.reset();
        SetMessageBoxProvider(nullptr);
        sessionBusAddress_.reset();
        unsetenv("DESKTOP_AUTOSTART_ID");
    }

    // Installs the platform with the session manager's query and creates the application,
    // which registers; `withWindows` creates the program's two windows as the program does.
    void StartProgram(bool withWindows = true) {
        query_ = std::make_unique<SessionEndQuery>(&loop_);
        platform::Platform set;
        set.clock = &clock_;
        set.locale = &locale_;
        set.windows = &loop_;
        set.power = &power_;
        set.privilege = &power_;
        set.shell = &shell_;
        set.notifyShell = &notifyShell_;
        set.sessionLock = &lock_;
        set.autostart = &autostart_;
        set.paths = &paths_;
        set.files = &files_;
        set.sessionEnd = query_.get();
        installed_.emplace(set);
        app_ = std::make_unique<TApplication>();
        app_->SetTitle(forms::kApplicationTitle);
        SetMessageBoxProvider([this](const std::string& text, const std::string& caption, unsigned flags) {
            return boxes_.Show(text, caption, flags);
        });
        if (withWindows) {
            forms::CreateProgramWindows(*app_, {});
            app_->MainForm()->Show();
        }
    }
    void StartManager() {
        manager_ = std::make_unique<FakeGnomeSession>(bus_.Address());
        ASSERT_TRUE(manager_->Ready());
        loop_.manager = manager_.get();
    }
    // Runs the program's loop until the condition holds; false when patience ran out.
    bool RunUntil(const std::function<bool()>& done) {
        const auto giveUp = Clock::now() + std::chrono::milliseconds(kPatienceMs);
        while (!done()) {
            if (Clock::now() > giveUp) {
                return false;
            }
            app_ != nullptr ? app_->HandleMessage() : loop_.WaitAndDispatch(std::nullopt);
        }
        return true;
    }
    bool Registered() {
        return RunUntil([this] { return query_->State() == SessionEndQuery::TState::Registered; });
    }
    std::vector<std::string> Responses() {
        std::vector<std::string> responses;
        for (const std::string& call : manager_->log) {
            if (call.rfind("EndSessionResponse", 0) == 0) {
                responses.push_back(call);
            }
        }
        return responses;
    }
    bool ResponsesReach(std::size_t count) {
        return RunUntil([this, count] { return Responses().size() >= count; });
    }
    std::vector<std::string> Messages() {
        std::vector<std::string> texts;
        for (const platform::headless::RecordedMessageBox& box : boxes_.Shown()) {
            texts.push_back(box.text);
        }
        return texts;
    }

    testbus::PrivateBus bus_;
    std::optional<TScopedEnvironment> sessionBusAddress_;
    platform::headless::HeadlessClock clock_{46364.5};
    platform::headless::HeadlessLocale locale_{platform::headless::HeadlessLocale::UnitedStates()};
    TestLoop loop_{clock_};
    platform::headless::HeadlessMessageBoxes boxes_{loop_};
    platform::headless::HeadlessFiles files_;
    platform::headless::HeadlessPower power_;
    platform::headless::HeadlessShell shell_;
    platform::headless::HeadlessNotifyShell notifyShell_;
    platform::headless::HeadlessSessionLock lock_;
    platform::headless::HeadlessAutostart autostart_;
    platform::headless::HeadlessPaths paths_;
    std::unique_ptr<FakeGnomeSession> manager_;
    std::unique_ptr<SessionEndQuery> query_;
    std::optional<ScopedPlatform> installed_;
    std::unique_ptr<TApplication> app_;
};

} // namespace

// ---------------------------------------------------------------------------------------
// Registration

TEST_F(SessionEndBusTest, TheProgramRegistersWithItsStartupIdAndUnregistersWhenItEnds) {
    StartManager();
    setenv("DESKTOP_AUTOSTART_ID", "vesperon-test-7", 1);
    StartProgram(false);

    ASSERT_TRUE(Registered());
    EXPECT_THAT(manager_->log, ElementsAre("RegisterClient(vesperon, vesperon-test-7)"));
    EXPECT_EQ(query_->ClientPath(), kClientPath);
    EXPECT_EQ(std::getenv("DESKTOP_AUTOSTART_ID"), nullptr); // not handed on to other programs

    app_.reset();
    EXPECT_TRUE(RunUntil([this] { return manager_->log.size() == 2; }));
    EXPECT_EQ(manager_->log.back(), std::string("UnregisterClient(") + kClientPath + ")");
}

TEST_F(SessionEndBusTest, WithoutASessionManagerNothingHappens) {
    StartProgram();
    EXPECT_TRUE(RunUntil([this] { return query_->State() == SessionEndQuery::TState::NoManager; }));
    EXPECT_TRUE(query_->ClientPath().empty());
    EXPECT_FALSE(app_->Terminated());
}

TEST_F(SessionEndBusTest, ASessionManagerThatNeverAnswersTheRegistrationCountsAsNone) {
    // Sooner than the test's patience: only the loop's own wake-up ends the call.
    const TScopedEnvironment callTimeout("SYSTEMD_BUS_TIMEOUT", "300ms");
    TestConnection silent(bus_.Address()); // takes the name, never reads a call
    ASSERT_GE(sd_bus_request_name(silent.Get(), "org.gnome.SessionManager", 0), 0);
    ::testing::internal::CaptureStderr();
    StartProgram();
    EXPECT_TRUE(RunUntil([this] { return query_->State() == SessionEndQuery::TState::NoManager; }));
    ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(query_->ClientPath().empty());
    EXPECT_FALSE(app_->Terminated());
}

// ---------------------------------------------------------------------------------------
// The query

TEST_F(SessionEndBusTest, TheQueryIsAnsweredWithTheUsersAnswerToTheExitQuestion) {
    StartManager();
    StartProgram();
    ASSERT_TRUE(Registered());

    boxes_.QueueAnswer(IDNO);
    manager_->Emit("QueryEndSession", 0);
    ASSERT_TRUE(ResponsesReach(1));
    EXPECT_THAT(Messages(), ElementsAre("Are you sure to exit?"));

    boxes_.QueueAnswer(IDYES);
    manager_->Emit("QueryEndSession", 0);
    ASSERT_TRUE(ResponsesReach(2));

    EXPECT_THAT(Responses(), ElementsAre("EndSessionResponse(false, The exit was not confirmed)",
                                         "EndSessionResponse(true, )"));
    EXPECT_THAT(Messages(), ElementsAre("Are you sure to exit?", "Are you sure to exit?"));
    EXPECT_FALSE(app_->Terminated()); // a yes lets the session end; the end itself comes later
}

TEST_F(SessionEndBusTest, AForcefulQueryAndACancelAskNothing) {
    StartManager();
    StartProgram();
    ASSERT_TRUE(Registered());

    manager_->Emit("CancelEndSession");
    manager_->Emit("QueryEndSession", 1);
    ASSERT_TRUE(ResponsesReach(1));

    EXPECT_THAT(Responses(), ElementsAre("EndSessionResponse(true, )"));
    EXPECT_THAT(Messages(), IsEmpty());
    EXPECT_FALSE(app_->Terminated());
}

TEST_F(SessionEndBusTest, OnlyTheManagerThatTookTheRegistrationSpeaksForTheClient) {
    StartManager();
    StartProgram();
    ASSERT_TRUE(Registered());
    TestConnection intruder(bus_.Address());

    intruder.Emit("Stop");
    intruder.Emit("QueryEndSession", 0);
    boxes_.QueueAnswer(IDYES);
    manager_->Emit("QueryEndSession", 0);
    ASSERT_TRUE(ResponsesReach(1));

    EXPECT_THAT(Messages(), ElementsAre("Are you sure to exit?"));
    EXPECT_FALSE(app_->Terminated());
}

// ---------------------------------------------------------------------------------------
// The end

TEST_F(SessionEndBusTest, EndSessionEndsTheProgramsLoopAndIsAcknowledged) {
    StartManager();
    StartProgram();
    ASSERT_TRUE(Registered());

    manager_->Emit("EndSession", 0);
    app_->Run();

    EXPECT_FALSE(loop_.timedOut);
    EXPECT_THAT(Messages(), IsEmpty());
    app_.reset();
    ASSERT_TRUE(ResponsesReach(1));
    EXPECT_THAT(Responses(), ElementsAre("EndSessionResponse(true, )"));
    EXPECT_THAT(manager_->log, Not(Contains(std::string("UnregisterClient(") + kClientPath + ")")));
}

TEST_F(SessionEndBusTest, StopClosesTheProgramWithoutAskingOrAnswering) {
    StartManager();
    StartProgram();
    ASSERT_TRUE(Registered());

    manager_->Emit("Stop");
    app_->Run();

    EXPECT_FALSE(loop_.timedOut);
    EXPECT_THAT(Messages(), IsEmpty());
    EXPECT_THAT(Responses(), IsEmpty());
}
