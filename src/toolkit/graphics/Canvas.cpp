#include "toolkit/graphics/Raster.h"

#include <algorithm>

namespace {

TPoint ToDevice(HDC dc, int x, int y) {
    return Point(x + dc->Origin().X, y + dc->Origin().Y);
}

TRect ToDevice(HDC dc, const TRect& r) {
    TRect moved = r;
    OffsetRect(moved, dc->Origin().X, dc->Origin().Y);
    return moved;
}

TRect Normalized(int left, int top, int right, int bottom) {
    return Rect(std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom));
}

// One ring of one-pixel pen lines just inside a device rectangle, with no pixel drawn twice
// (so that inverting pens stay correct).
void PenRing(HDC dc, const TRect& r, const TPen& pen) {
    if (r.IsEmpty()) {
        return;
    }
    TPen thin;
    thin.Assign(pen);
    thin.SetWidth(1);
    raster::PenLine(dc, Point(r.Left, r.Top), Point(r.Right, r.Top), thin);
    if (r.Height() > 1) {
        raster::PenLine(dc, Point(r.Left, r.Bottom - 1), Point(r.Right, r.Bottom - 1), thin);
    }
    raster::PenLine(dc, Point(r.Left, r.Top + 1), Point(r.Left, r.Bottom - 1), thin);
    if (r.Width() > 1) {
        raster::PenLine(dc, Point(r.Right - 1, r.Top + 1), Point(r.Right - 1, r.Bottom - 1), thin);
    }
}

bool InsideEllipse(double cx, double cy, double a, double b, int x, int y) {
    if (a <= 0 || b <= 0) {
        return false;
    }
    const double u = (x + 0.5 - cx) / a;
    const double v = (y + 0.5 - cy) / b;
    return u * u + v * v <= 1.0;
}

} // namespace

TCanvas::TCanvas() {
    pen_.OnChange = [this] {
        penValid_ = false;
    };
    brush_.OnChange = [this] {
        brushValid_ = false;
    };
    font_.OnChange = [this] {
        fontValid_ = false;
    };
}

TCanvas::~TCanvas() = default;

// Handing out the context selects the canvas's objects first, so that functions drawing
// straight on it (DrawText) use the canvas's current font and colours.
HDC TCanvas::Handle() {
    return RequiredState();
}

// Attaching a context, even the same one again, selects everything anew at the next drawing
// call: someone else may have changed the context's objects meanwhile.
void TCanvas::SetHandle(HDC dc) {
    handle_ = dc;
    penValid_ = false;
    brushValid_ = false;
    fontValid_ = false;
}

HDC TCanvas::RequiredState() {
    if (handle_ == nullptr) {
        CreateHandle();
    }
    HDC dc = handle_;
    if (dc == nullptr) {
        return nullptr;
    }
    // Selecting the brush sets the background colour and mode, selecting the font the text
    // colour, as a classic canvas does when its objects are selected into the context.
    if (!penValid_) {
        dc->pen.Assign(pen_);
        penValid_ = true;
    }
    if (!brushValid_) {
        dc->brush.Assign(brush_);
        dc->backColor = brush_.Color();
        dc->backMode = brush_.Style() == bsClear ? TRANSPARENT : OPAQUE;
        brushValid_ = true;
    }
    if (!fontValid_) {
        dc->font.Assign(font_);
        dc->textColor = font_.Color();
        fontValid_ = true;
    }
    return dc;
}

void TCanvas::Refresh() {
    penValid_ = false;
    brushValid_ = false;
    fontValid_ = false;
    RequiredState();
}

void TCanvas::Changed() {
    if (OnChange) {
        OnChange();
    }
}

void TCanvas::MoveTo(int x, int y) {
    penPos_ = Point(x, y);
}

void TCanvas::LineTo(int x, int y) {
    if (HDC dc = RequiredState()) {
        raster::PenLine(dc, ToDevice(dc, penPos_.X, penPos_.Y), ToDevice(dc, x, y), dc->pen);
        Changed();
    }
    penPos_ = Point(x, y);
}

void TCanvas::FillRect(const TRect& rect) {
    if (HDC dc = RequiredState()) {
        raster::FillWithBrush(dc, ToDevice(dc, rect), dc->brush);
        Changed();
    }
}

