#include "tests/support/FakeService.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace {
constexpr int kPollMilliseconds = 50;
constexpr std::size_t kMostRequestBytes = 64 * 1024;

std::string Head(const FakeResponse& response)
{
    std::string head = response.statusLine + "\r\n";
    for (const auto& line : response.headers)
        head += line + "\r\n";
    if (response.contentLength)
        head += "Content-Length: " + std::to_string(response.body.size()) + "\r\n";
    return head + "\r\n";
}

FakeRequest ParseRequest(const std::string& head)
{
    FakeRequest request;
    std::size_t start = 0;
    while (start < head.size()) {
        auto end = head.find('\n', start);
        if (end == std::string::npos)
            end = head.size();
        std::string line = head.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (start == 0)
            request.requestLine = line;
        else if (!line.empty())
            request.headerLines.push_back(line);
        start = end + 1;
    }
    return request;
}

std::string TargetOf(const std::string& requestLine)
{
    const auto first = requestLine.find(' ');
    if (first == std::string::npos)
        return "";
    const auto second = requestLine.find(' ', first + 1);
    return requestLine.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
}
}

// One accepted connection, plain or TLS, on a non-blocking socket: every wait is a poll of at
// most kPollMilliseconds followed by a look at the service's stop flag.
class FakeService::Connection {
public:
    Connection(const FakeService& service, int socket, SSL_CTX* tls) : service_(service), socket_(socket)
    {
        if (tls) {
            ssl_ = SSL_new(tls);
            if (!ssl_ || SSL_set_fd(ssl_, socket_) != 1)
                throw std::runtime_error("cannot start TLS on a connection");
        }
    }

    ~Connection()
    {
        if (ssl_)
            SSL_free(ssl_);
        if (socket_ >= 0)
            close(socket_);
    }

    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool Handshake()
    {
        return !ssl_ || Retry([this] { return SSL_accept(ssl_); }) > 0;
    }

    // The request up to its empty line, or nothing when the client left first.
    std::optional<std::string> ReadHead()
    {
        std::string head;
        char buffer[4096];
        while (head.size() < kMostRequestBytes) {
            const long count = ReadSome(buffer, sizeof buffer);
            if (count <= 0)
                return std::nullopt;
            head.append(buffer, static_cast<std::size_t>(count));
            for (const std::string_view end : {"\r\n\r\n", "\n\n"}) {
                if (const auto at = head.find(end); at != std::string::npos)
                    return head.substr(0, at);
            }
        }
        return std::nullopt;
    }

    bool Write(std::string_view bytes)
    {
        while (!bytes.empty()) {
            long count;
            if (ssl_) {
                count = Retry([&] { return SSL_write(ssl_, bytes.data(), static_cast<int>(bytes.size())); });
            } else {
                count = send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
                if (count < 0 && errno == EAGAIN && Wait(POLLOUT))
                    continue;
            }
            if (count <= 0)
                return false;
            bytes.remove_prefix(static_cast<std::size_t>(count));
        }
        return true;
    }

    // Keeps the connection open, sending nothing, until the client leaves or the service stops.
    void Stall()
    {
        char buffer[4096];
        while (ReadSome(buffer, sizeof buffer) > 0) {}
    }

    void Close()
    {
        if (ssl_)
            SSL_shutdown(ssl_);
        close(socket_);
        socket_ = -1;
    }

    // Closing with a zero linger time sends a reset instead of the orderly end.
    void Reset()
    {
        const linger abort {1, 0};
        setsockopt(socket_, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
        close(socket_);
        socket_ = -1;
    }

private:
    bool Wait(short events)
    {
        while (!service_.Stopping()) {
            pollfd ready {socket_, events, 0};
            const int result = poll(&ready, 1, kPollMilliseconds);
            if (result > 0)
                return true;
            if (result < 0 && errno != EINTR)
                return false;
        }
        return false;
    }

    long ReadSome(char* buffer, std::size_t size)
    {
        if (ssl_)
            return Retry([&] { return SSL_read(ssl_, buffer, static_cast<int>(size)); });
        for (;;) {
            const long count = recv(socket_, buffer, size, 0);
            if (count >= 0 || errno != EAGAIN || !Wait(POLLIN))
                return count;
        }
    }

    // Repeats a TLS call while it waits for the socket; its result, or 0 or less on failure.
    template <typename Call> int Retry(Call call)
    {
        for (;;) {
            const int result = call();
            if (result > 0)
                return result;
            const int error = SSL_get_error(ssl_, result);
            const short events = error == SSL_ERROR_WANT_READ ? POLLIN : error == SSL_ERROR_WANT_WRITE ? POLLOUT : 0;
            if (events == 0 || !Wait(events))
                return result < 0 ? result : 0;
        }
    }

    const FakeService& service_;
    int socket_;
    SSL* ssl_ = nullptr;
};

FakeService::FakeService(int port)
{
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listener_ < 0)
        throw std::runtime_error("cannot make a socket");
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    socklen_t length = sizeof address;
    // A fixed port may still hold connections of an earlier run waiting out their close.
    const int reuse = 1;
    if ((port != 0 && setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse) != 0)
        || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(listener_, 16) != 0
        || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(listener_);
        throw std::runtime_error("cannot listen on 127.0.0.1:" + std::to_string(port));
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Run(); });
}

