// Copies the dirty part of a window's back buffer to the window: through a shared-memory
// image when the server offers MIT-SHM on a local connection, with XPutImage otherwise.
#pragma once

#include "platform/x11/X11Names.h"

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

namespace platform::x11 {

class X11Presenter {
public:
    X11Presenter(Display* display, Window window, bool trySharedMemory);
    ~X11Presenter();
    X11Presenter(const X11Presenter&) = delete;
    X11Presenter& operator=(const X11Presenter&) = delete;

    void Present(const PixelView& buffer, const Rect& dirty);
    bool UsesSharedMemory() const { return shmUsable_; }

private:
    bool NativeLayout() const;
    bool EnsureSharedImage(int width, int height);
    void ReleaseSharedImage();
    void PutShared(const PixelView& buffer, const Rect& area);
    void PutDirect(const PixelView& buffer, const Rect& area);
    void PutConverted(const PixelView& buffer, const Rect& area);

    Display* display_;
    Window window_;
    GC gc_;
    Visual* visual_;
    int depth_;
    bool shmUsable_ = false;
    XShmSegmentInfo shm_{};
    XImage* shmImage_ = nullptr;
};

} // namespace platform::x11
