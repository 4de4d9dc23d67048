// Drawing: colours, pens, brushes, fonts, device contexts, canvases, bitmaps, icons and
// image lists. Everything draws into 32-bit pixel buffers with a software rasteriser that
// keeps the classic device-context semantics the controls rely on: LineTo excludes its end
// point, rectangles exclude their right and bottom edges, a device context is a view with
// an origin and a clip region into a buffer.
#pragma once

#include "toolkit/base/Classes.h"
#include "toolkit/base/Types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Resolves a system colour (0xFF000000 + index) to plain RGB from the one scheme table;
// plain colours are returned unchanged.
TColor ColorToRGB(TColor color);

// ---------------------------------------------------------------------------------------
// Pixel surfaces

// A 32-bit pixel buffer. Pixels are 0x00RRGGBB values (blue in the lowest byte in memory),
// which is the byte order of a 32-bit device-independent bitmap.
class TPixelBuffer {
public:
    TPixelBuffer() = default;
    TPixelBuffer(int width, int height, std::uint32_t fill = 0);
    void Resize(int width, int height, std::uint32_t fill = 0);
    int Width() const { return width_; }
    int Height() const { return height_; }
    std::uint32_t* Row(int y) { return pixels_.data() + std::size_t(y) * std::size_t(width_); }
    const std::uint32_t* Row(int y) const { return pixels_.data() + std::size_t(y) * std::size_t(width_); }
    std::uint32_t& At(int x, int y) { return Row(y)[x]; }
    std::uint32_t At(int x, int y) const { return Row(y)[x]; }
    std::uint32_t* Data() { return pixels_.data(); }
    const std::uint32_t* Data() const { return pixels_.data(); }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// Converts between TColor (0x00BBGGRR) and a buffer pixel (0x00RRGGBB).
constexpr std::uint32_t ColorToPixel(TColor rgb) {
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}
constexpr TColor PixelToColor(std::uint32_t pixel) {
    return ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
}

// A clip region: a union of rectangles in device (buffer) coordinates.
class TRegion {
public:
    TRegion() = default;
    explicit TRegion(const TRect& rect);
    bool IsEmpty() const;
    bool Contains(int x, int y) const;
    TRect BoundingBox() const;
    void Intersect(const TRect& rect);
    void Exclude(const TRect& rect);
    void Union(const TRect& rect);
    void Offset(int dx, int dy);
    const std::vector<TRect>& Rects() const { return rects_; }

private:
    std::vector<TRect> rects_; // disjoint
};

// ---------------------------------------------------------------------------------------
// Graphic objects

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode { pmCopy, pmNot, pmXor, pmMaskPenNot };
enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned; // bits of TFontStyle
enum TFontPitch { fpDefault, fpVariable, fpFixed };

constexpr int ANSI_CHARSET = 0;
constexpr int DEFAULT_CHARSET = 1;

class TBitmap;

// Shared by pens, brushes and fonts: a change notification for the owner.
class TGraphicsObject {
public:
    virtual ~TGraphicsObject() = default;
    std::function<void()> OnChange;

protected:
    void Changed() {
        if (OnChange) {
            OnChange();
        }
    }
};

class TPen : public TGraphicsObject {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    int Width() const { return width_; }
    void SetWidth(int value);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle value);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode value);
    void Assign(const TPen& source);

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
};

class TBrush : public TGraphicsObject {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle value);
    // A pattern brush: the bitmap is tiled from the device origin. Not owned.
    TBitmap* Bitmap() const { return bitmap_; }
    void SetBitmap(TBitmap* value);
    void Assign(const TBrush& source);

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    TBitmap* bitmap_ = nullptr;
};

// Height follows the classic convention: negative = character height in pixels (the em size),
// positive = cell height. Size is in points at 96 pixels per inch.
class TFont : public TGraphicsObject {
public:
    const std::string& Name() const { return name_; }
    void SetName(const std::string& value);
    int Height() const { return height_; }
    void SetHeight(int value);
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    int Charset() const { return charset_; }
    void SetCharset(int value);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch value);
    void Assign(const TFont& source);
    bool SameAs(const TFont& other) const;

