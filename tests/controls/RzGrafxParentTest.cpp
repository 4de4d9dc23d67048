#include "RzGrafxPicture.h"
#include "controls/RzGrafx.h"
#include "support/ToolkitFixture.h"
#include "toolkit/runtime/Controls.h"

#include <gtest/gtest.h>

namespace {

// A red parent that paints one blue pixel at (12, 7) of its client area.
class MarkedParent : public TCustomControl {
public:
    MarkedParent() : TCustomControl(nullptr) {
        SetBounds(0, 0, 20, 20);
        SetColor(clRed);
        OnPaint = [this](TObject*) {
            Canvas()->SetPixel(12, 7, clBlue);
        };
    }
};

class TransparentChild : public TGraphicControl, public IRzTransparentControl {
public:
    explicit TransparentChild(bool transparent) : TGraphicControl(nullptr), transparent_(transparent) {}
    bool Transparent() const override { return transparent_; }
    void Invalidate() override { ++invalidations; }
    int invalidations = 0;

private:
    bool transparent_;
};

class PlainChild : public TGraphicControl {
public:
    PlainChild() : TGraphicControl(nullptr) {}
    void Invalidate() override { ++invalidations; }
    int invalidations = 0;
};

std::string BufferPicture(const TPixelBuffer& buffer) {
    std::string text;
    for (int y = 0; y < buffer.Height(); ++y) {
        for (int x = 0; x < buffer.Width(); ++x) {
            const TColor color = PixelToColor(buffer.At(x, y) & 0xFFFFFFu);
            text += color == clRed ? 'R' : color == clBlue ? 'B' : '.';
        }
        text += '\n';
    }
    return text;
}

} // namespace

TEST(ParentBackground, ChildShowsTheParentsImageAtItsPosition) {
    MarkedParent parent;
    TCustomControl child(nullptr);
    child.SetBounds(10, 5, 4, 4);
    child.SetParent(&parent);
    TPixelBuffer pixels(4, 4, 0);
    TDeviceContext dc(&pixels);
    CopyParentBackground(&child, &dc);
    EXPECT_EQ(BufferPicture(pixels), "RRRR\n"
                                     "RRRR\n"
                                     "RRBR\n"
                                     "RRRR\n");
    TPoint origin;
    GetViewportOrgEx(&dc, &origin);
    EXPECT_EQ(origin, Point(0, 0));
    child.SetParent(nullptr);
}

TEST(ParentBackground, NothingOutsideTheParentsClientArea) {
    MarkedParent parent;
    TCustomControl child(nullptr);
    child.SetBounds(18, 18, 4, 4);
    child.SetParent(&parent);
    TPixelBuffer pixels(4, 4, 0);
    TDeviceContext dc(&pixels);
    CopyParentBackground(&child, &dc);
    EXPECT_EQ(BufferPicture(pixels), "RR..\n"
                                     "RR..\n"
                                     "....\n"
                                     "....\n");
    child.SetParent(nullptr);
}

TEST(ParentBackground, ControlWithoutParentPaintsNothing) {
    TCustomControl orphan(nullptr);
    TPixelBuffer pixels(2, 2, 0);
    TDeviceContext dc(&pixels);
    CopyParentBackground(&orphan, &dc);
    CopyParentBackground(nullptr, &dc);
    EXPECT_EQ(BufferPicture(pixels), "..\n..\n");
}

TEST(InvalidateChildren, OnlyTransparentChildrenAreInvalidated) {
    MarkedParent parent;
    TransparentChild see(true);
    TransparentChild opaque(false);
    PlainChild plain;
    see.SetParent(&parent);
    opaque.SetParent(&parent);
    plain.SetParent(&parent);
    see.invalidations = opaque.invalidations = plain.invalidations = 0;
    InvalidateChildren(&parent);
    EXPECT_EQ(see.invalidations, 1);
    EXPECT_EQ(opaque.invalidations, 0);
    EXPECT_EQ(plain.invalidations, 0);
    InvalidateChildren(nullptr);
    see.SetParent(nullptr);
    opaque.SetParent(nullptr);
    plain.SetParent(nullptr);
}

TEST(InvalidateFrameArea, WindowWithoutFormIsLeftAlone) {
    MarkedParent window;
    InvalidateFrameArea(&window, Rect(0, 0, 20, 20));
    InvalidateFrameArea(nullptr, Rect(0, 0, 20, 20));
    EXPECT_EQ(window.ParentForm(), nullptr);
}

namespace {

// A windowed control with a client edge that counts how often its frame is painted.
class FramedControl : public TCustomControl {
public:
    explicit FramedControl(TComponent* owner) : TCustomControl(owner) {}
    void WndProc(TMessage& message) override {
        if (message.Msg == WM_NCPAINT) {
            ++framePaints;
        }
        TCustomControl::WndProc(message);
    }
    int framePaints = 0;

protected:
    void CreateParams(TCreateParams& params) override {
        TCustomControl::CreateParams(params);
        params.ExStyle |= WS_EX_CLIENTEDGE;
    }
};

class FrameAreaTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        app->CreateForm(form);
        form->SetBounds(0, 0, 200, 100);
        framed = new FramedControl(form);
        framed->SetBounds(10, 10, 60, 24);
        framed->SetParent(form);
    }

    TForm* form = nullptr;
    FramedControl* framed = nullptr;
};

} // namespace

TEST_F(FrameAreaTest, FrameIsPaintedAgainForTheClientRectangle) {
    form->Show();
    Idle();
    ASSERT_FALSE(form->HasInvalidRegion());
    framed->framePaints = 0;
    InvalidateFrameArea(framed, framed->ClientRect());
    EXPECT_TRUE(form->HasInvalidRegion());
    Idle();
    EXPECT_EQ(framed->framePaints, 1);
}

TEST_F(FrameAreaTest, HiddenWindowIsNotInvalidated) {
    form->Show();
    Idle();
    framed->Hide();
    Idle();
    InvalidateFrameArea(framed, framed->ClientRect());
    EXPECT_FALSE(form->HasInvalidRegion());
}
