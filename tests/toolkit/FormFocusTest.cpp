#include "ControlTestControls.h"
#include "support/ToolkitFixture.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

// A form with edit-like controls a, b, a group box holding radio-like r1, r2, r3, and c.
class FocusTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        app->CreateForm(form);
        form->SetBounds(0, 0, 300, 200);
        a = Tabbed(new TLogControl(form, log, "a"), form, 10);
        b = Tabbed(new TLogControl(form, log, "b"), form, 40);
        group = Place(new TLogControl(form, log, "group"), form, 10, 70, 200, 90);
        group->SetControlStyle(group->ControlStyle() | csAcceptsControls);
        r1 = Tabbed(new TLogControl(form, log, "r1"), group, 5);
        r2 = Place(new TLogControl(form, log, "r2"), group, 5, 30, 100, 20);
        r3 = Place(new TLogControl(form, log, "r3"), group, 5, 55, 100, 20);
        c = Tabbed(new TLogControl(form, log, "c"), form, 170);
        for (TWinControl* control : {a, b, group, r1, r2, r3, c}) {
            control->OnEnter = [this](TObject* sender) {
                events.push_back("enter " + Name(sender));
            };
            control->OnExit = [this](TObject* sender) {
                events.push_back("exit " + Name(sender));
            };
        }
    }
    TLogControl* Tabbed(TLogControl* control, TWinControl* parent, int top) {
        Place(control, parent, 5, top, 100, 20);
        control->SetTabStop(true);
        return control;
    }
    static std::string Name(TObject* sender) { return static_cast<TComponent*>(sender)->Name(); }
    void ShowForm() {
        form->Show();
        events.clear();
        log.clear();
    }

    TForm* form = nullptr;
    EventLog log;
    EventLog events;
    TLogControl *a = nullptr, *b = nullptr, *group = nullptr, *r1 = nullptr, *r2 = nullptr, *r3 = nullptr,
                *c = nullptr;
};

} // namespace

TEST_F(FocusTest, ShowingTheFormFocusesTheFirstTabStop) {
    form->Show();
    EXPECT_EQ(form->ActiveControl(), a);
    EXPECT_TRUE(a->Focused());
    EXPECT_THAT(events, ElementsAre("enter a"));
}

TEST_F(FocusTest, TabWalksTheTabStopsInOrderAndWraps) {
    ShowForm();
    std::vector<std::string> order;
    for (int i = 0; i < 4; ++i) {
        PressKey(form, VK_TAB);
        order.push_back(form->ActiveControl()->Name());
    }
    EXPECT_THAT(order, ElementsAre("b", "r1", "c", "a"));
}

TEST_F(FocusTest, ShiftTabWalksBackwards) {
    ShowForm();
    PressKey(form, VK_TAB, ssShift);
    EXPECT_EQ(form->ActiveControl(), c);
    PressKey(form, VK_TAB, ssShift);
    EXPECT_EQ(form->ActiveControl(), r1);
}

TEST_F(FocusTest, TabOrderCanBeRearranged) {
    c->SetTabOrder(0);
    EXPECT_EQ(c->TabOrder(), 0);
    EXPECT_EQ(a->TabOrder(), 1);
    ShowForm();
    EXPECT_EQ(form->ActiveControl(), c);
    PressKey(form, VK_TAB);
    EXPECT_EQ(form->ActiveControl(), a);
}

TEST_F(FocusTest, DisabledAndHiddenControlsAreSkipped) {
    b->SetEnabled(false);
    r1->SetVisible(false);
    ShowForm();
    PressKey(form, VK_TAB);
    EXPECT_EQ(form->ActiveControl(), c);
}

TEST_F(FocusTest, ArrowKeysMoveWithinTheGroupOnly) {
    ShowForm();
    r1->SetFocus();
    PressKey(form, VK_DOWN);
    EXPECT_EQ(form->ActiveControl(), r2);
    PressKey(form, VK_RIGHT);
    EXPECT_EQ(form->ActiveControl(), r3);
    PressKey(form, VK_DOWN);
    EXPECT_EQ(form->ActiveControl(), r1);
    PressKey(form, VK_UP);
    EXPECT_EQ(form->ActiveControl(), r3);
}

