// The single-line edit box: change notification, typing and deleting, caret movement and
// selection, the clipboard, ReadOnly and MaxLength, AutoSelect, the client edge and the
// alignment of the painted text.
#include "support/ToolkitFixture.h"
#include "toolkit/widgets/Edit.h"

#include <gmock/gmock.h>
#include <string>
#include <vector>

using ::testing::ElementsAre;

namespace {

class TRightEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;

protected:
    void CreateParams(TCreateParams& params) override {
        TCustomEdit::CreateParams(params);
        params.Style |= ES_RIGHT;
    }
};

class EditBoxTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        app->CreateForm(form);
        form->SetBounds(0, 0, 300, 120);
        form->SetColor(clBtnFace);
        edit = Place(new TCustomEdit(form), 10);
        other = Place(new TCustomEdit(form), 50);
        edit->OnChange = [this](TObject*) {
            changes.push_back(edit->Text());
        };
    }

    template <class T = TCustomEdit> T* Place(T* control, int top) {
        control->SetParent(form);
        control->SetBounds(10, top, 120, 21);
        control->Font()->SetName("Arial");
        control->Font()->SetHeight(-12);
        return control;
    }

    void Show() {
        form->Show();
        Idle();
    }
    void Type(const std::string& text) {
        platform.windows.Type(Window(form), text);
        Idle();
    }
    void Key(unsigned key, unsigned shift = 0) {
        platform.windows.PressKey(Window(form), key, shift);
        Idle();
    }
    // Columns of the client area that hold a pixel darker than the window colour.
    std::vector<int> InkColumns(TWinControl* control) {
        std::vector<int> columns;
        const TPoint o = control->ClientOffsetInForm();
        const TRect client = control->ClientRect();
        for (int x = 0; x < client.Width(); ++x) {
            for (int y = 0; y < client.Height(); ++y) {
                if ((form->BackBuffer().At(o.X + x, o.Y + y) & 0xFF) < 0x80) {
                    columns.push_back(x);
                    break;
                }
            }
        }
        return columns;
    }

    TForm* form = nullptr;
    TCustomEdit* edit = nullptr;
    TCustomEdit* other = nullptr;
    std::vector<std::string> changes;
};

} // namespace

TEST_F(EditBoxTest, ChangeNotificationRunsOnlyWhenTheTextReallyChanges) {
    auto* loose = new TCustomEdit(form);
    int count = 0;
    loose->OnChange = [&](TObject*) {
        ++count;
    };
    loose->SetText("12");
    EXPECT_EQ(count, 1) << "a control without a window still notifies";
    loose->SetText("12");
    EXPECT_EQ(count, 1);
    loose->Clear();
    EXPECT_EQ(count, 2);
}

TEST_F(EditBoxTest, TypingInsertsAtTheCaretAndNotifiesPerCharacter) {
    Show();
    ASSERT_TRUE(edit->Focused());
    Type("ab");
    Key(VK_LEFT);
    Type("X");
    EXPECT_EQ(edit->Text(), "aXb");
    EXPECT_EQ(edit->CaretPos(), 2);
    EXPECT_THAT(changes, ElementsAre("a", "ab", "aXb"));
    EXPECT_TRUE(edit->Modified());
}

TEST_F(EditBoxTest, BackspaceAndDeleteRemoveOneCharacterOrTheSelection) {
    Show();
    Type("12345");
    Key(VK_HOME);
    Key(VK_DELETE);
    EXPECT_EQ(edit->Text(), "2345");
    Key(VK_END);
    Type("\b");
    EXPECT_EQ(edit->Text(), "234");
    Key(VK_LEFT, ssShift);
    Key(VK_LEFT, ssShift);
    EXPECT_EQ(edit->SelText(), "34");
    Type("\b");
    EXPECT_EQ(edit->Text(), "2");
    Key(VK_HOME);
    Type("\b");
    EXPECT_EQ(edit->Text(), "2") << "nothing before the caret";
}

TEST_F(EditBoxTest, ShiftExtendsTheSelectionAndPlainArrowsCollapseIt) {
    Show();
    Type("hello world");
    Key(VK_HOME);
    Key(VK_RIGHT, ssShift);
    Key(VK_RIGHT, ssShift);
    EXPECT_EQ(edit->SelStart(), 0);
    EXPECT_EQ(edit->SelLength(), 2);
    Key(VK_END, ssShift);
    EXPECT_EQ(edit->SelText(), "hello world");
    Key(VK_LEFT);
    EXPECT_EQ(edit->SelLength(), 0);
    EXPECT_EQ(edit->CaretPos(), 0);
    Key(VK_RIGHT, ssCtrl);
    EXPECT_EQ(edit->CaretPos(), 6);
}

