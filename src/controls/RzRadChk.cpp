// TRzCustomGlyphButton: the glyph sources and placement, the cached background, the
// off-screen paint sequence, read-only state, Tab-on-Enter, the frame controller and the
// checked action link shared by check box and radio button.
#include "controls/RzRadChk.h"

#include "toolkit/base/Store.h"
#include "toolkit/text/SysUtils.h"

#include <algorithm>

namespace {

// The background behind glyph and caption, kept until the control's look or size changes:
// when transparent the parent's image, which the control's canvas holds after the background
// erase, else the control's colour.
void CacheBackground(TBitmap& cache, TCanvas& controlCanvas, int width, int height, bool transparent,
                     TColor color) {
    const TRect area = Rect(0, 0, width, height);
    cache.SetSize(width, height);
    if (transparent) {
        cache.Canvas()->CopyRect(area, controlCanvas, area);
    } else {
        cache.Canvas()->Brush()->SetColor(color);
        cache.Canvas()->FillRect(area);
    }
}

// Where the caption goes: the client area inside a one-pixel margin, less the glyph and the
// gap after it on the glyph's side.
TRect CaptionArea(int width, int height, int glyphWidth, bool glyphAtLeft) {
    constexpr int glyphGap = 4;
    TRect area = Rect(1, 1, width - 1, height - 1);
    if (glyphAtLeft) {
        area.Left += glyphWidth + glyphGap;
    } else {
        area.Right -= glyphWidth + glyphGap;
    }
    return area;
}

// The focus frame: around the caption area, one pixel out, but no wider than the caption's
// text (plus three pixels).
TRect FocusFrameRect(TRect captionArea, int textWidth) {
    InflateRect(captionArea, 1, 1);
    captionArea.Right = captionArea.Left + std::min(captionArea.Width(), textWidth + 3);
    return captionArea;
}

} // namespace

TRzCustomGlyphButton::TRzCustomGlyphButton(TComponent* owner) : TRzCustomButton(owner) {
    SetParentColor(true);
    customGlyphs_.OnChange = [this] {
        CustomGlyphsChanged();
    };
}

TRzCustomGlyphButton::~TRzCustomGlyphButton() {
    Destroying();
    if (frameController_ != nullptr) {
        frameController_->RemoveControl(this);
    }
}

// ---------------------------------------------------------------------------------------
// Properties

void TRzCustomGlyphButton::SetAlignment(TLeftRight value) {
    if (!Store(alignment_, value)) {
        return;
    }
    Invalidate();
}

bool TRzCustomGlyphButton::Checked() const {
    return false;
}

void TRzCustomGlyphButton::SetChecked(bool /*value*/) {}

void TRzCustomGlyphButton::SetCustomGlyphs(const TBitmap* value) {
    customGlyphs_.Assign(value);
}

void TRzCustomGlyphButton::CustomGlyphsChanged() {
    SetUseCustomGlyphs(!customGlyphs_.Empty());
    backgroundStale_ = true;
    Invalidate();
}

void TRzCustomGlyphButton::SetUseCustomGlyphs(bool value) {
    if (!Store(useCustomGlyphs_, value)) {
        return;
    }
    if (value && glyphStateCount_ > 0) {
        glyphWidth_ = customGlyphs_.Width() / glyphStateCount_;
        glyphHeight_ = customGlyphs_.Height();
    } else {
        glyphWidth_ = 13;
        glyphHeight_ = 13;
    }
    Invalidate();
}

