#include "platform/headless/HeadlessPower.h"

namespace platform::headless {

namespace {

const char* BoolText(bool value) {
    return value ? "true" : "false";
}

const char* RightName(platform::PowerRight right) {
    switch (right) {
    case platform::PowerRight::EndSession:
        return "EndSession";
    case platform::PowerRight::PowerOff:
        return "PowerOff";
    case platform::PowerRight::Reboot:
        return "Reboot";
    case platform::PowerRight::Suspend:
        return "Suspend";
    case platform::PowerRight::Hibernate:
        return "Hibernate";
    }
    return "?";
}

} // namespace

void HeadlessPower::ExitWindowsEx(unsigned flags, unsigned reason) {
    calls_.push_back("ExitWindowsEx(" + std::to_string(flags) + ", " + std::to_string(reason) + ")");
}

void HeadlessPower::SetSystemPowerState(bool suspend, bool force) {
    calls_.push_back(std::string("SetSystemPowerState(") + BoolText(suspend) + ", " + BoolText(force) + ")");
}

void HeadlessPower::SetShutdownPrivilege(bool enable, platform::PowerRight right, Answer answer) {
    calls_.push_back(std::string("SetShutdownPrivilege(") + BoolText(enable) + ", " + RightName(right) + ")");
    answer(privilegeAnswer_);
}

} // namespace platform::headless
