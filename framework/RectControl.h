#pragma once

#include "framework/PropertyList.h"
#include "framework/ThreadCheck.h"

#include <QPointer>

#include <functional>
#include <string>
#include <utility>

class QWidget;
class Window;

// A control on a window's content area. The window owns the control; the content area owns its widget.
// A control that is hidden or lies wholly outside the content area is out of the user's reach: its
// widget waits hidden in the window's offstage, so that it takes no focus, is not laid out and is
// not offered to accessibility tools, while the control itself still reads back as declared.
// Like every user-interface call, a call of a control on any thread but the main one raises
// ThreadAccessingUIException: each call reaches the control's state first through Widget() or
// OnMainThread, before it touches anything.
class RectControl : public PropertyTarget {
public:
    RectControl(const RectControl&) = delete;
    RectControl& operator=(const RectControl&) = delete;

    const PropertyTable& DeclaredProperties() const override;

    Window& GetWindow() const { return window_; }
    // Null once the window's widgets have gone.
    QWidget* Widget() const;

    const std::string& Name() const { return OnMainThread(name_); }
    void SetName(const std::string& name) { OnMainThread(name_) = name; }
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);
    bool Visible() const { return OnMainThread(visible_); }
    void SetVisible(bool visible);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    int TabIndex() const { return OnMainThread(tabIndex_); }
    bool TabStop() const { return OnMainThread(tabStop_); }
    void SetFocus();

    // The font of the control's text. "System" at size 0 is the desktop's default font; a size is
    // in points of the layout, where a point is one pixel, so that text keeps to its declared box.
    const std::string& TextFont() const { return OnMainThread(textFont_); }
    void SetTextFont(const std::string& font);
    float TextSize() const { return OnMainThread(textSize_); }
    void SetTextSize(float size);
    bool Bold() const { return OnMainThread(bold_); }
    void SetBold(bool bold);
    bool Italic() const { return OnMainThread(italic_); }
    void SetItalic(bool italic);
    bool Underline() const { return OnMainThread(underline_); }
    void SetUnderline(bool underline);

protected:
    // The widget goes on the window's content area, which takes it over.
    RectControl(Window& window, QWidget* widget);
    // The widget as the class the control made it.
    template <class W> W* WidgetAs() const { return static_cast<W*>(Widget()); }
    static const PropertyTable& RectControlProperties();
    // RectControlProperties and the font of the control's text.
    static const PropertyTable& TextControlProperties();
    // Declared visible and at least partly within the window's content area.
    bool InView() const;
    // Shows the widget on the content area while the control is in view and hides it offstage
    // otherwise; called whenever the control or the content area moved or changed size.
    void UpdatePlacement();
    // Called after the control was moved, resized, shown or hidden, or the content area changed size.
    virtual void PlacementChanged() {}
    // Runs a setter's change of the state the user sets: it stands even while program code waits.
    void ChangeByProgram(const std::function<void()>& change);
    // Whether a change of the state the user sets that comes now is refused: program code waits
    // (see ProgramWaiting), and the change does not come through the control's own setters.
    bool RefusesChange() const;
    // For a change of the state the user sets that the widget has made before it can be refused:
    // where RefusesChange, undo puts the state back at once with the widget's signals blocked, so
    // that nobody hears of the change; otherwise take takes it.
    void TakeOrUndoChange(const std::function<void()>& take, const std::function<void()>& undo);

private:
    friend class Window;
    void ApplyFont();

    Window& window_;
    QPointer<QWidget> widget_;
    std::string name_;
    bool visible_ = true;
    bool changingByProgram_ = false;
    int tabIndex_ = 0;
    bool tabStop_ = true;
    std::string textFont_ = "System";
    float textSize_ = 0;
    bool bold_ = false, italic_ = false, underline_ = false;
};
