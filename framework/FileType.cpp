#include "framework/FileType.h"

#include <QString>
#include <QStringList>

#include <map>

namespace {
struct Registration {
    const FileType* type;
    std::string filter;
};

// Never destroyed: file types held by static objects outlive every other static.
std::map<std::string, Registration>& Registry()
{
    static auto* registry = new std::map<std::string, Registration>;
    return *registry;
}

// On Linux a registered type means a filter of the save dialog: a description made from the
// name's media type ("text/plain" gives "Text files") and a pattern for each extension.
std::string DialogFilter(const std::string& name, const std::string& extensions)
{
    QString kind = QString::fromStdString(name).section(u'/', 0, 0);
    if (!kind.isEmpty())
        kind[0] = kind[0].toUpper();
    QStringList patterns;
    for (QString extension : QString::fromStdString(extensions).split(u';')) {
        extension = extension.trimmed();
        if (extension.startsWith(u'.'))
            extension.remove(0, 1);
        if (!extension.isEmpty())
            patterns << "*." + extension;
    }
    if (patterns.isEmpty())
        patterns << "*";
    return (kind + " files (" + patterns.join(u' ') + ")").toStdString();
}
}

FileType::~FileType()
{
    Unregister();
}

std::string FileType::ToString()
{
    if (!IsRegistered()) {
        Registry()[name_] = Registration {this, DialogFilter(name_, extensions_)};
        ++registrationCount_;
    }
    return name_;
}

bool FileType::IsRegistered() const
{
    const auto found = Registry().find(name_);
    return found != Registry().end() && found->second.type == this;
}

void FileType::Unregister()
{
    if (IsRegistered())
        Registry().erase(name_);
}

std::optional<std::string> _RegisteredFileTypeFilter(const std::string& name)
{
    const auto found = Registry().find(name);
    if (found == Registry().end())
        return std::nullopt;
    return found->second.filter;
}
