#include "toolkit/base/Classes.h"

#include <algorithm>

namespace {

void EraseOne(std::vector<TComponent*>& list, TComponent* item) {
    auto it = std::find(list.begin(), list.end(), item);
    if (it != list.end()) {
        list.erase(it);
    }
}

} // namespace

TComponent::TComponent(TComponent* owner) {
    if (owner != nullptr) {
        // A component created while its owner loads is part of the stored form being read.
        state_ |= owner->state_ & (csLoading | csReading);
        owner->InsertComponent(this);
    }
}

TComponent::~TComponent() {
    Destroying();
    DestroyComponents();
    if (owner_ != nullptr) {
        owner_->RemoveComponent(this);
    }
}

void TComponent::Destroying() {
    MarkDestroying();
    // Tell everyone that asked, while this object is still whole. Owned components keep
    // their links until their own destruction: a component still holding a pointer to
    // another must go on hearing of that one's removal until it is really gone.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        EraseOne(other->freeNotifies_, this);
        other->Notification(this, opRemove);
    }
}

void TComponent::MarkDestroying() {
    if (InState(csDestroying)) {
        return;
    }
    state_ |= csDestroying;
    for (TComponent* component : components_) {
        component->MarkDestroying();
    }
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* component = components_.back();
        RemoveComponent(component);
        delete component;
    }
}

void TComponent::SetName(const std::string& value) {
    name_ = value;
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    for (TComponent* component : components_) {
        if (component->Name() == name) {
            return component;
        }
    }
    return nullptr;
}

void TComponent::FreeNotification(TComponent* component) {
    if (component == nullptr || component == this) {
        return;
    }
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end()) {
        freeNotifies_.push_back(component);
        component->freeNotifies_.push_back(this);
    }
    state_ |= csFreeNotification;
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (component == nullptr) {
        return;
    }
    EraseOne(freeNotifies_, component);
    EraseOne(component->freeNotifies_, this);
}

void TComponent::BeginLoading() {
    state_ |= csLoading | csReading;
    for (TComponent* component : components_) {
        component->BeginLoading();
    }
}

void TComponent::EndLoading() {
    for (TComponent* component : components_) {
        component->EndLoading();
    }
    state_ &= ~(csLoading | csReading);
    Loaded();
}

void TComponent::Loaded() {
    state_ &= ~csLoading;
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component != nullptr) {
        RemoveFreeNotification(component);
    }
    for (TComponent* owned : std::vector<TComponent*>(components_)) {
        if (owned != component) {
            owned->Notification(component, operation);
        }
    }
}

void TComponent::SetDesigning(bool value) {
    SetStateBit(csDesigning, value);
}

void TComponent::SetStateBit(TComponentStateBits bit, bool on) {
    if (on) {
        state_ |= bit;
    } else {
        state_ &= ~unsigned(bit);
    }
}

void TComponent::InsertComponent(TComponent* component) {
    components_.push_back(component);
    component->owner_ = this;
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    Notification(component, opRemove);
    EraseOne(components_, component);
    component->owner_ = nullptr;
}
