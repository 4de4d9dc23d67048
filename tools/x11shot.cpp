// Writes a PNG of a window (by id or by exact title) or of the whole screen of $DISPLAY, or of
// an area of it. Used by `make run` and the end-to-end tests, where no image converter is
// installed.
//   x11shot OUTPUT.png [--window ID | --title TITLE] [--area X,Y,WIDTH,HEIGHT]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <png.h>
#include <string>
#include <vector>

namespace {

Window FindByTitle(Display* display, Window window, const std::string& title) {
    char* name = nullptr;
    if (XFetchName(display, window, &name) != 0 && name != nullptr) {
        const bool match = title == name;
        XFree(name);
        if (match) {
            return window;
        }
    }
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count) != 0) {
        for (unsigned i = 0; i < count && found == 0; ++i) {
            found = FindByTitle(display, children[i], title);
        }
        if (children != nullptr) {
            XFree(children);
        }
    }
    return found;
}

bool WritePng(const char* path, XImage* image) {
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, png_uint_32(image->width), png_uint_32(image->height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(std::size_t(image->width) * 3);
    for (int y = 0; y < image->height; ++y) {
        for (int x = 0; x < image->width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            row[std::size_t(x) * 3] = png_byte((pixel & image->red_mask) >> 16);
            row[std::size_t(x) * 3 + 1] = png_byte((pixel & image->green_mask) >> 8);
            row[std::size_t(x) * 3 + 2] = png_byte(pixel & image->blue_mask);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc % 2 != 0) {
        std::fprintf(stderr,
                     "usage: x11shot OUTPUT.png [--window ID | --title TITLE] [--area X,Y,WIDTH,HEIGHT]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "x11shot: cannot open the X display\n");
        return 1;
    }
    Window window = DefaultRootWindow(display);
    int area[4] = {0, 0, -1, -1};
    for (int i = 2; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--window") == 0) {
            window = Window(std::strtoul(argv[i + 1], nullptr, 0));
        } else if (std::strcmp(argv[i], "--title") == 0) {
            window = FindByTitle(display, DefaultRootWindow(display), argv[i + 1]);
        } else if (std::strcmp(argv[i], "--area") == 0) {
            std::sscanf(argv[i + 1], "%d,%d,%d,%d", &area[0], &area[1], &area[2], &area[3]);
        }
    }
    XWindowAttributes attributes{};
    if (window == 0 || XGetWindowAttributes(display, window, &attributes) == 0) {
        std::fprintf(stderr, "x11shot: no such window\n");
        return 1;
    }
    const int width = area[2] < 0 ? attributes.width : area[2];
    const int height = area[3] < 0 ? attributes.height : area[3];
    XImage* image =
        XGetImage(display, window, area[0], area[1], unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    if (image == nullptr || image->depth < 24) {
        std::fprintf(stderr, "x11shot: cannot read the window's pixels\n");
        return 1;
    }
    const bool written = WritePng(argv[1], image);
    XDestroyImage(image);
    XCloseDisplay(display);
    if (!written) {
        std::fprintf(stderr, "x11shot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
