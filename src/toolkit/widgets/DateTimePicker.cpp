// TDateTimePicker: the value shown as the locale's short date or long time, edited field by
// field with the keyboard and the mouse; the date kind drops down a month calendar.
#include "toolkit/widgets/DateTimePicker.h"

#include "toolkit/runtime/Forms.h"
#include "toolkit/runtime/PopupWindow.h"
#include "toolkit/widgets/Calendar.h"

#include <cctype>
#include <cmath>

namespace {

constexpr int kButtonWidth = 16;
constexpr int kTextIndent = 2;

void DrawArrow(TCanvas& canvas, int centreX, int centreY, bool up, TColor color) {
    canvas.Brush()->SetColor(color);
    for (int row = 0; row < 4; ++row) {
        int half = up ? row : 3 - row;
        canvas.FillRect(Rect(centreX - half, centreY - 2 + row, centreX + half + 1, centreY - 1 + row));
    }
}

} // namespace

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
    // No capture on a press: the drop-down calendar takes the pointer while it is open.
    SetControlStyle((ControlStyle() & ~unsigned(csCaptureMouse)) | csOpaque);
    SetBounds(0, 0, 186, 21);
    SetColor(clWindow);
    SetTabStop(true);
    dateTime_ = Now();
}

TDateTimePicker::~TDateTimePicker() {
    Destroying();
    calendar_.reset();
}

void TDateTimePicker::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

// ---------------------------------------------------------------------------------------
// Properties

void TDateTimePicker::SetKind(TDateTimeKind value) {
    if (value == kind_) {
        return;
    }
    CloseUp();
    kind_ = value;
    selected_ = -1;
    typed_.clear();
    Invalidate();
}

void TDateTimePicker::SetDateTime(TDateTime value) {
    if (std::isnan(value)) {
        return;
    }
    // Only days the fields can show are kept.
    value = JoinDateTime(SplitDateTime(value));
    if (value == dateTime_) {
        return;
    }
    dateTime_ = value;
    typed_.clear();
    Invalidate();
}

TDateTime TDateTimePicker::Date() const {
    return double(Trunc(dateTime_));
}

void TDateTimePicker::SetDate(TDateTime value) {
    if (std::isnan(value)) {
        return;
    }
    SetDateTime(ReplaceTime(double(Trunc(value)), Time()));
}

TDateTime TDateTimePicker::Time() const {
    return std::fabs(Frac(dateTime_));
}

void TDateTimePicker::SetTime(TDateTime value) {
    if (std::isnan(value)) {
        return;
    }
    SetDateTime(ReplaceTime(Date(), std::fabs(Frac(value))));
}

TFormatSettings TDateTimePicker::Settings() const {
    return FormatSettings();
}

void TDateTimePicker::RefreshFormats() {
    TFormatSettings settings = Settings();
    std::string format = kind_ == dtkDate ? settings.ShortDateFormat : settings.LongTimeFormat;
    std::string key = format + '\x1f' + settings.DateSeparator + settings.TimeSeparator;
    if (key == formatKey_) {
        return;
    }
    formatKey_ = key;
    segments_ = ParseDateTimeFormat(format, settings);
    twelveHour_ = HasAmPmField(segments_);
    if (selected_ >= int(segments_.size()) ||
        (selected_ >= 0 && !IsEditableField(segments_[std::size_t(selected_)].field))) {
        selected_ = -1;
    }
}

const std::vector<TDateTimeSegment>& TDateTimePicker::Segments() {
    RefreshFormats();
    return segments_;
}

std::string TDateTimePicker::Text() const {
    TFormatSettings settings = Settings();
    std::string format = kind_ == dtkDate ? settings.ShortDateFormat : settings.LongTimeFormat;
    std::vector<TDateTimeSegment> segments = ParseDateTimeFormat(format, settings);
    bool twelveHour = HasAmPmField(segments);
    std::string text;
    for (const TDateTimeSegment& segment : segments) {
        text += SegmentText(segment, dateTime_, twelveHour, settings);
    }
    return text;
}

TDateTimeField TDateTimePicker::SelectedField() const {
    if (selected_ < 0 || selected_ >= int(segments_.size())) {
        return TDateTimeField::None;
    }
    return segments_[std::size_t(selected_)].field;
}

