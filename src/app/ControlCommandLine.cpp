#include "app/ControlCommandLine.h"

#include "app/OpenBackend.h"
#include "core/TaskCommands.h"
#include "core/TaskTexts.h"
#include "core/WhenText.h"
#include "forms/ProgramBlock.h"

#include <chrono>
#include <cstdio>
#include <string_view>
#include <thread>

const char* const kControlUsage =
    "\n"
    "Commands for the copy that runs in this log-on session (one is started in the\n"
    "notification area when none runs):\n"
    "\n"
    "  --shutdown WHEN, --logoff WHEN, --restart WHEN, --force-shutdown WHEN,\n"
    "  --standby WHEN, --hibernate WHEN\n"
    "                  arm that action as choosing it in the window and pressing\n"
    "                  Start does, and print \"Shutdown at 2026-12-24 18:00:00, in 2:14:05\"\n"
    "  --warn, --no-warn\n"
    "                  with an action: turn \"30 seconds to warn\" on or off\n"
    "                  (without either it stays as it is)\n"
    "  --cancel        stop the task, as Stop does (\"No task\" when none is armed)\n"
    "  --status        print the task as above, \"No task\", or \"Not running\" when no\n"
    "                  copy runs; never starts one\n"
    "\n"
    "WHEN, in local time:\n"
    "  now                     at once, as Shutdown Now\n"
    "  +M, Mm                  in M minutes (1 to 10000)\n"
    "  HhMm                    in H hours and M minutes, for example 1h30m\n"
    "  HH:MM[:SS]              today, or tomorrow when that time has passed\n"
    "  \"YYYY-MM-DD HH:MM[:SS]\" that date and time, as one argument\n"
    "\n"
    "Exit codes: 0 done; 1 no task; 2 refused (a wrong command, an overdue time,\n"
    "the start-up guard); 3 not running; 4 no answer or failed.\n";

namespace {

// How long a command waits for a copy that is starting to listen.
constexpr auto kStartingCopyPatience = std::chrono::seconds(5);
constexpr auto kStartingCopyPoll = std::chrono::milliseconds(100);

// Takes one control argument at arguments[i] (moving i past a separate WHEN); false when the
// argument is not one of them.
bool TakeControlArgument(const std::vector<std::string>& arguments, std::size_t& i, ControlCommandLine& line,
                         std::optional<bool>& warn) {
    const std::string_view argument = arguments[i];
    if (argument.substr(0, 2) != "--") {
        return false;
    }
    const std::string_view option = argument.substr(2);
    const std::size_t equals = option.find('=');
    const std::string_view name = option.substr(0, equals);
    const bool takesTime = core::ActionOfCommandName(name).has_value();
    const bool switchOnly = name == "warn" || name == "no-warn" || name == "cancel" || name == "status";
    if (switchOnly && equals != std::string_view::npos) {
        line.error = "--" + std::string(name) + " takes no value";
        return true;
    }
    if (name == "warn" || name == "no-warn") {
        if (warn && *warn != (name == "warn")) {
            line.error = "--warn and --no-warn contradict each other";
        }
        warn = name == "warn";
        return true;
    }
    platform::ControlRequest request;
    if (name == "cancel" || name == "status") {
        request.command =
            name == "cancel" ? platform::ControlCommand::Cancel : platform::ControlCommand::Status;
    } else if (takesTime) {
        request.command = platform::ControlCommand::Arm;
        request.action = name;
        if (equals != std::string_view::npos) {
            request.when = option.substr(equals + 1);
        } else if (i + 1 < arguments.size() && arguments[i + 1].substr(0, 2) != "--") {
            request.when = arguments[++i];
        } else {
            line.error = std::string(argument) + " needs a time (WHEN)";
        }
    } else {
        return false;
    }
    if (line.request) {
        line.error = "one command at a time: " + std::string(argument) + " comes after another";
    }
    line.request = request;
    return true;
}

} // namespace

ControlCommandLine ParseControlCommandLine(const std::vector<std::string>& arguments) {
    ControlCommandLine line;
    std::optional<bool> warn;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (!TakeControlArgument(arguments, i, line, warn)) {
            line.rest.push_back(arguments[i]);
        }
    }
    if (!line.error.empty()) {
        return line;
    }
    const bool arming = line.request && line.request->command == platform::ControlCommand::Arm;
    if (warn && !arming) {
        line.error = "--warn and --no-warn go with an action (--shutdown, ...)";
    } else if (arming) {
        line.request->warn = warn;
        const core::TWhenParse when = core::ParseWhen(line.request->when);
        if (!when.when) {
            line.error = when.error;
        }
    }
    return line;
}

namespace {

// Prints the reply as the command line shows it and returns its code: answers on stdout,
// refusals and failures on stderr.
int Report(const platform::ControlReply& reply) {
    if (!reply.text.empty()) {
        const bool refused =
            reply.code == platform::kControlRefused || reply.code == platform::kControlFailed;
        std::FILE* stream = refused ? stderr : stdout;
        std::fprintf(stream, "%s\n", reply.text.c_str());
        // A copy started for the command runs on after printing.
        std::fflush(stream);
    }
    return reply.code;
}

std::optional<platform::ControlReply> Send(const platform::ControlRequest& request) {
    const std::unique_ptr<platform::IControlChannel> channel = OpenControlClient();
    return channel != nullptr ? channel->Send(request) : std::nullopt;
}

} // namespace

std::optional<int> SendToRunningCopy(const platform::ControlRequest& request) {
    if (const std::optional<platform::ControlReply> reply = Send(request)) {
        return Report(*reply);
    }
    switch (request.command) {
    case platform::ControlCommand::Status:
        return Report(platform::ReplyOf(platform::kControlNotRunning, core::kNotRunningText));
    case platform::ControlCommand::Cancel:
        return Report(platform::ReplyOf(platform::kControlNoTask, core::kNoTaskText));
    case platform::ControlCommand::Arm:
        break;
    }
    return std::nullopt;
}

int RunCommandCopy(TApplication& application, const std::vector<std::string>& arguments,
                   const platform::ControlRequest& request) {
    const std::optional<int> exitCode = forms::RunProgramWithCommand(
        application, arguments, request, [](const platform::ControlReply& reply) { Report(reply); });
    if (exitCode) {
        return *exitCode;
    }
    // Another copy took the lock after this one looked: it listens as soon as its windows exist.
    const auto giveUp = std::chrono::steady_clock::now() + kStartingCopyPatience;
    while (std::chrono::steady_clock::now() < giveUp) {
        if (const std::optional<platform::ControlReply> reply = Send(request)) {
            return Report(*reply);
        }
        std::this_thread::sleep_for(kStartingCopyPoll);
    }
    return Report(
        platform::ReplyOf(platform::kControlFailed, "vesperon: the copy that runs does not answer"));
}
