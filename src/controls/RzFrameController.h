// TRzFrameController: one component that holds frame and colour settings for many controls.
// Controls register with it (and ask it for a free notification); whenever a setting changes,
// and once at registration, it calls every registered client through IRzFrameControllerClient
// so that the client copies the settings its FrameControllerNotifications select.
#pragma once

#include "controls/RzCommon.h"
#include "toolkit/base/Classes.h"
#include "toolkit/base/Types.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

class TControl;

// The settings a controller can push to a client, in their published order.
enum TRzFrameControllerProperty {
    fcpColor,
    fcpFocusColor,
    fcpDisabledColor,
    fcpReadOnlyColor,
    fcpReadOnlyColorOnFocus,
    fcpParentColor,
    fcpFlatButtonColor,
    fcpFlatButtons,
    fcpFrameColor,
    fcpFrameHotColor,
    fcpFrameHotTrack,
    fcpFrameHotStyle,
    fcpFrameSides,
    fcpFrameStyle,
    fcpFrameVisible,
    fcpFramingPreference
};

// A 16-bit set of TRzFrameControllerProperty; bit n is element n (all = 65535).
class TRzFrameControllerNotifications {
public:
    constexpr TRzFrameControllerNotifications() = default;
    constexpr TRzFrameControllerNotifications(std::initializer_list<TRzFrameControllerProperty> items) {
        for (TRzFrameControllerProperty item : items) {
            bits_ = std::uint16_t(bits_ | Bit(item));
        }
    }
    static constexpr TRzFrameControllerNotifications FromBits(std::uint16_t bits) {
        TRzFrameControllerNotifications set;
        set.bits_ = bits;
        return set;
    }
    constexpr std::uint16_t Bits() const { return bits_; }
    constexpr bool Contains(TRzFrameControllerProperty item) const { return (bits_ & Bit(item)) != 0; }
    constexpr TRzFrameControllerNotifications With(TRzFrameControllerProperty item) const {
        return FromBits(std::uint16_t(bits_ | Bit(item)));
    }
    constexpr TRzFrameControllerNotifications Without(TRzFrameControllerProperty item) const {
        return FromBits(std::uint16_t(bits_ & ~Bit(item)));
    }
    friend constexpr bool operator==(TRzFrameControllerNotifications,
                                     TRzFrameControllerNotifications) = default;

private:
    static constexpr std::uint16_t Bit(TRzFrameControllerProperty item) {
        return std::uint16_t(1u << unsigned(item));
    }
    std::uint16_t bits_ = 0;
};

constexpr TRzFrameControllerNotifications fcpAll = TRzFrameControllerNotifications::FromBits(0xFFFF);

// Whether a client prefers the platform's themed frame or the controller's own framing.
enum TFramingPreference { fpXPThemes, fpCustomFraming };

// Implemented by every control that can be attached to a controller.
class IRzFrameControllerClient {
public:
    // The controller's settings changed (or the client was just registered).
    virtual void FramingChanged() = 0;

protected:
    ~IRzFrameControllerClient() = default;
};

class TRzFrameController;

// The FrameController setter of every client control: the old controller in `link` (if any)
// forgets the client, `link` takes the new one, which (when not empty) registers the client,
// applying its settings at once, and tells it of its own destruction so that the client's
// Notification can clear `link`.
void LinkFrameController(TRzFrameController*& link, TRzFrameController* value, TControl* client);

class TRzFrameController : public TComponent {
public:
    explicit TRzFrameController(TComponent* owner);
    ~TRzFrameController() override;

    // Registration: AddControl appends the control (once) and calls its FramingChanged;
    // RemoveControl forgets it. A registered control that is destroyed is forgotten too.
    void AddControl(TControl* control);
    void RemoveControl(TControl* control);
    int ControlCount() const { return int(controls_.size()); }
    TControl* Controls(int index) const { return controls_[std::size_t(index)]; }

    // Settings; each setter stores a changed value and calls every registered client.
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TColor FocusColor() const { return focusColor_; }
    void SetFocusColor(TColor value);
    TColor DisabledColor() const { return disabledColor_; }
    void SetDisabledColor(TColor value);
    TColor ReadOnlyColor() const { return readOnlyColor_; }
    void SetReadOnlyColor(TColor value);
    bool ReadOnlyColorOnFocus() const { return readOnlyColorOnFocus_; }
    void SetReadOnlyColorOnFocus(bool value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TColor FlatButtonColor() const { return flatButtonColor_; }
    void SetFlatButtonColor(TColor value);
    bool FlatButtons() const { return flatButtons_; }
    void SetFlatButtons(bool value);
    TColor FrameColor() const { return frameColor_; }
    void SetFrameColor(TColor value);
    TColor FrameHotColor() const { return frameHotColor_; }
    void SetFrameHotColor(TColor value);
    bool FrameHotTrack() const { return frameHotTrack_; }
    void SetFrameHotTrack(bool value);
    TFrameStyle FrameHotStyle() const { return frameHotStyle_; }
    void SetFrameHotStyle(TFrameStyle value);
    TSides FrameSides() const { return frameSides_; }
    void SetFrameSides(TSides value);
    TFrameStyle FrameStyle() const { return frameStyle_; }
    void SetFrameStyle(TFrameStyle value);
    // Clients take no settings while this is False.
    bool FrameVisible() const { return frameVisible_; }
    void SetFrameVisible(bool value);
    TFramingPreference FramingPreference() const { return framingPreference_; }
    void SetFramingPreference(TFramingPreference value);

    // Settings read from a stored form reach the clients once loading ends.
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    template <class T> void Change(T& field, T value);
    void NotifyControls();

    std::vector<TControl*> controls_;
    TColor color_ = clWindow;
    TColor focusColor_ = clWindow;
    TColor disabledColor_ = clBtnFace;
    TColor readOnlyColor_ = clInfoBk;
    bool readOnlyColorOnFocus_ = false;
    bool parentColor_ = false;
    TColor flatButtonColor_ = clBtnFace;
    bool flatButtons_ = false;
    TColor frameColor_ = clBtnShadow;
    TColor frameHotColor_ = clBtnShadow;
    bool frameHotTrack_ = false;
    TFrameStyle frameHotStyle_ = fsFlatBold;
    TSides frameSides_ = sdAllSides;
    TFrameStyle frameStyle_ = fsFlat;
    bool frameVisible_ = false;
    TFramingPreference framingPreference_ = fpXPThemes;
};
