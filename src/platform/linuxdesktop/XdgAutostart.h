// The log-on entry of a Linux desktop: an XDG autostart file "<name>.desktop" in the user's
// autostart folder whose Exec line runs the program with its arguments.
#pragma once

#include "platform/Autostart.h"

#include <string>
#include <vector>

namespace platform::linuxdesktop {

// One argument of an Exec line: the value as the desktop-entry format reads it back, quoted
// when it holds a blank or a reserved character (the program path always is), with '"', '`',
// '$' and '\' escaped inside the quotes and '%' doubled so it is no field code.
std::string QuoteExecArgument(const std::string& argument, bool alwaysQuote);

// The Exec value written to the file: the string-level escapes of the format applied on top
// of the quoting ('\' doubled, newline, tab and carriage return as \n, \t, \r). Empty when the
// path or an argument holds a control character no escape can carry.
std::string ExecLine(const std::string& programPath, const std::vector<std::string>& arguments);

// The whole file.
std::string DesktopEntry(const std::string& name, const std::string& programPath,
                         const std::vector<std::string>& arguments);

// $XDG_CONFIG_HOME/autostart/ (an absolute value only), else ~/.config/autostart/.
std::string DefaultAutostartFolder();

class XdgAutostart : public platform::IAutostart {
public:
    // folder ends with '/'.
    explicit XdgAutostart(std::string folder = DefaultAutostartFolder());

    bool Write(const std::string& name, const std::string& programPath,
               const std::vector<std::string>& arguments) override;
    bool Remove(const std::string& name) override;

    std::string EntryPath(const std::string& name) const { return folder_ + name + ".desktop"; }

private:
    std::string folder_;
};

} // namespace platform::linuxdesktop
