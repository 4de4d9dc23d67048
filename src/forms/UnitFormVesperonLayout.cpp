// The main window's layout: every control at its place with its class, parent, tag, fonts,
// colours and design state, made in the window's loading phase so that no change handler
// runs while the window is being built.
#include "controls/RzButton.h"
#include "controls/RzEdit.h"
#include "controls/RzPanel.h"
#include "controls/RzRadChk.h"
#include "controls/RzStatus.h"
#include "controls/RzTray.h"
#include "forms/FormLayout.h"
#include "forms/UnitFormVesperon.h"
#include "toolkit/runtime/Timer.h"
#include "toolkit/widgets/DateTimePicker.h"
#include "toolkit/widgets/Label.h"
#include "toolkit/widgets/Menus.h"

namespace {

using forms::Make;
using forms::Place;

constexpr int kTrayIconIndex = 17;

TRzCheckBox* HotCheckBox(TComponent* owner, TWinControl* parent, const std::string& name, int left, int top,
                         int width, int tag) {
    auto* box = Place<TRzCheckBox>(owner, parent, name, left, top, width, 17);
    box->SetTag(tag);
    box->SetHotTrack(true);
    box->SetFrameColor(clHighlight);
    return box;
}

// The window's radio buttons all hot-track.
TRzRadioButton* Radio(TComponent* owner, TWinControl* parent, const std::string& name, int left, int top,
                      int width, int tag) {
    auto* radio = Place<TRzRadioButton>(owner, parent, name, left, top, width, 17);
    radio->SetTag(tag);
    radio->SetHotTrack(true);
    return radio;
}

TRzGroupBox* GroupBox(TComponent* owner, TWinControl* parent, const std::string& name, int left, int top,
                      int width, int height) {
    auto* box = Place<TRzGroupBox>(owner, parent, name, left, top, width, height);
    box->SetFlatColor(clMedGray);
    return box;
}

TLabel* Label(TComponent* owner, TWinControl* parent, const std::string& name, int left, int top, int width) {
    return Place<TLabel>(owner, parent, name, left, top, width, 14);
}

TDateTimePicker* Picker(TComponent* owner, TWinControl* parent, const std::string& name, int left,
                        TDateTimeKind kind, int tag) {
    auto* picker = Place<TDateTimePicker>(owner, parent, name, left, 58, 120, 23);
    picker->SetKind(kind);
    picker->SetTag(tag);
    forms::SetFont(picker->Font(), "Arial", -12, 0, clWindowText);
    return picker;
}

TRzBitBtn* BitBtn(TComponent* owner, TWinControl* parent, const std::string& name, int left, int top,
                  int width, int height) {
    auto* button = Place<TRzBitBtn>(owner, parent, name, left, top, width, height);
    button->SetHotTrack(true);
    button->SetHotTrackColor(forms::kHotTrackColor);
    button->SetHighlightColor(forms::kHighlightColor);
    return button;
}

TRzBitBtn* ImageButton(TComponent* owner, TWinControl* parent, const std::string& name, int left, int top,
                       int height, TColor face, TImageList* images, int imageIndex) {
    auto* button = BitBtn(owner, parent, name, left, top, name == "BTNAtOnce" ? 120 : 111, height);
    button->SetColor(face);
    button->SetImages(images);
    button->SetImageIndex(imageIndex);
    return button;
}

// Siblings in the given keyboard order.
void SetKeyboardOrder(std::initializer_list<TWinControl*> order) {
    int index = 0;
    for (TWinControl* control : order) {
        control->SetTabOrder(index++);
    }
}

template <class T>
T* Pane(TComponent* owner, TWinControl* bar, const std::string& name, int left, int width, TAlign align) {
    auto* pane = Place<T>(owner, bar, name, left, 0, width, 19);
    pane->SetAlign(align);
    return pane;
}

} // namespace

void TFormVesperon::CreateControls() {
    SetBorderStyle(bsSingle);
    SetBorderIcons(biSystemMenu | biMinimize);
    SetFormStyle(fsStayOnTop);
    SetPosition(poDesktopCenter);
    SetClientWidth(486);
    SetClientHeight(302);
    SetColor(clBtnFace);
    forms::SetFont(Font(), "Arial", -11, 0, clWindowText);
    SetShowHint(true);

    CreateNonVisual();
    LabInfo = Place<TLabel>(this, this, "LabInfo", 20, 169, 461, 18);
    LabInfo->SetAutoSize(false);
    LabInfo->SetAlignment(taCenter);
    forms::SetFont(LabInfo->Font(), "Arial", -15, fsBold, clRed);
    CBAutoRun = HotCheckBox(this, this, "CBAutoRun", 16, 16, 193, 1);
    CreateSettingControls();
    CreateActionControls();
    CreateButtons();
    CreateStatusBar();
    SetTabOrders();
}

