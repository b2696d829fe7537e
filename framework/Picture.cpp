#include "framework/Picture.h"

#include <QCoreApplication>
#include <QDir>

namespace {
std::string& ResourceFolderOverride()
{
    static std::string folder;
    return folder;
}
}

std::string AppResourceFolder()
{
    if (!ResourceFolderOverride().empty())
        return ResourceFolderOverride();
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/" + QCoreApplication::applicationName()).toStdString();
}

void SetAppResourceFolder(const std::string& folder)
{
    ResourceFolderOverride() = folder;
}

std::shared_ptr<Picture> Picture::_OpenFromApp(const std::string& fileName)
{
    QImage image(QDir(QString::fromStdString(AppResourceFolder())).filePath(QString::fromStdString(fileName)));
    if (image.isNull())
        return nullptr;
    return std::make_shared<Picture>(std::move(image));
}
