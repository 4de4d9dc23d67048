// The painters every control of the library shares: line and frame painters for the
// frame-style enumeration, gradient fills, the hot-track ring, the check-box and radio marks,
// the dotted focus outline, transparent glyph blits and the parent-background copy.
//
// Rectangles exclude their right and bottom edges; a line from A to B never paints B.
// Frame painters draw only on the sides in their set and return the rectangle left inside
// what they drew.
#pragma once

#include "controls/RzCommon.h"
#include "toolkit/graphics/Graphics.h"

#include <string>

class TControl;
class TWinControl;

// ---------------------------------------------------------------------------------------
// Lines and outlines

// Left and top in the upper-left colour, right and bottom in the lower-right one; clNone
// skips that pair but the rectangle still shrinks on every side in the set.
TRect PaintSides(TCanvas* canvas, TRect bounds, TColor upperLeft, TColor lowerRight,
                 TSides sides = sdAllSides);
// PaintSides repeated, each ring inside the previous one, with a one-pixel pen.
TRect PaintBevelRings(TCanvas* canvas, TRect bounds, TColor upperLeft, TColor lowerRight, TSides sides,
                      int ringCount);
TRect PaintBoxOutline(TCanvas* canvas, TRect bounds, TColor color);
// A one-pixel outline whose corners are cut where two drawn sides meet.
TRect PaintRoundedOutline(TCanvas* canvas, TRect bounds, TColor color, TSides sides);
// A one-pixel outline on every side whose four corner pixels stay open.
TRect PaintOpenCornerOutline(TCanvas* canvas, TRect bounds, TColor color);
// Every second pixel of the outline in black.
TRect PaintDottedFocusFrame(TCanvas* canvas, TRect bounds);

// ---------------------------------------------------------------------------------------
// Frame styles

// In the system colours of the style.
TRect PaintFrame(TCanvas* canvas, TRect bounds, TFrameStyleEx style);
TRect PaintFrameSides(TCanvas* canvas, TRect bounds, TFrameStyleEx style, TSides sides);
TRect Paint3DEdgeSides(TCanvas* canvas, TRect bounds, bool sunken, TSides sides);
TRect PaintButtonEdge(TCanvas* canvas, TRect bounds, bool pressed);
TRect PaintButtonEdgeSides(TCanvas* canvas, TRect bounds, bool pressed, TSides sides);

// In shades of a base colour.
TRect PaintTintedFrame(TCanvas* canvas, TRect bounds, TColor base, TFrameStyleEx style);
TRect PaintTintedFrameSides(TCanvas* canvas, TRect bounds, TColor base, TFrameStyleEx style, TSides sides);
TRect PaintTintedButtonEdge(TCanvas* canvas, TRect bounds, TColor base, bool pressed);
TRect PaintTintedButtonEdgeSides(TCanvas* canvas, TRect bounds, TColor base, bool pressed, TSides sides);

// The border of a panel: outer frame, border rings, inner frame.
struct TRzPanelBorder {
    TFrameStyleEx OuterStyle = fsNone;
    TFrameStyleEx InnerStyle = fsNone;
    TSides Sides = sdAllSides;
    int BevelWidth = 1;
    int BorderWidth = 0;
    TColor BorderColor = clBtnFace;
    TColor BorderHighlight = clBtnHighlight;
    TColor BorderShadow = clBtnShadow;
    TColor FlatColor = clBtnShadow;
    int FlatColorAdjustment = 30;
    TColor ControlColor = clBtnFace;
    TColor ParentColor = clBtnFace;
    bool Transparent = false;
    // An fsFlat inner frame leaves its four corner pixels open.
    bool RoundedFlatInner = false;
};
TRect PaintInnerOuterFrames(TCanvas* canvas, TRect bounds, const TRzPanelBorder& border);

// The frame of an edit box's non-client area on (0, 0, width, height); clearBorderRing
// first paints the outer two-pixel ring in the control colour.
void PaintEditFrame(TCanvas* canvas, int width, int height, bool clearBorderRing, TSides sides,
                    TColor frameColor, TColor controlColor, TFrameStyleEx style);

// ---------------------------------------------------------------------------------------
// Gradients

// A ramp from start to stop in bands at least `granularity` steps thick (values above 8
// mean 255 div granularity + 1 steps). Nothing for an empty rectangle.
void PaintGradientFill(TCanvas* canvas, TRect bounds, TGradientDirection direction, TColor start, TColor stop,
                       int granularity = 1);
// The outer two-pixel ring of bounds filled with the ramp; nothing on a palette display.
void PaintHotTrackBox(TCanvas* canvas, TRect bounds, TGradientDirection direction, TColor start, TColor stop);

// ---------------------------------------------------------------------------------------
// Check-box and radio marks

struct TRzMarkColors {
    TColor Frame = clBtnShadow;
    TColor Mark = clWindowText; // the check or the dot
    TColor Fill = clWindow;
    TColor Focus = clWindow;
    TColor Disabled = clBtnFace;
    TColor HotFill = clWhite;
    TColor HotFrame = clBtnShadow;
    TColor ReadOnly = clBtnFace;
    bool IsReadOnly = false;
    bool ReadOnlyColorOnFocus = false;
};

// A square box (13 x 13 in the check box) with its check, grey fill and hot look.
void PaintCheckMarkBox(TCanvas* canvas, TRect bounds, TCheckBoxState state, TRzDrawState drawState,
                       bool focused, TRzButtonHotTrackStyle hotStyle, const TRzMarkColors& colors);

// The outside of the 13 x 13 radio circle: the control colour, or when transparent the
// transparent colour (which the caller later keys out).
struct TRzRadioSurround {
    TColor ControlColor = clBtnFace;
    bool Transparent = false;
    TColor TransparentColor = clOlive;
};
void PaintRadioMark(TCanvas* canvas, TRect bounds, bool checked, TRzDrawState drawState, bool focused,
                    TRzButtonHotTrackStyle hotStyle, const TRzMarkColors& colors,
                    const TRzRadioSurround& surround);

// ---------------------------------------------------------------------------------------
// Glyphs, parents and texts

// Stretches the source part of a bitmap onto dest, leaving pixels of the transparent colour
// unpainted.
void DrawGlyphTransparent(TCanvas* canvas, const TBitmap& source, TRect dest, TColor transparentColor,
                          TRect sourceRect);

// Implemented by the controls that publish a Transparent property, so that containers can
// find the children that show their background.
class IRzTransparentControl {
public:
    virtual bool Transparent() const = 0;

protected:
    ~IRzTransparentControl() = default;
};

// Paints the parent's image under the control into dc (erase, then paint), then optionally
// invalidates a parent that does not paint itself.
void CopyParentBackground(TControl* control, HDC dc, bool invalidateParent = false);
// Invalidates the rectangle including the non-client frame, when the window is visible at all.
void InvalidateFrameArea(TWinControl* window, TRect rect);
// Invalidates the direct children that are transparent.
void InvalidateChildren(TWinControl* container);

// The caption without its accelerator marks: "&&" gives "&", a lone "&" disappears, except
// as the last character.
std::string RemoveAccelMarkers(const std::string& text);
