// A main window that owns a tray icon, loaded as a stored form is: the icon is constructed,
// its properties are set while the form loads, and loading-finished adds it to the tray.
#pragma once

#include "controls/RzTray.h"
#include "controls/RzTrayWindow.h"
#include "platform/NotifyShell.h"
#include "support/ToolkitFixture.h"
#include "toolkit/widgets/Menus.h"

#include <functional>
#include <string>

class TrayTest : public ToolkitTest {
protected:
    static constexpr std::uint32_t kAppPixel = 0xFF102030;

    void SetUp() override {
        ToolkitTest::SetUp();
        app->Icon()->Image().Resize(16, 16, kAppPixel);
        app->CreateForm(form);
        form->SetBounds(100, 100, 200, 150);
    }

    TRzTrayIcon* MakeTray(const std::function<void(TRzTrayIcon*)>& configure = {}) {
        auto* tray = new TRzTrayIcon(form);
        form->BeginLoading();
        if (configure) {
            configure(tray);
        }
        form->EndLoading();
        return tray;
    }

    // The main window's menu: Show, a separator, Exit.
    TPopupMenu* MakeMenu() {
        auto* menu = new TPopupMenu(form);
        for (const char* caption : {"&Show", "-", "&Exit"}) {
            auto* item = new TMenuItem(menu);
            item->SetCaption(caption);
            menu->Items()->Add(item);
        }
        return menu;
    }

    // A list of `count` images, image i filled with pixel 0xFF000000 + i + 1.
    TCustomImageList* MakeIcons(int count) {
        auto* list = new TCustomImageList(form, 16, 16);
        for (int i = 0; i < count; ++i) {
            TIcon icon;
            icon.Image().Resize(16, 16, 0xFF000000u + std::uint32_t(i) + 1);
            list->AddIcon(icon);
        }
        return list;
    }

    platform::headless::HeadlessNotifyShell& Shell() { return platform.notifyShell; }
    const platform::headless::RecordedNotifyCall& LastCall() { return Shell().calls.back(); }

    TForm* form = nullptr;
};
