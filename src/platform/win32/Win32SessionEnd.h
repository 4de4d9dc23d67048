// The end of a Windows session: WM_QUERYENDSESSION and WM_ENDSESSION, which the system sends
// to every top-level window, heard by one hidden window of the program.
#pragma once

#include "platform/SessionEnd.h"
#include "platform/win32/HiddenWindow.h"

namespace platform::win32 {

class Win32SessionEnd final : public ISessionEnd {
public:
    Win32SessionEnd();
    void SetSink(ISessionEndSink* sink) override { sink_ = sink; }

    // The window's answer to a message (for tests): true when the message was one of the two.
    bool Handle(UINT message, WPARAM wParam, LRESULT& result);

private:
    ISessionEndSink* sink_ = nullptr;
    HiddenWindow window_;
};

} // namespace platform::win32
