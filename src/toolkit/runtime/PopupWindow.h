// A small OS-level window outside the form tree: the menus, the drop-down calendar and the
// hint window. It owns its back buffer and paints it whole whenever its content changes
// (these windows are a few hundred pixels), and it receives the platform's input directly.
#pragma once

#include "platform/WindowSystem.h"
#include "toolkit/graphics/Graphics.h"

#include <memory>

class TPopupWindow : public platform::IWindowEvents {
public:
    explicit TPopupWindow(platform::WindowKind kind);
    ~TPopupWindow() override;
    TPopupWindow(const TPopupWindow&) = delete;
    TPopupWindow& operator=(const TPopupWindow&) = delete;

    // Shows the window with its top-left at a screen point, moved so that it stays on the
    // screen (flipped to the other side of the point when it would leave at the right or the
    // bottom). activate gives it the keyboard focus.
    void ShowAt(TPoint screen, TSize size, bool activate);
    void Hide();
    bool IsShown() const { return shown_; }
    TRect ScreenBounds() const { return bounds_; }
    platform::INativeWindow* NativeWindow() const { return native_.get(); }
    // Paints the whole window again and presents it.
    void Redraw();
    TPixelBuffer& Buffer() { return buffer_; }

    void HandleInput(platform::INativeWindow& window, const platform::InputEvent& event) final;

protected:
    virtual void Paint(TCanvas& canvas) = 0;
    virtual void Input(const platform::InputEvent& event) = 0;

private:
    platform::WindowKind kind_;
    std::unique_ptr<platform::INativeWindow> native_;
    TPixelBuffer buffer_;
    TRect bounds_;
    bool shown_ = false;
};

// The classic raised window edge: an outer ring light/dark-shadow, an inner ring
// highlight/shadow, two pixels on each side.
void DrawRaisedEdge(TCanvas& canvas, const TRect& rect);
// The classic sunken edge of a field (the outer ring shadow/highlight, the inner ring dark
// shadow/light).
void DrawSunkenEdge(TCanvas& canvas, const TRect& rect);
// One ring: top and left in one colour, bottom and right in another.
void DrawRing(TCanvas& canvas, const TRect& rect, TColor topLeft, TColor bottomRight);
