#include "transcript_window/Window1.h"

#include "framework/HTTPSocket.h"
#include "framework/MsgBox.h"
#include "transcript_window/CaptionTrackList.h"
#include "transcript_window/ServiceAddresses.h"
#include "transcript_window/VideoAddress.h"

void Window1::PushButton2_Action(PushButton&)
{
    const std::string address = TextField1().Text();
    if (address.empty()) {
        MsgBox("Please paste a YouTube URL into the form first.");
        return;
    }
    if (!NamesVideo(address)) {
        MsgBox("This does not appear to be a YouTube URL.");
        return;
    }

    // Both lists hold the same rows, so the language list's count serves for the working list too.
    for (int row = Listbox1().ListCount() - 1; row >= 0; --row) {
        Listbox1().RemoveRow(row);
        XMLList().RemoveRow(row);
    }

    HTTPSocket socket;
    socket.SetBodyLimit(kTrackListBodyLimit);
    const std::string answer
        = socket.Get(std::string("http://") + kTrackListHost + "/timedtext?type=list&v=" + VideoId(address), kTrackListTimeout);
    TextArea1().SetText(answer);

    for (const CaptionTrack& track : ParseCaptionTrackList(answer)) {
        XMLList().AddRow(track.element);
        Listbox1().AddRow(track.name);
        Listbox1().SetCell(Listbox1().ListCount() - 1, 1, track.code);
    }
    if (Listbox1().ListCount() == 0)
        MsgBox("There are no transcripts available for this video. Auto-generated transcripts contain no data and cannot be downloaded.");
}
