#include "platform/linuxdesktop/StatusNotifierItem.h"

#include "platform/Geometry.h"
#include "platform/NotifyShell.h"
#include "platform/WindowSystem.h"
#include "platform/dbus/ValidUtf8.h"
#include "platform/linuxdesktop/LoopBus.h"

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
    const std::string text = dbus::ValidUtf8(tip);
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

// The item's properties, in the order GetAll gives them.
constexpr std::pair<const char*, const char*> kProperties[] = {
    {"Category", "s"},
    {"Id", "s"},
    {"Title", "s"},
    {"Status", "s"},
    {"WindowId", "i"},
    {"IconName", "s"},
    {"IconPixmap", "a(iiay)"},
    {"ToolTip", "(sa(iiay)ss)"},
    {"ItemIsMenu", "b"},
};

dbus::TInterface StatusNotifierItem::Interface() {
    dbus::TInterface object{kItemInterface, {}, {}, {}};
    const auto ignore = [](const dbus::TMessage& call) {
        return dbus::MethodReturn(call);
    };
    object.methods.push_back({"Activate", "ii", "", "", "", [this](const dbus::TMessage& call) {
                                  return Activate(call);
                              }});
    object.methods.push_back({"SecondaryActivate", "ii", "", "", "", ignore});
    object.methods.push_back({"ContextMenu", "ii", "", "", "", [this](const dbus::TMessage& call) {
                                  return ContextMenu(call);
                              }});
    object.methods.push_back({"Scroll", "is", "", "", "", ignore});
    for (const auto& [name, type] : kProperties) {
        object.properties.push_back({name, type, [this, property = std::string(name)](dbus::TWriter& value) {
                                         Property(property, value);
                                     }});
    }
    object.signals = {{"NewTitle", ""}, {"NewIcon", ""}, {"NewToolTip", ""}, {"NewStatus", "s"}};
    return object;
}

StatusNotifierItem::StatusNotifierItem(platform::IWindowSystem* loop, const platform::NotifyIconData& data,
                                       int serial)
    : bus_(TBusKind::Session, loop),
      name_("org.kde.StatusNotifierItem-" + std::to_string(getpid()) + "-" + std::to_string(serial)),
      sink_(data.hWnd), id_(data.uID) {
    Store(data);
}

StatusNotifierItem::~StatusNotifierItem() {
    if (dbus::TConnection* bus = bus_.Get()) {
        bus->RemoveObject(kItemPath);
        bus_.Send(kBusDaemon, "ReleaseName", dbus::TWriter().String(name_));
    }
}

bool StatusNotifierItem::Start() {
    if (!bus_.Open()) {
        return false;
    }
    dbus::TConnection* bus = bus_.Get();
    bus->AddObject(kItemPath, Interface());
    dbus::TMessage request =
        dbus::MethodCall(kBusDaemon.service, kBusDaemon.path, kBusDaemon.interface, "RequestName");
    request.SetBody(dbus::TWriter().String(name_).Uint32(dbus::kNameDoNotQueue));
    const dbus::TMessage taken = bus->Call(std::move(request), dbus::DefaultCallTimeoutUsec());
    if (taken.type != dbus::TMessageType::MethodReturn || taken.Read().Uint32() != dbus::kNamePrimaryOwner) {
        return false;
    }
    // The watcher's answer changes nothing: a host that refuses the item simply shows nothing.
    const TBusObject watcher{kWatcherName, kWatcherPath, kWatcherName};
    bus_.Send(watcher, "RegisterStatusNotifierItem", dbus::TWriter().String(name_));
    bus_.Flush();
    return bus_.Get() != nullptr;
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
    if (dbus::TConnection* bus = bus_.Get()) {
        bus->EmitSignal(kItemPath, kItemInterface, signal);
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

dbus::TMessage StatusNotifierItem::Activate(const dbus::TMessage& call) {
    Post({kLeftDown, kLeftUp, kLeftDouble, kLeftUp});
    return dbus::MethodReturn(call);
}

dbus::TMessage StatusNotifierItem::ContextMenu(const dbus::TMessage& call) {
    Post({kRightDown, kRightUp});
    return dbus::MethodReturn(call);
}

void StatusNotifierItem::AppendPixmaps(dbus::TWriter& value) const {
    value.OpenArray("(iiay)");
    if (!pixmap_.empty()) {
        value.OpenStruct().Int32(width_).Int32(height_).Bytes(pixmap_.data(), pixmap_.size()).CloseStruct();
    }
    value.CloseArray();
}

void StatusNotifierItem::AppendToolTip(dbus::TWriter& value) const {
    value.OpenStruct().String("");
    AppendPixmaps(value);
    value.String(title_).String(body_).CloseStruct();
}

void StatusNotifierItem::Property(const std::string& name, dbus::TWriter& value) const {
    if (name == "Category") {
        value.String("ApplicationStatus");
    } else if (name == "Id") {
        value.String(dbus::ValidUtf8(program_invocation_short_name));
    } else if (name == "Title") {
        value.String(title_);
    } else if (name == "Status") {
        value.String("Active");
    } else if (name == "WindowId") {
        value.Int32(0);
    } else if (name == "IconName") {
        value.String("");
    } else if (name == "IconPixmap") {
        AppendPixmaps(value);
    } else if (name == "ToolTip") {
        AppendToolTip(value);
    } else {
        value.Bool(false);
    }
}

} // namespace platform::linuxdesktop
