#include "framework/SaveDialog.h"

#include "framework/FileType.h"
#include "framework/ProgramBoundary.h"
#include "framework/ThreadCheck.h"
#include "framework/text/Text.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

#include <climits>
#include <mutex>
#include <string>

namespace {
SaveDialogHook& Hook()
{
    static SaveDialogHook hook;
    return hook;
}

// Nothing of it is stored: the next run starts in the documents folder again.
struct SavedFolder {
    std::mutex guard;
    std::string path;
};
SavedFolder& LastSaved()
{
    static SavedFolder saved;
    return saved;
}

QString StartFolder()
{
    SavedFolder& saved = LastSaved();
    const QString last = [&] {
        const std::lock_guard lock(saved.guard);
        return QString::fromStdString(saved.path);
    }();
    if (!last.isEmpty() && QDir(last).exists())
        return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists())
        return documents;
    return QDir::homePath();
}

// The name comes from outside the program (a language's name, for one), and Save must write
// the very file whose name the dialog shows: a separator, or a NUL that would end the path
// early, would lead out of the folder; the dialog reads double quotes as a list of names and a
// leading "~" as a home folder; control characters and the bidirectional controls make a file
// manager show another name than the file has.
bool MisleadsInAFileName(QChar c)
{
    switch (c.unicode()) {
    case u'/':
    case u'"':
    case u'\u061c':
    case u'\u200e':
    case u'\u200f':
    case u'\u2028':
    case u'\u2029':
        return true;
    default:
        return c.category() == QChar::Other_Control || (c >= u'\u202a' && c <= u'\u202e') || (c >= u'\u2066' && c <= u'\u2069');
    }
}

// A folder takes names of at most NAME_MAX bytes: a longer name loses the end of what stands
// before its extension, at a character boundary, and keeps the extension.
QString Fitted(const QString& name)
{
    const std::string bytes = name.toStdString();
    if (bytes.size() <= NAME_MAX)
        return name;
    const std::size_t dot = bytes.rfind('.');
    const std::string extension = dot != std::string::npos && bytes.size() - dot < NAME_MAX ? bytes.substr(dot) : "";
    return QString::fromStdString(std::string(LeftBytes(bytes, NAME_MAX - extension.size())) + extension);
}

QString FileNameOf(const std::string& proposedName)
{
    QString name = QString::fromStdString(proposedName);
    for (QChar& c : name) {
        if (MisleadsInAFileName(c))
            c = u'-';
    }
    if (name.startsWith(u'~'))
        name[0] = u'-';
    return Fitted(name);
}
}

void _SavedIn(const std::string& folderPath)
{
    SavedFolder& saved = LastSaved();
    const std::lock_guard lock(saved.guard);
    saved.path = folderPath;
}

void SetSaveDialogHook(SaveDialogHook hook)
{
    Hook() = std::move(hook);
}

std::optional<FolderItem> GetSaveFolderItem(const std::string& filter, const std::string& proposedName)
{
    RequireMainThread();
    if (_RunningForClosedWindow())
        return std::nullopt;
    const std::string nameFilter = _RegisteredFileTypeFilter(filter).value_or("");
    const QString proposedPath = QDir(StartFolder()).filePath(FileNameOf(proposedName));
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
    const ProgramWait wait;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return FolderItem(dialog.selectedFiles().first().toStdString());
}
