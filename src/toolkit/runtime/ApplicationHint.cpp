// TApplication: the current hint, and the action that carries it to the control that shows it.
#include "toolkit/base/Store.h"
#include "toolkit/runtime/Actions.h"
#include "toolkit/runtime/Forms.h"

namespace {

// Offers action to a visible control, then to the visible controls inside it in child order,
// until one handles it.
bool OfferAction(TControl* control, TBasicAction& action) {
    if (!control->Visible() || control->InState(csDestroying)) {
        return false;
    }
    if (control->ExecuteAction(&action)) {
        return true;
    }
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (windowed == nullptr) {
        return false;
    }
    for (int i = 0; i < windowed->ControlCount(); ++i) {
        if (OfferAction(windowed->Controls(i), action)) {
            return true;
        }
    }
    return false;
}

} // namespace

void TApplication::SetHint(const std::string& value) {
    if (!Store(hint_, value)) {
        return;
    }
    if (OnHint) {
        OnHint(this);
        return;
    }
    THintAction action(nullptr);
    action.SetHint(hint_);
    ExecuteAction(action);
}

bool TApplication::ExecuteAction(TBasicAction& action) {
    if (focusForm_ != nullptr && OfferAction(focusForm_, action)) {
        return true;
    }
    return mainForm_ != nullptr && mainForm_ != focusForm_ && OfferAction(mainForm_, action);
}
