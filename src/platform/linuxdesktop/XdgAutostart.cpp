#include "platform/linuxdesktop/XdgAutostart.h"

#include "platform/linuxdesktop/LinuxFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <unistd.h>

namespace platform::linuxdesktop {

namespace {

// Characters that make an Exec argument need quotes.
constexpr std::string_view kReservedCharacters = " \t\n\"'\\><~|&;$*?#()`";
// Characters escaped with a backslash inside the quotes.
constexpr std::string_view kEscapedInQuotes = "\"`$\\";

bool NeedsQuotes(const std::string& argument) {
    return argument.empty() || argument.find_first_of(kReservedCharacters) != std::string::npos;
}

bool HasUnencodableControl(const std::string& text) {
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\n' && c != '\t' && c != '\r') || byte == 0x7F) {
            return true;
        }
    }
    return false;
}

// The string-level escapes of a desktop-entry value.
std::string EscapeValue(const std::string& value) {
    std::string out;
    for (char c : value) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

} // namespace

std::string QuoteExecArgument(const std::string& argument, bool alwaysQuote) {
    std::string body;
    for (char c : argument) {
        if (c == '%') {
            body += "%%";
        } else {
            body += c;
        }
    }
    if (!alwaysQuote && !NeedsQuotes(argument)) {
        return body;
    }
    std::string quoted = "\"";
    for (char c : body) {
        if (kEscapedInQuotes.find(c) != std::string_view::npos) {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + "\"";
}

std::string ExecLine(const std::string& programPath, const std::vector<std::string>& arguments) {
    if (HasUnencodableControl(programPath)) {
        return {};
    }
    std::string line = QuoteExecArgument(programPath, true);
    for (const std::string& argument : arguments) {
        if (HasUnencodableControl(argument)) {
            return {};
        }
        line += ' ' + QuoteExecArgument(argument, false);
    }
    return EscapeValue(line);
}

std::string DesktopEntry(const std::string& name, const std::string& programPath,
                         const std::vector<std::string>& arguments) {
    const std::string exec = ExecLine(programPath, arguments);
    if (exec.empty()) {
        return {};
    }
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" +
           EscapeValue(name) +
           "\n"
           "Comment=Shutdown timer\n"
           "Exec=" +
           exec +
           "\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

std::string DefaultAutostartFolder() {
    std::string base = Environment("XDG_CONFIG_HOME");
    if (base.empty() || base.front() != '/') {
        const std::string home = Environment("HOME");
        base = (home.empty() ? std::string("/tmp") : home) + "/.config";
    }
    if (base.back() != '/') {
        base += '/';
    }
    return base + "autostart/";
}

XdgAutostart::XdgAutostart(std::string folder) : folder_(std::move(folder)) {
    if (!folder_.empty() && folder_.back() != '/') {
        folder_ += '/';
    }
}

bool XdgAutostart::Write(const std::string& name, const std::string& programPath,
                         const std::vector<std::string>& arguments) {
    const std::string content = DesktopEntry(name, programPath, arguments);
    if (content.empty() || programPath.empty()) {
        return false;
    }
    LinuxFiles files;
    return files.ReplaceFile(EntryPath(name), content);
}

bool XdgAutostart::Remove(const std::string& name) {
    return unlink(EntryPath(name).c_str()) == 0 || errno == ENOENT;
}

} // namespace platform::linuxdesktop
