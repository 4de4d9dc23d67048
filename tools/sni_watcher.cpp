// A minimal StatusNotifierWatcher for the end-to-end tests: owns org.kde.StatusNotifierWatcher
// on the session bus of $DBUS_SESSION_BUS_ADDRESS and prints the name of every item that
// registers, one a line, until it is terminated.
//   sni_watcher
#include <csignal>
#include <cstdio>
#include <poll.h>
#include <systemd/sd-bus.h>

namespace {

volatile std::sig_atomic_t stop = 0;

void Stop(int) {
    stop = 1;
}

int Register(sd_bus_message* message, void* /*userdata*/, sd_bus_error* /*error*/) {
    const char* name = nullptr;
    if (sd_bus_message_read(message, "s", &name) >= 0) {
        std::printf("%s\n", name);
        std::fflush(stdout);
    }
    return sd_bus_reply_method_return(message, "");
}

const sd_bus_vtable kWatcherVtable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_METHOD("RegisterStatusNotifierItem", "s", "", Register, 0),
    SD_BUS_VTABLE_END,
};

} // namespace

int main() {
    std::signal(SIGTERM, Stop);
    std::signal(SIGINT, Stop);
    sd_bus* bus = nullptr;
    if (sd_bus_open_user(&bus) < 0) {
        std::fprintf(stderr, "sni_watcher: no session bus\n");
        return 1;
    }
    sd_bus_slot* slot = nullptr;
    if (sd_bus_add_object_vtable(bus, &slot, "/StatusNotifierWatcher", "org.kde.StatusNotifierWatcher",
                                 kWatcherVtable, nullptr) < 0 ||
        sd_bus_request_name(bus, "org.kde.StatusNotifierWatcher", 0) < 0) {
        std::fprintf(stderr, "sni_watcher: cannot own org.kde.StatusNotifierWatcher\n");
        sd_bus_flush_close_unref(bus);
        return 1;
    }
    std::fprintf(stderr, "sni_watcher: ready\n");
    while (stop == 0) {
        const int r = sd_bus_process(bus, nullptr);
        if (r < 0) {
            break;
        }
        if (r == 0) {
            pollfd fd{sd_bus_get_fd(bus), short(sd_bus_get_events(bus)), 0};
            poll(&fd, 1, 100);
        }
    }
    sd_bus_slot_unref(slot);
    sd_bus_flush_close_unref(bus);
    return 0;
}
