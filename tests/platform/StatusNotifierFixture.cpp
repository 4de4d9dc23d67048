#include "platform/StatusNotifierFixture.h"

#include "platform/Clock.h"
#include "platform/NotifyShell.h"
#include "platform/Platform.h"
#include "toolkit/widgets/Menus.h"

#include <chrono>

namespace sntest {

namespace {

const sd_bus_vtable kWatcherVtable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_METHOD("RegisterStatusNotifierItem", "s", "", TestWatcher::Register, 0),
    SD_BUS_VTABLE_END,
};

} // namespace

// ---------------------------------------------------------------------------------------
// The watcher

TestWatcher::TestWatcher(const std::string& address) : connection_(address) {
    sd_bus* bus = connection_.Get();
    ok_ = bus != nullptr &&
          sd_bus_add_object_vtable(bus, &slot_, "/StatusNotifierWatcher", "org.kde.StatusNotifierWatcher",
                                   kWatcherVtable, this) >= 0 &&
          sd_bus_request_name(bus, "org.kde.StatusNotifierWatcher", 0) >= 0;
}

TestWatcher::~TestWatcher() {
    sd_bus_slot_unref(slot_);
}

void TestWatcher::Process() {
    while (Bus() != nullptr && sd_bus_process(Bus(), nullptr) > 0) {
    }
    sd_bus_flush(Bus());
}

int TestWatcher::Register(sd_bus_message* message, void* userdata, sd_bus_error* /*error*/) {
    const char* name = nullptr;
    if (sd_bus_message_read(message, "s", &name) >= 0) {
        static_cast<TestWatcher*>(userdata)->registered.emplace_back(name);
    }
    return sd_bus_reply_method_return(message, "");
}

// ---------------------------------------------------------------------------------------
// The fixture

void StatusNotifierTest::SetUp() {
    ToolkitTest::SetUp();
    bus = std::make_unique<testbus::PrivateBus>();
    ASSERT_FALSE(bus->Address().empty()) << bus->Error();
    sessionBusAddress.emplace("DBUS_SESSION_BUS_ADDRESS", bus->Address().c_str());
    loop = std::make_unique<BusServingLoop>(platform.clock);
    app->Icon()->Image().Resize(16, 16, 0xFF102030);
    app->CreateForm(form);
}

void StatusNotifierTest::TearDown() {
    app.reset();
    shellInstalled.reset();
    shell.reset();
    watcher.reset();
    loop.reset();
    bus.reset();
    sessionBusAddress.reset();
    ToolkitTest::TearDown();
}

void StatusNotifierTest::MakeShell(platform::INotifyShell* fallbackShell) {
    shell = std::make_unique<platform::linuxdesktop::StatusNotifierShell>(loop.get(), fallbackShell);
    shellInstalled.emplace([this](platform::Platform& set) { set.notifyShell = shell.get(); });
}

TRzTrayIcon* StatusNotifierTest::MakeTray(const std::string& hint) {
    menu = new TPopupMenu(form);
    auto* tray = new TRzTrayIcon(form);
    form->BeginLoading();
    tray->SetHint(hint);
    tray->SetPopupMenu(menu);
    tray->OnRestoreApp = [this](TObject*) {
        ++restored;
        form->Show();
    };
    form->EndLoading();
    return tray;
}

bool StatusNotifierTest::PumpUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        if (watcher != nullptr) {
            watcher->Process();
        }
        loop->Turn(watcher != nullptr && watcher->Bus() != nullptr ? sd_bus_get_fd(watcher->Bus()) : -1, 10);
        Idle();
    }
    return true;
}

sd_bus_message* StatusNotifierTest::CallItem(const std::string& name, const char* interface,
                                             const char* method,
                                             const std::function<void(sd_bus_message*)>& append) {
    sd_bus_message* call = nullptr;
    if (sd_bus_message_new_method_call(watcher->Bus(), &call, name.c_str(), "/StatusNotifierItem", interface,
                                       method) < 0) {
        return nullptr;
    }
    append(call);
    struct Answer {
        sd_bus_message* reply = nullptr;
        bool done = false;
    } answer;
    auto onReply = [](sd_bus_message* reply, void* userdata, sd_bus_error*) -> int {
        auto* a = static_cast<Answer*>(userdata);
        a->done = true;
        if (!sd_bus_message_is_method_error(reply, nullptr)) {
            a->reply = sd_bus_message_ref(reply);
        } else {
            ADD_FAILURE() << "the item answered " << sd_bus_message_get_error(reply)->name << ": "
                          << sd_bus_message_get_error(reply)->message;
        }
        return 0;
    };
    sd_bus_call_async(watcher->Bus(), nullptr, call, onReply, &answer, 0);
    sd_bus_message_unref(call);
    PumpUntil([&answer] { return answer.done; });
    return answer.reply;
}

sd_bus_message* StatusNotifierTest::ItemProperty(const std::string& name, const char* property) {
    sd_bus_message* reply =
        CallItem(name, "org.freedesktop.DBus.Properties", "Get", [property](sd_bus_message* m) {
            sd_bus_message_append(m, "ss", "org.kde.StatusNotifierItem", property);
        });
    if (reply != nullptr) {
        sd_bus_message_enter_container(reply, 'v', nullptr);
    }
    return reply;
}

} // namespace sntest
