// The program block: command line, platform installation, windows and the message loop.
#include <cstdio>
#include <cstring>

namespace {

int PrintVersion() {
    std::printf("Vesperon %s\n", VESPERON_VERSION);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            return PrintVersion();
        }
    }
    return PrintVersion();
}