private:
    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    TFontStyles style_ = 0;
    TColor color_ = clWindowText;
    int charset_ = DEFAULT_CHARSET;
    TFontPitch pitch_ = fpDefault;
};

// ---------------------------------------------------------------------------------------
// Device contexts

struct TTextMetric {
    int tmHeight = 0; // ascent + descent
    int tmAscent = 0;
    int tmDescent = 0;
    int tmAveCharWidth = 0;
    int tmMaxCharWidth = 0;
    int tmExternalLeading = 0;
    int tmInternalLeading = 0;
};

// A drawing target: a pixel buffer seen through an origin (the viewport origin plus the
// offset of a child control) and a clip region. The selected pen, brush, font, text colour,
// background mode and text alignment live here, as in a classic device context.
// Text output flags.
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_RTLREADING = 0x20000;

constexpr unsigned TA_LEFT = 0;
constexpr unsigned TA_RIGHT = 2;
constexpr unsigned TA_CENTER = 6;
constexpr unsigned TA_TOP = 0;
constexpr unsigned TA_BOTTOM = 8;
constexpr unsigned TA_BASELINE = 24;

constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// ExtTextOut options.
constexpr unsigned ETO_OPAQUE = 0x2;
constexpr unsigned ETO_CLIPPED = 0x4;

// Kinds of clip region returned by the clip functions (0 = error).
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

// The result of reading a pixel outside the target or the clip region.
constexpr TColor CLR_INVALID = 0xFFFFFFFF;

// DrawFrameControl (check marks of the classic check box).
constexpr unsigned DFC_BUTTON = 4;
constexpr unsigned DFCS_BUTTONCHECK = 0x0000;
constexpr unsigned DFCS_BUTTONRADIO = 0x0004;
constexpr unsigned DFCS_BUTTON3STATE = 0x0008;
constexpr unsigned DFCS_INACTIVE = 0x0100;
constexpr unsigned DFCS_PUSHED = 0x0200;
constexpr unsigned DFCS_CHECKED = 0x0400;
constexpr unsigned DFCS_FLAT = 0x4000;

class TDeviceContext {
public:
    explicit TDeviceContext(TPixelBuffer* target);
    ~TDeviceContext();
    TDeviceContext(const TDeviceContext&) = delete;
    TDeviceContext& operator=(const TDeviceContext&) = delete;

    TPixelBuffer* Target() const { return target_; }
    void SetTarget(TPixelBuffer* target);
    // Device position of logical (0, 0): the window origin of the view (a child control's
    // offset in its form) plus the viewport origin set by SetViewportOrgEx.
    TPoint WindowOrigin() const { return windowOrigin_; }
    void SetWindowOrigin(TPoint origin);
    TPoint ViewportOrigin() const { return viewportOrigin_; }
    void SetViewportOrigin(TPoint origin);
    TPoint Origin() const {
        return {windowOrigin_.X + viewportOrigin_.X, windowOrigin_.Y + viewportOrigin_.Y};
    }
    // The clip region in device coordinates; drawing never leaves it nor the target.
    const TRegion& Clip() const { return clip_; }
    void SetClip(const TRegion& clip);
    // The view's own bounds in device coordinates; ResetClip returns the clip to it.
    void SetViewBounds(const TRect& bounds);
    void ResetClip();

    // Selected objects and text state (copies, so a canvas can be destroyed freely).
    TPen pen;
    TBrush brush;
    TFont font;
    TColor textColor = clBlack;
    TColor backColor = clWhite;
    int backMode = OPAQUE;
    unsigned textAlign = TA_LEFT | TA_TOP;

private:
    struct SavedState;
    friend int SaveDC(TDeviceContext* dc);
    friend bool RestoreDC(TDeviceContext* dc, int savedIndex);

