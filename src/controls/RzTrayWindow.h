// The tray icon's hidden window: a windowed control that is never shown. The notification
// area posts the icon's callbacks and "TaskbarCreated" to it; its messages go to the tray
// icon's message procedure. For tray hosts without tooltips it shows the hint in the
// toolkit's hint window after the application's hint pause.
#pragma once

#include "platform/Geometry.h"
#include "platform/NotifyShell.h"
#include "toolkit/runtime/Controls.h"

#include <memory>
#include <string>

class THintWindow;
class TRzTrayIcon;
class TTimer;

class TRzTrayWindow : public TWinControl, public platform::INotifySink {
public:
    explicit TRzTrayWindow(TRzTrayIcon& tray);
    ~TRzTrayWindow() override;

    // platform::INotifySink
    void PostCallback(unsigned message, std::uintptr_t id, unsigned mouseMessage) override;
    void PostTaskbarCreated() override;
    void ShowTip(platform::Point screen, const std::string& text) override;
    void HideTip() override;

    // The tooltip window while a tip shows, else null.
    THintWindow* ShownTip() const;

protected:
    void WndProc(TMessage& message) override;

private:
    void TipTimer();

    TRzTrayIcon& tray_;
    TTimer* tipTimer_;
    platform::Point tipPoint_;
    std::string tipText_;
    std::unique_ptr<THintWindow> tip_;
};
