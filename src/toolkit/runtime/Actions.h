// Actions: command objects that controls link to. An action carries a caption, a checked
// state, an enabled state and an image index, and runs OnExecute; the links registered with
// it hear of every change and push it into their control.
#pragma once

#include "toolkit/base/Classes.h"

#include <functional>
#include <string>
#include <vector>

class TBasicActionLink;
class TControl;

class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* owner);
    ~TBasicAction() override;

    // Runs OnExecute; false when there is none.
    virtual bool Execute();
    TNotifyEvent OnExecute;

    void RegisterChanges(TBasicActionLink* link);
    void UnRegisterChanges(TBasicActionLink* link);

protected:
    // Tells every link that the action changed.
    void Change();
    std::vector<TBasicActionLink*> Links() const { return links_; }

private:
    std::vector<TBasicActionLink*> links_;
};

class TCustomAction : public TBasicAction {
public:
    explicit TCustomAction(TComponent* owner) : TBasicAction(owner) {}

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);

private:
    std::string caption_;
    bool checked_ = false;
    bool enabled_ = true;
    int imageIndex_ = -1;
};

class TAction : public TCustomAction {
public:
    explicit TAction(TComponent* owner) : TCustomAction(owner) {}
};

// The action that carries the application's current hint text to the control that shows it
// (a status pane following the hint).
class THintAction : public TCustomAction {
public:
    explicit THintAction(TComponent* owner) : TCustomAction(owner) {}
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value) { hint_ = value; }

private:
    std::string hint_;
};

// The connection between one client and one action.
class TBasicActionLink {
public:
    TBasicActionLink() = default;
    virtual ~TBasicActionLink();
    TBasicActionLink(const TBasicActionLink&) = delete;
    TBasicActionLink& operator=(const TBasicActionLink&) = delete;

    TBasicAction* Action() const { return action_; }
    void SetAction(TBasicAction* value);
    virtual bool Execute();
    // Called with the action after any of its properties changed.
    std::function<void(TObject* action)> OnChange;

private:
    friend class TBasicAction;
    friend class TCustomAction;
    void ActionChanged();

    TBasicAction* action_ = nullptr;
};

// Pushes an action's properties into its client while they are linked.
class TActionLink : public TBasicActionLink {
public:
    virtual bool IsCaptionLinked() const;
    virtual bool IsCheckedLinked() const;
    virtual bool IsEnabledLinked() const;
    virtual bool IsImageIndexLinked() const;
    virtual void SetCaption(const std::string& value);
    virtual void SetChecked(bool value);
    virtual void SetEnabled(bool value);
    virtual void SetImageIndex(int value);

protected:
    TCustomAction* CustomAction() const;
};

// The link of a control: caption and enabled state follow the action while they equal it.
class TControlActionLink : public TActionLink {
public:
    explicit TControlActionLink(TControl* client) : client_(client) {}
    bool IsCaptionLinked() const override;
    bool IsEnabledLinked() const override;
    void SetCaption(const std::string& value) override;
    void SetEnabled(bool value) override;

protected:
    TControl* Client() const { return client_; }

private:
    TControl* client_;
};