TEST_F(EditBoxTest, SelectionPropertiesClampAndReplace) {
    edit->SetText("abcdef");
    edit->SetSelStart(2);
    edit->SetSelLength(3);
    EXPECT_EQ(edit->SelText(), "cde");
    edit->SetSelText("Z");
    EXPECT_EQ(edit->Text(), "abZf");
    EXPECT_EQ(edit->CaretPos(), 3);
    edit->SetSelStart(99);
    EXPECT_EQ(edit->SelStart(), 4);
    edit->SelectAll();
    EXPECT_EQ(edit->SelLength(), 4);
    edit->SetText("x");
    EXPECT_EQ(edit->SelStart(), 0) << "text set by code puts the caret at the start";
    EXPECT_EQ(edit->SelLength(), 0);
}

TEST_F(EditBoxTest, ClipboardKeysCopyCutAndPasteTheFirstLine) {
    Show();
    Type("12345");
    Key(VK_LEFT, ssShift);
    Key(VK_LEFT, ssShift);
    Type("\x03");
    EXPECT_EQ(platform.windows.ClipboardText(), "45");
    Type("\x18");
    EXPECT_EQ(edit->Text(), "123");
    platform.windows.SetClipboardText("ab\ncd");
    Key(VK_HOME);
    Type("\x16");
    EXPECT_EQ(edit->Text(), "ab123");
    Key(VK_INSERT, ssShift);
    EXPECT_EQ(edit->Text(), "abab123");
}

TEST_F(EditBoxTest, ReadOnlyRefusesChangesButCopies) {
    Show();
    edit->SetText("fixed");
    edit->SetReadOnly(true);
    changes.clear();
    edit->SelectAll();
    Type("x\b");
    Key(VK_DELETE);
    edit->CutToClipboard();
    EXPECT_EQ(edit->Text(), "fixed");
    EXPECT_EQ(platform.windows.ClipboardText(), "");
    edit->CopyToClipboard();
    EXPECT_EQ(platform.windows.ClipboardText(), "fixed");
    platform.windows.SetClipboardText("new");
    edit->PasteFromClipboard();
    EXPECT_EQ(edit->Text(), "fixed");
    EXPECT_TRUE(changes.empty());
}

TEST_F(EditBoxTest, MaxLengthLimitsTypingAndPastingButNotCode) {
    Show();
    edit->SetMaxLength(4);
    Type("123456");
    EXPECT_EQ(edit->Text(), "1234");
    Key(VK_LEFT, ssShift);
    platform.windows.SetClipboardText("abc");
    edit->PasteFromClipboard();
    EXPECT_EQ(edit->Text(), "123a");
    edit->SetText("longer than four");
    EXPECT_EQ(edit->Text(), "longer than four");
}

TEST_F(EditBoxTest, KeyboardEntrySelectsAllButAClickPlacesTheCaret) {
    Show();
    other->SetText("5000");
    Key(VK_TAB);
    ASSERT_TRUE(other->Focused());
    EXPECT_EQ(other->SelLength(), 4);

    edit->SetText("abcdef");
    const TPoint start = edit->ClientOffsetInForm();
    platform.windows.Click(Window(form), start.X + 3, start.Y + 8);
    Idle();
    ASSERT_TRUE(edit->Focused());
    EXPECT_EQ(edit->SelLength(), 0);
    EXPECT_EQ(edit->CaretPos(), 0);

    edit->SetAutoSelect(false);
    Key(VK_TAB);
    Key(VK_TAB);
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(edit->SelLength(), 0);
}

TEST_F(EditBoxTest, ClientEdgeIsATwoPixelBorderAndWithoutCtl3DOnePixel) {
    Show();
    EXPECT_EQ(edit->NonClientBorder(), Rect(2, 2, 2, 2));
    EXPECT_EQ(edit->ClientWidth(), 116);
    edit->SetCtl3D(false);
    EXPECT_EQ(edit->NonClientBorder(), Rect(1, 1, 1, 1));
}

TEST_F(EditBoxTest, SunkenEdgeIsPaintedOutsideTheTextArea) {
    Show();
    const TPoint o = edit->WindowOffsetInForm();
    auto at = [&](int x, int y) {
        return PixelToColor(form->BackBuffer().At(o.X + x, o.Y + y) & 0xFFFFFF);
    };
    EXPECT_EQ(at(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(at(1, 1), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(at(119, 20), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(at(118, 19), ColorToRGB(cl3DLight));
    EXPECT_EQ(at(60, 2), ColorToRGB(clWindow));
}

TEST_F(EditBoxTest, RightAlignedTextEndsAtTheRightMargin) {
    auto* right = Place(new TRightEdit(form), 80);
    right->SetText("42");
    edit->SetText("42");
    other->SetFocus();
    Show();
    other->SetFocus();
    Idle();
    const std::vector<int> leftInk = InkColumns(edit);
    const std::vector<int> rightInk = InkColumns(right);
    ASSERT_FALSE(leftInk.empty());
    ASSERT_FALSE(rightInk.empty());
    EXPECT_LE(leftInk.front(), 4);
    EXPECT_GE(rightInk.back(), right->ClientWidth() - 5);
    EXPECT_LT(leftInk.back(), 40);
}
