#include "platform/linuxdesktop/StatusNotifierItem.h"

#include "platform/Geometry.h"
#include "platform/NotifyShell.h"
#include "platform/WindowSystem.h"
#include "platform/linuxdesktop/ValidUtf8.h"

#include <cerrno>
#include <unistd.h>

namespace platform::linuxdesktop {

namespace {

constexpr const char* kItemPath = "/StatusNotifierItem";
constexpr const char* kItemInterface = "org.kde.StatusNotifierItem";
constexpr const char* kWatcherPath = "/StatusNotifierWatcher";

constexpr unsigned kLeftDown = 0x201;
constexpr unsigned kLeftUp = 0x202;
constexpr unsigned kLeftDouble = 0x203;
constexpr unsigned kRightDown = 0x204;
constexpr unsigned kRightUp = 0x205;

// The first line of the tooltip is its title, the rest (lines broken with a carriage return
// in the record) its body.
void SplitTip(const std::string& tip, std::string& title, std::string& body) {
    const std::string text = ValidUtf8(tip);
    const std::size_t end = text.find_first_of("\r\n");
    title = text.substr(0, end);
    body.clear();
    if (end == std::string::npos) {
        return;
    }
    for (char c : text.substr(end + 1)) {
        body.push_back(c == '\r' ? '\n' : c);
    }
}

} // namespace

const sd_bus_vtable StatusNotifierItem::kVtable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_PROPERTY("Category", "s", GetProperty, 0, 0),
    SD_BUS_PROPERTY("Id", "s", GetProperty, 0, 0),
    SD_BUS_PROPERTY("Title", "s", GetProperty, 0, 0),
    SD_BUS_PROPERTY("Status", "s", GetProperty, 0, 0),
    SD_BUS_PROPERTY("WindowId", "i", GetProperty, 0, 0),
    SD_BUS_PROPERTY("IconName", "s", GetProperty, 0, 0),
    SD_BUS_PROPERTY("IconPixmap", "a(iiay)", GetProperty, 0, 0),
    SD_BUS_PROPERTY("ToolTip", "(sa(iiay)ss)", GetProperty, 0, 0),
    SD_BUS_PROPERTY("ItemIsMenu", "b", GetProperty, 0, 0),
    SD_BUS_METHOD("Activate", "ii", "", Activate, 0),
    SD_BUS_METHOD("SecondaryActivate", "ii", "", Ignore, 0),
    SD_BUS_METHOD("ContextMenu", "ii", "", ContextMenu, 0),
    SD_BUS_METHOD("Scroll", "is", "", Ignore, 0),
    SD_BUS_SIGNAL("NewTitle", "", 0),
    SD_BUS_SIGNAL("NewIcon", "", 0),
    SD_BUS_SIGNAL("NewToolTip", "", 0),
    SD_BUS_SIGNAL("NewStatus", "s", 0),
    SD_BUS_VTABLE_END,
};

StatusNotifierItem::StatusNotifierItem(platform::IWindowSystem* loop, const platform::NotifyIconData& data,
                                       int serial)
    : bus_(TBusKind::Session, loop),
      name_("org.kde.StatusNotifierItem-" + std::to_string(getpid()) + "-" + std::to_string(serial)),
      sink_(data.hWnd), id_(data.uID) {
    Store(data);
}

StatusNotifierItem::~StatusNotifierItem() {
    if (bus_.Get() != nullptr) {
        sd_bus_release_name(bus_.Get(), name_.c_str());
    }
    sd_bus_slot_unref(slot_);
}

bool StatusNotifierItem::Start() {
    if (!bus_.Open()) {
        return false;
    }
    sd_bus* bus = bus_.Get();
    if (sd_bus_add_object_vtable(bus, &slot_, kItemPath, kItemInterface, kVtable, this) < 0 ||
        sd_bus_request_name(bus, name_.c_str(), 0) < 0) {
        return false;
    }
    // The watcher's answer changes nothing: a host that refuses the item simply shows nothing.
    const int r =
        sd_bus_call_method_async(bus, nullptr, kWatcherName, kWatcherPath, kWatcherName,
                                 "RegisterStatusNotifierItem", nullptr, nullptr, "s", name_.c_str());
    bus_.Flush();
    return r >= 0;
}

