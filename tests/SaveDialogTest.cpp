#include "framework/SaveDialog.h"
#include "framework/FileType.h"
#include "framework/TextOutputStream.h"
#include "tests/RealSaveDialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
// A home folder of the test's own, so that the documents folder is known.
class SaveDialogTest : public ::testing::Test {
protected:
    SaveDialogTest()
    {
        text_.SetName("text/plain");
        text_.SetExtensions(".text;.txt");
        text_.ToString();
    }
    ~SaveDialogTest() override { SetSaveDialogHook({}); }
    std::string Home(const char* path) const { return dir_.filePath(path).toStdString(); }

    // Answers the hook as the user would, keeping what the dialog would have shown.
    void Answer(std::optional<std::string> chosen)
    {
        SetSaveDialogHook([this, chosen](const std::string& filter, const std::string& proposedPath) {
            shown_.push_back({filter, proposedPath});
            return chosen;
        });
    }

    QTemporaryDir dir_;
    HomeFolder home_ {dir_.path()};
    FileType text_;
    std::vector<std::pair<std::string, std::string>> shown_;
};

// What the real dialog showed, read while it is open.
struct DialogView {
    QStringList nameFilters;
    QStringList selectedFiles;
    QString directory;
    bool ownWidgets = false;
    bool confirmsReplacing = false;
    bool saves = false;
};

void InspectNextDialog(DialogView& view, bool accept)
{
    QTimer::singleShot(0, [&view, accept] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        view = {dialog->nameFilters(), dialog->selectedFiles(), dialog->directory().path(),
            dialog->testOption(QFileDialog::DontUseNativeDialog), !dialog->testOption(QFileDialog::DontConfirmOverwrite),
            dialog->acceptMode() == QFileDialog::AcceptSave};
        QDialog* asDialog = dialog;
        accept ? asDialog->accept() : asDialog->reject();
    });
}
}

TEST_F(SaveDialogTest, HookSeesTheFilterAndTheNameInTheDocumentsFolder)
{
    Answer(Home("chosen.txt"));
    auto chosen = GetSaveFolderItem(text_.ToString(), "English.txt");
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->NativePath(), Home("chosen.txt"));
    ASSERT_TRUE(QDir(dir_.path()).mkdir("Documents"));
    GetSaveFolderItem("text/plain", "Deutsch (Deutschland).txt");

    ASSERT_EQ(shown_.size(), 2u);
    EXPECT_EQ(shown_[0].first, "Text files (*.text *.txt)");
    EXPECT_EQ(shown_[0].second, Home("English.txt")) << "home when there is no documents folder";
    EXPECT_EQ(shown_[1].second, Home("Documents/Deutsch (Deutschland).txt"));
}

TEST_F(SaveDialogTest, EachDialogOpensWhereThisRunLastSavedAFile)
{
    for (const char* folder : {"Documents", "elsewhere", "other"})
        ASSERT_TRUE(QDir(dir_.path()).mkdir(folder));
    const auto proposed = [this](const std::optional<std::string>& chosen) {
        Answer(chosen);
        const auto item = GetSaveFolderItem("text/plain", "English.txt");
        EXPECT_EQ(item.has_value(), chosen.has_value());
        return std::pair {shown_.back().second, item};
    };
    // Chosen, but not saved: the stream is dropped before Close.
    TextOutputStream::Create(*proposed(Home("other/English.txt")).second)->Write("dropped");
    EXPECT_EQ(proposed(std::nullopt).first, Home("Documents/English.txt"));

    const auto [shown, chosen] = proposed(Home("elsewhere/English.txt"));
    EXPECT_EQ(shown, Home("Documents/English.txt"));
    TextOutputStream::Create(*chosen)->Close();
    EXPECT_EQ(proposed(std::nullopt).first, Home("elsewhere/English.txt"));
    EXPECT_EQ(proposed(std::nullopt).first, Home("elsewhere/English.txt"));

    ASSERT_TRUE(QDir(QString::fromStdString(Home("elsewhere"))).removeRecursively());
    EXPECT_EQ(proposed(std::nullopt).first, Home("Documents/English.txt")) << "a folder no longer there";
}

TEST_F(SaveDialogTest, CancelledDialogGivesNothing)
{
    Answer(std::nullopt);
    EXPECT_FALSE(GetSaveFolderItem("text/plain", "English.txt"));
    EXPECT_EQ(shown_.size(), 1u);
}

TEST_F(SaveDialogTest, UnregisteredTypeFiltersNothing)
{
    Answer(std::nullopt);
    GetSaveFolderItem("text/unknown", "English.txt");
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].first, "");
}

