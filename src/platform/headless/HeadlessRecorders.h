// Simple recorders for the shell facilities in tests: opened pages, the session lock, the
// log-on entry and the program's paths. Each keeps the calls in order so a test can check
// what the program asked for.
#pragma once

#include "platform/Autostart.h"
#include "platform/Paths.h"
#include "platform/SessionLock.h"
#include "platform/Shell.h"

#include <set>
#include <string>
#include <vector>

namespace platform::headless {

class HeadlessShell : public platform::IShell {
public:
    void Open(const std::string& target) override { opened.push_back(target); }
    std::vector<std::string> opened;
};

class HeadlessSessionLock : public platform::ISessionLock {
public:
    bool Acquire(const std::string& name) override { return held.insert(name).second; }
    std::set<std::string> held; // names held "by another process" can be put here first
};

struct RecordedAutostart {
    std::string name;
    std::string programPath;
    std::vector<std::string> arguments;
};

class HeadlessAutostart : public platform::IAutostart {
public:
    bool Write(const std::string& name, const std::string& programPath,
               const std::vector<std::string>& arguments) override {
        writes.push_back(RecordedAutostart{name, programPath, arguments});
        entries.insert(name);
        return answer;
    }
    bool Remove(const std::string& name) override {
        removals.push_back(name);
        entries.erase(name);
        return answer;
    }
    bool answer = true;
    std::vector<RecordedAutostart> writes;
    std::vector<std::string> removals;
    std::set<std::string> entries;
};

class HeadlessPaths : public platform::IPaths {
public:
    std::string ProgramPath() override { return programPath; }
    std::string ConfigFolder() override { return configFolder; }
    std::string programPath = "/opt/vesperon/vesperon";
    std::string configFolder = "/tmp/vesperon-test/";
};

} // namespace platform::headless
