// Small controls for the toolkit tests: they log the messages and events they receive.
#pragma once

#include "toolkit/runtime/Forms.h"

#include <string>
#include <vector>

using EventLog = std::vector<std::string>;

inline std::string MessageName(unsigned msg) {
    switch (msg) {
    case WM_LBUTTONDOWN:
        return "down";
    case WM_LBUTTONUP:
        return "up";
    case WM_LBUTTONDBLCLK:
        return "dblclk";
    case WM_MOUSEMOVE:
        return "move";
    case CM_MOUSEENTER:
        return "enter";
    case CM_MOUSELEAVE:
        return "leave";
    case WM_SETFOCUS:
        return "setfocus";
    case WM_KILLFOCUS:
        return "killfocus";
    case WM_KEYDOWN:
        return "keydown";
    case WM_CHAR:
        return "char";
    default:
        return "";
    }
}

// A windowed control that logs the interesting messages it sees.
class TLogControl : public TCustomControl {
public:
    TLogControl(TComponent* owner, EventLog& log, std::string name)
        : TCustomControl(owner), log_(log), name_(name) {
        SetName(name);
    }
    void WndProc(TMessage& message) override {
        std::string what = MessageName(message.Msg);
        if (!what.empty()) {
            log_.push_back(name_ + " " + what);
        }
        TCustomControl::WndProc(message);
    }
    unsigned dialogCode = 0;

protected:
    void Dispatch(TMessage& message) override {
        if (message.Msg == WM_GETDLGCODE) {
            message.Result = dialogCode;
            return;
        }
        TCustomControl::Dispatch(message);
    }

private:
    EventLog& log_;
    std::string name_;
};

// A graphic control that logs the messages it sees.
class TLogGraphic : public TGraphicControl {
public:
    TLogGraphic(TComponent* owner, EventLog& log, std::string name)
        : TGraphicControl(owner), log_(log), name_(name) {
        SetName(name);
    }
    void WndProc(TMessage& message) override {
        std::string what = MessageName(message.Msg);
        if (!what.empty()) {
            log_.push_back(name_ + " " + what);
        }
        TGraphicControl::WndProc(message);
    }

private:
    EventLog& log_;
    std::string name_;
};

template <class T> T* Place(T* control, TWinControl* parent, int left, int top, int width, int height) {
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}