// ---------------------------------------------------------------------------------------
// Field selection and editing

void TDateTimePicker::FirstEditableField() {
    RefreshFormats();
    if (selected_ >= 0) {
        return;
    }
    for (std::size_t i = 0; i < segments_.size(); ++i) {
        if (IsEditableField(segments_[i].field)) {
            selected_ = int(i);
            return;
        }
    }
}

void TDateTimePicker::SelectField(int index) {
    if (index == selected_) {
        return;
    }
    CommitTyping();
    selected_ = index;
    Invalidate();
}

// Left and Right go to the previous or next field, wrapping at the ends.
void TDateTimePicker::MoveSelection(int direction) {
    FirstEditableField();
    int count = int(segments_.size());
    int index = selected_;
    for (int step = 0; step < count; ++step) {
        index = (index + direction + count) % count;
        if (IsEditableField(segments_[std::size_t(index)].field)) {
            SelectField(index);
            return;
        }
    }
}

void TDateTimePicker::CommitTyping() {
    // A year typed only in part is dropped: the field keeps its value.
    if (!typed_.empty()) {
        typed_.clear();
        Invalidate();
    }
}

void TDateTimePicker::UserChange(const TDateTimeParts& parts) {
    TDateTime value = JoinDateTime(parts);
    if (value == dateTime_) {
        return;
    }
    dateTime_ = value;
    Invalidate();
    if (OnChange) {
        OnChange(this);
    }
}

// A digit starts a new number in the field or extends the one being typed, while the longer
// number still fits the field; the field takes each complete number at once. A year is taken
// when all its digits are typed.
void TDateTimePicker::TypeDigit(int digit) {
    TDateTimeField field = SelectedField();
    if (!IsEditableField(field) || field == TDateTimeField::AmPm) {
        return;
    }
    const TDateTimeSegment& segment = segments_[std::size_t(selected_)];
    std::size_t maxDigits = field == TDateTimeField::Year ? (segment.pattern.size() <= 2 ? 2 : 4) : 2;
    std::string candidate = typed_ + char('0' + digit);
    if (candidate.size() > maxDigits) {
        candidate = std::string(1, char('0' + digit));
    }
    TDateTimeParts parts = SplitDateTime(dateTime_);
    if (field == TDateTimeField::Year) {
        typed_ = candidate;
        if (typed_.size() == maxDigits) {
            int year = std::stoi(typed_);
            if (maxDigits == 2) {
                year += parts.year / 100 * 100;
            }
            typed_.clear();
            if (SetFieldNumber(parts, field, year, false)) {
                UserChange(parts);
            }
        }
        Invalidate();
        return;
    }
    bool twelveHour = twelveHour_ && field == TDateTimeField::Hour;
    if (!SetFieldNumber(parts, field, std::stoi(candidate), twelveHour) && candidate.size() > 1) {
        candidate = std::string(1, char('0' + digit));
        parts = SplitDateTime(dateTime_);
        SetFieldNumber(parts, field, digit, twelveHour);
    }
    typed_ = candidate.size() == maxDigits ? std::string() : candidate;
    UserChange(parts);
}

void TDateTimePicker::TypeLetter(char key) {
    if (SelectedField() != TDateTimeField::AmPm) {
        return;
    }
    TFormatSettings settings = Settings();
    const TDateTimeSegment& segment = segments_[std::size_t(selected_)];
    std::string am = segment.pattern.size() == 4 ? settings.TimeAMString : "a";
    std::string pm = segment.pattern.size() == 4 ? settings.TimePMString : "p";
    auto starts = [key](const std::string& text) {
        return !text.empty() && std::tolower(static_cast<unsigned char>(text[0])) ==
                                    std::tolower(static_cast<unsigned char>(key));
    };
    TDateTimeParts parts = SplitDateTime(dateTime_);
    if (starts(am) && parts.hour >= 12) {
        parts.hour -= 12;
    } else if (starts(pm) && parts.hour < 12) {
        parts.hour += 12;
    }
    UserChange(parts);
}

