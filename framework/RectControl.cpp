#include "framework/RectControl.h"

#include "framework/ProgramBoundary.h"
#include "framework/Window.h"

#include <QApplication>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QWidget>

RectControl::RectControl(Window& window, QWidget* widget) : window_(window), widget_(widget)
{
    widget_->setParent(window.ContentArea());
    widget_->show();
}

QWidget* RectControl::Widget() const
{
    return OnMainThread(widget_);
}

void RectControl::ChangeByProgram(const std::function<void()>& change)
{
    const QScopedValueRollback byProgram(OnMainThread(changingByProgram_), true);
    change();
}

bool RectControl::RefusesChange() const
{
    return ProgramWaiting() && !OnMainThread(changingByProgram_);
}

void RectControl::TakeOrUndoChange(const std::function<void()>& take, const std::function<void()>& undo)
{
    if (!RefusesChange()) {
        take();
        return;
    }
    const QSignalBlocker quiet(widget_);
    undo();
}

const PropertyTable& RectControl::DeclaredProperties() const
{
    return RectControlProperties();
}

const PropertyTable& RectControl::RectControlProperties()
{
    // Codes with no meaning on this desktop (locks, panels, help tags, data binding) are accepted and ignored.
    // clang-format off
    static const PropertyTable table = {
        Declare<RectControl, const std::string&>("Name", [](RectControl& c, const std::string& v) { c.SetName(v); }),
        Ignore<std::int32_t>("Index"),
        Declare<RectControl, std::int32_t>("Left", [](RectControl& c, std::int32_t v) { c.SetLeft(v); }),
        Declare<RectControl, std::int32_t>("Top", [](RectControl& c, std::int32_t v) { c.SetTop(v); }),
        Declare<RectControl, std::int32_t>("Width", [](RectControl& c, std::int32_t v) { c.SetWidth(v); }),
        Declare<RectControl, std::int32_t>("Height", [](RectControl& c, std::int32_t v) { c.SetHeight(v); }),
        Ignore<bool>("LockLeft"),
        Ignore<bool>("LockTop"),
        Ignore<bool>("LockRight"),
        Ignore<bool>("LockBottom"),
        Ignore<std::int32_t>("TabPanelIndex"),
        Declare<RectControl, std::int32_t>("TabIndex", [](RectControl& c, std::int32_t v) { OnMainThread(c.tabIndex_) = v; }),
        Declare<RectControl, bool>("TabStop", [](RectControl& c, bool v) { OnMainThread(c.tabStop_) = v; }),
        Declare<RectControl, bool>("Visible", [](RectControl& c, bool v) { c.SetVisible(v); }),
        Declare<RectControl, bool>("Enabled", [](RectControl& c, bool v) { c.SetEnabled(v); }),
        Ignore<std::string>("HelpTag"),
        Ignore<bool>("AutoDeactivate"),
        Ignore<std::string>("InitialParent"),
        Ignore<std::string>("DataSource"),
        Ignore<std::string>("DataField"),
    };
    // clang-format on
    return table;
}

const PropertyTable& RectControl::TextControlProperties()
{
    // The unit of TextSize is always the layout's point.
    // clang-format off
    static const PropertyTable table = Extend(RectControlProperties(), {
        Declare<RectControl, const std::string&>("TextFont", [](RectControl& c, const std::string& v) { c.SetTextFont(v); }),
        Declare<RectControl, float>("TextSize", [](RectControl& c, float v) { c.SetTextSize(v); }),
        Ignore<FontUnits>("TextUnit"),
        Declare<RectControl, bool>("Bold", [](RectControl& c, bool v) { c.SetBold(v); }),
        Declare<RectControl, bool>("Italic", [](RectControl& c, bool v) { c.SetItalic(v); }),
        Declare<RectControl, bool>("Underline", [](RectControl& c, bool v) { c.SetUnderline(v); }),
    });
    // clang-format on
    return table;
}

int RectControl::Left() const
{
    return Widget()->x();
}
int RectControl::Top() const
{
    return Widget()->y();
}
int RectControl::Width() const
{
    return Widget()->width();
}
int RectControl::Height() const
{
    return Widget()->height();
}

void RectControl::SetLeft(int left)
{
    Widget()->move(left, Widget()->y());
    UpdatePlacement();
}

void RectControl::SetTop(int top)
{
    Widget()->move(Widget()->x(), top);
    UpdatePlacement();
}

void RectControl::SetWidth(int width)
{
    Widget()->resize(width, Widget()->height());
    UpdatePlacement();
}

void RectControl::SetHeight(int height)
{
    Widget()->resize(Widget()->width(), height);
    UpdatePlacement();
}

void RectControl::SetVisible(bool visible)
{
    OnMainThread(visible_) = visible;
    UpdatePlacement();
}

bool RectControl::InView() const
{
    if (!visible_)
        return false;
    // Until the window is shown its content area has not taken its declared size yet.
    QWidget* content = window_.ContentArea();
    QRect area = content->isVisible() ? content->rect() : QRect(0, 0, window_.Width(), window_.Height());
    return Widget()->geometry().intersects(area);
}

void RectControl::UpdatePlacement()
{
    QWidget* widget = Widget();
    const bool inView = InView();
    QWidget* place = inView ? window_.ContentArea() : window_.Offstage();
    if (widget->parentWidget() != place) {
        widget->setParent(place);
        window_.ApplyTabOrder();
    }
    widget->setVisible(inView);
    PlacementChanged();
}

bool RectControl::Enabled() const
{
    return Widget()->isEnabled();
}
void RectControl::SetEnabled(bool enabled)
{
    Widget()->setEnabled(enabled);
}

void RectControl::SetFocus()
{
    Widget()->setFocus(Qt::OtherFocusReason);
}

void RectControl::SetTextFont(const std::string& font)
{
    OnMainThread(textFont_) = font;
    ApplyFont();
}

void RectControl::SetTextSize(float size)
{
    OnMainThread(textSize_) = size;
    ApplyFont();
}

void RectControl::SetBold(bool bold)
{
    OnMainThread(bold_) = bold;
    ApplyFont();
}

void RectControl::SetItalic(bool italic)
{
    OnMainThread(italic_) = italic;
    ApplyFont();
}

void RectControl::SetUnderline(bool underline)
{
    OnMainThread(underline_) = underline;
    ApplyFont();
}

void RectControl::ApplyFont()
{
    QFont font = QApplication::font(Widget());
    if (textFont_ != "System" && !textFont_.empty())
        font.setFamily(QString::fromStdString(textFont_));
    if (textSize_ > 0)
        font.setPixelSize(qRound(textSize_));
    font.setBold(bold_);
    font.setItalic(italic_);
    font.setUnderline(underline_);
    Widget()->setFont(font);
}
