#include "platform/win32/Win32SessionEnd.h"

namespace platform::win32 {

Win32SessionEnd::Win32SessionEnd()
    : window_([this](UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
          return Handle(message, wParam, result);
      }) {}

bool Win32SessionEnd::Handle(UINT message, WPARAM wParam, LRESULT& result) {
    if (message == WM_QUERYENDSESSION) {
        // The answer may take a question to the user: the sink runs its modal loop here.
        result = sink_ == nullptr || sink_->QueryEndSession() ? TRUE : FALSE;
        return true;
    }
    if (message == WM_ENDSESSION) {
        if (sink_ != nullptr) {
            sink_->EndSession(wParam != FALSE);
        }
        result = 0;
        return true;
    }
    return false;
}

} // namespace platform::win32