StatusNotifierItem::Changes StatusNotifierItem::Store(const platform::NotifyIconData& data) {
    Changes changes;
    flags_ = data.uFlags;
    callbackMessage_ = data.uCallbackMessage;
    std::vector<std::uint8_t> pixmap;
    const platform::PixelView& icon = data.hIcon;
    if ((data.uFlags & platform::NIF_ICON) != 0 && icon.pixels != nullptr && icon.width > 0 &&
        icon.height > 0) {
        pixmap.reserve(std::size_t(icon.width) * std::size_t(icon.height) * 4);
        for (int y = 0; y < icon.height; ++y) {
            for (int x = 0; x < icon.width; ++x) {
                const std::uint32_t argb =
                    icon.pixels[std::size_t(y) * std::size_t(icon.stride) + std::size_t(x)];
                for (int shift : {24, 16, 8, 0}) {
                    pixmap.push_back(std::uint8_t(argb >> shift));
                }
            }
        }
    }
    const int width = pixmap.empty() ? 0 : icon.width;
    const int height = pixmap.empty() ? 0 : icon.height;
    changes.icon = pixmap != pixmap_ || width != width_ || height != height_;
    pixmap_ = std::move(pixmap);
    width_ = width;
    height_ = height;

    std::string title;
    std::string body;
    if ((data.uFlags & platform::NIF_TIP) != 0) {
        SplitTip(platform::NotifyTipText(data), title, body);
    }
    changes.tip = title != title_ || body != body_;
    title_ = std::move(title);
    body_ = std::move(body);
    return changes;
}

void StatusNotifierItem::Update(const platform::NotifyIconData& data) {
    const Changes changes = Store(data);
    if (changes.icon) {
        Emit("NewIcon");
    }
    if (changes.tip) {
        Emit("NewTitle");
        Emit("NewToolTip");
    }
    bus_.Flush();
}

void StatusNotifierItem::Emit(const char* signal) {
    if (bus_.Get() != nullptr) {
        sd_bus_emit_signal(bus_.Get(), kItemPath, kItemInterface, signal, "");
    }
}

void StatusNotifierItem::Post(std::initializer_list<unsigned> mouseMessages) {
    if (sink_ == nullptr || (flags_ & platform::NIF_MESSAGE) == 0) {
        return;
    }
    for (unsigned mouseMessage : mouseMessages) {
        sink_->PostCallback(callbackMessage_, id_, mouseMessage);
    }
}

int StatusNotifierItem::Activate(sd_bus_message* message, void* userdata, sd_bus_error* /*error*/) {
    static_cast<StatusNotifierItem*>(userdata)->Post({kLeftDown, kLeftUp, kLeftDouble, kLeftUp});
    return sd_bus_reply_method_return(message, "");
}

int StatusNotifierItem::ContextMenu(sd_bus_message* message, void* userdata, sd_bus_error* /*error*/) {
    static_cast<StatusNotifierItem*>(userdata)->Post({kRightDown, kRightUp});
    return sd_bus_reply_method_return(message, "");
}

int StatusNotifierItem::Ignore(sd_bus_message* message, void* /*userdata*/, sd_bus_error* /*error*/) {
    return sd_bus_reply_method_return(message, "");
}

int StatusNotifierItem::AppendPixmaps(sd_bus_message* reply) const {
    int r = sd_bus_message_open_container(reply, 'a', "(iiay)");
    if (r >= 0 && !pixmap_.empty()) {
        r = sd_bus_message_open_container(reply, 'r', "iiay");
        if (r >= 0) {
            r = sd_bus_message_append(reply, "ii", width_, height_);
        }
        if (r >= 0) {
            r = sd_bus_message_append_array(reply, 'y', pixmap_.data(), pixmap_.size());
        }
        if (r >= 0) {
            r = sd_bus_message_close_container(reply);
        }
    }
    return r >= 0 ? sd_bus_message_close_container(reply) : r;
}

int StatusNotifierItem::AppendToolTip(sd_bus_message* reply) const {
    int r = sd_bus_message_open_container(reply, 'r', "sa(iiay)ss");
    if (r >= 0) {
        r = sd_bus_message_append(reply, "s", "");
    }
    if (r >= 0) {
        r = AppendPixmaps(reply);
    }
    if (r >= 0) {
        r = sd_bus_message_append(reply, "ss", title_.c_str(), body_.c_str());
    }
    return r >= 0 ? sd_bus_message_close_container(reply) : r;
}

int StatusNotifierItem::GetProperty(sd_bus* /*bus*/, const char* /*path*/, const char* /*interface*/,
                                    const char* property, sd_bus_message* reply, void* userdata,
                                    sd_bus_error* /*error*/) {
    const auto& item = *static_cast<const StatusNotifierItem*>(userdata);
    const std::string name = property;
    if (name == "Category") {
        return sd_bus_message_append(reply, "s", "ApplicationStatus");
    }
    if (name == "Id") {
        return sd_bus_message_append(reply, "s", program_invocation_short_name);
    }
    if (name == "Title") {
        return sd_bus_message_append(reply, "s", item.title_.c_str());
    }
    if (name == "Status") {
        return sd_bus_message_append(reply, "s", "Active");
    }
    if (name == "WindowId") {
        return sd_bus_message_append(reply, "i", 0);
    }
    if (name == "IconName") {
        return sd_bus_message_append(reply, "s", "");
    }
    if (name == "IconPixmap") {
        return item.AppendPixmaps(reply);
    }
    if (name == "ToolTip") {
        return item.AppendToolTip(reply);
    }
    return sd_bus_message_append(reply, "b", 0);
}

} // namespace platform::linuxdesktop
