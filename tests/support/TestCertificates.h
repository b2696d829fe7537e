#pragma once

#include <QTemporaryDir>

#include <string>
#include <vector>

// A server certificate with its key, as PEM files.
struct TlsIdentity {
    std::string certificateFile;
    std::string keyFile;
};

// A certificate authority made for one test, and the server certificates it signs, as files in
// a temporary directory that goes with the object. Made with the openssl command; no key is
// kept anywhere else.
class TestCertificates {
public:
    TestCertificates();

    // The authority's certificate, to be trusted by the client.
    const std::string& AuthorityFile() const;
    // A certificate for these host names, signed by the authority.
    TlsIdentity Issue(const std::vector<std::string>& hostNames);
    // A certificate for these host names that signs itself, so that no authority vouches for it.
    TlsIdentity IssueSelfSigned(const std::vector<std::string>& hostNames);

private:
    TlsIdentity Make(const std::vector<std::string>& hostNames, bool signedByAuthority);
    std::string PathOf(const std::string& name) const;

    QTemporaryDir directory_;
    std::string authority_;
    std::string authorityKey_;
    int issued_ = 0;
};