void TCanvas::FrameRect(const TRect& rect) {
    HDC dc = RequiredState();
    if (dc == nullptr || rect.IsEmpty()) {
        return;
    }
    const TRect r = ToDevice(dc, rect);
    raster::FillWithBrush(dc, Rect(r.Left, r.Top, r.Right, r.Top + 1), dc->brush);
    raster::FillWithBrush(dc, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), dc->brush);
    raster::FillWithBrush(dc, Rect(r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1), dc->brush);
    raster::FillWithBrush(dc, Rect(r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1), dc->brush);
    Changed();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    HDC dc = RequiredState();
    if (dc == nullptr) {
        return;
    }
    const TRect r = ToDevice(dc, Normalized(left, top, right, bottom));
    if (dc->pen.Style() == psClear) {
        // Without an outline the classic rectangle is one pixel smaller on the right and bottom.
        raster::FillWithBrush(dc, Rect(r.Left, r.Top, r.Right - 1, r.Bottom - 1), dc->brush);
    } else {
        const int width = dc->pen.Width();
        raster::FillWithBrush(dc, Rect(r.Left + width, r.Top + width, r.Right - width, r.Bottom - width),
                              dc->brush);
        for (int ring = 0; ring < width; ++ring) {
            PenRing(dc, Rect(r.Left + ring, r.Top + ring, r.Right - ring, r.Bottom - ring), dc->pen);
        }
    }
    Changed();
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    HDC dc = RequiredState();
    if (dc == nullptr) {
        return;
    }
    const TRect r = ToDevice(dc, Normalized(left, top, right, bottom));
    const double cx = (r.Left + r.Right) / 2.0;
    const double cy = (r.Top + r.Bottom) / 2.0;
    const double a = r.Width() / 2.0;
    const double b = r.Height() / 2.0;
    const int width = dc->pen.Style() == psClear ? 0 : dc->pen.Width();
    const std::uint32_t penPixel = ColorToPixel(ColorToRGB(dc->pen.Color()));
    TRect visible;
    if (dc->Target() == nullptr ||
        !IntersectRect(visible, r, Rect(0, 0, dc->Target()->Width(), dc->Target()->Height()))) {
        return;
    }
    for (int y = visible.Top; y < visible.Bottom; ++y) {
        for (int x = visible.Left; x < visible.Right; ++x) {
            if (!InsideEllipse(cx, cy, a, b, x, y)) {
                continue;
            }
            if (InsideEllipse(cx, cy, a - width, b - width, x, y)) {
                raster::FillWithBrush(dc, Rect(x, y, x + 1, y + 1), dc->brush);
            } else {
                raster::PutPixel(dc, x, y, penPixel);
            }
        }
    }
    Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    HDC dc = RequiredState();
    if (dc == nullptr || points.empty()) {
        return;
    }
    std::vector<TPoint> device;
    device.reserve(points.size());
    for (const TPoint& p : points) {
        device.push_back(ToDevice(dc, p.X, p.Y));
    }
    raster::FillPolygon(dc, device, dc->brush);
    for (std::size_t i = 0; i < device.size(); ++i) {
        raster::PenLine(dc, device[i], device[(i + 1) % device.size()], dc->pen);
    }
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    if (points.empty()) {
        return;
    }
    MoveTo(points.front().X, points.front().Y);
    for (std::size_t i = 1; i < points.size(); ++i) {
        LineTo(points[i].X, points[i].Y);
    }
}

TColor TCanvas::Pixel(int x, int y) {
    HDC dc = RequiredState();
    if (dc == nullptr) {
        return CLR_INVALID;
    }
    const TPoint p = ToDevice(dc, x, y);
    TPixelBuffer* target = dc->Target();
    if (target == nullptr || !Rect(0, 0, target->Width(), target->Height()).Contains(p) ||
        !dc->Clip().Contains(p.X, p.Y)) {
        return CLR_INVALID;
    }
    return PixelToColor(target->At(p.X, p.Y));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    if (HDC dc = RequiredState()) {
        const TPoint p = ToDevice(dc, x, y);
        raster::PutPixel(dc, p.X, p.Y, ColorToPixel(ColorToRGB(color)));
        Changed();
    }
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect) {
    HDC dc = RequiredState();
    HDC from = source.RequiredState();
    if (dc == nullptr || from == nullptr || from->Target() == nullptr) {
        return;
    }
    raster::Blit(dc, ToDevice(dc, dest), *from->Target(), ToDevice(from, sourceRect),
                 raster::TBlitMode::Copy);
    Changed();
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
    StretchDraw(Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap);
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap) {
    HDC dc = RequiredState();
    if (dc == nullptr || bitmap.Empty()) {
        return;
    }
    const TRect all = Rect(0, 0, bitmap.Width(), bitmap.Height());
    if (bitmap.Transparent()) {
        raster::Blit(dc, ToDevice(dc, dest), bitmap.Buffer(), all, raster::TBlitMode::KeyedCopy,
                     ColorToPixel(ColorToRGB(bitmap.TransparentColor())));
    } else {
        raster::Blit(dc, ToDevice(dc, dest), bitmap.Buffer(), all, raster::TBlitMode::Copy);
    }
    Changed();
}

void TCanvas::BrushCopy(const TRect& dest, const TBitmap& source, const TRect& sourceRect, TColor keyColor) {
    HDC dc = RequiredState();
    if (dc == nullptr || source.Empty()) {
        return;
    }
    raster::Blit(dc, ToDevice(dc, dest), source.Buffer(), sourceRect, raster::TBlitMode::KeyToBrush,
                 ColorToPixel(ColorToRGB(keyColor)), ColorToPixel(ColorToRGB(brush_.Color())));
    Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    HDC dc = RequiredState();
    if (dc == nullptr) {
        return;
    }
    ExtTextOut(dc, x, y, 0, nullptr, text);
    penPos_ = Point(x + TextWidth(text), y);
    Changed();
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const std::string& text) {
    HDC dc = RequiredState();
    if (dc == nullptr) {
        return;
    }
    // A solid brush fills the whole rectangle behind the text.
    const unsigned options = ETO_CLIPPED | (brush_.Style() != bsClear ? ETO_OPAQUE : 0u);
    ExtTextOut(dc, x, y, options, &rect, text);
    Changed();
}

int TCanvas::TextWidth(const std::string& text) {
    return TextExtent(text).cx;
}

int TCanvas::TextHeight(const std::string& text) {
    return TextExtent(text).cy;
}

TSize TCanvas::TextExtent(const std::string& text) {
    return MeasureText(font_, text);
}

TRect TCanvas::ClipRect() {
    TRect box;
    if (HDC dc = RequiredState()) {
        GetClipBox(dc, box);
    }
    return box;
}
