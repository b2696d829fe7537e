#include "transcript_window/Window1.h"

#include "framework/MsgBox.h"
#include "transcript_window/VideoAddress.h"

void Window1::PushButton1_Action(PushButton&)
{
    if (!paragraphBox().Value() && !lineBox().Value()) {
        MsgBox("You must choose your transcript format either in Paragraph Form or Line-by-line.");
        return;
    }
    if (TextField1().Text().empty()) {
        MsgBox("You must paste the URL of your YouTube movie into the first form field before you can download the transcripts.");
        TextField1().SetFocus();
        return;
    }
    const int rows = Listbox1().ListCount();
    bool anySelected = false;
    for (int row = 0; row < rows; ++row)
        anySelected = anySelected || Listbox1().Selected(row);
    if (rows == 0 || (rows > 1 && !anySelected)) {
        MsgBox("There are no selected languages to retrieve.");
        return;
    }
    // The address may have been edited since the search: without a video id there is nothing to fetch.
    if (!NamesVideo(TextField1().Text())) {
        MsgBox("This does not appear to be a YouTube URL.");
        return;
    }
    for (int row = 0; row < Listbox1().ListCount(); ++row)
        if (Listbox1().Selected(row) || Listbox1().ListCount() == 1)
            getTranscriptions(row);
}
