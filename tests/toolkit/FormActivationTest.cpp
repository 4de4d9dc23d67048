#include "support/ToolkitFixture.h"

#include <gmock/gmock.h>
#include <stdexcept>

using ::testing::ElementsAre;

namespace {

class ActivationTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        app->CreateForm(mainForm);
        app->CreateForm(warnForm);
        mainForm->SetName("main");
        warnForm->SetName("warn");
        for (TForm* form : {mainForm, warnForm}) {
            form->OnActivate = [this](TObject* sender) {
                log.push_back("activate " + Name(sender));
            };
            form->OnDeactivate = [this](TObject* sender) {
                log.push_back("deactivate " + Name(sender));
            };
        }
    }
    static std::string Name(TObject* sender) { return static_cast<TComponent*>(sender)->Name(); }

    TForm* mainForm = nullptr;
    TForm* warnForm = nullptr;
    std::vector<std::string> log;
};

} // namespace

TEST_F(ActivationTest, TheFirstShowingActivates) {
    mainForm->Show();
    EXPECT_THAT(log, ElementsAre("activate main"));
    EXPECT_TRUE(mainForm->Active());
    EXPECT_EQ(app->ActiveForm(), mainForm);
}

TEST_F(ActivationTest, ComingBackFromAnotherFormOfTheProgramActivatesAgain) {
    mainForm->Show();
    mainForm->Hide();
    warnForm->Show();
    warnForm->Hide();
    mainForm->Show();
    EXPECT_THAT(log, ElementsAre("activate main", "deactivate main", "activate warn", "deactivate warn",
                                 "activate main"));
}

TEST_F(ActivationTest, ReactivationFromAnotherApplicationDoesNotActivate) {
    mainForm->Show();
    platform.windows.SwitchToOtherApplication();
    EXPECT_FALSE(mainForm->Active());
    platform.windows.ActivateWindow(Window(mainForm));
    EXPECT_TRUE(mainForm->Active());
    EXPECT_THAT(log, ElementsAre("activate main"));
}

TEST_F(ActivationTest, RestoringFromTheTrayDoesNotActivate) {
    mainForm->Show();
    mainForm->Hide(); // to the tray
    mainForm->Show(); // back from the tray
    EXPECT_TRUE(mainForm->Active());
    EXPECT_THAT(log, ElementsAre("activate main"));
}

