#include "framework/FolderItem.h"

#include "framework/DesktopOpener.h"

#include <QFileInfo>

FolderItem::FolderItem(std::string nativePath) : nativePath_(std::move(nativePath))
{
}

std::string FolderItem::Name() const
{
    return QFileInfo(QString::fromStdString(nativePath_)).fileName().toStdString();
}

bool FolderItem::Exists() const
{
    return QFileInfo::exists(QString::fromStdString(nativePath_));
}

void FolderItem::Launch(bool) const
{
    // Absolute, so the opener never mistakes the path for one of its options.
    OpenWithDesktop(QFileInfo(QString::fromStdString(nativePath_)).absoluteFilePath());
}
