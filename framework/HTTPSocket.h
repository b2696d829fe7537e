#pragma once

#include <chrono>
#include <cstddef>
#include <string>

// The framework's HTTP client: one object per request, one synchronous GET.
//
// The address is "http://" or "https://", a server part "host" or "host:port" (no port, or 0,
// gives the scheme's default, 80 or 443) and a path sent exactly as written. Any other scheme,
// or none, is requested in plain HTTP. https is verified in full against the system's
// certificate store: a certificate that does not match the host or chain to a trusted
// authority ends the request.
//
// The request is "GET <path> HTTP/1.0" with the headers Host: <server part as written>,
// Accept: */* and Accept-Language: en. No proxy is used, no redirection followed and nothing decoded: the body
// comes back byte for byte.
class HTTPSocket {
public:
    // ErrorCode after a complete page, and LastErrorCode then.
    static constexpr int kPageComplete = 0;
    // ErrorCode after the client's own inactivity time-out; LastErrorCode is then
    // kTimedOutConnectionError.
    static constexpr int kTimedOut = -1;
    // LastErrorCode after the inactivity time-out (libcurl's CURLE_OPERATION_TIMEDOUT).
    static constexpr int kTimedOutConnectionError = 28;
    // ErrorCode and LastErrorCode when the body passed the client's BodyLimit (libcurl's
    // CURLE_FILESIZE_EXCEEDED); the body is then dropped.
    static constexpr int kBodyTooLarge = 63;
    // ErrorCode and LastErrorCode when the window of the code that waits was closed: the request
    // is abandoned, or not sent when that window was closed already (libcurl's
    // CURLE_ABORTED_BY_CALLBACK).
    static constexpr int kAbandoned = 42;
    // Any other non-zero number is libcurl's CURLcode of the failure: 6 the host name was not
    // found, 7 the connection was refused, 56 the connection broke while the body arrived,
    // 60 the server's certificate was refused, and so on.

    // The most body bytes a request keeps unless its client sets a limit of its own.
    static constexpr std::size_t kBodyLimit = std::size_t {256} * 1024 * 1024;

    // The most body bytes this client's requests keep, kBodyLimit unless set; a longer body
    // fails the request.
    std::size_t BodyLimit() const { return bodyLimit_; }
    void SetBodyLimit(std::size_t bytes) { bodyLimit_ = bytes; }

    // Waits until the page is complete, the connection fails, or timeoutSeconds pass without
    // progress (counted from the start, again once connected and again whenever body bytes
    // arrive; 0 or less waits without limit). Gives the body bytes received, "" when none.
    // The windows keep painting and show a busy cursor meanwhile; mouse and keyboard input is
    // dropped and no program code starts, but a window can be closed. Main thread only.
    std::string Get(const std::string& url, int timeoutSeconds);

    // The outcome of the last Get: 0, kTimedOut or a CURLcode (see above).
    int ErrorCode() const;
    // The connection's last error: 0 after a complete page, otherwise the non-zero CURLcode.
    int LastErrorCode() const;
    // The status code of the answer, 0 when no status line arrived.
    int HTTPStatusCode() const;

    // Test hooks, for tests of the framework and of programs; never program configuration.
    // Connects requests for host (any port) to 127.0.0.1:port, keeping host as the name
    // in the Host header and for the certificate check.
    static void TestRouteHost(const std::string& host, int port);
    // Trusts only the certificate authorities in this PEM file instead of the system's.
    static void TestTrustCertificateAuthority(const std::string& pemFile);
    // Lowers every client's body limit to at most bytes, so that tests need not send kBodyLimit bytes.
    static void TestLimitBody(std::size_t bytes);
    // Ends every wait after at most that long without progress, so that tests need not wait
    // out a program's own time-outs.
    static void TestLimitTimeout(std::chrono::milliseconds limit);
    // Removes every route, the trusted test authority and the lowered limits.
    static void TestClearHooks();

private:
    int errorCode_ = 0;
    int lastErrorCode_ = 0;
    int statusCode_ = 0;
    std::size_t bodyLimit_ = kBodyLimit;
};
