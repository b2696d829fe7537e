#pragma once

#include "framework/MenuHandlers.h"
#include "framework/ThreadCheck.h"

#include <memory>
#include <string>

class MenuBar;

// The application object: one per process, registered with _RuntimeRegisterAppObject.
class Application {
public:
    virtual ~Application() = default;

    MenuBar* GetMenuBar() const { return OnMainThread(menuBar_).get(); }
    // For a window that shows the bar: it holds the bar as long as it shows it.
    const std::shared_ptr<MenuBar>& SharedMenuBar() const { return OnMainThread(menuBar_); }
    void SetMenuBar(std::shared_ptr<MenuBar> menuBar) { OnMainThread(menuBar_) = std::move(menuBar); }

    void _AddMenuHandler(const std::string& itemName, std::function<bool()> handler) { menuHandlers_.Bind(itemName, std::move(handler)); }
    const MenuHandlers& BoundMenuHandlers() const { return menuHandlers_; }

    // Handles pending events and returns after about that many milliseconds, even when none are pending.
    void DoEvents(int milliseconds);

    // The Open event: raised once the application has opened.
    virtual void Event_Open() {}

private:
    std::shared_ptr<MenuBar> menuBar_;
    MenuHandlers menuHandlers_;
};

// Registers the application object; its Open event is raised once the event loop runs.
void _RuntimeRegisterAppObject(Application* application);
Application* _GetAppObject();