    TPixelBuffer* target_;
    TPoint windowOrigin_;
    TPoint viewportOrigin_;
    TRect viewBounds_;
    TRegion clip_;
    std::vector<std::unique_ptr<SavedState>> saved_;
};
using HDC = TDeviceContext*;

int SaveDC(HDC dc);
bool RestoreDC(HDC dc, int savedIndex); // -1: the last saved state
bool SetViewportOrgEx(HDC dc, int x, int y, TPoint* previous);
bool GetViewportOrgEx(HDC dc, TPoint* origin);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
// The bounding box of the clip region in logical coordinates.
int GetClipBox(HDC dc, TRect& box);
unsigned SetTextAlign(HDC dc, unsigned align);
TColor SetTextColor(HDC dc, TColor color);
int SetBkMode(HDC dc, int mode);
TColor SetBkColor(HDC dc, TColor color);
// Draws (or with DT_CALCRECT measures: rect's right and bottom are set) text in rect and
// returns the text height. DT_VCENTER and DT_BOTTOM apply to DT_SINGLELINE text only, as
// classic; DT_RTLREADING text is drawn left to right (callers choose the alignment).
int DrawText(HDC dc, const std::string& text, TRect& rect, unsigned format);
bool GetTextMetrics(HDC dc, TTextMetric& metric);
// Draws one line of text at (x, y) honouring the text alignment, the text colour and the
// background mode; ETO_OPAQUE fills `rect` with the background colour first, ETO_CLIPPED
// clips the text to `rect` (both in logical coordinates).
bool ExtTextOut(HDC dc, int x, int y, unsigned options, const TRect* rect, const std::string& text);
bool GetTextExtentPoint32(HDC dc, const std::string& text, TSize& size);
// Width of one line of text and the font's text height, without any device context.
TSize MeasureText(const TFont& font, const std::string& text);
// Copies part of a pixel buffer onto the DC (stretched to dest, logical coordinates),
// leaving the destination untouched where the source has the transparent colour.
bool TransparentStretchBlt(HDC dc, const TRect& dest, const TPixelBuffer& source, const TRect& sourceRect,
                           TColor transparentColor);
// Copies part of a pixel buffer onto the DC, stretched to dest (logical coordinates).
bool StretchBlt(HDC dc, const TRect& dest, const TPixelBuffer& source, const TRect& sourceRect);
// Blends an ARGB image (alpha in the top byte) onto the DC with its top-left at (x, y).
bool AlphaBlendImage(HDC dc, int x, int y, const TPixelBuffer& argb);
bool DrawFrameControl(HDC dc, const TRect& rect, unsigned type, unsigned state);

// ---------------------------------------------------------------------------------------
// Canvas

enum TCopyMode { cmSrcCopy };

class TCanvas {
public:
    TCanvas();
    virtual ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TPen* Pen() { return &pen_; }
    TBrush* Brush() { return &brush_; }
    TFont* Font() { return &font_; }

    // The device context the canvas draws through, with the canvas's pen, brush and font
    // selected into it; null until one is attached.
    HDC Handle();
    void SetHandle(HDC dc);

    TPoint PenPos() const { return penPos_; }
    void SetPenPos(TPoint p) { penPos_ = p; }
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void FillRect(const TRect& rect);
    void FrameRect(const TRect& rect);
    // Outline with the pen (width w: w rings inside the rectangle), inside filled with the
    // brush. With a clear pen the filled area is one pixel narrower and shorter, as classic.
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }
    void Ellipse(int left, int top, int right, int bottom);
    void Polygon(const std::vector<TPoint>& points);
    void Polyline(const std::vector<TPoint>& points);
    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);
    void Draw(int x, int y, const TBitmap& bitmap);
    void StretchDraw(const TRect& dest, const TBitmap& bitmap);
    // Copies source to dest, painting pixels of the key colour with the canvas's brush.
    void BrushCopy(const TRect& dest, const TBitmap& source, const TRect& sourceRect, TColor keyColor);
    void TextOut(int x, int y, const std::string& text);
    void TextRect(const TRect& rect, int x, int y, const std::string& text);
    int TextWidth(const std::string& text);
    int TextHeight(const std::string& text);
    TSize TextExtent(const std::string& text);
    TRect ClipRect();
    void Refresh(); // re-selects pen, brush and font into the device context
    // Called after every drawing call (a bitmap reports its own change through it).
    std::function<void()> OnChange;

