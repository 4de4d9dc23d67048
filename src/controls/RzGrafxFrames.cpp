// Frame styles in system colours and tinted from a base colour, the panel border and the
// edit frame.
#include "controls/RzGrafx.h"

namespace {

struct TColorPair {
    TColor UpperLeft;
    TColor LowerRight;
};

// The system colours of the styles drawn as plain rings or etched lines.
TColorPair SystemPair(TFrameStyleEx style) {
    switch (style) {
    case fsFlat:
        return {cl3DDkShadow, cl3DDkShadow};
    case fsGroove:
    case fsStatus:
        return {clBtnShadow, clBtnHighlight};
    case fsBump:
    case fsPopup:
        return {clBtnHighlight, clBtnShadow};
    default:
        return {clBtnShadow, clBtnShadow};
    }
}

TRect Ring(TCanvas* canvas, TRect bounds, TColorPair pair, TSides sides, int count = 1) {
    return PaintBevelRings(canvas, bounds, pair.UpperLeft, pair.LowerRight, sides, count);
}

// Two interleaved rings, dark (D) above light (Lt); the end pixels close the lines where a
// side is missing from the set so that the groove does not look cut open.
TRect PaintEtchedSides(TCanvas* canvas, TRect bounds, TColor dark, TColor light, TSides sides) {
    const TRect& r = bounds;
    const bool left = sides.Contains(sdLeft);
    const bool top = sides.Contains(sdTop);
    const bool right = sides.Contains(sdRight);
    const bool bottom = sides.Contains(sdBottom);
    if (right) {
        canvas->SetPixel(r.Right - 1, r.Top, light);
    } else if (top) {
        canvas->SetPixel(r.Right - 1, r.Top, dark);
    }
    if (bottom) {
        canvas->SetPixel(r.Left, r.Bottom - 1, light);
    } else if (left) {
        canvas->SetPixel(r.Left, r.Bottom - 1, dark);
    }
    if (top && !left) {
        canvas->SetPixel(r.Left, r.Top + 1, light);
    }
    if (left && !top) {
        canvas->SetPixel(r.Left + 1, r.Top, light);
    }
    if (bottom && !right) {
        canvas->SetPixel(r.Right - 1, r.Bottom - 2, dark);
    }
    if (right && !bottom) {
        canvas->SetPixel(r.Right - 2, r.Bottom - 1, dark);
    }
    PaintSides(canvas, Rect(r.Left + 1, r.Top + 1, r.Right, r.Bottom), light, light, sides);
    PaintSides(canvas, Rect(r.Left, r.Top, r.Right - 1, r.Bottom - 1), dark, dark, sides);
    return Rect(r.Left + (left ? 2 : 0), r.Top + (top ? 2 : 0), r.Right - (right ? 2 : 0),
                r.Bottom - (bottom ? 2 : 0));
}

} // namespace

// ---------------------------------------------------------------------------------------
// System colours

TRect PaintFrame(TCanvas* canvas, TRect bounds, TFrameStyleEx style) {
    return PaintFrameSides(canvas, bounds, style, sdAllSides);
}

TRect PaintFrameSides(TCanvas* canvas, TRect bounds, TFrameStyleEx style, TSides sides) {
    switch (style) {
    case fsFlat:
    case fsStatus:
    case fsPopup:
        return Ring(canvas, bounds, SystemPair(style), sides);
    case fsFlatBold:
        return Ring(canvas, bounds, SystemPair(style), sides, 2);
    case fsGroove:
    case fsBump:
        return PaintEtchedSides(canvas, bounds, SystemPair(style).UpperLeft, SystemPair(style).LowerRight,
                                sides);
    case fsLowered:
    case fsRaised:
        return Paint3DEdgeSides(canvas, bounds, style == fsLowered, sides);
    case fsButtonDown:
    case fsButtonUp:
        return PaintButtonEdgeSides(canvas, bounds, style == fsButtonDown, sides);
    default:
        return bounds;
    }
}

