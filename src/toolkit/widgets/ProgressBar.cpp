// TProgressBar: a sunken one-pixel frame around a bar filled from the left in the selection
// colour, in proportion to the position within Min..Max.
#include "toolkit/widgets/ProgressBar.h"

#include "toolkit/runtime/PopupWindow.h"

#include <algorithm>

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(ControlStyle() | csOpaque);
    SetBounds(0, 0, 150, 16);
    SetColor(clBtnFace);
}

TProgressBar::~TProgressBar() {
    Destroying();
}

// A range turned round (Max below Min) is kept as given; the position then stays at Min.
void TProgressBar::SetMin(int value) {
    if (value == min_) {
        return;
    }
    min_ = value;
    position_ = std::max(min_, std::min(position_, std::max(min_, max_)));
    Invalidate();
}

void TProgressBar::SetMax(int value) {
    if (value == max_) {
        return;
    }
    max_ = value;
    position_ = std::max(min_, std::min(position_, std::max(min_, max_)));
    Invalidate();
}

void TProgressBar::SetPosition(int value) {
    value = std::max(min_, std::min(value, std::max(min_, max_)));
    if (value == position_) {
        return;
    }
    position_ = value;
    Invalidate();
}

void TProgressBar::SetSmooth(bool value) {
    if (value == smooth_) {
        return;
    }
    smooth_ = value;
    Invalidate();
}

void TProgressBar::StepBy(int delta) {
    SetPosition(position_ + delta);
}

void TProgressBar::StepIt() {
    long long next = static_cast<long long>(position_) + step_;
    if (next > max_ && max_ > min_) {
        next = min_ + (next - max_);
    }
    SetPosition(int(std::clamp<long long>(next, min_, std::max(min_, max_))));
}

TRect TProgressBar::FillRect() {
    TRect inside = ClientRect();
    InflateRect(inside, -1, -1);
    long long range = static_cast<long long>(max_) - min_;
    if (range <= 0 || inside.IsEmpty()) {
        return Rect(inside.Left, inside.Top, inside.Left, inside.Bottom);
    }
    long long done = static_cast<long long>(position_) - min_;
    int width = int(done * inside.Width() / range);
    return Rect(inside.Left, inside.Top, inside.Left + width, inside.Bottom);
}

void TProgressBar::PaintWindow(HDC dc) {
    TCanvas canvas;
    canvas.SetHandle(dc);
    TRect client = ClientRect();
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(client);
    DrawRing(canvas, client, clBtnShadow, clBtnHighlight);
    TRect fill = FillRect();
    canvas.Brush()->SetColor(clHighlight);
    if (smooth_) {
        canvas.FillRect(fill);
    } else {
        // Blocks two thirds as wide as the bar is high, two pixels apart.
        int block = std::max(2, (fill.Height() * 2) / 3);
        for (int x = fill.Left; x < fill.Right; x += block + 2) {
            canvas.FillRect(Rect(x, fill.Top, std::min(x + block, fill.Right), fill.Bottom));
        }
    }
    canvas.SetHandle(nullptr);
}

void TProgressBar::Dispatch(TMessage& message) {
    if (message.Msg == WM_ERASEBKGND) {
        message.Result = 1;
        return;
    }
    TWinControl::Dispatch(message);
}
