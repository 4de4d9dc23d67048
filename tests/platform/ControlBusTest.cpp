// org.vesperon.Timer on a private session bus: the name, the introspection data, Arm, Cancel
// and Status carried to the listener with their replies and errors, and the Changed signal.
// Calls come from a connection of the test in another thread while the test's loop serves.
#include "platform/linuxdesktop/ControlBus.h"

#include "platform/ControlChannel.h"
#include "platform/headless/HeadlessClock.h"
#include "support/BusServingLoop.h"
#include "support/PrivateBus.h"
#include "support/RecordingControlListener.h"
#include "support/ScopedEnvironment.h"

#include <chrono>
#include <ctime>
#include <future>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <systemd/sd-bus.h>
#include <vector>

using platform::linuxdesktop::ControlBus;
using Client = testbus::Connection;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

constexpr const char* kName = "org.vesperon.Timer";
constexpr const char* kPath = "/org/vesperon/Timer";
constexpr const char* kInterface = "org.vesperon.Timer";

// What a method call answered: the error's name and text, or the reply message.
struct Answer {
    std::string error;
    std::string message;
    sd_bus_message* reply = nullptr;
};

class ControlBusTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (bus.Address().empty()) {
            GTEST_SKIP() << "no private bus: " << bus.Error();
        }
        address.emplace("DBUS_SESSION_BUS_ADDRESS", bus.Address().c_str());
        control = std::make_unique<ControlBus>(&loop, listener);
        ASSERT_TRUE(control->Connected());
        Client client(bus.Address());
        ASSERT_TRUE(loop.RunUntil([&] { return NameOwned(client.Get()); })) << "the name was not taken";
    }
    void TearDown() override {
        if (answer.reply != nullptr) {
            sd_bus_message_unref(answer.reply);
        }
        control.reset();
    }

    static bool NameOwned(sd_bus* client) {
        sd_bus_error error = SD_BUS_ERROR_NULL;
        sd_bus_message* reply = nullptr;
        const int result =
            sd_bus_call_method(client, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                               "org.freedesktop.DBus", "GetNameOwner", &error, &reply, "s", kName);
        sd_bus_error_free(&error);
        sd_bus_message_unref(reply);
        return result >= 0;
    }

    // Calls a method of the object from another thread while the loop serves the object.
    template <class... Arguments>
    void Call(const char* interface, const char* member, const char* signature, Arguments... arguments) {
        const std::string busAddress = bus.Address();
        auto called = std::async(std::launch::async, [=] {
            Client client(busAddress);
            Answer result;
            sd_bus_error error = SD_BUS_ERROR_NULL;
            if (sd_bus_call_method(client.Get(), kName, kPath, interface, member, &error, &result.reply,
                                   signature, arguments...) < 0) {
                result.error = error.name != nullptr ? error.name : "";
                result.message = error.message != nullptr ? error.message : "";
            }
            sd_bus_error_free(&error);
            return result;
        });
        loop.RunUntil([&] { return called.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
        sd_bus_message_unref(answer.reply); // the previous call's reply; null is accepted
        answer = called.get();
    }

    testbus::PrivateBus bus;
    std::optional<TScopedEnvironment> address;
    platform::headless::HeadlessClock clock;
    BusServingLoop loop{clock};
    RecordingControlListener listener;
    std::unique_ptr<ControlBus> control;
    Answer answer;
};

} // namespace

TEST_F(ControlBusTest, TheObjectDescribesItself) {
    Call("org.freedesktop.DBus.Introspectable", "Introspect", "");
    ASSERT_EQ(answer.error, "");
    const char* xml = nullptr;
    ASSERT_GE(sd_bus_message_read(answer.reply, "s", &xml), 0);
    const std::string text = xml;
    EXPECT_THAT(text, HasSubstr("<interface name=\"org.vesperon.Timer\">"));
    EXPECT_THAT(text,
                HasSubstr("<method name=\"Arm\">\n   <arg type=\"s\" name=\"action\" direction=\"in\"/>\n"
                          "   <arg type=\"s\" name=\"when\" direction=\"in\"/>\n"
                          "   <arg type=\"b\" name=\"warn\" direction=\"in\"/>"));
    EXPECT_THAT(text, HasSubstr("<arg type=\"x\" name=\"seconds_left\" direction=\"out\"/>"));
    EXPECT_THAT(text, HasSubstr("<method name=\"Cancel\">"));
    EXPECT_THAT(text, HasSubstr("<signal name=\"Changed\">"));
}

