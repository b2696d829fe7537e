#include "transcript_window/Window1.h"

#include "app/aboutWin.h"

// Each handler acts only when its own box has been ticked and only unticks others, so what it
// does can never set off a further change.

void Window1::paragraphBox_Action(CheckBox& box)
{
    if (box.Value()) {
        lineBox().SetValue(false);
        timecodeBox().SetValue(false);
    }
}

void Window1::lineBox_Action(CheckBox& box)
{
    if (box.Value())
        paragraphBox().SetValue(false);
}

void Window1::plainTextBox_Action(CheckBox& box)
{
    if (box.Value())
        PDFbox().SetValue(false);
}

void Window1::PDFbox_Action(CheckBox& box)
{
    if (box.Value())
        plainTextBox().SetValue(false);
}

bool Window1::Canvas1_MouseDown(Canvas&, int, int)
{
    instance::aboutWin().Show();
    return false;
}