FakeService::FakeService(const TlsIdentity& identity, int port) : FakeService(port)
{
    // The thread reads tls_ only for connections it accepts after this, hence the lock.
    std::unique_ptr<SSL_CTX, decltype(&SSL_CTX_free)> tls(SSL_CTX_new(TLS_server_method()), SSL_CTX_free);
    if (!tls || SSL_CTX_use_certificate_chain_file(tls.get(), identity.certificateFile.c_str()) != 1
        || SSL_CTX_use_PrivateKey_file(tls.get(), identity.keyFile.c_str(), SSL_FILETYPE_PEM) != 1
        || SSL_CTX_check_private_key(tls.get()) != 1)
        throw std::runtime_error("cannot load the test certificate " + identity.certificateFile);
    const std::lock_guard lock(mutex_);
    tls_ = std::move(tls);
}

FakeService::~FakeService()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    stopped_.notify_all();
    thread_.join();
    close(listener_);
}

int FakeService::Port() const
{
    return port_;
}

void FakeService::Respond(const std::string& target, FakeResponse response)
{
    const std::lock_guard lock(mutex_);
    responses_[target] = std::move(response);
}

void FakeService::Enqueue(FakeResponse response)
{
    const std::lock_guard lock(mutex_);
    queue_.push_back(std::move(response));
}

std::vector<FakeRequest> FakeService::Requests() const
{
    const std::lock_guard lock(mutex_);
    return requests_;
}

bool FakeService::Stopping() const
{
    const std::lock_guard lock(mutex_);
    return stopping_;
}

void FakeService::Run()
{
    // A client that has gone makes a write fail with EPIPE instead of killing the test.
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, nullptr);

    while (!Stopping()) {
        pollfd ready {listener_, POLLIN, 0};
        if (poll(&ready, 1, kPollMilliseconds) <= 0)
            continue;
        const int socket = accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (socket >= 0)
            Serve(socket);
    }
}

void FakeService::Serve(int socket)
{
    SSL_CTX* tls;
    {
        const std::lock_guard lock(mutex_);
        tls = tls_.get();
    }
    Connection connection(*this, socket, tls);
    if (!connection.Handshake())
        return;
    const auto head = connection.ReadHead();
    if (!head)
        return;
    FakeRequest request = ParseRequest(*head);
    const std::string target = TargetOf(request.requestLine);
    {
        const std::lock_guard lock(mutex_);
        requests_.push_back(std::move(request));
    }
    Answer(connection, ResponseFor(target));
}

FakeResponse FakeService::ResponseFor(const std::string& target)
{
    const std::lock_guard lock(mutex_);
    if (!queue_.empty()) {
        FakeResponse response = std::move(queue_.front());
        queue_.pop_front();
        return response;
    }
    if (const auto found = responses_.find(target); found != responses_.end())
        return found->second;
    FakeResponse missing;
    missing.statusLine = "HTTP/1.0 404 Not Found";
    return missing;
}

void FakeService::Answer(Connection& connection, const FakeResponse& response)
{
    if (!Pause(response.delay))
        return;
    if (response.sendHead && !connection.Write(Head(response)))
        return;
    const std::string_view body = std::string_view(response.body).substr(0, response.bodyBytes);
    const std::size_t step = response.chunkSize > 0 ? response.chunkSize : body.size();
    for (std::size_t at = 0; at < body.size(); at += step) {
        if ((at > 0 && !Pause(response.chunkInterval)) || !connection.Write(body.substr(at, step)))
            return;
    }
    if (!Pause(response.beforeEnding))
        return;
    switch (response.ending) {
    case FakeResponse::Ending::Close:
        connection.Close();
        break;
    case FakeResponse::Ending::Stall:
        connection.Stall();
        break;
    case FakeResponse::Ending::Reset:
        connection.Reset();
        break;
    }
}

bool FakeService::Pause(std::chrono::milliseconds duration)
{
    std::unique_lock lock(mutex_);
    return !stopped_.wait_for(lock, duration, [this] { return stopping_; });
}
