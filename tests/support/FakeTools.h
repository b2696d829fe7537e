#pragma once

#include <QByteArray>
#include <QTemporaryDir>

#include <string>
#include <vector>

// Puts the fake desktop tools of tests/fakes (xdg-open, ping) first on PATH and reads back how
// they were called: one call each, the tool's name followed by its arguments.
class FakeTools {
public:
    FakeTools();
    ~FakeTools();

    using Call = std::vector<std::string>;
    std::vector<Call> Calls() const;
    // The calls once there are at least count of them, or after ten seconds: tools started
    // detached record their call in their own time.
    std::vector<Call> WaitForCalls(std::size_t count) const;

private:
    QTemporaryDir dir_;
    QByteArray path_;
};