TEST_F(FocusTest, AControlThatWantsArrowsKeepsThem) {
    ShowForm();
    r1->SetFocus();
    r1->dialogCode = DLGC_WANTARROWS;
    log.clear();
    PressKey(form, VK_DOWN);
    EXPECT_EQ(form->ActiveControl(), r1);
    EXPECT_THAT(log, ElementsAre("r1 keydown"));
}

TEST_F(FocusTest, EnterAndExitRunAlongTheTreeWhenFocusMovesIntoAGroup) {
    ShowForm();
    b->SetFocus();
    events.clear();
    log.clear();
    PressKey(form, VK_TAB);
    EXPECT_THAT(events, ElementsAre("exit b", "enter group", "enter r1"));
    EXPECT_THAT(log, ElementsAre("b killfocus", "r1 setfocus"));
    events.clear();
    PressKey(form, VK_TAB);
    EXPECT_THAT(events, ElementsAre("exit r1", "exit group", "enter c"));
}

TEST_F(FocusTest, FocusChangesAreBroadcastToEveryControl) {
    ShowForm();
    std::vector<LPARAM> seen;
    class TWatcher : public TCustomControl {
    public:
        TWatcher(TComponent* owner, std::vector<LPARAM>& out) : TCustomControl(owner), out_(out) {}

    protected:
        void Dispatch(TMessage& message) override {
            if (message.Msg == CM_FOCUSCHANGED) {
                out_.push_back(message.LParam);
            }
            TCustomControl::Dispatch(message);
        }

    private:
        std::vector<LPARAM>& out_;
    };
    Place(new TWatcher(form, seen), group, 120, 5, 10, 10);
    c->SetFocus();
    EXPECT_THAT(seen, ElementsAre(LPARAM(c)));
}

TEST_F(FocusTest, KeysAndCharactersGoToTheFocusedControl) {
    ShowForm();
    b->SetFocus();
    b->dialogCode = DLGC_WANTCHARS;
    std::string typed;
    b->OnKeyPress = [&](TObject*, char& key) {
        typed += key;
    };
    log.clear();
    platform.windows.Type(Window(form), "hi");
    EXPECT_EQ(typed, "hi");
    EXPECT_THAT(log, ElementsAre("b char", "b char"));
}

TEST_F(FocusTest, KeyPreviewLetsTheFormSwallowAKey) {
    ShowForm();
    form->SetKeyPreview(true);
    form->OnKeyDown = [](TObject*, unsigned& key, TShiftState) {
        if (key == VK_F5) {
            key = 0;
        }
    };
    unsigned reached = 0;
    a->OnKeyDown = [&](TObject*, unsigned& key, TShiftState) {
        reached = key;
    };
    PressKey(form, VK_F5);
    EXPECT_EQ(reached, 0u);
    PressKey(form, VK_F2);
    EXPECT_EQ(reached, VK_F2);
}

TEST_F(FocusTest, AnAcceleratorCharacterReachesTheControlWhoseCaptionHasIt) {
    class TAccel : public TCustomControl {
    public:
        using TCustomControl::TCustomControl;
        int hits = 0;

    protected:
        void Dispatch(TMessage& message) override {
            if (message.Msg == CM_DIALOGCHAR && IsAccel(unsigned(message.WParam), Caption())) {
                ++hits;
                message.Result = 1;
                return;
            }
            TCustomControl::Dispatch(message);
        }
    };
    auto* accel = Place(new TAccel(form), group, 120, 30, 60, 20);
    accel->SetCaption("&Start");
    ShowForm();
    platform.windows.Type(Window(form), "s");
    platform.windows.Type(Window(form), "x");
    platform.windows.Type(Window(form), "S", ssAlt);
    EXPECT_EQ(accel->hits, 2);
}

TEST_F(FocusTest, HidingTheFocusedControlMovesTheFocusToTheForm) {
    ShowForm();
    b->SetFocus();
    events.clear();
    b->SetVisible(false);
    EXPECT_EQ(form->ActiveControl(), nullptr);
    EXPECT_FALSE(b->Focused());
    EXPECT_THAT(events, ElementsAre("exit b"));
}

TEST_F(FocusTest, DestroyingTheFocusedControlLeavesNoDanglingFocus) {
    ShowForm();
    r2->SetFocus();
    delete group;
    EXPECT_EQ(form->ActiveControl(), nullptr);
    PressKey(form, VK_TAB);
    EXPECT_EQ(form->ActiveControl(), a);
}
