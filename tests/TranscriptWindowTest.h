#pragma once

#include "tests/ProgramTest.h"
#include "tests/support/FakeService.h"
#include "tests/support/TestCertificates.h"
#include "transcript_window/ServiceAddresses.h"
#include "transcript_window/Window1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A port on 127.0.0.1 that refuses connections: bound, so nobody else takes it, but not listening.
class ClosedPort {
public:
    ClosedPort() : socket_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0))
    {
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (socket_ >= 0 && ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
            && ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) == 0)
            port_ = ntohs(address.sin_port);
    }
    ~ClosedPort()
    {
        if (socket_ >= 0)
            ::close(socket_);
    }
    ClosedPort(const ClosedPort&) = delete;
    ClosedPort& operator=(const ClosedPort&) = delete;

    int Port() const { return port_; }

private:
    int socket_;
    int port_ = 0;
};

// A row of the language list: the language's name and code.
struct LanguageRow {
    std::string name, code;
    bool operator==(const LanguageRow&) const = default;
};

// The main window of the running program against two fake timed-text services reached under
// the real host names: the track list in plain HTTP, the transcripts over TLS with a
// certificate from an authority of the test's own. The user's actions are the controls' own:
// texts typed, rows selected, boxes ticked, buttons pushed. Save dialogs are answered with
// files in a temporary folder, and no file is opened unless a test ticks the box for it.
class TranscriptWindowTest : public ProgramTest {
protected:
    static TestCertificates& Certificates()
    {
        static TestCertificates certificates;
        return certificates;
    }
    static const TlsIdentity& YouTubeIdentity()
    {
        static const TlsIdentity identity = Certificates().Issue({kTranscriptHost});
        return identity;
    }

    static FakeResponse Page(std::string body, const std::string& statusLine = "HTTP/1.0 200 OK")
    {
        FakeResponse response;
        response.statusLine = statusLine;
        response.body = std::move(body);
        return response;
    }
    static std::string ListTarget(const std::string& videoId) { return "/timedtext?type=list&v=" + videoId; }
    static std::string TranscriptTarget(const std::string& videoId, const std::string& code)
    {
        return "/api/timedtext?&v=" + videoId + "&lang=" + code;
    }
    static std::string Watch(const std::string& videoId) { return "https://www.youtube.com/watch?v=" + videoId; }
    // A track-list answer of the service's form; the first track is the default one.
    static std::string TrackList(const std::vector<LanguageRow>& tracks)
    {
        std::string answer = "<?xml version=\"1.0\" encoding=\"utf-8\" ?><list id=\"7\">";
        for (std::size_t i = 0; i < tracks.size(); ++i)
            answer += "<track id=\"" + std::to_string(i) + "\" name=\"\" lang_code=\"" + tracks[i].code + "\" lang_original=\""
                + tracks[i].name + "\" lang_translated=\"" + tracks[i].name + "\"" + (i == 0 ? " lang_default=\"true\"" : "") + "/>";
        return answer + "</list>";
    }

    void SetUp() override
    {
        ProgramTest::SetUp();
        RouteServices(listService.Port(), transcriptService.Port());
        window = &instance::Window1();
        window->openBox().SetValue(false);
    }

    static void RouteServices(int listPort, int transcriptPort)
    {
        HTTPSocket::TestClearHooks();
        HTTPSocket::TestRouteHost(kTrackListHost, listPort);
        HTTPSocket::TestRouteHost(kTranscriptHost, transcriptPort);
        HTTPSocket::TestTrustCertificateAuthority(Certificates().AuthorityFile());
    }

    void Search(const std::string& address)
    {
        window->TextField1().SetText(address);
        window->PushButton2().Push();
    }
    // A search of the video whose list the service gives as tracks.
    void SearchVideo(const std::string& videoId, const std::vector<LanguageRow>& tracks)
    {
        listService.Respond(ListTarget(videoId), Page(TrackList(tracks)));
        Search(Watch(videoId));
    }
    void Select(std::initializer_list<int> rows)
    {
        for (const int row : rows)
            window->Listbox1().SetSelected(row, true);
    }
    void Download() { window->PushButton1().Push(); }
    // What the next save dialogs give: files in the temporary folder, or nothing for Cancel.
    void Answer(std::initializer_list<std::optional<std::string>> paths) { answers.insert(answers.end(), paths); }

    std::vector<LanguageRow> Rows() const
    {
        std::vector<LanguageRow> rows;
        for (int row = 0; row < window->Listbox1().ListCount(); ++row)
            rows.push_back({window->Listbox1().Cell(row, 0), window->Listbox1().Cell(row, 1)});
        return rows;
    }
    std::vector<std::string> RequestLines(const FakeService& service) const
    {
        std::vector<std::string> lines;
        for (const FakeRequest& request : service.Requests())
            lines.push_back(request.requestLine);
        return lines;
    }
    std::vector<std::string> ProposedNames() const
    {
        std::vector<std::string> names;
        for (const Dialog& dialog : dialogs)
            names.push_back(QFileInfo(QString::fromStdString(dialog.proposedPath)).fileName().toStdString());
        return names;
    }

    // The files handed to the desktop's opener, once as many have been as expected (the
    // connectivity check's ping is the first call of every test).
    std::vector<std::string> OpenedFiles(std::size_t expected) const
    {
        std::vector<std::string> opened;
        for (const FakeTools::Call& call : tools.WaitForCalls(expected + 1))
            if (call.size() == 2 && call[0] == "xdg-open")
                opened.push_back(call[1]);
        return opened;
    }

    std::string PathOf(const std::string& name) const { return folder.filePath(QString::fromStdString(name)).toStdString(); }
    // Everything in the folder, hidden files included.
    QStringList Entries(const std::string& subfolder = "") const
    {
        return QDir(QString::fromStdString(PathOf(subfolder)))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
    static std::string Read(const std::string& path)
    {
        QFile file(QString::fromStdString(path));
        if (!file.open(QIODevice::ReadOnly))
            return "(unreadable)";
        return file.readAll().toStdString();
    }
    static void Put(const std::string& path, const std::string& bytes)
    {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())), static_cast<qint64>(bytes.size()));
    }

    static std::string ConnectionFailure(int number)
    {
        return "Error code: " + std::to_string(number)
            + " - A connection to YouTube was not able to be established. Check your internet connection and try again.";
    }
    // A transcript of three captions, and the file text it gives in each form.
    static constexpr const char* kTranscript = "<?xml version=\"1.0\" encoding=\"utf-8\" ?><transcript>"
                                               "<text start=\"5.2\" dur=\"2.3\">Hello &amp;#39;world&amp;#39;</text>"
                                               "<text start=\"75.5\" dur=\"1.9\">Second\nline</text>"
                                               "<text start=\"3725.25\" dur=\"4\">Thanks</text></transcript>";
    static constexpr const char* kParagraphs = "Hello 'world' Second line Thanks ";
    static constexpr const char* kLines = "Hello 'world'\nSecond line\nThanks\n";
    static constexpr const char* kTimedLines = "[00:00:05.20]\tHello 'world'\n[00:01:15.50]\tSecond line\n[01:02:05.25]\tThanks\n";

    static constexpr const char* kNoTranscripts
        = "There are no transcripts available for this video. Auto-generated transcripts contain no data and cannot be downloaded.";
    static constexpr const char* kNotAnAddress = "This does not appear to be a YouTube URL.";

    FakeService listService;
    FakeService transcriptService {YouTubeIdentity()};
    QTemporaryDir folder;
    Window1* window = nullptr;
};
