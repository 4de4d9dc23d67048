#include "platform/x11/X11Presenter.h"

#include "platform/x11/X11Errors.h"

#include <X11/Xutil.h>
#include <algorithm>
#include <cstring>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <vector>

namespace platform::x11 {

namespace {

// Below this many pixels a plain request costs no more than the shared segment, and it needs
// no round trip (the shared segment must not be rewritten before the server has read it), so
// an idle program's small repaints (a clock pane) do not wake it a second time.
constexpr int kSharedMemoryMinPixels = 16384;

// The part of the dirty area (window coordinates) the view covers.
Rect ClipToBuffer(const Rect& dirty, const PixelView& buffer) {
    return Rect{std::max(dirty.left, buffer.left), std::max(dirty.top, buffer.top),
                std::min(dirty.right, buffer.left + buffer.width),
                std::min(dirty.bottom, buffer.top + buffer.height)};
}

// The view's pixel at the window position (x, y).
const std::uint32_t* PixelAt(const PixelView& buffer, int x, int y) {
    return buffer.pixels + std::size_t(y - buffer.top) * std::size_t(buffer.stride) +
           std::size_t(x - buffer.left);
}

// Position of the lowest set bit and the width of a colour mask, for visuals whose pixel
// layout differs from the buffer's.
struct Channel {
    int shift = 0;
    int bits = 0;
};

Channel ChannelOf(unsigned long mask) {
    Channel channel;
    while (mask != 0 && (mask & 1) == 0) {
        mask >>= 1;
        ++channel.shift;
    }
    while ((mask & 1) != 0) {
        mask >>= 1;
        ++channel.bits;
    }
    return channel;
}

unsigned long Scale(unsigned value8, const Channel& channel) {
    if (channel.bits == 0) {
        return 0;
    }
    const unsigned long scaled =
        channel.bits >= 8 ? (value8 << (channel.bits - 8)) : (value8 >> (8 - channel.bits));
    return scaled << channel.shift;
}

} // namespace

X11Presenter::X11Presenter(Display* display, Window window, bool trySharedMemory)
    : display_(display), window_(window), gc_(XCreateGC(display, window, 0, nullptr)),
      visual_(DefaultVisual(display, DefaultScreen(display))),
      depth_(DefaultDepth(display, DefaultScreen(display))) {
    shmUsable_ = trySharedMemory && NativeLayout() && XShmQueryExtension(display) == True;
}

X11Presenter::~X11Presenter() {
    ReleaseSharedImage();
    XFreeGC(display_, gc_);
}

// The buffer's pixels can go to the server as they are: 32 bits per pixel, red, green and
// blue in the low three bytes of a little-endian word.
bool X11Presenter::NativeLayout() const {
    return (depth_ == 24 || depth_ == 32) && visual_->red_mask == 0xFF0000 && visual_->green_mask == 0xFF00 &&
           visual_->blue_mask == 0xFF;
}

void X11Presenter::Present(const PixelView& buffer, const Rect& dirty) {
    if (buffer.pixels == nullptr || buffer.width <= 0 || buffer.height <= 0 || buffer.stride < buffer.width) {
        return;
    }
    const Rect area = ClipToBuffer(dirty, buffer);
    if (area.IsEmpty()) {
        return;
    }
    if (!NativeLayout()) {
        PutConverted(buffer, area);
    } else if (shmUsable_ && area.Width() * area.Height() >= kSharedMemoryMinPixels &&
               EnsureSharedImage(buffer.width, buffer.height)) {
        PutShared(buffer, area);
    } else {
        PutDirect(buffer, area);
    }
}

bool X11Presenter::EnsureSharedImage(int width, int height) {
    if (shmImage_ != nullptr && shmImage_->width == width && shmImage_->height == height) {
        return true;
    }
    ReleaseSharedImage();
    shmImage_ = XShmCreateImage(display_, visual_, unsigned(depth_), ZPixmap, nullptr, &shm_, unsigned(width),
                                unsigned(height));
    if (shmImage_ == nullptr) {
        shmUsable_ = false;
        return false;
    }
    shm_.shmid =
        shmget(IPC_PRIVATE, std::size_t(shmImage_->bytes_per_line) * std::size_t(height), IPC_CREAT | 0600);
    void* memory = shm_.shmid < 0 ? reinterpret_cast<void*>(-1) : shmat(shm_.shmid, nullptr, 0);
    if (memory == reinterpret_cast<void*>(-1)) {
        if (shm_.shmid >= 0) {
            shmctl(shm_.shmid, IPC_RMID, nullptr);
        }
        XDestroyImage(shmImage_);
        shmImage_ = nullptr;
        shmUsable_ = false;
        return false;
    }
    shm_.shmaddr = shmImage_->data = static_cast<char*>(memory);
    shm_.readOnly = False;
    // A remote server cannot attach to our memory; it answers with an error.
    XSync(display_, False);
    TakeLastError();
    XShmAttach(display_, &shm_);
    XSync(display_, False);
    const bool attached = TakeLastError() == 0;
    // Marked for removal now, so the segment vanishes with the last detach even after a crash.
    shmctl(shm_.shmid, IPC_RMID, nullptr);
    if (!attached) {
        shmdt(shm_.shmaddr);
        shmImage_->data = nullptr;
        XDestroyImage(shmImage_);
        shmImage_ = nullptr;
        shmUsable_ = false;
        return false;
    }
    return true;
}

void X11Presenter::ReleaseSharedImage() {
    if (shmImage_ == nullptr) {
        return;
    }
    XShmDetach(display_, &shm_);
    XSync(display_, False);
    shmdt(shm_.shmaddr);
    shmImage_->data = nullptr;
    XDestroyImage(shmImage_);
    shmImage_ = nullptr;
}

void X11Presenter::PutShared(const PixelView& buffer, const Rect& area) {
    const std::size_t rowBytes = std::size_t(area.Width()) * 4;
    const int sourceLeft = area.left - buffer.left;
    const int sourceTop = area.top - buffer.top;
    for (int y = area.top; y < area.bottom; ++y) {
        char* target = shmImage_->data +
                       std::size_t(y - buffer.top) * std::size_t(shmImage_->bytes_per_line) +
                       std::size_t(sourceLeft) * 4;
        std::memcpy(target, PixelAt(buffer, area.left, y), rowBytes);
    }
    XShmPutImage(display_, window_, gc_, shmImage_, sourceLeft, sourceTop, area.left, area.top,
                 unsigned(area.Width()), unsigned(area.Height()), False);
    // The segment is written again by the next Present; wait until the server has read it.
    XSync(display_, False);
}

void X11Presenter::PutDirect(const PixelView& buffer, const Rect& area) {
    // An image header over the caller's pixels: no copy on the client side.
    XImage image{};
    image.width = buffer.width;
    image.height = buffer.height;
    image.format = ZPixmap;
    image.data = const_cast<char*>(reinterpret_cast<const char*>(buffer.pixels));
    image.byte_order = LSBFirst;
    image.bitmap_unit = 32;
    image.bitmap_bit_order = LSBFirst;
    image.bitmap_pad = 32;
    image.depth = depth_;
    image.bytes_per_line = buffer.stride * 4;
    image.bits_per_pixel = 32;
    image.red_mask = visual_->red_mask;
    image.green_mask = visual_->green_mask;
    image.blue_mask = visual_->blue_mask;
    if (XInitImage(&image) == 0) {
        return;
    }
    XPutImage(display_, window_, gc_, &image, area.left - buffer.left, area.top - buffer.top, area.left,
              area.top, unsigned(area.Width()), unsigned(area.Height()));
    XFlush(display_);
}

void X11Presenter::PutConverted(const PixelView& buffer, const Rect& area) {
    XImage* image = XCreateImage(display_, visual_, unsigned(depth_), ZPixmap, 0, nullptr,
                                 unsigned(area.Width()), unsigned(area.Height()), 32, 0);
    if (image == nullptr) {
        return;
    }
    std::vector<char> data(std::size_t(image->bytes_per_line) * std::size_t(area.Height()));
    image->data = data.data();
    const Channel red = ChannelOf(visual_->red_mask);
    const Channel green = ChannelOf(visual_->green_mask);
    const Channel blue = ChannelOf(visual_->blue_mask);
    for (int y = 0; y < area.Height(); ++y) {
        const std::uint32_t* row = PixelAt(buffer, area.left, area.top + y);
        for (int x = 0; x < area.Width(); ++x) {
            const std::uint32_t rgb = row[x];
            XPutPixel(image, x, y,
                      Scale((rgb >> 16) & 0xFF, red) | Scale((rgb >> 8) & 0xFF, green) |
                          Scale(rgb & 0xFF, blue));
        }
    }
    XPutImage(display_, window_, gc_, image, 0, 0, area.left, area.top, unsigned(area.Width()),
              unsigned(area.Height()));
    image->data = nullptr;
    XDestroyImage(image);
    XFlush(display_);
}

} // namespace platform::x11