protected:
    // Called before every drawing call; a control canvas attaches its device context here.
    virtual void CreateHandle() {}
    // Attaches the device context and selects the pen, brush and font that changed since
    // they were last selected; null when there is nothing to draw on.
    HDC RequiredState();
    void Changed();

private:
    TPen pen_;
    TBrush brush_;
    TFont font_;
    HDC handle_ = nullptr;
    TPoint penPos_;
    bool penValid_ = false;
    bool brushValid_ = false;
    bool fontValid_ = false;
};

// ---------------------------------------------------------------------------------------
// Bitmaps, icons, image lists

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };

class TBitmap {
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const;
    int Height() const;
    void SetWidth(int value);
    void SetHeight(int value);
    void SetSize(int width, int height);
    bool Empty() const;
    TPixelFormat PixelFormat() const { return pixelFormat_; }
    void SetPixelFormat(TPixelFormat value) { pixelFormat_ = value; }
    TCanvas* Canvas();
    TPixelBuffer& Buffer() { return buffer_; }
    const TPixelBuffer& Buffer() const { return buffer_; }
    void Assign(const TBitmap* source); // null clears the bitmap
    // The colour treated as transparent: the lower-left pixel unless set.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value) { transparent_ = value; }
    // Loads a picture of the program's artwork (see Resources.h); false if there is none.
    bool LoadFromResourceName(const std::string& name);
    std::function<void()> OnChange;
    void Changed();

private:
    TPixelBuffer buffer_;
    TPixelFormat pixelFormat_ = pfDevice;
    bool transparent_ = false;
    TColor transparentColor_ = clDefault;
    std::unique_ptr<TCanvas> canvas_;
    std::unique_ptr<TDeviceContext> dc_;
};

class TIcon {
public:
    int Width() const { return image_.Width(); }
    int Height() const { return image_.Height(); }
    bool Empty() const { return image_.Width() == 0; }
    // ARGB pixels (alpha in the top byte).
    TPixelBuffer& Image() { return image_; }
    const TPixelBuffer& Image() const { return image_; }
    void Assign(const TIcon* source);
    bool LoadFromResourceName(const std::string& name);
    std::function<void()> OnChange;

private:
    TPixelBuffer image_;
};

class TCustomImageList;

// A link through which an image list tells a control that its images changed.
class TChangeLink {
public:
    ~TChangeLink();
    TCustomImageList* Sender = nullptr;
    std::function<void()> OnChange;
    void Change() {
        if (OnChange) {
            OnChange();
        }
    }
};

// An image list is a component: holders ask it for a free notification and drop their
// reference in Notification(opRemove).
class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* owner, int width = 16, int height = 16);
    ~TCustomImageList() override;
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetSize(int width, int height);
    int Count() const { return int(images_.size()); }
    // Adds a bitmap (split into cells of Width x Height); pixels of the mask colour are
    // transparent. Returns the index of the first added image.
    int AddMasked(const TBitmap& bitmap, TColor maskColor);
    // Adds an icon with its alpha; an icon of another size is scaled to the list's size.
    int AddIcon(const TIcon& icon);
    // Draws image index at (x, y); disabled images are drawn greyed.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
    void GetBitmap(int index, TBitmap* bitmap);
    void GetIcon(int index, TIcon* icon);
    void Clear();
    void RegisterChanges(TChangeLink* link);
    void UnRegisterChanges(TChangeLink* link);

protected:
    void Change();

private:
    int width_;
    int height_;
    std::vector<TPixelBuffer> images_; // ARGB, alpha 0 = transparent
    std::vector<TChangeLink*> links_;
};

using TImageList = TCustomImageList;