void TDateTimePicker::HandleChar(char key) {
    FirstEditableField();
    if (key >= '0' && key <= '9') {
        TypeDigit(key - '0');
    } else if (std::isalpha(static_cast<unsigned char>(key))) {
        TypeLetter(key);
    }
}

void TDateTimePicker::HandleKey(unsigned key, TShiftState shift) {
    FirstEditableField();
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
        MoveSelection(key == VK_RIGHT ? 1 : -1);
        break;
    case VK_UP:
    case VK_DOWN:
        if (key == VK_DOWN && (shift & ssAlt) != 0) {
            DropDown();
            break;
        }
        CommitTyping();
        UserChange(StepField(SplitDateTime(dateTime_), SelectedField(), key == VK_UP ? 1 : -1));
        break;
    case VK_F4:
        DropDown();
        break;
    default:
        break;
    }
}

void TDateTimePicker::SpinClick(bool up) {
    FirstEditableField();
    CommitTyping();
    UserChange(StepField(SplitDateTime(dateTime_), SelectedField(), up ? 1 : -1));
}

void TDateTimePicker::MouseDownAt(TPoint p) {
    TRect button = ButtonRect();
    if (button.Contains(p)) {
        if (kind_ == dtkTime) {
            SpinClick(p.Y < button.Top + button.Height() / 2);
        } else if (DroppedDown()) {
            CloseUp();
        } else {
            DropDown();
        }
        return;
    }
    int index = FieldAt(p.X);
    if (index >= 0) {
        SelectField(index);
    }
}

// ---------------------------------------------------------------------------------------
// The drop-down calendar

bool TDateTimePicker::DroppedDown() const {
    return calendar_ != nullptr && calendar_->IsShown();
}

TCalendarDropDown* TDateTimePicker::Calendar() const {
    return DroppedDown() ? calendar_.get() : nullptr;
}

void TDateTimePicker::DropDown() {
    if (kind_ != dtkDate || DroppedDown() || !Showing() || !IsEnabledInTree()) {
        return;
    }
    CommitTyping();
    if (calendar_ == nullptr) {
        calendar_ = std::make_unique<TCalendarDropDown>(*this);
    }
    if (OnDropDown) {
        OnDropDown(this);
    }
    TPoint origin = ClientOrigin();
    TRect border = NonClientBorder();
    calendar_->Open(Point(origin.X - border.Left, origin.Y - border.Top + Height()), Date());
    Invalidate();
}

void TDateTimePicker::CloseUp() {
    if (!DroppedDown()) {
        return;
    }
    calendar_->Hide();
    Invalidate();
    // The keyboard comes back to the form the calendar was opened from.
    TCustomForm* form = ParentForm();
    if (form != nullptr && form->Showing() && form->NativeWindow() != nullptr) {
        form->NativeWindow()->Activate();
    }
    if (OnCloseUp) {
        OnCloseUp(this);
    }
}

void TDateTimePicker::CalendarPicked(TDateTime day) {
    CloseUp();
    TDateTimeParts picked = SplitDateTime(day);
    TDateTimeParts parts = SplitDateTime(dateTime_);
    parts.year = picked.year;
    parts.month = picked.month;
    parts.day = picked.day;
    UserChange(parts);
}

// ---------------------------------------------------------------------------------------
// Painting

TRect TDateTimePicker::ButtonRect() {
    TRect client = ClientRect();
    return Rect(client.Right - kButtonWidth, client.Top, client.Right, client.Bottom);
}

TRect TDateTimePicker::TextArea() {
    TRect client = ClientRect();
    return Rect(client.Left + kTextIndent, client.Top, client.Right - kButtonWidth, client.Bottom);
}

int TDateTimePicker::FieldAt(int x) {
    RefreshFormats();
    TBitmap scratch(1, 1);
    TCanvas* canvas = scratch.Canvas();
    canvas->Font()->Assign(*Font());
    TFormatSettings settings = Settings();
    int left = TextArea().Left;
    int nearest = -1;
    for (std::size_t i = 0; i < segments_.size(); ++i) {
        int right = left + canvas->TextWidth(SegmentText(segments_[i], dateTime_, twelveHour_, settings));
        if (IsEditableField(segments_[i].field)) {
            if (x < right || nearest < 0) {
                nearest = int(i);
            }
            if (x < right) {
                return nearest;
            }
        }
        left = right;
    }
    return nearest;
}

