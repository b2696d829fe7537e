#include "tests/support/FakeTools.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

FakeTools::FakeTools() : path_(qgetenv("PATH"))
{
    qputenv("PATH", QByteArray(QUORVANE_FAKES_DIR) + ":" + path_);
    qputenv("FAKES_LOG", dir_.filePath("calls").toLocal8Bit());
}

FakeTools::~FakeTools()
{
    qputenv("PATH", path_);
    qunsetenv("FAKES_LOG");
}

std::vector<FakeTools::Call> FakeTools::Calls() const
{
    QFile log(dir_.filePath("calls"));
    std::vector<Call> calls;
    if (!log.open(QIODevice::ReadOnly))
        return calls;
    for (const QByteArray& line : log.readAll().split('\n')) {
        if (line.isEmpty())
            continue;
        Call call;
        for (const QByteArray& field : line.split('\t'))
            call.push_back(field.toStdString());
        calls.push_back(call);
    }
    return calls;
}

std::vector<FakeTools::Call> FakeTools::WaitForCalls(std::size_t count) const
{
    const QDeadlineTimer deadline(10000);
    while (Calls().size() < count && !deadline.hasExpired())
        QThread::msleep(10);
    return Calls();
}
