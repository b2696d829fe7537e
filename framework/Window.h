#pragma once

#include "framework/MenuHandlers.h"
#include "framework/PropertyList.h"
#include "framework/RectControl.h"
#include "framework/ThreadCheck.h"
#include "framework/text/Exceptions.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class MenuBar;
class PushButton;
class QMainWindow;
class QWidget;
class WindowWidget;

// A window built from its class's construction hooks. The framework owns it from construction
// until it is closed; a closed window is destroyed once no program code is running.
class Window : public PropertyTarget {
public:
    Window();
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // The class name under which the window's class is registered ("Window1.Window1").
    virtual std::string ClassName() const = 0;

    const PropertyTable& DeclaredProperties() const override;

    void Show();
    void Close();
    bool IsOpen() const { return OnMainThread(open_); }
    bool IsVisible() const;

    MenuBar* GetMenuBar() const { return OnMainThread(menuBar_).get(); }
    void SetMenuBar(std::shared_ptr<MenuBar> menuBar);
    void _AddMenuHandler(const std::string& itemName, std::function<bool()> handler) { menuHandlers_.Bind(itemName, std::move(handler)); }
    const MenuHandlers& BoundMenuHandlers() const { return menuHandlers_; }

    // Makes a control of class T on this window, not yet registered.
    template <class T> std::unique_ptr<T> __New() { return std::unique_ptr<T>(new T(*this)); }
    void _AddControl(const std::string& name, std::unique_ptr<RectControl> control);
    // The control registered under that name; NilObjectException when there is none.
    RectControl& _ControlByName(std::string_view name) const;
    // The same, cast to its class with a class test (NilObjectException when it is of another class).
    template <class T> T& _ControlByName(std::string_view name) const;
    int ControlCount() const { return static_cast<int>(OnMainThread(controls_).size()); }

    // The push buttons that the Return and Escape keys press, when no control takes the key.
    PushButton* DefaultButton() const { return OnMainThread(defaultButton_); }
    void SetDefaultButton(PushButton* button) { OnMainThread(defaultButton_) = button; }
    PushButton* CancelButton() const { return OnMainThread(cancelButton_); }
    void SetCancelButton(PushButton* button) { OnMainThread(cancelButton_) = button; }

    // Where the controls go: the content area, below the menu bar.
    QWidget* ContentArea() const;
    // Where the widgets of controls out of view wait: a window of its own that is never shown, so
    // that they are out of the Tab chain, never laid out, and not among the children of the window
    // that accessibility tools are offered.
    QWidget* Offstage() const;
    QMainWindow* TopLevelWidget() const;

    const std::string& Title() const { return OnMainThread(title_); }
    int Width() const { return OnMainThread(width_); }
    int Height() const { return OnMainThread(height_); }
    bool Resizeable() const { return OnMainThread(resizeable_); }

    // Builds a window of class W through its hooks and enters it among the open windows.
    template <class W> static W& Construct();

protected:
    // Construction hooks, called in this order; a class overrides those it handles.
    virtual void Layout() {}
    virtual void CreateControls() {}
    virtual void AddMenuHandlers() {}
    virtual void Event_Open() {}

private:
    friend class WindowWidget;
    friend class RectControl;
    static void Enter(std::unique_ptr<Window> window);
    void ApplyFrame();
    // The controls that Tab moves through, in the order of their TabIndex.
    std::vector<RectControl*> TabOrder() const;
    void ApplyTabOrder();
    // Gives the focus to the first control in Tab order that takes text, if there is one.
    void GiveFirstFocus();
    void PlaceControls();
    bool PressButtonForKey(int key);

    std::unique_ptr<WindowWidget> widget_;
    QWidget* contentArea_;
    QWidget* offstage_;
    std::shared_ptr<MenuBar> menuBar_;
    // The bar the window's menu bar view shows, its own or the application's.
    std::shared_ptr<MenuBar> shownMenuBar_;
    MenuHandlers menuHandlers_;
    std::vector<std::pair<std::string, std::unique_ptr<RectControl>>> controls_;
    bool open_ = false;
    PushButton* defaultButton_ = nullptr;
    PushButton* cancelButton_ = nullptr;

    std::string title_;
    int width_ = 300, height_ = 300;
    int minWidth_ = 64, minHeight_ = 64, maxWidth_ = 32000, maxHeight_ = 32000;
    bool closeButton_ = true, resizeable_ = true, maximizeButton_ = true, minimizeButton_ = true;
    bool visible_ = true, hasBackColor_ = false, menuBarVisible_ = true;
    Color backColor_ {0xFFFFFF};
};

// The open window whose class is registered under that name, or nullptr.
Window* _GetImplicitWindow(std::string_view className);
// The open window of class W, found by its registered class name W::kClassName, or a new one.
template <class W> W& _ImplicitInstance()
{
    if (Window* open = _GetImplicitWindow(W::kClassName))
        return dynamic_cast<W&>(*open);
    return Window::Construct<W>();
}
// The open windows, in the order they were built.
std::vector<Window*> OpenWindows();
// Destroys every window, open or closed: at shut-down, before the toolkit goes.
void _DestroyWindows();

template <class T> T& Window::_ControlByName(std::string_view name) const
{
    auto* control = dynamic_cast<T*>(&_ControlByName(name));
    if (!control)
        throw NilObjectException("The control \"" + std::string(name) + "\" is not of the expected class.");
    return *control;
}

template <class W> W& Window::Construct()
{
    auto window = std::make_unique<W>();
    W& built = *window;
    Enter(std::move(window));
    return built;
}
