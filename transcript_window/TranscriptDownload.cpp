#include "transcript_window/Window1.h"

#include "app/FileTypes1.h"
#include "framework/HTTPSocket.h"
#include "framework/MsgBox.h"
#include "framework/SaveDialog.h"
#include "framework/TextOutputStream.h"
#include "framework/text/Text.h"
#include "transcript_window/ServiceAddresses.h"
#include "transcript_window/TranscriptConversion.h"
#include "transcript_window/VideoAddress.h"

namespace {
bool Succeeded(int httpStatus)
{
    return httpStatus >= 200 && httpStatus <= 299;
}

void ShowConnectionFailure(int number)
{
    MsgBox("Error code: " + Str(number)
        + " - A connection to YouTube was not able to be established. Check your internet connection and try again.");
}
}

void Window1::getTranscriptions(int row)
{
    const std::string name = Replace(Listbox1().Cell(row, 0), "\" lang_default=\"true", "");
    HTTPSocket socket;
    socket.SetBodyLimit(kTranscriptBodyLimit);
    const std::string videoId = VideoId(TextField1().Text());
    TextArea1().SetText("");
    const std::string address = ReplaceAll(
        "https://" + std::string(kTranscriptHost) + "/api/timedtext?&v=" + videoId + "&lang=" + Listbox1().Cell(row, 1), " ", "");

    std::string answer = socket.Get(address, kTranscriptTimeout);
    // A transfer cut short, or an error page, is no transcript: saving it would pass a failure off as one.
    if (socket.ErrorCode() != HTTPSocket::kPageComplete) {
        ShowConnectionFailure(socket.ErrorCode());
        return;
    }
    if (!Succeeded(socket.HTTPStatusCode())) {
        ShowConnectionFailure(socket.HTTPStatusCode());
        return;
    }

    const TranscriptForm form = !lineBox().Value() ? TranscriptForm::Paragraph
        : timecodeBox().Value()                    ? TranscriptForm::LineByLineWithTimecode
                                                   : TranscriptForm::LineByLine;
    // Moved, not copied: a long answer is the largest thing the download holds.
    TextArea1().SetText(ConvertTranscript(DefineEncoding(std::move(answer), Encodings::UTF8), form));

    const bool openAfterSaving = openBox().Value();
    if (std::optional<FolderItem> file = GetSaveFolderItem(FileTypes1::Text()->ToString(), name + ".txt")) {
        try {
            std::unique_ptr<TextOutputStream> stream = TextOutputStream::Create(*file);
            stream->Write(TextArea1().Text());
            stream->Close();
            if (openAfterSaving)
                file->Launch(true);
        } catch (const IOException& failure) {
            // The other languages still get their turn.
            MsgBox(failure.what());
        }
    }
    TextArea1().SetText("");
}