void TRzCustomGlyphButton::SetFillColor(TColor value) {
    if (!Store(fillColor_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomGlyphButton::SetFocusColor(TColor value) {
    if (!Store(focusColor_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomGlyphButton::SetFrameColor(TColor value) {
    if (!Store(frameColor_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomGlyphButton::SetDisabledColor(TColor value) {
    if (!Store(disabledColor_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomGlyphButton::SetReadOnly(bool value) {
    if (!Store(readOnly_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomGlyphButton::SetReadOnlyColor(TColor value) {
    if (!Store(readOnlyColor_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomGlyphButton::SetReadOnlyColorOnFocus(bool value) {
    if (!Store(readOnlyColorOnFocus_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomGlyphButton::SetTransparentColor(TColor value) {
    if (!Store(transparentColor_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomGlyphButton::SetWinMaskColor(TColor value) {
    if (!Store(winMaskColor_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomGlyphButton::SetHotTrackStyle(TRzButtonHotTrackStyle value) {
    if (!Store(hotTrackStyle_, value)) {
        return;
    }
    Invalidate();
}

void TRzCustomGlyphButton::SetTransparent(bool value) {
    if (value == Transparent()) {
        return;
    }
    TRzCustomButton::SetTransparent(value);
    backgroundStale_ = true;
}

// ---------------------------------------------------------------------------------------
// Frame controller

void TRzCustomGlyphButton::SetFrameController(TRzFrameController* value) {
    if (value != frameController_) {
        LinkFrameController(frameController_, value, this);
    }
}

void TRzCustomGlyphButton::FramingChanged() {
    if (frameController_ == nullptr || !frameController_->FrameVisible()) {
        return;
    }
    const TRzFrameController& controller = *frameController_;
    SetHotTrack(true);
    if (notifications_.Contains(fcpColor)) {
        SetFillColor(controller.Color());
    }
    if (notifications_.Contains(fcpFrameColor)) {
        SetFrameColor(controller.FrameColor());
    }
    if (notifications_.Contains(fcpFocusColor)) {
        SetFocusColor(controller.FocusColor());
    }
    if (notifications_.Contains(fcpDisabledColor)) {
        SetDisabledColor(controller.DisabledColor());
    }
    if (notifications_.Contains(fcpReadOnlyColor)) {
        SetReadOnlyColor(controller.ReadOnlyColor());
    }
    if (notifications_.Contains(fcpReadOnlyColorOnFocus)) {
        SetReadOnlyColorOnFocus(controller.ReadOnlyColorOnFocus());
    }
    if (notifications_.Contains(fcpFrameHotTrack)) {
        SetHotTrackStyle(controller.FrameHotTrack() ? htsFrame : htsInterior);
    }
    if (notifications_.Contains(fcpFrameHotColor) && hotTrackStyle_ == htsFrame) {
        SetHotTrackColor(controller.FrameHotColor());
    }
    Invalidate();
}

void TRzCustomGlyphButton::Notification(TComponent* component, TOperation operation) {
    TRzCustomButton::Notification(component, operation);
    if (operation == opRemove && component != nullptr && component == frameController_) {
        frameController_ = nullptr;
    }
}

// ---------------------------------------------------------------------------------------
// Actions

std::unique_ptr<TActionLink> TRzCustomGlyphButton::CreateActionLink() {
    return std::make_unique<TRzCheckedActionLink>(this);
}

void TRzCustomGlyphButton::ActionChange(TObject* sender, bool checkDefaults) {
    TRzCustomButton::ActionChange(sender, checkDefaults);
    auto* action = dynamic_cast<TCustomAction*>(sender);
    if (action != nullptr && (!checkDefaults || !Checked())) {
        SetChecked(action->Checked());
    }
}

bool TRzCheckedActionLink::IsCheckedLinked() const {
    return TControlActionLink::IsCheckedLinked() && button_->Checked() == CustomAction()->Checked();
}

void TRzCheckedActionLink::SetChecked(bool value) {
    if (!IsCheckedLinked()) {
        return;
    }
    struct SuppressScope {
        bool& flag;
        bool saved;
        explicit SuppressScope(bool& f) : flag(f), saved(f) { flag = true; }
        ~SuppressScope() { flag = saved; }
        SuppressScope(const SuppressScope&) = delete;
        SuppressScope& operator=(const SuppressScope&) = delete;
    } scope(button_->clickSuppressed_);
    button_->SetChecked(value);
}

// ---------------------------------------------------------------------------------------
// Geometry and colours

TRect TRzCustomGlyphButton::GlyphRect() {
    const int width = ClientWidth();
    const int height = ClientHeight();
    const int x = alignment_ == taLeftJustify ? width - glyphWidth_ : 0;
    int y = 2;
    if (AlignmentVertical() == avCenter) {
        y = (height - glyphHeight_) / 2;
    } else if (AlignmentVertical() == avBottom) {
        y = height - glyphHeight_ - 2;
    }
    return Bounds(x, y, glyphWidth_, glyphHeight_);
}

TRect TRzCustomGlyphButton::GetHotRect() {
    return GlyphRect();
}

TRzDrawState TRzCustomGlyphButton::DrawState() const {
    if (!Enabled()) {
        return dsDisabled;
    }
    if (Pressed()) {
        return dsPressed;
    }
    return MouseOver() ? dsHot : dsNormal;
}

TRzMarkColors TRzCustomGlyphButton::MarkColors() const {
    TRzMarkColors colors;
    if (HotTrackColorType() == htctActual) {
        colors.HotFrame = HotTrackColor();
        colors.HotFill = MixColors(clWhite, HotTrackColor(), 190);
    } else {
        colors.HotFill = OppositeHueColor(HotTrackColor(), 180);
        colors.HotFrame = DarkenColor(colors.HotFill, 30);
    }
    colors.Frame = frameColor_;
    colors.Mark = HighlightColor();
    colors.Fill = fillColor_;
    colors.Focus = focusColor_;
    colors.Disabled = disabledColor_;
    colors.ReadOnly = readOnlyColor_;
    colors.IsReadOnly = readOnly_;
    colors.ReadOnlyColorOnFocus = readOnlyColorOnFocus_;
    return colors;
}

// ---------------------------------------------------------------------------------------
// Painting

void TRzCustomGlyphButton::RepaintPressState() {
    PaintNow();
}

void TRzCustomGlyphButton::RepaintFocusState() {
    PaintNow();
}

void TRzCustomGlyphButton::PaintBackdrop(HDC dc) {
    if (Transparent() && dc != nullptr) {
        CopyParentBackground(this, dc);
    }
}

void TRzCustomGlyphButton::Paint() {
    if (InState(csDestroying)) {
        return;
    }
    const int width = ClientWidth();
    const int height = ClientHeight();
    if (width <= 0 || height <= 0) {
        return;
    }
    TBitmap offscreen(width, height);
    TCanvas* canvas = offscreen.Canvas();
    canvas->Font()->Assign(*Font());
    canvas->Brush()->SetColor(Color());

    if (backgroundStale_) {
        CacheBackground(background_, *Canvas(), width, height, Transparent(), Color());
        backgroundStale_ = false;
    }
    canvas->Draw(0, 0, background_);
    ComposeGlyph(canvas);

    const TRect captionArea = CaptionArea(width, height, glyphWidth_, alignment_ != taLeftJustify);
    DrawCaptionText(canvas, captionArea, DT_WORDBREAK | DT_EXPANDTABS);
    if (Focused() && !Caption().empty()) {
        PaintDottedFocusFrame(canvas, FocusFrameRect(captionArea, canvas->TextWidth(Trim(Caption()))));
    }
    Canvas()->Draw(0, 0, offscreen);
}

void TRzCustomGlyphButton::ComposeGlyph(TCanvas* canvas) {
    if (canvas == nullptr) {
        canvas = Canvas();
    }
    const TRect place = GlyphRect();
    const TRect cell = Rect(0, 0, glyphWidth_, glyphHeight_);
    if (cell.IsEmpty()) {
        return;
    }
    TBitmap image(glyphWidth_, glyphHeight_);
    PaintGlyphImage(&image);

    TBitmap composite(glyphWidth_, glyphHeight_);
    if (Transparent()) {
        composite.Canvas()->CopyRect(cell, *canvas, place);
        DrawGlyphTransparent(composite.Canvas(), image, cell, transparentColor_, cell);
    } else {
        composite.Canvas()->Brush()->SetColor(Color());
        composite.Canvas()->BrushCopy(cell, image, cell, transparentColor_);
    }
    if (useCustomGlyphs_) {
        ReplaceMaskColor(&composite);
    }
    if (Transparent()) {
        SmoothGlyphEdges(&composite);
    }
    canvas->Draw(place.Left, place.Top, composite);
}

void TRzCustomGlyphButton::ReplaceMaskColor(TBitmap* composite) const {
    const std::uint32_t mask = ColorToPixel(ColorToRGB(winMaskColor_));
    const std::uint32_t window = ColorToPixel(ColorToRGB(clWindow));
    TPixelBuffer& pixels = composite->Buffer();
    for (int y = 0; y < pixels.Height(); ++y) {
        for (int x = 0; x < pixels.Width(); ++x) {
            if ((pixels.At(x, y) & 0xFFFFFFu) == mask) {
                pixels.At(x, y) = window;
            }
        }
    }
}

void TRzCustomGlyphButton::SmoothGlyphEdges(TBitmap* /*glyph*/) {}

void TRzCustomGlyphButton::ExtractGlyphCell(int index, TBitmap* target, int height, int width,
                                            const TBitmap& source) {
    target->SetSize(width, height);
    StretchBlt(target->Canvas()->Handle(), Rect(0, 0, width, height), source.Buffer(),
               Bounds(index * width, 0, width, height));
}

// ---------------------------------------------------------------------------------------
// Messages

// The toolkit routes only real key input through the form's dialog keys, so the Tab that
// Tab-on-Enter posts to the control is handed to the form here.
void TRzCustomGlyphButton::KeyDown(unsigned& key, TShiftState shift) {
    TRzCustomButton::KeyDown(key, shift);
    if (key == VK_TAB) {
        if (TCustomForm* form = GetParentForm(this)) {
            form->Perform(CM_DIALOGKEY, VK_TAB, 0);
        }
    }
}

void TRzCustomGlyphButton::KeyPress(char& key) {
    if (key == '\r' && tabOnEnter_) {
        key = 0;
        PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
    }
    TRzCustomButton::KeyPress(key);
}

void TRzCustomGlyphButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_ERASEBKGND:
    case WM_SIZE:
        TRzCustomButton::Dispatch(message);
        backgroundStale_ = true;
        return;
    case CM_ENABLEDCHANGED:
    case CM_PARENTCOLORCHANGED:
        TRzCustomButton::Dispatch(message);
        backgroundStale_ = true;
        Invalidate();
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        mouseActivation_ = true;
        TRzCustomButton::Dispatch(message);
        return;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        TRzCustomButton::Dispatch(message);
        mouseActivation_ = false;
        return;
    default:
        TRzCustomButton::Dispatch(message);
    }
}
