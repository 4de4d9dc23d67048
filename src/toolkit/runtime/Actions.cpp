#include "toolkit/runtime/Actions.h"

#include "toolkit/runtime/Controls.h"

#include <algorithm>

// ---------------------------------------------------------------------------------------
// TBasicAction

TBasicAction::TBasicAction(TComponent* owner) : TComponent(owner) {}

TBasicAction::~TBasicAction() {
    Destroying();
    for (TBasicActionLink* link : links_) {
        link->action_ = nullptr;
    }
}

bool TBasicAction::Execute() {
    if (!OnExecute) {
        return false;
    }
    OnExecute(this);
    return true;
}

void TBasicAction::RegisterChanges(TBasicActionLink* link) {
    if (std::find(links_.begin(), links_.end(), link) == links_.end()) {
        links_.push_back(link);
    }
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* link) {
    std::erase(links_, link);
}

void TBasicAction::Change() {
    for (TBasicActionLink* link : Links()) {
        link->ActionChanged();
    }
}

// ---------------------------------------------------------------------------------------
// TCustomAction: each setter tells the links before it stores, so a link can still compare
// its client with the old value to decide whether the two are linked.

void TCustomAction::SetCaption(const std::string& value) {
    if (value == caption_) {
        return;
    }
    for (TBasicActionLink* link : Links()) {
        if (auto* actionLink = dynamic_cast<TActionLink*>(link)) {
            actionLink->SetCaption(value);
        }
    }
    caption_ = value;
    Change();
}

void TCustomAction::SetChecked(bool value) {
    if (value == checked_) {
        return;
    }
    for (TBasicActionLink* link : Links()) {
        if (auto* actionLink = dynamic_cast<TActionLink*>(link)) {
            actionLink->SetChecked(value);
        }
    }
    checked_ = value;
    Change();
}

void TCustomAction::SetEnabled(bool value) {
    if (value == enabled_) {
        return;
    }
    for (TBasicActionLink* link : Links()) {
        if (auto* actionLink = dynamic_cast<TActionLink*>(link)) {
            actionLink->SetEnabled(value);
        }
    }
    enabled_ = value;
    Change();
}

void TCustomAction::SetImageIndex(int value) {
    if (value == imageIndex_) {
        return;
    }
    for (TBasicActionLink* link : Links()) {
        if (auto* actionLink = dynamic_cast<TActionLink*>(link)) {
            actionLink->SetImageIndex(value);
        }
    }
    imageIndex_ = value;
    Change();
}

// ---------------------------------------------------------------------------------------
// Links

TBasicActionLink::~TBasicActionLink() {
    SetAction(nullptr);
}

void TBasicActionLink::SetAction(TBasicAction* value) {
    if (value == action_) {
        return;
    }
    if (action_ != nullptr) {
        action_->UnRegisterChanges(this);
    }
    action_ = value;
    if (action_ != nullptr) {
        action_->RegisterChanges(this);
    }
}

bool TBasicActionLink::Execute() {
    return action_ != nullptr && action_->Execute();
}

void TBasicActionLink::ActionChanged() {
    if (OnChange && action_ != nullptr) {
        OnChange(action_);
    }
}

TCustomAction* TActionLink::CustomAction() const {
    return dynamic_cast<TCustomAction*>(Action());
}

bool TActionLink::IsCaptionLinked() const {
    return CustomAction() != nullptr;
}
bool TActionLink::IsCheckedLinked() const {
    return CustomAction() != nullptr;
}
bool TActionLink::IsEnabledLinked() const {
    return CustomAction() != nullptr;
}
bool TActionLink::IsImageIndexLinked() const {
    return CustomAction() != nullptr;
}
void TActionLink::SetCaption(const std::string& /*value*/) {}
void TActionLink::SetChecked(bool /*value*/) {}
void TActionLink::SetEnabled(bool /*value*/) {}
void TActionLink::SetImageIndex(int /*value*/) {}

bool TControlActionLink::IsCaptionLinked() const {
    return TActionLink::IsCaptionLinked() && client_->Caption() == CustomAction()->Caption();
}

bool TControlActionLink::IsEnabledLinked() const {
    return TActionLink::IsEnabledLinked() && client_->Enabled() == CustomAction()->Enabled();
}

void TControlActionLink::SetCaption(const std::string& value) {
    if (IsCaptionLinked()) {
        client_->SetCaption(value);
    }
}

void TControlActionLink::SetEnabled(bool value) {
    if (IsEnabledLinked()) {
        client_->SetEnabled(value);
    }
}