TRect Paint3DEdgeSides(TCanvas* canvas, TRect bounds, bool sunken, TSides sides) {
    if (sunken) {
        bounds = Ring(canvas, bounds, {clBtnShadow, clBtnHighlight}, sides);
        return Ring(canvas, bounds, {cl3DDkShadow, cl3DLight}, sides);
    }
    bounds = Ring(canvas, bounds, {cl3DLight, cl3DDkShadow}, sides);
    return Ring(canvas, bounds, {clBtnHighlight, clBtnShadow}, sides);
}

TRect PaintButtonEdge(TCanvas* canvas, TRect bounds, bool pressed) {
    return PaintButtonEdgeSides(canvas, bounds, pressed, sdAllSides);
}

TRect PaintButtonEdgeSides(TCanvas* canvas, TRect bounds, bool pressed, TSides sides) {
    if (pressed) {
        bounds = Ring(canvas, bounds, {clBtnText, clBtnText}, sides);
        return Ring(canvas, bounds, {clBtnShadow, clBtnShadow}, sides);
    }
    bounds = Ring(canvas, bounds, {clBtnHighlight, cl3DDkShadow}, sides);
    return Ring(canvas, bounds, {cl3DLight, clBtnShadow}, sides);
}

// ---------------------------------------------------------------------------------------
// Tinted from a base colour

TRect PaintTintedFrame(TCanvas* canvas, TRect bounds, TColor base, TFrameStyleEx style) {
    return PaintTintedFrameSides(canvas, bounds, base, style, sdAllSides);
}

TRect PaintTintedFrameSides(TCanvas* canvas, TRect bounds, TColor base, TFrameStyleEx style, TSides sides) {
    const TColor dark50 = DarkenColor(base, 50);
    const TColor light100 = LightenColor(base, 100);
    switch (style) {
    case fsFlat:
        return Ring(canvas, bounds, {dark50, dark50}, sides);
    case fsFlatBold:
        return Ring(canvas, bounds, {dark50, dark50}, sides, 2);
    case fsGroove:
        return PaintEtchedSides(canvas, bounds, dark50, light100, sides);
    case fsBump:
        return PaintEtchedSides(canvas, bounds, light100, dark50, sides);
    case fsLowered:
        bounds = Ring(canvas, bounds, {dark50, light100}, sides);
        return Ring(canvas, bounds, {DarkenColor(base, 100), LightenColor(base, 50)}, sides);
    case fsRaised:
        bounds = Ring(canvas, bounds, {LightenColor(base, 50), DarkenColor(base, 100)}, sides);
        return Ring(canvas, bounds, {light100, dark50}, sides);
    case fsButtonDown:
    case fsButtonUp:
        return PaintTintedButtonEdgeSides(canvas, bounds, base, style == fsButtonDown, sides);
    case fsStatus:
        return Ring(canvas, bounds, {dark50, light100}, sides);
    case fsPopup:
        return Ring(canvas, bounds, {light100, dark50}, sides);
    default:
        return bounds;
    }
}

TRect PaintTintedButtonEdge(TCanvas* canvas, TRect bounds, TColor base, bool pressed) {
    return PaintTintedButtonEdgeSides(canvas, bounds, base, pressed, sdAllSides);
}

TRect PaintTintedButtonEdgeSides(TCanvas* canvas, TRect bounds, TColor base, bool pressed, TSides sides) {
    if (pressed) {
        const TColor dark100 = DarkenColor(base, 100);
        const TColor dark50 = DarkenColor(base, 50);
        bounds = Ring(canvas, bounds, {dark100, dark100}, sides);
        return Ring(canvas, bounds, {dark50, dark50}, sides);
    }
    bounds = Ring(canvas, bounds, {LightenColor(base, 100), DarkenColor(base, 100)}, sides);
    return Ring(canvas, bounds, {LightenColor(base, 40), DarkenColor(base, 50)}, sides);
}

// ---------------------------------------------------------------------------------------
// Panel border

