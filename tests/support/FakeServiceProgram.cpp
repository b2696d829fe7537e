// The fake timed-text service as a process of its own, for tests that drive the real executable:
//
//   fake_timedtext_service --authority FILE [--plain PORT] [--tls PORT] --name HOST...
//                          [--respond TARGET BODYFILE]...
//
// It makes a certificate authority, writes its certificate to FILE for the client's store, and
// serves plain HTTP on one port of 127.0.0.1 and TLS, with a certificate for the named hosts,
// on another (free ports unless given); both give the body of BODYFILE to a request for
// TARGET. Once listening it prints "ready", the plain port and the TLS port, then one line per
// request as it arrives: the port, the request line and the header lines, separated by tabs.
// It stops when its standard input closes.
#include "tests/support/FakeService.h"
#include "tests/support/TestCertificates.h"

#include <QCoreApplication>
#include <QFile>

#include <poll.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace {
constexpr int kLookMilliseconds = 10;

struct Options {
    std::string authorityFile;
    int plainPort = 0;
    int tlsPort = 0;
    std::vector<std::string> names;
    std::map<std::string, std::string> bodyFiles; // target -> file
};

Options Read(int argc, char** argv)
{
    Options options;
    const auto value = [&](int& at) -> std::string {
        if (at + 1 >= argc)
            throw std::runtime_error(std::string(argv[at]) + " needs a value");
        return argv[++at];
    };
    for (int at = 1; at < argc; ++at) {
        const std::string option = argv[at];
        if (option == "--authority") {
            options.authorityFile = value(at);
        } else if (option == "--plain") {
            options.plainPort = std::stoi(value(at));
        } else if (option == "--tls") {
            options.tlsPort = std::stoi(value(at));
        } else if (option == "--name") {
            options.names.push_back(value(at));
        } else if (option == "--respond") {
            const std::string target = value(at);
            options.bodyFiles[target] = value(at);
        } else {
            throw std::runtime_error("unknown option " + option);
        }
    }
    if (options.authorityFile.empty() || options.names.empty())
        throw std::runtime_error("--authority and --name are needed");
    return options;
}

std::string Contents(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path);
    return file.readAll().toStdString();
}

void Copy(const std::string& from, const std::string& to)
{
    const std::string bytes = Contents(from);
    QFile file(QString::fromStdString(to));
    if (!file.open(QIODevice::WriteOnly)
        || file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
        throw std::runtime_error("cannot write " + to);
}

// Prints the requests that came since the last look.
void PrintNew(const FakeService& service, std::size_t& printed)
{
    const std::vector<FakeRequest> requests = service.Requests();
    for (; printed < requests.size(); ++printed) {
        std::cout << service.Port() << '\t' << requests[printed].requestLine;
        for (const std::string& header : requests[printed].headerLines)
            std::cout << '\t' << header;
        std::cout << std::endl;
    }
}

bool InputOpen()
{
    pollfd input {STDIN_FILENO, POLLIN, 0};
    if (poll(&input, 1, kLookMilliseconds) <= 0)
        return true;
    char byte;
    return read(STDIN_FILENO, &byte, 1) > 0;
}
}

int main(int argc, char** argv)
{
    // TestCertificates runs openssl through Qt's process class.
    QCoreApplication application(argc, argv);
    try {
        const Options options = Read(argc, argv);
        TestCertificates certificates;
        Copy(certificates.AuthorityFile(), options.authorityFile);
        FakeService plain(options.plainPort);
        FakeService tls(certificates.Issue(options.names), options.tlsPort);
        for (const auto& [target, bodyFile] : options.bodyFiles) {
            FakeResponse response;
            response.headers = {"Content-Type: text/xml; charset=utf-8"};
            response.body = Contents(bodyFile);
            plain.Respond(target, response);
            tls.Respond(target, response);
        }
        std::cout << "ready " << plain.Port() << ' ' << tls.Port() << std::endl;

        std::size_t plainPrinted = 0, tlsPrinted = 0;
        while (InputOpen()) {
            PrintNew(plain, plainPrinted);
            PrintNew(tls, tlsPrinted);
        }
        return EXIT_SUCCESS;
    } catch (const std::exception& failure) {
        std::cerr << "fake_timedtext_service: " << failure.what() << std::endl;
        return EXIT_FAILURE;
    }
}