TEST_F(SaveDialogTest, DialogProposesTheNameWithTheFilterAndAsksBeforeReplacing)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir("Documents"));
    DialogView view;
    InspectNextDialog(view, false);
    EXPECT_FALSE(GetSaveFolderItem("text/plain", "English.txt"));
    EXPECT_EQ(view.nameFilters, QStringList {"Text files (*.text *.txt)"});
    EXPECT_EQ(view.selectedFiles, QStringList {QString::fromStdString(Home("Documents/English.txt"))});
    EXPECT_EQ(view.directory, QString::fromStdString(Home("Documents")));
    EXPECT_TRUE(view.ownWidgets);
    EXPECT_TRUE(view.confirmsReplacing);
    EXPECT_TRUE(view.saves);

    InspectNextDialog(view, true);
    const auto chosen = GetSaveFolderItem("text/plain", "English.txt");
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->NativePath(), Home("Documents/English.txt"));
}

TEST_F(SaveDialogTest, TheProposedNameStaysAFileOfTheDocumentsFolder)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir("Documents"));
    Answer(std::nullopt);
    for (const std::string& name : std::vector<std::string> {"../../x.txt", "/etc/x.txt", "a/b.txt", std::string("a\0b.txt", 7)})
        GetSaveFolderItem("text/plain", name);
    ASSERT_EQ(shown_.size(), 4u);
    EXPECT_EQ(shown_[0].second, Home("Documents/..-..-x.txt"));
    EXPECT_EQ(shown_[1].second, Home("Documents/-etc-x.txt"));
    EXPECT_EQ(shown_[2].second, Home("Documents/a-b.txt"));
    EXPECT_EQ(shown_[3].second, Home("Documents/a-b.txt"));
}

// The name comes from outside the program: whatever it holds, Save writes the very file whose
// name the dialog shows, and that name is the one given but for each character that would make
// the dialog read it, or a file manager show it, as another name: each of those becomes "-";
// then a name longer than a folder takes is cut before its extension.
TEST_F(SaveDialogTest, SaveWritesTheFileWhoseNameTheDialogShows)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir("Documents"));
    const auto times = [](std::size_t count, const std::string& piece) {
        std::string text;
        for (std::size_t i = 0; i < count; ++i)
            text += piece;
        return text;
    };
    const struct {
        std::string given, shown;
    } cases[] = {
        {"English.txt", "English.txt"},
        {"Português (Brasil).txt", "Português (Brasil).txt"},
        {"中文（简体） - 台灣.txt", "中文（简体） - 台灣.txt"},
        {"עברית + فارسی\u200c.txt", "עברית + فارسی\u200c.txt"},
        {"a~b $HOME *?[x] \\.txt", "a~b $HOME *?[x] \\.txt"},
        {"Q\".bashrc\".txt", "Q-.bashrc-.txt"},
        {"\"a\" \"b\".txt", "-a- -b-.txt"},
        {"~root", "-root"},
        {"tab\tline\nreturn\r.txt", "tab-line-return-.txt"},
        {"\x1b[31mred\x1b[0m\x7f.txt", "-[31mred-[0m-.txt"},
        {"\u0085next\u009b2J.txt", "-next-2J.txt"},
        {"Eng\u202etxt.exe", "Eng-txt.exe"},
        {"\u202a\u202b\u202c\u202d\u202e\u2066\u2067\u2068\u2069\u200e\u200f\u061c.txt", "------------.txt"},
        {"line\u2028paragraph\u2029.txt", "line-paragraph-.txt"},
        {times(300, "\u00e9") + ".txt", times(125, "\u00e9") + ".txt"},
        {"a" + times(300, "\u00e9") + ".txt", "a" + times(125, "\u00e9") + ".txt"},
        {times(100, "\U0001F600") + ".txt", times(62, "\U0001F600") + ".txt"},
        {times(100, "\u202e") + ".txt", times(100, "-") + ".txt"},
        {std::string(300, '\xFF') + ".txt", times(83, "\uFFFD") + ".txt"},
        {std::string(300, 'x'), std::string(255, 'x')},
        {"a." + std::string(300, 'x'), "a." + std::string(253, 'x')},
    };
    const QString documents = QString::fromStdString(Home("Documents"));
    for (const auto& c : cases) {
        SaveDialogUser user(1);
        const auto chosen = GetSaveFolderItem("text/plain", c.given);
        ASSERT_EQ(user.Dialogs().size(), 1u) << c.given;
        const SaveDialogUser::Seen& seen = user.Dialogs()[0];
        EXPECT_EQ(seen.fileName.toStdString(), c.shown) << c.given;
        EXPECT_EQ(seen.folder, documents) << c.given;
        EXPECT_TRUE(seen.closedOnSave) << c.given;
        EXPECT_EQ(chosen ? chosen->NativePath() : "(cancelled)", (seen.folder + "/" + seen.fileName).toStdString()) << c.given;
        EXPECT_TRUE(QFile(seen.folder + "/" + seen.fileName).open(QIODevice::WriteOnly)) << c.given << ": the folder takes the name";
    }
}