void TDateTimePicker::PaintFields(TCanvas& canvas, const TRect& textArea) {
    TFormatSettings settings = Settings();
    canvas.Font()->Assign(*Font());
    bool enabled = IsEnabledInTree();
    int textHeight = canvas.TextHeight("0");
    int top = textArea.Top + (textArea.Height() - textHeight) / 2;
    int x = textArea.Left;
    bool showSelection = Focused() && !DroppedDown();
    for (std::size_t i = 0; i < segments_.size(); ++i) {
        const TDateTimeSegment& segment = segments_[i];
        bool selected = showSelection && int(i) == selected_;
        std::string text = selected && !typed_.empty() && segment.field == TDateTimeField::Year
                               ? typed_
                               : SegmentText(segment, dateTime_, twelveHour_, settings);
        int width = canvas.TextWidth(text);
        if (selected) {
            canvas.Brush()->SetStyle(bsSolid);
            canvas.Brush()->SetColor(clHighlight);
            canvas.FillRect(Rect(x, top, x + width, top + textHeight));
        }
        canvas.Brush()->SetStyle(bsClear);
        canvas.Font()->SetColor(!enabled ? clGrayText : selected ? clHighlightText : Font()->Color());
        canvas.TextOut(x, top, text);
        x += width;
    }
}

// The date kind has a drop-down button, the time kind a pair of spin buttons.
void TDateTimePicker::PaintButton(TCanvas& canvas) {
    TRect button = ButtonRect();
    TColor arrow = IsEnabledInTree() ? clBtnText : clGrayText;
    auto face = [&](TRect r, bool pressed) {
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(clBtnFace);
        canvas.FillRect(r);
        if (pressed) {
            DrawRing(canvas, r, clBtnShadow, clBtnShadow);
        } else {
            DrawRaisedEdge(canvas, r);
        }
    };
    if (kind_ == dtkDate) {
        bool pressed = DroppedDown();
        face(button, pressed);
        int shift = pressed ? 1 : 0;
        DrawArrow(canvas, button.Left + button.Width() / 2 + shift - 1,
                  button.Top + button.Height() / 2 + shift, false, arrow);
        return;
    }
    TRect upper = button;
    upper.Bottom = button.Top + button.Height() / 2;
    TRect lower = button;
    lower.Top = upper.Bottom;
    face(upper, false);
    face(lower, false);
    DrawArrow(canvas, upper.Left + upper.Width() / 2 - 1, upper.Top + upper.Height() / 2, true, arrow);
    DrawArrow(canvas, lower.Left + lower.Width() / 2 - 1, lower.Top + lower.Height() / 2, false, arrow);
}

void TDateTimePicker::PaintWindow(HDC dc) {
    RefreshFormats();
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Brush()->SetColor(IsEnabledInTree() ? Color() : clBtnFace);
    canvas.FillRect(ClientRect());
    PaintFields(canvas, TextArea());
    PaintButton(canvas);
    canvas.SetHandle(nullptr);
}

// ---------------------------------------------------------------------------------------
// Messages

void TDateTimePicker::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (!DoKeyDown(message)) {
            HandleKey(unsigned(message.WParam), KeyDataToShiftState(message.LParam));
        }
        return;
    case WM_CHAR:
        if (!DoKeyPress(message)) {
            HandleChar(char(message.WParam));
        }
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (CanFocus() && !Focused()) {
            SetFocus();
        }
        TWinControl::Dispatch(message);
        MouseDownAt(LParamToPoint(message.LParam));
        return;
    case WM_SETFOCUS:
        TWinControl::Dispatch(message);
        FirstEditableField();
        Invalidate();
        return;
    case WM_KILLFOCUS:
        TWinControl::Dispatch(message);
        CommitTyping();
        Invalidate();
        return;
    case CM_ENABLEDCHANGED:
        CloseUp();
        TWinControl::Dispatch(message);
        return;
    default:
        TWinControl::Dispatch(message);
    }
}
