#include "tests/support/TestCertificates.h"

#include <QFile>
#include <QProcess>
#include <QStringList>

#include <stdexcept>

namespace {
// Our own configuration, so that nothing depends on the machine's openssl.cnf.
constexpr char kAuthorityConfig[] = "[req]\n"
                                    "distinguished_name = dn\n"
                                    "prompt = no\n"
                                    "[dn]\n"
                                    "CN = Test Certificate Authority\n"
                                    "[ext]\n"
                                    "basicConstraints = critical,CA:TRUE\n"
                                    "keyUsage = critical,keyCertSign,cRLSign\n"
                                    "subjectKeyIdentifier = hash\n";

std::string ServerConfig(const std::vector<std::string>& hostNames)
{
    std::string names;
    for (const auto& name : hostNames)
        names += (names.empty() ? "DNS:" : ",DNS:") + name;
    return "[req]\n"
           "distinguished_name = dn\n"
           "prompt = no\n"
           "[dn]\n"
           "CN = "
        + hostNames.front()
        + "\n"
          "[ext]\n"
          "basicConstraints = critical,CA:FALSE\n"
          "keyUsage = critical,digitalSignature\n"
          "extendedKeyUsage = serverAuth\n"
          "subjectAltName = "
        + names + "\n";
}

void WriteFile(const std::string& path, const std::string& text)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()))
        throw std::runtime_error("cannot write " + path);
}

// A new P-256 key and a certificate for it, made by "openssl req -x509".
void RunRequest(const std::string& config, const std::string& key, const std::string& certificate, const QStringList& signing)
{
    QStringList arguments {"req", "-x509", "-config", QString::fromStdString(config), "-extensions", "ext", "-newkey", "ec", "-pkeyopt",
        "ec_paramgen_curve:prime256v1", "-nodes", "-keyout", QString::fromStdString(key), "-out", QString::fromStdString(certificate),
        "-days", "2"};
    arguments += signing;
    QProcess openssl;
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start("openssl", arguments);
    if (!openssl.waitForFinished(30000) || openssl.exitStatus() != QProcess::NormalExit || openssl.exitCode() != 0)
        throw std::runtime_error("openssl could not make " + certificate + ": " + openssl.readAll().toStdString());
}
}

TestCertificates::TestCertificates()
{
    if (!directory_.isValid())
        throw std::runtime_error("no temporary directory for test certificates");
    authority_ = PathOf("authority.pem");
    authorityKey_ = PathOf("authority.key");
    const std::string config = PathOf("authority.cnf");
    WriteFile(config, kAuthorityConfig);
    RunRequest(config, authorityKey_, authority_, {});
}

const std::string& TestCertificates::AuthorityFile() const
{
    return authority_;
}

TlsIdentity TestCertificates::Issue(const std::vector<std::string>& hostNames)
{
    return Make(hostNames, true);
}

TlsIdentity TestCertificates::IssueSelfSigned(const std::vector<std::string>& hostNames)
{
    return Make(hostNames, false);
}

TlsIdentity TestCertificates::Make(const std::vector<std::string>& hostNames, bool signedByAuthority)
{
    const std::string base = "server" + std::to_string(++issued_);
    const std::string config = PathOf(base + ".cnf");
    TlsIdentity identity {PathOf(base + ".pem"), PathOf(base + ".key")};
    WriteFile(config, ServerConfig(hostNames));
    QStringList signing;
    if (signedByAuthority)
        signing = {"-CA", QString::fromStdString(authority_), "-CAkey", QString::fromStdString(authorityKey_)};
    RunRequest(config, identity.keyFile, identity.certificateFile, signing);
    return identity;
}

std::string TestCertificates::PathOf(const std::string& name) const
{
    return directory_.filePath(QString::fromStdString(name)).toStdString();
}
