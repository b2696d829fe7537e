#include "framework/HTTPSocket.h"

#include "framework/ProgramBoundary.h"
#include "framework/ThreadCheck.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QObject>

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

static_assert(HTTPSocket::kTimedOutConnectionError == CURLE_OPERATION_TIMEDOUT);
static_assert(HTTPSocket::kBodyTooLarge == CURLE_FILESIZE_EXCEEDED);
static_assert(HTTPSocket::kAbandoned == CURLE_ABORTED_BY_CALLBACK);

namespace {
using Clock = std::chrono::steady_clock;

// How long one look at the connection may wait before the window's events are handled.
constexpr int kPollMilliseconds = 10;

struct TestHooks {
    std::vector<std::string> routes;
    std::string certificateAuthority;
    std::size_t bodyLimit = HTTPSocket::kBodyLimit;
    std::optional<std::chrono::milliseconds> timeoutLimit;
};

TestHooks& Hooks()
{
    static TestHooks hooks;
    return hooks;
}

CURLcode GlobalInit()
{
    static const CURLcode result = curl_global_init(CURL_GLOBAL_DEFAULT);
    return result;
}

// Of these only curl_multi_cleanup gives a result, and it fails only for a handle that is none.
template <typename T, auto Free> struct Freer {
    void operator()(T* handle) const { Free(handle); }
};
using Easy = std::unique_ptr<CURL, Freer<CURL, curl_easy_cleanup>>;
using Multi = std::unique_ptr<CURLM, Freer<CURLM, curl_multi_cleanup>>;
using Location = std::unique_ptr<CURLU, Freer<CURLU, curl_url_cleanup>>;
using List = std::unique_ptr<curl_slist, Freer<curl_slist, curl_slist_free_all>>;

struct Address {
    bool tls = false;
    std::string server; // as written: the Host header
    std::string host;
    std::string port; // "" for the scheme's default
    std::string path;
};

// The address as the client has always read it: the scheme is what precedes the first "://",
// the server part runs to the next "/", and the path is the rest ("/" when there is none).
std::optional<Address> ReadAddress(const std::string& url)
{
    Address address;
    std::string rest = url;
    if (const auto end = url.find("://"); end != std::string::npos) {
        std::string scheme = url.substr(0, end);
        std::transform(scheme.begin(), scheme.end(), scheme.begin(), [](unsigned char c) { return std::tolower(c); });
        address.tls = scheme == "https";
        rest = url.substr(end + 3);
    }
    const auto slash = rest.find('/');
    address.server = rest.substr(0, slash);
    address.path = slash == std::string::npos ? "/" : rest.substr(slash);

    address.host = address.server;
    // A colon inside brackets belongs to an IPv6 address, not to a port.
    const auto colon = address.server.rfind(':');
    if (colon != std::string::npos && address.server.find(']', colon) == std::string::npos) {
        address.host = address.server.substr(0, colon);
        const std::string port = address.server.substr(colon + 1);
        if (port.size() > 5 || !std::all_of(port.begin(), port.end(), [](unsigned char c) { return std::isdigit(c); }))
            return std::nullopt;
        const long number = port.empty() ? 0 : std::stol(port);
        if (number > 65535)
            return std::nullopt;
        if (number != 0)
            address.port = std::to_string(number);
    }
    if (address.host.empty())
        return std::nullopt;
    return address;
}

// libcurl checks the host name as it is set, so a server part holding user information or
// characters that do not belong in a name is refused instead of being sent anywhere.
CURLUcode SetLocation(CURLU* location, const Address& address)
{
    CURLUcode result = curl_url_set(location, CURLUPART_SCHEME, address.tls ? "https" : "http", 0);
    if (result == CURLUE_OK)
        result = curl_url_set(location, CURLUPART_HOST, address.host.c_str(), 0);
    if (result == CURLUE_OK && !address.port.empty())
        result = curl_url_set(location, CURLUPART_PORT, address.port.c_str(), 0);
    return result;
}

// The path goes out as written, with nothing escaped or normalised, except the bytes that
// cannot stand in a request line: a control character, CR, LF or blank there would end the
// line early and let the address write headers of its own, so exactly those are
// percent-encoded.
std::string RequestTarget(const std::string& path)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string target;
    for (const unsigned char c : path) {
        if (c <= 0x20 || c == 0x7F) {
            target += '%';
            target += kHex[c >> 4];
            target += kHex[c & 0x0F];
        } else {
            target += static_cast<char>(c);
        }
    }
    return target;
}

struct Transfer {
    explicit Transfer(std::size_t limit) : bodyLimit(limit) {}

    std::string body;
    std::size_t bodyLimit;
    bool overLimit = false;
    Clock::time_point lastProgress = Clock::now();
};

