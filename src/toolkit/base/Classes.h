// Components: ownership, names, tags, component state and free notifications.
#pragma once

#include <functional>
#include <string>
#include <vector>

class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

enum TOperation { opInsert, opRemove };

// Component state bits.
enum TComponentStateBits : unsigned {
    csLoading = 0x1,
    csReading = 0x2,
    csWriting = 0x4,
    csDestroying = 0x8,
    csDesigning = 0x10,
    csAncestor = 0x20,
    csUpdating = 0x40,
    csFixups = 0x80,
    csFreeNotification = 0x100,
    csInline = 0x200,
    csDesignInstance = 0x400,
};
using TComponentState = unsigned;

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    virtual void SetName(const std::string& value);
    int Tag() const { return tag_; }
    void SetTag(int value) { tag_ = value; }

    TComponentState ComponentState() const { return state_; }
    bool InState(TComponentStateBits bit) const { return (state_ & bit) != 0; }

    int ComponentCount() const { return int(components_.size()); }
    TComponent* Components(int index) const { return components_[std::size_t(index)]; }
    TComponent* FindComponent(const std::string& name) const;

    // Asks for a Notification(this-component, opRemove) call when component is destroyed.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // Stored-form loading: BeginLoading sets csLoading/csReading on this component and every
    // component it owns; EndLoading clears them and calls Loaded() on each, owner last.
    void BeginLoading();
    void EndLoading();

    virtual void Loaded();
    virtual void Notification(TComponent* component, TOperation operation);

    // Destroys owned components first (in reverse order of insertion).
    void DestroyComponents();

protected:
    void SetDesigning(bool value);
    void SetStateBit(TComponentStateBits bit, bool on);
    // Called at the start of the destructor chain of the most derived class: marks the
    // component and everything it owns as destroying and sends this component's removal
    // notifications while it is still whole.
    void Destroying();

private:
    void MarkDestroying();
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    TComponent* owner_ = nullptr;
    std::string name_;
    int tag_ = 0;
    TComponentState state_ = 0;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
};
