#pragma once

#include "framework/Picture.h"
#include "framework/RectControl.h"

#include <functional>
#include <memory>

// A drawing area showing its backdrop picture at its top left corner.
class Canvas : public RectControl {
public:
    // Gets the canvas and the press's position in it; gives whether it handled the press.
    using MouseDownHandler = std::function<bool(Canvas&, int x, int y)>;

    explicit Canvas(Window& window);

    const PropertyTable& DeclaredProperties() const override;

    // nullptr: no picture.
    const std::shared_ptr<Picture>& Backdrop() const { return OnMainThread(backdrop_); }
    void SetBackdrop(std::shared_ptr<Picture> picture);
    bool AcceptFocus() const;
    void SetAcceptFocus(bool accept);
    // A transparent canvas lets the window's background show where it draws nothing.
    bool Transparent() const;
    void SetTransparent(bool transparent);

    void SetMouseDownHandler(MouseDownHandler handler) { OnMainThread(mouseDown_) = std::move(handler); }

private:
    friend class CanvasWidget;
    bool MouseDown(int x, int y);

    std::shared_ptr<Picture> backdrop_;
    MouseDownHandler mouseDown_;
};
