#include "framework/Canvas.h"

#include "framework/ProgramBoundary.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

class CanvasWidget : public QWidget {
public:
    explicit CanvasWidget(Canvas& owner) : owner_(owner) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (const auto& backdrop = owner_.Backdrop()) {
            QPainter painter(this);
            painter.drawImage(QPoint(0, 0), backdrop->Image());
        }
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        QPoint at = event->position().toPoint();
        event->setAccepted(owner_.MouseDown(at.x(), at.y()));
    }

private:
    Canvas& owner_;
};

Canvas::Canvas(Window& window) : RectControl(window, NewOnMainThread<CanvasWidget>(*this))
{
    SetAcceptFocus(false);
    SetTransparent(true);
}

const PropertyTable& Canvas::DeclaredProperties() const
{
    // Focus rings, tabs, double buffering and erasing are accepted: the desktop draws it all.
    // clang-format off
    static const PropertyTable table = Extend(RectControlProperties(), {
        Ignore<bool>("UseFocusRing"),
        Declare<Canvas, bool>("AcceptFocus", [](Canvas& c, bool v) { c.SetAcceptFocus(v); }),
        Ignore<bool>("AcceptTabs"),
        Ignore<bool>("DoubleBuffer"),
        Ignore<bool>("EraseBackground"),
        Declare<Canvas, bool>("Transparent", [](Canvas& c, bool v) { c.SetTransparent(v); }),
    });
    // clang-format on
    return table;
}

void Canvas::SetBackdrop(std::shared_ptr<Picture> picture)
{
    OnMainThread(backdrop_) = std::move(picture);
    Widget()->update();
}

bool Canvas::AcceptFocus() const
{
    return Widget()->focusPolicy() != Qt::NoFocus;
}

void Canvas::SetAcceptFocus(bool accept)
{
    Widget()->setFocusPolicy(accept ? Qt::StrongFocus : Qt::NoFocus);
}

bool Canvas::Transparent() const
{
    return !Widget()->autoFillBackground();
}

void Canvas::SetTransparent(bool transparent)
{
    Widget()->setAutoFillBackground(!transparent);
}

bool Canvas::MouseDown(int x, int y)
{
    if (!mouseDown_)
        return false;
    auto handler = mouseDown_;
    bool handled = false;
    CallProgram([&] { handled = handler(*this, x, y); }, &GetWindow());
    return handled;
}
