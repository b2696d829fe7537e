#include "SaveDialog.h"

#include "FileType.h"
#include "Runtime.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
SaveDialogHook& Hook()
{
    static SaveDialogHook hook;
    return hook;
}

QString DocumentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists())
        return documents;
    return QDir::homePath();
}

// The name comes from outside the program (a language's name, for one): a separator in it, or
// a NUL that would end the path early, must not lead the proposal out of the folder.
QString FileNameOf(const std::string& proposedName)
{
    return QString::fromStdString(proposedName).replace(QChar('/'), QChar('-')).replace(QChar(0), QChar('-'));
}
}

void SetSaveDialogHook(SaveDialogHook hook)
{
    Hook() = std::move(hook);
}

std::optional<FolderItem> GetSaveFolderItem(const std::string& filter, const std::string& proposedName)
{
    RequireMainThread();
    const std::string nameFilter = _RegisteredFileTypeFilter(filter).value_or("");
    const QString proposedPath = QDir(DocumentsFolder()).filePath(FileNameOf(proposedName));
    if (Hook()) {
        const std::optional<std::string> chosen = Hook()(nameFilter, proposedPath.toStdString());
        if (!chosen)
            return std::nullopt;
        return FolderItem(*chosen);
    }
    // Qt's own dialog: it needs no desktop portal and behaves the same on every desktop.
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!nameFilter.empty())
        dialog.setNameFilter(QString::fromStdString(nameFilter));
    dialog.setDirectory(QFileInfo(proposedPath).absolutePath());
    dialog.selectFile(proposedPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return FolderItem(dialog.selectedFiles().first().toStdString());
}