void TFormVesperon::CreateSettingControls() {
    GBSet = GroupBox(this, this, "GBSet", 16, 40, 462, 89);
    RzGroupBox2 = GroupBox(this, GBSet, "RzGroupBox2", 0, 1, 462, 51);
    Label1 = Label(this, RzGroupBox2, "Label1", 9, 25, 48);
    RBDateTime = Radio(this, RzGroupBox2, "RBDateTime", 86, 24, 105, 2);
    RBDateTime->SetChecked(true);
    RBDe = Radio(this, RzGroupBox2, "RBDe", 208, 24, 113, 3);
    CBRepeat = HotCheckBox(this, RzGroupBox2, "CBRepeat", 350, 24, 99, 4);

    Label2 = Label(this, GBSet, "Label2", 10, 62, 51);
    Label2->SetAlignment(taRightJustify);
    DateTimePicker1 = Picker(this, GBSet, "DateTimePicker1", 74, dtkDate, 5);
    Label3 = Label(this, GBSet, "Label3", 226, 61, 51);
    Label3->SetAlignment(taRightJustify);
    DateTimePicker2 = Picker(this, GBSet, "DateTimePicker2", 290, dtkTime, 6);

    RZFenZhong = Place<TRzNumericEdit>(this, GBSet, "RZFenZhong", 10, 57, 65, 23);
    RZFenZhong->SetTag(7);
    RZFenZhong->SetMin(core::kMinMinutes);
    RZFenZhong->SetMax(core::kMaxMinutes);
    RZFenZhong->SetDisplayFormat(",0;(,0)");
    RZFenZhong->SetValue(30);
    RZFenZhong->SetFrameVisible(true);
    forms::SetFont(RZFenZhong->Font(), "Arial", -12, 0, clWindowText);
    RZFenZhong->SetVisible(false);
    Label4 = Label(this, GBSet, "Label4", 82, 62, 168);
    Label4->SetVisible(false);
}

void TFormVesperon::CreateActionControls() {
    GBOption = GroupBox(this, this, "GBOption", 16, 142, 461, 83);
    RBShutdown = Radio(this, GBOption, "RBShutdown", 24, 24, 129, 8);
    RBShutdown->SetChecked(true);
    RBLogoff = Radio(this, GBOption, "RBLogoff", 176, 24, 115, 9);
    RBRestart = Radio(this, GBOption, "RBRestart", 328, 24, 105, 10);
    RBForce = Radio(this, GBOption, "RBForce", 24, 48, 129, 11);
    RBStandby = Radio(this, GBOption, "RBStandby", 176, 48, 129, 12);
    RBDormancy = Radio(this, GBOption, "RBDormancy", 328, 48, 113, 13);
    CBWarn = HotCheckBox(this, this, "CBWarn", 16, 231, 139, 0);
}

void TFormVesperon::CreateButtons() {
    BTNCloseScreen = BitBtn(this, this, "BTNCloseScreen", 12, 250, 149, 26);
    BTNCloseScreen->SetAnchors(akLeft | akBottom);
    forms::LoadGlyph(BTNCloseScreen, "btnclosescreen", 2);
    BTNStart = ImageButton(this, this, "BTNStart", 191, 244, 33, forms::kFaceColor, ImageList1, 1);
    BTNStop = ImageButton(this, this, "BTNStop", 190, 243, 35, forms::kStopFaceColor, ImageList1, 2);
    BTNStop->SetVisible(false);
    BTNAtOnce = ImageButton(this, this, "BTNAtOnce", 359, 243, 35, forms::kFaceColor, ImageList1, 0);
    BTNUpdate = BitBtn(this, this, "BTNUpdate", 402, 6, 75, 30);
    forms::LoadGlyph(BTNUpdate, "btnupdate", 2);
}

void TFormVesperon::CreateStatusBar() {
    RzStatusBar1 = Place<TRzStatusBar>(this, this, "RzStatusBar1", 0, 283, 486, 19);
    RzStatusBar1->SetBorderInner(fsNone);
    RzStatusBar1->SetBorderOuter(fsNone);
    RzStatusBar1->SetBorderSides(sdAllSides);
    RzStatusBar1->SetBorderWidth(0);
    RzStatusBar1->SetShowHint(true);

    RzClockStatus2 = Pane<TRzClockStatus>(this, RzStatusBar1, "RzClockStatus2", 0, 129, alLeft);
    forms::SetFont(RzClockStatus2->Font(), "MS Sans Serif", -11, 0, clBlack);
    RzStatusPane1 = Pane<TRzStatusPane>(this, RzStatusBar1, "RzStatusPane1", 129, 120, alLeft);
    forms::SetFont(RzStatusPane1->Font(), "Arial", -11, 0, clBlack);
    RzStatusPane2 = Pane<TRzStatusPane>(this, RzStatusBar1, "RzStatusPane2", 249, 216, alLeft);
    RzGlyphStatus1 = Pane<TRzGlyphStatus>(this, RzStatusBar1, "RzGlyphStatus1", 441, 23, alRight);
    RzGlyphStatus1->SetImages(ImageList2);
    RzGlyphStatus1->SetImageIndex(1);
    RzGlyphStatus1->SetVisible(false);
    RzGlyphStatus2 = Pane<TRzGlyphStatus>(this, RzStatusBar1, "RzGlyphStatus2", 465, 21, alRight);
    RzGlyphStatus2->SetImages(ImageList2);
    RzGlyphStatus2->SetImageIndex(0);
}

