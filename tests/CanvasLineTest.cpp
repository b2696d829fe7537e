#include "framework/Canvas.h"
#include "framework/Line.h"
#include "framework/TextField.h"
#include "tests/ControlTestWindow.h"

#include <QTest>

using namespace std::string_literals;

namespace {
using CanvasLineTest = ControlTest;

QImage Rendered(QWidget* widget)
{
    return widget->grab().toImage();
}
}

TEST_F(CanvasLineTest, LineStandsBetweenItsPointsAndIsDrawnInItsColour)
{
    Line& line = Make<Line>(
        "line", {{"X1", 22}, {"X2", 220}, {"Y1", 61}, {"Y2", 61}, {"Visible", true}, {"BorderWidth", 1}, {"LineColor", RGB(255, 0, 0)}});
    EXPECT_EQ(line.Widget()->geometry(), QRect(22, 61, 199, 1));
    EXPECT_EQ(line.Widget()->focusPolicy(), Qt::NoFocus);
    QImage content = Rendered(window->ContentArea());
    for (int x : {22, 120, 220})
        EXPECT_EQ(content.pixelColor(x, 61), QColor(255, 0, 0)) << x;
    EXPECT_NE(content.pixelColor(120, 62), QColor(255, 0, 0));
    EXPECT_NE(content.pixelColor(221, 61), QColor(255, 0, 0));

    Line& slanted = Make<Line>("slanted", {{"X1", 50}, {"X2", 10}, {"Y1", 10}, {"Y2", 90}, {"BorderWidth", 3}});
    EXPECT_EQ(slanted.Widget()->geometry(), QRect(9, 9, 43, 83));
    slanted.SetVisible(false);
    EXPECT_FALSE(slanted.Widget()->isVisible());
}

TEST_F(CanvasLineTest, CanvasDrawsItsBackdropAtItsTopLeftAndNothingWithout)
{
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 255));
    auto picture = std::make_shared<Picture>(image);
    Canvas& canvas = Make<Canvas>(
        "canvas", {{"Left", 100}, {"Top", 50}, {"Width", 40}, {"Height", 40}, {"AcceptFocus", false}, {"Transparent", true}});
    EXPECT_EQ(canvas.Backdrop(), nullptr);
    QColor background = Rendered(window->ContentArea()).pixelColor(100, 50);
    EXPECT_NE(background, QColor(0, 0, 255));

    canvas.SetBackdrop(picture);
    EXPECT_EQ(canvas.Backdrop(), picture);
    QImage content = Rendered(window->ContentArea());
    EXPECT_EQ(content.pixelColor(100, 50), QColor(0, 0, 255));
    EXPECT_EQ(content.pixelColor(109, 59), QColor(0, 0, 255));
    EXPECT_EQ(content.pixelColor(111, 50), background);
    EXPECT_EQ(canvas.Widget()->focusPolicy(), Qt::NoFocus);
}

TEST_F(CanvasLineTest, MouseDownGivesTheHandlerTheCanvasAndThePosition)
{
    Canvas& canvas = Make<Canvas>("canvas", {{"Left", 100}, {"Top", 50}, {"Width", 40}, {"Height", 40}});
    Canvas* got = nullptr;
    QPoint at;
    canvas.SetMouseDownHandler([&](Canvas& c, int x, int y) {
        got = &c;
        at = QPoint(x, y);
        return false;
    });
    QTest::mousePress(canvas.Widget(), Qt::LeftButton, {}, QPoint(7, 12));
    EXPECT_EQ(got, &canvas);
    EXPECT_EQ(at, QPoint(7, 12));
    QTest::mouseRelease(canvas.Widget(), Qt::LeftButton, {}, QPoint(7, 12));
}

TEST_F(CanvasLineTest, SetFocusGivesTheControlTheKeyboardFocus)
{
    TextField& first = Make<TextField>("first");
    TextField& second = Make<TextField>("second");
    second.SetFocus();
    EXPECT_EQ(QApplication::focusWidget(), second.Widget());
    first.SetFocus();
    EXPECT_EQ(QApplication::focusWidget(), first.Widget());
}
