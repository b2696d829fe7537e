#include "framework/Window.h"

#include "framework/Application.h"
#include "framework/MenuBarView.h"
#include "framework/MenuItem.h"
#include "framework/ProgramBoundary.h"
#include "framework/PushButton.h"
#include "framework/Runtime.h"
#include "framework/TextEdit.h"
#include "framework/ThreadCheck.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMainWindow>
#include <QTimer>
#include <QWidget>

#include <algorithm>

class WindowWidget : public QMainWindow {
public:
    explicit WindowWidget(Window& owner) : owner_(owner) {}

protected:
    // Watches the content area: when it changes size, controls come into view or go out of it.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == owner_.contentArea_ && event->type() == QEvent::Resize)
            owner_.PlaceControls();
        return QMainWindow::eventFilter(watched, event);
    }

    void closeEvent(QCloseEvent* event) override
    {
        event->accept();
        owner_.Close();
    }

    // Reached by the keys that the focused control left alone.
    void keyPressEvent(QKeyEvent* event) override
    {
        if (!owner_.PressButtonForKey(event->key()))
            QMainWindow::keyPressEvent(event);
    }

private:
    Window& owner_;
};

namespace {
std::vector<std::unique_ptr<Window>> openWindows;
std::vector<std::unique_ptr<Window>> closedWindows;

void DestroyClosedWindows()
{
    closedWindows.clear();
}
}

Window::Window()
    : widget_(NewOnMainThread<WindowWidget>(*this)), contentArea_(new QWidget), offstage_(new QWidget(widget_.get(), Qt::Window))
{
    widget_->setAttribute(Qt::WA_DeleteOnClose, false);
    widget_->setCentralWidget(contentArea_);
    contentArea_->installEventFilter(widget_.get());
}

Window::~Window()
{
    // The top-level widget takes every widget of the window with it, while the controls that
    // answer their signals and the bar its menu bar view shows are still there.
    widget_.reset();
    _WindowDestroyed(this);
}

const PropertyTable& Window::DeclaredProperties() const
{
    // Frame, placement and the other codes with no meaning on this desktop are accepted and ignored.
    // clang-format off
    static const PropertyTable table = {
        Declare<Window, std::int32_t>("Width", [](Window& w, std::int32_t v) { w.width_ = v; }),
        Declare<Window, std::int32_t>("Height", [](Window& w, std::int32_t v) { w.height_ = v; }),
        Declare<Window, std::int32_t>("MinWidth", [](Window& w, std::int32_t v) { w.minWidth_ = v; }),
        Declare<Window, std::int32_t>("MinHeight", [](Window& w, std::int32_t v) { w.minHeight_ = v; }),
        Declare<Window, std::int32_t>("MaxWidth", [](Window& w, std::int32_t v) { w.maxWidth_ = v; }),
        Declare<Window, std::int32_t>("MaxHeight", [](Window& w, std::int32_t v) { w.maxHeight_ = v; }),
        Ignore<std::int32_t>("Frame"),
        Declare<Window, const std::string&>("Title", [](Window& w, const std::string& v) { w.title_ = v; }),
        Declare<Window, bool>("CloseButton", [](Window& w, bool v) { w.closeButton_ = v; }),
        Declare<Window, bool>("Resizeable", [](Window& w, bool v) { w.resizeable_ = v; }),
        Declare<Window, bool>("MaximizeButton", [](Window& w, bool v) { w.maximizeButton_ = v; }),
        Declare<Window, bool>("MinimizeButton", [](Window& w, bool v) { w.minimizeButton_ = v; }),
        Ignore<bool>("FullScreenButton"),
        Ignore<bool>("Composite"),
        Ignore<std::int32_t>("MacProcId"),
        Ignore<std::int32_t>("Placement"),
        Declare<Window, bool>("Visible", [](Window& w, bool v) { w.visible_ = v; }),
        Ignore<bool>("LiveResize"),
        Ignore<bool>("FullScreen"),
        Declare<Window, bool>("HasBackColor", [](Window& w, bool v) { w.hasBackColor_ = v; }),
        Declare<Window, Color>("BackColor", [](Window& w, Color v) { w.backColor_ = v; }),
        Declare<Window, bool>("MenuBarVisible", [](Window& w, bool v) { w.menuBarVisible_ = v; }),
    };
    // clang-format on
    return table;
}

void Window::Enter(std::unique_ptr<Window> window)
{
    RequireMainThread();
    Window& built = *window;
    built.Layout();
    built.CreateControls();
    built.ApplyTabOrder();
    built.GiveFirstFocus();
    built.AddMenuHandlers();
    built.ApplyFrame();
    built.open_ = true;
    openWindows.push_back(std::move(window));
    if (built.visible_)
        built.Show();
    CallProgram([&built] { built.Event_Open(); }, &built);
}

