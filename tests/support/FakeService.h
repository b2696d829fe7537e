#pragma once

#include "tests/support/TestCertificates.h"

#include <openssl/ssl.h>

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// One scripted answer of the fake timed-text service.
struct FakeResponse {
    enum class Ending {
        Close, // close the connection (after a TLS close notice)
        Stall, // send nothing more; keep the connection until the client leaves
        Reset, // abort the connection with a TCP reset
    };

    std::string statusLine = "HTTP/1.0 200 OK";
    std::vector<std::string> headers; // header lines as sent, e.g. "Content-Type: text/xml"
    std::string body;
    // Adds "Content-Length: <size of body>" after the headers; without it the body ends with the
    // connection.
    bool contentLength = true;
    // False sends no status line and no headers, only the body bytes.
    bool sendHead = true;
    std::chrono::milliseconds delay {0}; // before the first byte
    // Above 0: the body goes out in pieces of this many bytes, chunkInterval apart.
    std::size_t chunkSize = 0;
    std::chrono::milliseconds chunkInterval {0};
    // How many body bytes go out before the ending (Content-Length still counts the whole body).
    std::size_t bodyBytes = std::string::npos;
    std::chrono::milliseconds beforeEnding {0};
    Ending ending = Ending::Close;
};

// A request as the service received it.
struct FakeRequest {
    std::string requestLine;
    std::vector<std::string> headerLines; // in the order received, without line endings
};

// A small HTTP server on 127.0.0.1, on a free port unless told one, serving one connection at a
// time on a thread of its own. Requests get the next queued response, else the response for
// their target, else "404 Not Found". It stops with its owner: every wait of its thread looks at
// the stop flag at least every 50 ms.
class FakeService {
public:
    explicit FakeService(int port = 0);
    // Speaks TLS with this certificate.
    explicit FakeService(const TlsIdentity& identity, int port = 0);
    ~FakeService();
    FakeService(const FakeService&) = delete;
    FakeService& operator=(const FakeService&) = delete;

    int Port() const;

    // The response to every request whose target (path and query, as sent) is target.
    void Respond(const std::string& target, FakeResponse response);
    // The response to the next request not yet answered, whatever its target.
    void Enqueue(FakeResponse response);

    std::vector<FakeRequest> Requests() const;

private:
    class Connection;

    void Run();
    void Serve(int socket);
    FakeResponse ResponseFor(const std::string& target);
    void Answer(Connection& connection, const FakeResponse& response);
    // Waits for the duration; gives false when the service is stopping.
    bool Pause(std::chrono::milliseconds duration);

    bool Stopping() const;

    std::unique_ptr<SSL_CTX, decltype(&SSL_CTX_free)> tls_ {nullptr, SSL_CTX_free};
    int listener_ = -1;
    int port_ = 0;

    mutable std::mutex mutex_;
    std::condition_variable stopped_;
    bool stopping_ = false;
    std::deque<FakeResponse> queue_;
    std::map<std::string, FakeResponse> responses_;
    std::vector<FakeRequest> requests_;

    std::thread thread_;
};