TEST_F(ActivationTest, AModalMessageBoxClosingDoesNotActivate) {
    mainForm->Show();
    platform.messageBoxes.QueueAnswer(IDNO);
    EXPECT_EQ(app->MessageBox("Are you sure to exit?", "Vesperon", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_TRUE(mainForm->Active());
    EXPECT_TRUE(Window(mainForm).Active());
    EXPECT_THAT(log, ElementsAre("activate main"));
    ASSERT_EQ(platform.messageBoxes.Shown().size(), 1u);
    EXPECT_EQ(platform.messageBoxes.Shown()[0].flags, 36u);
}

TEST_F(ActivationTest, AMessageBoxClosingLeavesAnIconifiedOrHiddenFormWhereItIs) {
    mainForm->Show();
    app->Minimize();
    platform.messageBoxes.QueueAnswer(IDOK);
    app->MessageBox("Your settings may cause a system restart failure.", "Vesperon", MB_OK);
    EXPECT_TRUE(Window(mainForm).Iconified());
    EXPECT_TRUE(app->Minimized());

    app->Restore();
    mainForm->Hide();
    platform.messageBoxes.QueueAnswer(IDNO);
    app->MessageBox("Are you sure to exit?", "Vesperon", MB_YESNO | MB_ICONQUESTION);
    EXPECT_FALSE(Window(mainForm).Visible());
    EXPECT_THAT(log, ElementsAre("activate main"));
}

TEST_F(ActivationTest, MinimiseAndRestoreRunTheApplicationSlotsButNoActivation) {
    std::vector<std::string> slots;
    app->OnMinimize = [&](TObject*) {
        slots.push_back("minimize");
    };
    app->OnRestore = [&](TObject*) {
        slots.push_back("restore");
    };
    mainForm->Show();
    platform.windows.UserIconify(Window(mainForm));
    EXPECT_TRUE(app->Minimized());
    platform.windows.UserRestore(Window(mainForm));
    app->Minimize();
    app->Restore();
    EXPECT_THAT(slots, ElementsAre("minimize", "restore", "minimize", "restore"));
    EXPECT_THAT(log, ElementsAre("activate main"));
}

TEST_F(ActivationTest, TheFocusedControlGetsItsFocusBackAfterAnotherApplication) {
    auto* edit = new TCustomControl(mainForm);
    edit->SetParent(mainForm);
    edit->SetBounds(5, 5, 50, 20);
    edit->SetTabStop(true);
    int exits = 0;
    edit->OnExit = [&](TObject*) {
        ++exits;
    };
    mainForm->Show();
    EXPECT_TRUE(edit->Focused());
    platform.windows.SwitchToOtherApplication();
    EXPECT_FALSE(edit->Focused());
    platform.windows.ActivateWindow(Window(mainForm));
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(exits, 0);
}

// ---------------------------------------------------------------------------------------

using CloseTest = ToolkitTest;

TEST_F(CloseTest, CloseQueryCanRefuseTheClose) {
    TForm* form = nullptr;
    app->CreateForm(form);
    bool allow = false;
    int asked = 0;
    form->OnCloseQuery = [&](TObject*, bool& canClose) {
        ++asked;
        canClose = allow;
    };
    form->Show();
    platform.windows.RequestClose(Window(form));
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(app->Terminated());
    allow = true;
    form->Close();
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(form->Visible());
    EXPECT_TRUE(app->Terminated()); // the main form closed: the program ends
}

TEST_F(CloseTest, OnCloseChoosesWhatHappensToASecondaryForm) {
    TForm* mainForm = nullptr;
    TForm* other = nullptr;
    app->CreateForm(mainForm);
    app->CreateForm(other);
    other->OnClose = [](TObject*, TCloseAction& action) {
        action = caNone;
    };
    other->Show();
    other->Close();
    EXPECT_TRUE(other->Visible());
    other->OnClose = nullptr;
    other->Close();
    EXPECT_FALSE(other->Visible());
    EXPECT_FALSE(app->Terminated());
}

TEST_F(CloseTest, ShowModalRunsUntilAModalResultIsSet) {
    TForm* mainForm = nullptr;
    TForm* dialog = nullptr;
    app->CreateForm(mainForm);
    app->CreateForm(dialog);
    mainForm->Show();
    bool mainDisabledMeanwhile = false;
    platform.windows.Script([&] { mainDisabledMeanwhile = !mainForm->Enabled(); });
    platform.windows.Script([&] { dialog->SetModalResult(mrOk); });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(mainDisabledMeanwhile);
    EXPECT_TRUE(mainForm->Enabled());
    EXPECT_FALSE(dialog->Visible());
    EXPECT_TRUE(mainForm->Active());
}

TEST_F(CloseTest, ClosingAModalFormAnswersCancel) {
    TForm* dialog = nullptr;
    app->CreateForm(dialog);
    platform.windows.Script([&] { platform.windows.RequestClose(Window(dialog)); });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

// ---------------------------------------------------------------------------------------

using ApplicationTest = ToolkitTest;

TEST_F(ApplicationTest, AnErrorInAHandlerIsReportedInAMessageBoxAndTheProgramGoesOn) {
    TForm* form = nullptr;
    app->CreateForm(form);
    app->SetTitle("Vesperon");
    form->SetBounds(0, 0, 100, 100);
    form->OnClick = [](TObject*) {
        throw std::runtime_error("Cannot write Vesperon.ini");
    };
    form->Show();
    Click(form, 50, 50);
    platform.clock.Advance(1000);
    Click(form, 50, 50);
    ASSERT_EQ(platform.messageBoxes.Shown().size(), 2u);
    EXPECT_EQ(platform.messageBoxes.Shown()[0].text, "Cannot write Vesperon.ini");
    EXPECT_EQ(platform.messageBoxes.Shown()[0].caption, "Vesperon");
    EXPECT_EQ(platform.messageBoxes.Shown()[0].flags, MB_OK | MB_ICONERROR);
}

TEST_F(ApplicationTest, OnExceptionReplacesTheDefaultReport) {
    TForm* form = nullptr;
    app->CreateForm(form);
    std::string seen;
    app->OnException = [&](TObject*, const std::exception& error) {
        seen = error.what();
    };
    app->HandleException(std::runtime_error("boom"));
    EXPECT_EQ(seen, "boom");
    EXPECT_TRUE(platform.messageBoxes.Shown().empty());
}

TEST_F(ApplicationTest, RunWithoutFormsReturnsAtOnce) {
    app->Run();
    SUCCEED();
}

TEST_F(ApplicationTest, RunShowsTheMainFormAndEndsWhenItCloses) {
    TForm* form = nullptr;
    app->CreateForm(form);
    bool shown = false;
    form->OnShow = [&](TObject*) {
        shown = true;
    };
    platform.windows.Script([&] { platform.windows.RequestClose(Window(form)); });
    app->Run();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(app->Terminated());
}

TEST_F(ApplicationTest, PostedMessagesArriveLaterInOrder) {
    TForm* form = nullptr;
    app->CreateForm(form);
    std::vector<WPARAM> seen;
    form->OnResize = nullptr;
    class TSink : public TCustomControl {
    public:
        TSink(TComponent* owner, std::vector<WPARAM>& out) : TCustomControl(owner), out_(out) {}

    protected:
        void Dispatch(TMessage& message) override {
            if (message.Msg == WM_USER + 1) {
                out_.push_back(message.WParam);
                return;
            }
            TCustomControl::Dispatch(message);
        }

    private:
        std::vector<WPARAM>& out_;
    };
    auto* sink = new TSink(form, seen);
    sink->SetParent(form);
    PostMessage(sink, WM_USER + 1, 1, 0);
    PostMessage(sink, WM_USER + 1, 2, 0);
    EXPECT_TRUE(seen.empty());
    Idle();
    EXPECT_THAT(seen, ElementsAre(1u, 2u));
    PostMessage(sink, WM_USER + 1, 3, 0);
    delete sink;
    Idle(); // a message to a destroyed control is dropped
    EXPECT_THAT(seen, ElementsAre(1u, 2u));
}
