#include "toolkit/graphics/Raster.h"

#include <algorithm>
#include <cmath>

namespace {

// The classic check mark: three rows thick, drawn relative to the box's top-left corner.
constexpr TPoint kCheckMark[] = {{3, 5}, {3, 6}, {3, 7}, {4, 6}, {4, 7}, {4, 8}, {5, 7},
                                 {5, 8}, {5, 9}, {6, 6}, {6, 7}, {6, 8}, {7, 5}, {7, 6},
                                 {7, 7}, {8, 4}, {8, 5}, {8, 6}, {9, 3}, {9, 4}, {9, 5}};

void Fill(HDC dc, const TRect& r, TColor color) {
    raster::FillSolid(dc, r, ColorToPixel(ColorToRGB(color)));
}

// Upper-left and lower-right sides of a one-pixel ring.
void Ring(HDC dc, const TRect& r, TColor upperLeft, TColor lowerRight) {
    Fill(dc, Rect(r.Left, r.Top, r.Right - 1, r.Top + 1), upperLeft);
    Fill(dc, Rect(r.Left, r.Top, r.Left + 1, r.Bottom - 1), upperLeft);
    Fill(dc, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), lowerRight);
    Fill(dc, Rect(r.Right - 1, r.Top, r.Right, r.Bottom), lowerRight);
}

void DrawCheckBox(HDC dc, TRect box, unsigned state) {
    if ((state & DFCS_FLAT) != 0) {
        Ring(dc, box, clBtnShadow, clBtnShadow);
        InflateRect(box, -1, -1);
    } else {
        Ring(dc, box, clBtnShadow, clBtnHighlight);
        InflateRect(box, -1, -1);
        Ring(dc, box, cl3DDkShadow, cl3DLight);
        InflateRect(box, -1, -1);
    }
    const bool dimmed = (state & (DFCS_INACTIVE | DFCS_PUSHED)) != 0;
    Fill(dc, box, dimmed ? clBtnFace : clWindow);
    if ((state & DFCS_CHECKED) == 0) {
        return;
    }
    const bool grey = (state & DFCS_INACTIVE) != 0 || (state & DFCS_BUTTON3STATE) == DFCS_BUTTON3STATE;
    const std::uint32_t mark = ColorToPixel(ColorToRGB(grey ? clBtnShadow : clWindowText));
    const int left = box.Left - ((state & DFCS_FLAT) != 0 ? 1 : 2);
    const int top = box.Top - ((state & DFCS_FLAT) != 0 ? 1 : 2);
    for (const TPoint& p : kCheckMark) {
        raster::PutPixel(dc, left + p.X, top + p.Y, mark);
    }
}

void DrawRadioButton(HDC dc, const TRect& box, unsigned state) {
    const double cx = (box.Left + box.Right) / 2.0;
    const double cy = (box.Top + box.Bottom) / 2.0;
    const double radius = std::min(box.Width(), box.Height()) / 2.0;
    const bool dimmed = (state & (DFCS_INACTIVE | DFCS_PUSHED)) != 0;
    const std::uint32_t inside = ColorToPixel(ColorToRGB(dimmed ? clBtnFace : clWindow));
    const std::uint32_t dot =
        ColorToPixel(ColorToRGB((state & DFCS_INACTIVE) != 0 ? clBtnShadow : clWindowText));
    TRect visible;
    if (!IntersectRect(visible, box, Rect(0, 0, dc->Target()->Width(), dc->Target()->Height()))) {
        return;
    }
    for (int y = visible.Top; y < visible.Bottom; ++y) {
        for (int x = visible.Left; x < visible.Right; ++x) {
            const double dx = x + 0.5 - cx;
            const double dy = y + 0.5 - cy;
            const double distance = std::sqrt(dx * dx + dy * dy);
            if (distance > radius) {
                continue;
            }
            TColor edge = clNone;
            if (distance > radius - 1) {
                edge = dx + dy < 0 ? clBtnShadow : clBtnHighlight;
            } else if (distance > radius - 2) {
                edge = dx + dy < 0 ? cl3DDkShadow : cl3DLight;
            }
            if (edge != clNone) {
                raster::PutPixel(dc, x, y, ColorToPixel(ColorToRGB(edge)));
            } else {
                const bool onDot = (state & DFCS_CHECKED) != 0 && distance <= radius / 3.0 + 0.5;
                raster::PutPixel(dc, x, y, onDot ? dot : inside);
            }
        }
    }
}

} // namespace

bool DrawFrameControl(HDC dc, const TRect& rect, unsigned type, unsigned state) {
    if (dc == nullptr || dc->Target() == nullptr || type != DFC_BUTTON || rect.IsEmpty()) {
        return false;
    }
    TRect box = rect;
    OffsetRect(box, dc->Origin().X, dc->Origin().Y);
    if ((state & DFCS_BUTTONRADIO) != 0) {
        DrawRadioButton(dc, box, state);
    } else {
        DrawCheckBox(dc, box, state);
    }
    return true;
}