namespace {

// The styles the outer and the inner frame draw alike: flat rings in the flat colour, status
// and popup bevels in the border's own highlight and shadow, the rest in system colours.
TRect PaintPanelFrameStyle(TCanvas* canvas, TRect r, TFrameStyleEx style, const TRzPanelBorder& border,
                           TColor flat) {
    const TSides sides = border.Sides;
    switch (style) {
    case fsFlat:
        return Ring(canvas, r, {flat, flat}, sides);
    case fsFlatBold:
        return Ring(canvas, r, {flat, flat}, sides, 2);
    case fsStatus:
        return Ring(canvas, r, {border.BorderShadow, border.BorderHighlight}, sides, border.BevelWidth);
    case fsPopup:
        return Ring(canvas, r, {border.BorderHighlight, border.BorderShadow}, sides, border.BevelWidth);
    default:
        return PaintFrameSides(canvas, r, style, sides);
    }
}

TRect PaintOuterFrame(TCanvas* canvas, TRect r, const TRzPanelBorder& border, TColor flat) {
    if (border.OuterStyle != fsFlatRounded) {
        return PaintPanelFrameStyle(canvas, r, border.OuterStyle, border, flat);
    }
    // The rounded outline leaves the outer corners open: they show the parent colour, and
    // the cut corner inside shows the border (or the control) colour.
    const TSides sides = border.Sides;
    const bool framedInside = border.BorderWidth > 0 || border.InnerStyle != fsNone;
    if (!border.Transparent) {
        const TRect inside = Ring(canvas, r, {border.ParentColor, border.ParentColor}, sides);
        const TColor insideColor = framedInside ? border.BorderColor : border.ControlColor;
        Ring(canvas, inside, {insideColor, insideColor}, sides);
    } else if (framedInside) {
        TRect inside = r;
        InflateRect(inside, -1, -1);
        Ring(canvas, inside, {border.BorderColor, border.BorderColor}, sides);
    }
    return PaintRoundedOutline(canvas, r, flat, sides);
}

TRect PaintInnerFrame(TCanvas* canvas, TRect r, const TRzPanelBorder& border, TColor flat) {
    if (border.InnerStyle == fsFlat && border.RoundedFlatInner) {
        return PaintOpenCornerOutline(canvas, r, flat);
    }
    if (border.InnerStyle != fsFlatRounded) {
        return PaintPanelFrameStyle(canvas, r, border.InnerStyle, border, flat);
    }
    const TRect inside = Ring(canvas, r, {border.BorderColor, border.BorderColor}, border.Sides);
    if (!border.Transparent) {
        Ring(canvas, inside, {border.ControlColor, border.ControlColor}, border.Sides);
    }
    return PaintRoundedOutline(canvas, r, flat, border.Sides);
}

} // namespace

TRect PaintInnerOuterFrames(TCanvas* canvas, TRect bounds, const TRzPanelBorder& border) {
    const TColor flat = ShiftLightness(border.FlatColor, border.FlatColorAdjustment);
    bounds = PaintOuterFrame(canvas, bounds, border, flat);
    if (border.BorderWidth > 0) {
        bounds =
            Ring(canvas, bounds, {border.BorderColor, border.BorderColor}, border.Sides, border.BorderWidth);
    }
    return PaintInnerFrame(canvas, bounds, border, flat);
}

void PaintEditFrame(TCanvas* canvas, int width, int height, bool clearBorderRing, TSides sides,
                    TColor frameColor, TColor controlColor, TFrameStyleEx style) {
    const TRect r = Rect(0, 0, width, height);
    if (clearBorderRing) {
        Ring(canvas, r, {controlColor, controlColor}, sdAllSides, 2);
    }
    switch (style) {
    case fsFlat:
        PaintSides(canvas, r, frameColor, frameColor, sides);
        break;
    case fsFlatBold:
        Ring(canvas, r, {frameColor, frameColor}, sides, 2);
        break;
    default:
        if (controlColor == clWindow) {
            PaintFrameSides(canvas, r, style, sides);
        } else {
            PaintTintedFrameSides(canvas, r, controlColor, style, sides);
        }
        break;
    }
}
