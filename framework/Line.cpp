#include "framework/Line.h"

#include "framework/QtConversions.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cstdlib>

class LineWidget : public QWidget {
public:
    explicit LineWidget(const Line& owner) : owner_(owner)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        // The widget's box is the line's, widened by half the pen on each side.
        QPainter painter(this);
        painter.setPen(QPen(ToQColor(owner_.LineColor()), owner_.BorderWidth(), Qt::SolidLine, Qt::SquareCap));
        QPoint origin = pos() - QPoint(owner_.BorderWidth() / 2, owner_.BorderWidth() / 2);
        painter.drawLine(QPoint(owner_.X1(), owner_.Y1()) - origin, QPoint(owner_.X2(), owner_.Y2()) - origin);
    }

private:
    const Line& owner_;
};

Line::Line(Window& window) : RectControl(window, NewOnMainThread<LineWidget>(*this))
{
    Place();
}

const PropertyTable& Line::DeclaredProperties() const
{
    // clang-format off
    static const PropertyTable table = Extend(RectControlProperties(), {
        Declare<Line, std::int32_t>("X1", [](Line& l, std::int32_t v) { l.SetX1(v); }),
        Declare<Line, std::int32_t>("Y1", [](Line& l, std::int32_t v) { l.SetY1(v); }),
        Declare<Line, std::int32_t>("X2", [](Line& l, std::int32_t v) { l.SetX2(v); }),
        Declare<Line, std::int32_t>("Y2", [](Line& l, std::int32_t v) { l.SetY2(v); }),
        Declare<Line, std::int32_t>("BorderWidth", [](Line& l, std::int32_t v) { l.SetBorderWidth(v); }),
        Declare<Line, Color>("LineColor", [](Line& l, Color v) { l.SetLineColor(v); }),
    });
    // clang-format on
    return table;
}

void Line::SetX1(int x)
{
    OnMainThread(x1_) = x;
    Place();
}

void Line::SetY1(int y)
{
    OnMainThread(y1_) = y;
    Place();
}

void Line::SetX2(int x)
{
    OnMainThread(x2_) = x;
    Place();
}

void Line::SetY2(int y)
{
    OnMainThread(y2_) = y;
    Place();
}

void Line::SetBorderWidth(int width)
{
    OnMainThread(borderWidth_) = std::max(width, 1);
    Place();
}

void Line::SetLineColor(Color color)
{
    OnMainThread(lineColor_) = color;
    Widget()->update();
}

void Line::Place()
{
    int half = borderWidth_ / 2;
    Widget()->setGeometry(
        std::min(x1_, x2_) - half, std::min(y1_, y2_) - half, std::abs(x2_ - x1_) + borderWidth_, std::abs(y2_ - y1_) + borderWidth_);
    UpdatePlacement();
    Widget()->update();
}
