#pragma once

#include "framework/RectControl.h"

// A straight line between two points of the content area. It takes no mouse clicks and no focus.
class Line : public RectControl {
public:
    explicit Line(Window& window);

    const PropertyTable& DeclaredProperties() const override;

    int X1() const { return OnMainThread(x1_); }
    int Y1() const { return OnMainThread(y1_); }
    int X2() const { return OnMainThread(x2_); }
    int Y2() const { return OnMainThread(y2_); }
    void SetX1(int x);
    void SetY1(int y);
    void SetX2(int x);
    void SetY2(int y);
    int BorderWidth() const { return OnMainThread(borderWidth_); }
    void SetBorderWidth(int width);
    Color LineColor() const { return OnMainThread(lineColor_); }
    void SetLineColor(Color color);

private:
    void Place();

    int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    int borderWidth_ = 1;
    Color lineColor_ {0};
};
