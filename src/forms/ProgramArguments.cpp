#include "forms/ProgramArguments.h"

namespace forms {

namespace {

std::vector<std::string>& Arguments() {
    static std::vector<std::string> arguments;
    return arguments;
}

} // namespace

void SetProgramArguments(std::vector<std::string> arguments) {
    Arguments() = std::move(arguments);
}

const std::vector<std::string>& ProgramArguments() {
    return Arguments();
}

} // namespace forms