size_t ReceiveBody(char* data, size_t size, size_t count, void* user)
{
    auto& transfer = *static_cast<Transfer*>(user);
    const size_t length = size * count;
    if (length > transfer.bodyLimit - transfer.body.size()) {
        transfer.overLimit = true;
        return CURL_WRITEFUNC_ERROR;
    }
    transfer.body.append(data, length);
    if (length > 0)
        transfer.lastProgress = Clock::now();
    return length;
}

int Connected(void* user, char*, char*, int, int)
{
    static_cast<Transfer*>(user)->lastProgress = Clock::now();
    return CURL_PREREQFUNC_OK;
}

// Sets options until one fails and keeps the first failure.
class Options {
public:
    explicit Options(CURL* easy) : easy_(easy) {}

    template <typename T> void Set(CURLoption option, T value)
    {
        if (result_ == CURLE_OK)
            result_ = curl_easy_setopt(easy_, option, value);
    }

    CURLcode Result() const { return result_; }

private:
    CURL* easy_;
    CURLcode result_ = CURLE_OK;
};

// Appends lines to a list; gives false when memory ran out.
bool Append(List& list, const std::vector<std::string>& lines)
{
    for (const auto& line : lines) {
        curl_slist* previous = list.release();
        curl_slist* longer = curl_slist_append(previous, line.c_str());
        list.reset(longer ? longer : previous);
        if (!longer)
            return false;
    }
    return true;
}

// The multi interface fails only for want of memory or through misuse; either way the request
// could not be carried out.
CURLcode FromMulti(CURLMcode code)
{
    return code == CURLM_OUT_OF_MEMORY ? CURLE_OUT_OF_MEMORY : CURLE_FAILED_INIT;
}

struct Outcome {
    std::string body;
    int errorCode = 0;
    int lastErrorCode = 0;
    long statusCode = 0;
};

Outcome Failed(CURLcode code)
{
    return {"", code, code, 0};
}

class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// How long a transfer may go without progress; nothing for no limit.
std::optional<Clock::duration> InactivityLimit(int timeoutSeconds)
{
    std::optional<Clock::duration> limit;
    if (timeoutSeconds > 0)
        limit = std::chrono::seconds(timeoutSeconds);
    if (const auto& cap = Hooks().timeoutLimit; cap && (!limit || *cap < *limit))
        limit = *cap;
    return limit;
}

// Drops mouse, keyboard and the other input events while it lives, but lets a window's close
// through: leaving them queued, as the event loop can, would hold back the close box too.
class InputHold : public QObject {
public:
    InputHold() { QCoreApplication::instance()->installEventFilter(this); }
    ~InputHold() override { QCoreApplication::instance()->removeEventFilter(this); }
    InputHold(const InputHold&) = delete;
    InputHold& operator=(const InputHold&) = delete;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Shortcut:
        case QEvent::InputMethod:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return true;
        default:
            return event->isInputEvent();
        }
    }
};

// Drives the transfer until it ends; gives its result, or nothing when it was inactive for
// timeoutSeconds.
std::optional<CURLcode> Drive(CURLM* multi, const Transfer& transfer, int timeoutSeconds)
{
    const BusyCursor busy;
    const InputHold hold;
    const ProgramWait wait;
    const std::optional<Clock::duration> inactivityLimit = InactivityLimit(timeoutSeconds);
    for (;;) {
        int running = 0;
        if (const CURLMcode code = curl_multi_perform(multi, &running); code != CURLM_OK)
            return FromMulti(code);
        if (running == 0)
            break;
        if (inactivityLimit && Clock::now() - transfer.lastProgress >= *inactivityLimit)
            return std::nullopt;
        if (const CURLMcode code = curl_multi_poll(multi, nullptr, 0, kPollMilliseconds, nullptr); code != CURLM_OK)
            return FromMulti(code);
        QCoreApplication::processEvents();
        if (_RunningForClosedWindow())
            return CURLE_ABORTED_BY_CALLBACK;
    }
    int queued = 0;
    while (const CURLMsg* message = curl_multi_info_read(multi, &queued)) {
        if (message->msg == CURLMSG_DONE)
            return message->data.result;
    }
    return CURLE_FAILED_INIT;
}

