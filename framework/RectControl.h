#pragma once

#include "PropertyList.h"

#include <string>

class QWidget;
class Window;

// A control on a window's content area. The window owns it; the control owns its widget.
class RectControl : public PropertyTarget {
public:
    ~RectControl() override;
    RectControl(const RectControl&) = delete;
    RectControl& operator=(const RectControl&) = delete;

    const PropertyTable& DeclaredProperties() const override;

    Window& GetWindow() const { return window_; }
    QWidget* Widget() const { return widget_; }

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    int TabIndex() const { return tabIndex_; }
    bool TabStop() const { return tabStop_; }
    void SetFocus();

protected:
    // The widget goes on the window's content area.
    RectControl(Window& window, QWidget* widget);
    static const PropertyTable& RectControlProperties();

private:
    Window& window_;
    QWidget* widget_;
    std::string name_;
    bool visible_ = true;
    int tabIndex_ = 0;
    bool tabStop_ = true;
};