TEST_F(ControlBusTest, ArmCarriesTheRequestAndAnswersItsOutcome) {
    Call(kInterface, "Arm", "ssb", "shutdown", "+5", 1);
    EXPECT_EQ(answer.error, "");
    platform::ControlRequest expected;
    expected.command = platform::ControlCommand::Arm;
    expected.action = "shutdown";
    expected.when = "+5";
    expected.warn = true;
    EXPECT_THAT(listener.requests, ElementsAre(expected));

    listener.reply.code = platform::kControlRefused;
    listener.reply.text = "The set time is overdue!";
    Call(kInterface, "Arm", "ssb", "restart", "2020-01-01 10:00", 0);
    EXPECT_EQ(answer.error, "org.vesperon.Timer.Error.Refused");
    EXPECT_EQ(answer.message, "The set time is overdue!");
    EXPECT_EQ(listener.requests.back().warn, false);
}

TEST_F(ControlBusTest, CancelWithoutATaskIsTheNoTaskError) {
    listener.reply.code = platform::kControlNoTask;
    listener.reply.text = "No task";
    Call(kInterface, "Cancel", "");
    EXPECT_EQ(answer.error, "org.vesperon.Timer.Error.NoTask");
    EXPECT_EQ(answer.message, "No task");
    ASSERT_EQ(listener.requests.size(), 1u);
    EXPECT_EQ(listener.requests[0].command, platform::ControlCommand::Cancel);
}

TEST_F(ControlBusTest, StatusGivesTheTargetAsUnixTimeAndTheSecondsLeft) {
    listener.reply.status.armed = true;
    listener.reply.status.action = "Forced Shutdown";
    listener.reply.status.secondsLeft = 3600.4;
    const std::int64_t now = std::time(nullptr);
    Call(kInterface, "Status", "");
    ASSERT_EQ(answer.error, "");
    int armed = 0;
    const char* action = nullptr;
    std::int64_t target = 0;
    std::int64_t left = 0;
    ASSERT_GE(sd_bus_message_read(answer.reply, "bsxx", &armed, &action, &target, &left), 0);
    EXPECT_TRUE(armed);
    EXPECT_STREQ(action, "Forced Shutdown");
    EXPECT_NEAR(double(target), double(now + 3600), 2.0);
    EXPECT_EQ(left, 3600);

    listener.reply = platform::ControlReply{platform::kControlNoTask, "No task", {}};
    Call(kInterface, "Status", "");
    ASSERT_GE(sd_bus_message_read(answer.reply, "bsxx", &armed, &action, &target, &left), 0);
    EXPECT_FALSE(armed);
    EXPECT_EQ(target, 0);
}

TEST_F(ControlBusTest, ChangedIsSignalledToListeners) {
    std::promise<void> subscribed;
    const std::string busAddress = bus.Address();
    auto heard = std::async(std::launch::async, [&, busAddress] {
        Client client(busAddress);
        bool changed = false;
        sd_bus_match_signal(
            client.Get(), nullptr, nullptr, kPath, kInterface, "Changed",
            [](sd_bus_message*, void* userdata, sd_bus_error*) {
                *static_cast<bool*>(userdata) = true;
                return 0;
            },
            &changed);
        subscribed.set_value();
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!changed && std::chrono::steady_clock::now() < giveUp) {
            if (sd_bus_process(client.Get(), nullptr) == 0) {
                sd_bus_wait(client.Get(), 100000);
            }
        }
        return changed;
    });
    subscribed.get_future().wait();
    control->EmitChanged();
    loop.RunUntil([&] { return heard.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
    EXPECT_TRUE(heard.get());
}