Outcome Fetch(const std::string& url, int timeoutSeconds, std::size_t bodyLimit)
{
    if (_RunningForClosedWindow())
        return Failed(CURLE_ABORTED_BY_CALLBACK);
    if (const CURLcode code = GlobalInit(); code != CURLE_OK)
        return Failed(code);
    const auto address = ReadAddress(url);
    if (!address)
        return Failed(CURLE_URL_MALFORMAT);
    const Location location(curl_url());
    if (!location)
        return Failed(CURLE_OUT_OF_MEMORY);
    if (SetLocation(location.get(), *address) != CURLUE_OK)
        return Failed(CURLE_URL_MALFORMAT);

    List headers;
    List routes;
    if (!Append(headers, {"Host: " + address->server, "Accept: */*", "Accept-Language: en"}) || !Append(routes, Hooks().routes))
        return Failed(CURLE_OUT_OF_MEMORY);

    const Easy easy(curl_easy_init());
    if (!easy)
        return Failed(CURLE_FAILED_INIT);
    const std::string target = RequestTarget(address->path);
    Transfer transfer(std::min(bodyLimit, Hooks().bodyLimit));

    Options options(easy.get());
    options.Set(CURLOPT_CURLU, location.get());
    options.Set(CURLOPT_REQUEST_TARGET, target.c_str());
    options.Set(CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    // Given in full, these replace libcurl's own Accept and Host, and nothing else is added.
    options.Set(CURLOPT_HTTPHEADER, headers.get());
    // An empty proxy overrides whatever the environment names.
    options.Set(CURLOPT_PROXY, "");
    options.Set(CURLOPT_FOLLOWLOCATION, 0L);
    options.Set(CURLOPT_HTTP_CONTENT_DECODING, 0L);
    options.Set(CURLOPT_HTTP_TRANSFER_DECODING, 0L);
    options.Set(CURLOPT_SSL_VERIFYPEER, 1L);
    options.Set(CURLOPT_SSL_VERIFYHOST, 2L);
    options.Set(CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
    // Qt runs threads of its own; libcurl must not use signals for its name look-ups.
    options.Set(CURLOPT_NOSIGNAL, 1L);
    // The inactivity clock covers the connect too; libcurl's own connect limit stays out of its way.
    options.Set(CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(std::numeric_limits<int>::max()));
    options.Set(CURLOPT_WRITEFUNCTION, ReceiveBody);
    options.Set(CURLOPT_WRITEDATA, &transfer);
    options.Set(CURLOPT_PREREQFUNCTION, Connected);
    options.Set(CURLOPT_PREREQDATA, &transfer);
    if (routes)
        options.Set(CURLOPT_CONNECT_TO, routes.get());
    if (!Hooks().certificateAuthority.empty())
        options.Set(CURLOPT_CAINFO, Hooks().certificateAuthority.c_str());
    if (options.Result() != CURLE_OK)
        return Failed(options.Result());

    const Multi multi(curl_multi_init());
    if (!multi)
        return Failed(CURLE_FAILED_INIT);
    if (const CURLMcode code = curl_multi_add_handle(multi.get(), easy.get()); code != CURLM_OK)
        return Failed(FromMulti(code));
    const std::optional<CURLcode> result = Drive(multi.get(), transfer, timeoutSeconds);
    // Taking the handle off the multi handle closes the connection, ending a timed-out transfer.
    if (const CURLMcode code = curl_multi_remove_handle(multi.get(), easy.get()); code != CURLM_OK)
        return Failed(FromMulti(code));
    // Nothing of an abandoned request reaches the code that waited on it.
    if (result == CURLE_ABORTED_BY_CALLBACK)
        return Failed(CURLE_ABORTED_BY_CALLBACK);

    Outcome outcome;
    if (const CURLcode code = curl_easy_getinfo(easy.get(), CURLINFO_RESPONSE_CODE, &outcome.statusCode); code != CURLE_OK)
        return Failed(code);
    if (!result) {
        outcome.errorCode = HTTPSocket::kTimedOut;
        outcome.lastErrorCode = HTTPSocket::kTimedOutConnectionError;
        outcome.body = std::move(transfer.body);
    } else if (transfer.overLimit) {
        outcome.errorCode = outcome.lastErrorCode = HTTPSocket::kBodyTooLarge;
    } else {
        outcome.errorCode = outcome.lastErrorCode = *result;
        outcome.body = std::move(transfer.body);
    }
    return outcome;
}
}

std::string HTTPSocket::Get(const std::string& url, int timeoutSeconds)
{
    RequireMainThread();
    Outcome outcome = Fetch(url, timeoutSeconds, bodyLimit_);
    errorCode_ = outcome.errorCode;
    lastErrorCode_ = outcome.lastErrorCode;
    statusCode_ = static_cast<int>(outcome.statusCode);
    return std::move(outcome.body);
}

int HTTPSocket::ErrorCode() const
{
    return errorCode_;
}

int HTTPSocket::LastErrorCode() const
{
    return lastErrorCode_;
}

int HTTPSocket::HTTPStatusCode() const
{
    return statusCode_;
}

void HTTPSocket::TestRouteHost(const std::string& host, int port)
{
    Hooks().routes.push_back(host + "::127.0.0.1:" + std::to_string(port));
}

void HTTPSocket::TestTrustCertificateAuthority(const std::string& pemFile)
{
    Hooks().certificateAuthority = pemFile;
}

void HTTPSocket::TestLimitBody(std::size_t bytes)
{
    Hooks().bodyLimit = bytes;
}

void HTTPSocket::TestLimitTimeout(std::chrono::milliseconds limit)
{
    Hooks().timeoutLimit = limit;
}

void HTTPSocket::TestClearHooks()
{
    Hooks() = TestHooks();
}
