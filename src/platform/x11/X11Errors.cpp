#include "platform/x11/X11Errors.h"

#include <X11/Xlib.h>

namespace platform::x11 {

namespace {

// Written only by the handler, which Xlib runs on the thread that reads the connection.
int lastError = 0;

int RecordError(Display*, XErrorEvent* error) {
    lastError = error->error_code;
    return 0;
}

} // namespace

void InstallErrorHandler() {
    XSetErrorHandler(RecordError);
}

int TakeLastError() {
    const int error = lastError;
    lastError = 0;
    return error;
}

} // namespace platform::x11