void Window::ApplyFrame()
{
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (closeButton_)
        flags |= Qt::WindowCloseButtonHint;
    if (minimizeButton_)
        flags |= Qt::WindowMinimizeButtonHint;
    if (maximizeButton_)
        flags |= Qt::WindowMaximizeButtonHint;
    widget_->setWindowFlags(flags);
    widget_->setWindowTitle(QString::fromStdString(title_));

    const Application* application = _GetAppObject();
    std::shared_ptr<MenuBar> bar = menuBar_ ? menuBar_ : application ? application->SharedMenuBar() : nullptr;
    if (menuBarVisible_ && bar) {
        widget_->setMenuBar(BuildMenuBarView(*bar, *this));
        shownMenuBar_ = std::move(bar);
    }

    if (hasBackColor_) {
        QPalette palette = contentArea_->palette();
        palette.setColor(QPalette::Window, QColor(backColor_.Red(), backColor_.Green(), backColor_.Blue()));
        contentArea_->setPalette(palette);
        contentArea_->setAutoFillBackground(true);
    }

    // Width and Height are the content area's; the menu bar sits above it.
    if (resizeable_) {
        contentArea_->setMinimumSize(minWidth_, minHeight_);
        contentArea_->setMaximumSize(maxWidth_, maxHeight_);
        int menuHeight = widget_->menuWidget() ? widget_->menuWidget()->sizeHint().height() : 0;
        widget_->resize(width_, height_ + menuHeight);
    } else {
        contentArea_->setFixedSize(width_, height_);
        widget_->layout()->setSizeConstraint(QLayout::SetFixedSize);
    }
}

std::vector<RectControl*> Window::TabOrder() const
{
    std::vector<RectControl*> order;
    for (const auto& [name, control] : controls_)
        if (control->TabStop() && control->InView() && control->Widget()->focusPolicy() != Qt::NoFocus)
            order.push_back(control.get());
    std::stable_sort(order.begin(), order.end(), [](RectControl* a, RectControl* b) { return a->TabIndex() < b->TabIndex(); });
    return order;
}

void Window::ApplyTabOrder()
{
    const std::vector<RectControl*> order = TabOrder();
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1]->Widget(), order[i]->Widget());
}

void Window::GiveFirstFocus()
{
    // Buttons take the focus only when the user asks for it: the focus starts where the user
    // types. Set before the window is shown, it is the one the window gives its focus to when
    // it becomes active.
    const std::vector<RectControl*> order = TabOrder();
    auto takesText = [](RectControl* control) { return dynamic_cast<TextEdit*>(control) && control->InView() && control->Enabled(); };
    auto first = std::find_if(order.begin(), order.end(), takesText);
    if (first != order.end())
        (*first)->SetFocus();
}

void Window::PlaceControls()
{
    for (auto& [name, control] : controls_)
        control->UpdatePlacement();
}

bool Window::PressButtonForKey(int key)
{
    PushButton* button = key == Qt::Key_Return || key == Qt::Key_Enter ? defaultButton_ : key == Qt::Key_Escape ? cancelButton_ : nullptr;
    if (!button || !button->Visible() || !button->Enabled())
        return false;
    button->Push();
    return true;
}

void Window::Show()
{
    RequireMainThread();
    widget_->setWindowState(widget_->windowState() & ~Qt::WindowMinimized);
    widget_->show();
    widget_->raise();
    widget_->activateWindow();
}

bool Window::IsVisible() const
{
    return OnMainThread(widget_)->isVisible();
}

void Window::Close()
{
    RequireMainThread();
    if (!open_)
        return;
    open_ = false;
    _WindowClosed(this);
    widget_->hide();
    auto self = std::find_if(openWindows.begin(), openWindows.end(), [this](const auto& w) { return w.get() == this; });
    closedWindows.push_back(std::move(*self));
    openWindows.erase(self);
    // Never destroyed inside its own close: a handler or the close event may still be running on it.
    QTimer::singleShot(0, qApp, [] { WhenProgramIdle(DestroyClosedWindows); });
    if (openWindows.empty())
        _RuntimeQuit(0);
}

void Window::SetMenuBar(std::shared_ptr<MenuBar> menuBar)
{
    OnMainThread(menuBar_) = std::move(menuBar);
}

void Window::_AddControl(const std::string& name, std::unique_ptr<RectControl> control)
{
    OnMainThread(controls_).emplace_back(name, std::move(control));
}

RectControl& Window::_ControlByName(std::string_view name) const
{
    for (const auto& [controlName, control] : OnMainThread(controls_))
        if (controlName == name)
            return *control;
    throw NilObjectException("No control named \"" + std::string(name) + "\".");
}

QWidget* Window::ContentArea() const
{
    return OnMainThread(contentArea_);
}

QWidget* Window::Offstage() const
{
    return OnMainThread(offstage_);
}

QMainWindow* Window::TopLevelWidget() const
{
    return OnMainThread(widget_).get();
}

Window* _GetImplicitWindow(std::string_view className)
{
    for (const auto& window : openWindows)
        if (window->ClassName() == className)
            return window.get();
    return nullptr;
}

std::vector<Window*> OpenWindows()
{
    std::vector<Window*> windows;
    for (const auto& window : openWindows)
        windows.push_back(window.get());
    return windows;
}

void _DestroyWindows()
{
    auto windows = std::move(openWindows);
    openWindows.clear();
    windows.clear();
    DestroyClosedWindows();
}
