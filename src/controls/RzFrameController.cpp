#include "controls/RzFrameController.h"

#include "toolkit/base/Store.h"
#include "toolkit/runtime/Controls.h"

#include <algorithm>

namespace {

void CallClient(TControl* control) {
    if (auto* client = dynamic_cast<IRzFrameControllerClient*>(control)) {
        client->FramingChanged();
    }
}

} // namespace

void LinkFrameController(TRzFrameController*& link, TRzFrameController* value, TControl* client) {
    if (link != nullptr) {
        link->RemoveControl(client);
    }
    link = value;
    if (value != nullptr) {
        value->AddControl(client);
        value->FreeNotification(client);
    }
}

TRzFrameController::TRzFrameController(TComponent* owner) : TComponent(owner) {}

TRzFrameController::~TRzFrameController() {
    // Clients hear of the destruction through their free notification and drop their
    // reference; nothing is called on them afterwards.
    Destroying();
    controls_.clear();
}

void TRzFrameController::AddControl(TControl* control) {
    if (control == nullptr || std::find(controls_.begin(), controls_.end(), control) != controls_.end()) {
        return;
    }
    controls_.push_back(control);
    FreeNotification(control);
    CallClient(control);
}

void TRzFrameController::RemoveControl(TControl* control) {
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end()) {
        return;
    }
    // The free-notification link stays: the control may have asked for it itself, and a
    // notification about a control no longer listed changes nothing.
    controls_.erase(it);
}

void TRzFrameController::Loaded() {
    TComponent::Loaded();
    NotifyControls();
}

void TRzFrameController::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove) {
        auto it = std::find(controls_.begin(), controls_.end(), component);
        if (it != controls_.end()) {
            controls_.erase(it);
        }
    }
}

template <class T> void TRzFrameController::Change(T& field, T value) {
    if (!Store(field, value)) {
        return;
    }
    NotifyControls();
}

void TRzFrameController::NotifyControls() {
    if (InState(csLoading)) {
        return;
    }
    // A client's handler may register or remove controls; walk a copy.
    for (TControl* control : std::vector<TControl*>(controls_)) {
        if (std::find(controls_.begin(), controls_.end(), control) != controls_.end()) {
            CallClient(control);
        }
    }
}

void TRzFrameController::SetColor(TColor value) {
    Change(color_, value);
}
void TRzFrameController::SetFocusColor(TColor value) {
    Change(focusColor_, value);
}
void TRzFrameController::SetDisabledColor(TColor value) {
    Change(disabledColor_, value);
}
void TRzFrameController::SetReadOnlyColor(TColor value) {
    Change(readOnlyColor_, value);
}
void TRzFrameController::SetReadOnlyColorOnFocus(bool value) {
    Change(readOnlyColorOnFocus_, value);
}
void TRzFrameController::SetParentColor(bool value) {
    Change(parentColor_, value);
}
void TRzFrameController::SetFlatButtonColor(TColor value) {
    Change(flatButtonColor_, value);
}
void TRzFrameController::SetFlatButtons(bool value) {
    Change(flatButtons_, value);
}
void TRzFrameController::SetFrameColor(TColor value) {
    Change(frameColor_, value);
}
void TRzFrameController::SetFrameHotColor(TColor value) {
    Change(frameHotColor_, value);
}
void TRzFrameController::SetFrameHotTrack(bool value) {
    Change(frameHotTrack_, value);
}
void TRzFrameController::SetFrameHotStyle(TFrameStyle value) {
    Change(frameHotStyle_, value);
}
void TRzFrameController::SetFrameSides(TSides value) {
    Change(frameSides_, value);
}
void TRzFrameController::SetFrameStyle(TFrameStyle value) {
    Change(frameStyle_, value);
}
void TRzFrameController::SetFrameVisible(bool value) {
    Change(frameVisible_, value);
}
void TRzFrameController::SetFramingPreference(TFramingPreference value) {
    Change(framingPreference_, value);
}