void TFormVesperon::CreateNonVisual() {
    ImageList1 = Make<TImageList>(this, "ImageList1");
    ImageList1->SetSize(32, 32);
    forms::AddImages(ImageList1, {"imagelist1_0", "imagelist1_1", "imagelist1_2"});
    ImageList2 = Make<TImageList>(this, "ImageList2");
    ImageList2->SetSize(16, 16);
    forms::AddImages(ImageList2, {"imagelist2_0", "imagelist2_1"});

    TrayPopupMenu = Make<TPopupMenu>(this, "TrayPopupMenu");
    NShow = Make<TMenuItem>(this, "NShow");
    N1 = Make<TMenuItem>(this, "N1");
    N1->SetCaption("-");
    NExit = Make<TMenuItem>(this, "NExit");
    TrayPopupMenu->Items()->Add(NShow);
    TrayPopupMenu->Items()->Add(N1);
    TrayPopupMenu->Items()->Add(NExit);

    TrayIcon = Make<TRzTrayIcon>(this, "TrayIcon");
    TrayIcon->SetPopupMenu(TrayPopupMenu);
    TrayIcon->SetIconIndex(kTrayIconIndex);

    Timer1 = Make<TTimer>(this, "Timer1");
    Timer1->SetEnabled(false);
    Timer1->SetInterval(1000);
}

void TFormVesperon::SetTabOrders() {
    SetKeyboardOrder({CBAutoRun, GBSet, GBOption, BTNStop, BTNAtOnce, RzStatusBar1, BTNStart, CBWarn,
                      BTNUpdate, BTNCloseScreen});
    SetKeyboardOrder({RzGroupBox2, RZFenZhong, DateTimePicker2, DateTimePicker1});
    SetKeyboardOrder({RBDateTime, RBDe, CBRepeat});
    SetKeyboardOrder({RBShutdown, RBLogoff, RBRestart, RBForce, RBStandby, RBDormancy});
}

void TFormVesperon::AttachHandlers() {
    OnCreate = [this](TObject* sender) {
        FormCreate(sender);
    };
    OnActivate = [this](TObject* sender) {
        FormActivate(sender);
    };
    OnCloseQuery = [this](TObject* sender, bool& canClose) {
        FormCloseQuery(sender, canClose);
    };
    CBAutoRun->OnClick = [this](TObject* sender) {
        CBAutoRunClick(sender);
    };
    RBDateTime->OnClick = [this](TObject* sender) {
        RBDateTimeClick(sender);
    };
    RBDe->OnClick = [this](TObject* sender) {
        RBDateTimeClick(sender);
    };
    CBRepeat->OnClick = [this](TObject* sender) {
        CBRepeatClick(sender);
    };
    DateTimePicker1->OnChange = [this](TObject* sender) {
        DateTimePicker1Change(sender);
    };
    DateTimePicker2->OnChange = [this](TObject* sender) {
        DateTimePicker2Change(sender);
    };
    RZFenZhong->OnChange = [this](TObject* sender) {
        RZFenZhongChange(sender);
    };
    for (TRzRadioButton* radio : {RBShutdown, RBLogoff, RBRestart, RBForce, RBStandby, RBDormancy}) {
        radio->OnClick = [this](TObject* sender) {
            RBShutdownClick(sender);
        };
    }
    CBWarn->OnClick = [this](TObject* sender) {
        CBWarnClick(sender);
    };
    BTNCloseScreen->OnClick = [this](TObject* sender) {
        BTNCloseScreenClick(sender);
    };
    BTNStart->OnClick = [this](TObject* sender) {
        BTNStartClick(sender);
    };
    BTNStop->OnClick = [this](TObject* sender) {
        BTNStopClick(sender);
    };
    BTNAtOnce->OnClick = [this](TObject* sender) {
        BTNAtOnceClick(sender);
    };
    BTNUpdate->OnClick = [this](TObject* sender) {
        BTNUpdateClick(sender);
    };
    RzGlyphStatus1->OnClick = [this](TObject* sender) {
        RzGlyphStatus1Click(sender);
    };
    RzGlyphStatus2->OnClick = [this](TObject* sender) {
        RzGlyphStatus2Click(sender);
    };
    NShow->OnClick = [this](TObject* sender) {
        NShowClick(sender);
    };
    NExit->OnClick = [this](TObject* sender) {
        NExitClick(sender);
    };
    TrayIcon->OnRestoreApp = [this](TObject* sender) {
        TrayIconRestoreApp(sender);
    };
    Timer1->OnTimer = [this](TObject* sender) {
        Timer1Timer(sender);
    };
}
