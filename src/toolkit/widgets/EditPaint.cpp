// TCustomEdit's text layout (alignment, horizontal scrolling, hit testing) and painting
// (text, selection, caret).
#include "toolkit/widgets/Edit.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Blank pixels between the edit rectangle and the text on the left and right.
constexpr int kTextMargin = 2;

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

TRect TCustomEdit::EditRect() {
    return ClientRect();
}

int TCustomEdit::TextWidth(int from, int to) {
    if (to <= from) {
        return 0;
    }
    return MeasureText(*Font(), GetText().substr(std::size_t(from), std::size_t(to - from))).cx;
}

// Where the text starts: aligned while it fits, scrolled so the caret shows once it does not.
int TCustomEdit::TextOriginX() {
    const TRect r = EditRect();
    const int left = r.Left + kTextMargin;
    const int right = r.Right - kTextMargin;
    const int width = TextWidth(0, int(GetText().size()));
    if (width <= right - left) {
        return (Params().Style & ES_RIGHT) != 0 ? right - width : left;
    }
    return left - scroll_;
}

void TCustomEdit::ScrollCaretIntoView() {
    // Without a window there is no layout to keep; the first painting lays the text out.
    if (!HandleAllocated()) {
        scroll_ = 0;
        return;
    }
    const TRect r = EditRect();
    const int available = std::max(r.Width() - 2 * kTextMargin, 0);
    const int width = TextWidth(0, int(GetText().size()));
    if (width <= available) {
        scroll_ = 0;
        return;
    }
    const int caretX = TextWidth(0, caret_);
    if (caretX < scroll_) {
        scroll_ = caretX;
    } else if (caretX > scroll_ + available) {
        scroll_ = caretX - available;
    }
    scroll_ = std::clamp(scroll_, 0, width - available);
}

// The character boundary nearest to a client x coordinate.
int TCustomEdit::OffsetAtX(int x) {
    const std::string text = GetText();
    const int origin = TextOriginX();
    int best = 0;
    int bestDistance = std::abs(origin - x);
    for (int pos = 1; pos <= int(text.size()); ++pos) {
        if (pos < int(text.size()) && IsContinuationByte(text[std::size_t(pos)])) {
            continue;
        }
        const int distance = std::abs(origin + TextWidth(0, pos) - x);
        if (distance < bestDistance) {
            best = pos;
            bestDistance = distance;
        }
    }
    return best;
}

void TCustomEdit::PaintWindow(HDC dc) {
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Font()->Assign(*Font());
    if (!IsEnabledInTree()) {
        canvas.Font()->SetColor(clGrayText);
    }
    const std::string text = GetText();
    const TRect r = EditRect();
    const int x = TextOriginX();
    const int height = canvas.TextHeight("Wg");
    const int y = r.Top + std::max((r.Height() - height) / 2, 0);
    canvas.Brush()->SetStyle(bsClear);
    canvas.TextRect(r, x, y, text);

    const bool focused = Focused();
    if (SelLength() > 0 && (focused || !hideSelection_)) {
        const int from = x + TextWidth(0, SelStart());
        const int to = x + TextWidth(0, SelStart() + SelLength());
        TRect band = Rect(std::max(from, r.Left), y, std::min(to, r.Right), std::min(y + height, r.Bottom));
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(clHighlight);
        canvas.FillRect(band);
        canvas.Brush()->SetStyle(bsClear);
        canvas.Font()->SetColor(clHighlightText);
        canvas.TextRect(band, from, y, SelText());
    }
    if (focused) {
        const int caretX = x + TextWidth(0, caret_);
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(Font()->Color());
        canvas.FillRect(Rect(caretX, y, caretX + 1, std::min(y + height, r.Bottom)));
    }
    canvas.SetHandle(nullptr);
}
