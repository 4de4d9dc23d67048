// TApplication: the end of the session. The forms answer the query through their close
// question; hidden message windows (a tray icon's) hear WM_QUERYENDSESSION and WM_ENDSESSION.
#include "toolkit/runtime/Forms.h"

#include <algorithm>

namespace {

template <class T> bool Contains(const std::vector<T*>& list, T* item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

} // namespace

void TApplication::AddMessageWindow(TWinControl* window) {
    if (window != nullptr && !Contains(messageWindows_, window)) {
        messageWindows_.push_back(window);
    }
}

void TApplication::RemoveMessageWindow(TWinControl* window) {
    std::erase(messageWindows_, window);
}

bool TApplication::QueryEndSession() {
    try {
        // A close question runs a modal loop, in which forms and windows may come and go.
        std::vector<TCustomForm*> forms(forms_);
        std::stable_partition(forms.begin(), forms.end(),
                              [this](TCustomForm* form) { return form == mainForm_; });
        for (TCustomForm* form : forms) {
            if (Contains(forms_, form) && !form->CloseQuery()) {
                return false;
            }
        }
        for (TWinControl* window : std::vector<TWinControl*>(messageWindows_)) {
            if (Contains(messageWindows_, window) && SendMessage(window, WM_QUERYENDSESSION, 0, 0) == 0) {
                return false;
            }
        }
        return true;
    } catch (const std::exception& error) {
        // A question that failed is no consent: the session end is refused for this program.
        HandleException(error);
        return false;
    }
}

void TApplication::EndSession(bool ending) {
    try {
        for (TWinControl* window : std::vector<TWinControl*>(messageWindows_)) {
            if (Contains(messageWindows_, window)) {
                SendMessage(window, WM_ENDSESSION, ending ? 1 : 0, 0);
            }
        }
    } catch (const std::exception& error) {
        HandleException(error);
    }
    if (ending) {
        Terminate();
    }
}
