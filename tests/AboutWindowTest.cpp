#include "app/Pictures.h"
#include "app/aboutWin.h"
#include "tests/ProgramTest.h"
#include "transcript_window/Window1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <vector>

namespace {
const char* const kFirstParagraph
    = "Quorvane is a tool to make it easy to retrieve transcripts from captioned YouTube videos. When you insert a YouTube video "
      "URL and hit the Search button, it will provide you with a list of transcripts in different languages that are available "
      "for that video to download. They can be saved as paragraph text or line-by-line with or without timecode. Hope this makes "
      "your life a little better!";

const char* const kControlNames[] = {"Label1", "BevelButton1", "Label2", "Label3", "Label4", "Canvas1"};

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\r', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

int AboutWindowsOpen()
{
    const std::vector<Window*> open = OpenWindows();
    return static_cast<int>(std::count_if(open.begin(), open.end(), [](Window* w) { return dynamic_cast<aboutWin*>(w); }));
}

// The About window is reached from an open main window, so closing it never closes the last window.
class AboutWindowTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        main_ = &instance::Window1();
    }

    Window1* main_ = nullptr;
};
}

TEST_F(AboutWindowTest, IsAResizableWindowOfTheDeclaredSizeWithCloseAndMinimiseButNoMaximise)
{
    aboutWin& about = instance::aboutWin();
    EXPECT_TRUE(about.IsVisible()) << "visible once built, before any Show";
    about.Show();
    QCoreApplication::processEvents();

    QMainWindow* top = about.TopLevelWidget();
    EXPECT_EQ(top->windowTitle(), "About Quorvane");
    EXPECT_EQ(about.ContentArea()->size(), QSize(396, 564));
    EXPECT_TRUE(about.Resizeable());
    EXPECT_EQ(about.ContentArea()->minimumSize(), QSize(64, 64));
    EXPECT_EQ(about.ContentArea()->maximumSize(), QSize(32000, 32000));
    const Qt::WindowFlags flags = top->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowFullscreenButtonHint);
    EXPECT_EQ(about.ClassName(), "aboutWin.aboutWin");
    EXPECT_EQ(_GetImplicitWindow("aboutWin.aboutWin"), &about);
}

TEST_F(AboutWindowTest, ItsSixControlsStandWhereDeclaredWithTheirTextsFontsAndColours)
{
    struct Look {
        const char* name;
        QRect box;
        const char* text;
        int pixelSize; // 0: the desktop's default size
        bool italic;
        QColor color;
        Qt::Alignment align;
    };
    const QColor black(0, 0, 0);
    const std::vector<Look> labels = {
        {"Label2", {85, 237, 225, 41}, "Quorvane", 24, false, QColor(105, 122, 233), Qt::AlignHCenter},
        {"Label3", {127, 265, 141, 32}, "for YouTube", 18, true, QColor(148, 53, 51), Qt::AlignHCenter},
        {"Label4", {255, 272, 121, 20}, "version 1.0", 0, false, black, Qt::AlignHCenter},
    };
    aboutWin& about = instance::aboutWin();
    QCoreApplication::processEvents();
    const int defaultPixelSize = QFontInfo(QApplication::font()).pixelSize();

    // Made in the declared order, so each stacks above those before it.
    EXPECT_EQ(about.ControlCount(), 6);
    const QList<QWidget*> widgets = about.ContentArea()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(widgets.size(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(widgets[i], about._ControlByName(kControlNames[i]).Widget()) << kControlNames[i];

    for (const Look& look : labels) {
        Label& label = about._ControlByName<Label>(look.name);
        auto* widget = static_cast<QLabel*>(label.Widget());
        EXPECT_EQ(widget->geometry(), look.box) << look.name;
        EXPECT_EQ(label.Text(), look.text);
        EXPECT_EQ(widget->text(), look.text);
        EXPECT_EQ(QFontInfo(widget->font()).pixelSize(), look.pixelSize ? look.pixelSize : defaultPixelSize) << look.name;
        EXPECT_EQ(widget->font().italic(), look.italic) << look.name;
        EXPECT_FALSE(widget->font().bold()) << look.name;
        EXPECT_EQ(widget->palette().color(QPalette::WindowText), look.color) << look.name;
        EXPECT_EQ(widget->alignment() & Qt::AlignHorizontal_Mask, look.align) << look.name;
        EXPECT_FALSE(widget->wordWrap()) << look.name;
        EXPECT_LE(widget->fontMetrics().horizontalAdvance(widget->text()), widget->width()) << look.name << " is cut off";
        EXPECT_LE(widget->fontMetrics().height(), widget->height()) << look.name << " is cut off";
    }

    auto* text = static_cast<QLabel*>(about.Label1().Widget());
    EXPECT_EQ(text->geometry(), QRect(17, 296, 356, 248));
    EXPECT_EQ(text->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_EQ(text->palette().color(QPalette::WindowText), black);
    EXPECT_EQ(QFontInfo(text->font()).pixelSize(), defaultPixelSize);
    EXPECT_FALSE(text->font().italic());
    EXPECT_TRUE(text->wordWrap());
    EXPECT_EQ(text->textInteractionFlags(), Qt::NoTextInteraction);
    // The whole text, wrapped at the label's width, ends above the Close button in its lower right corner.
    EXPECT_LE(text->heightForWidth(text->width()), 522 - 296);

    auto* close = static_cast<QPushButton*>(about.BevelButton1().Widget());
    EXPECT_EQ(close->geometry(), QRect(300, 522, 73, 22));
    EXPECT_EQ(close->text(), "Close");
    EXPECT_EQ(about.BevelButton1().Caption(), "Close");
    EXPECT_EQ(close->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(close->icon().isNull());
    EXPECT_LE(close->fontMetrics().horizontalAdvance(close->text()), close->width());

    Canvas& canvas = about.Canvas1();
    EXPECT_EQ(canvas.Widget()->geometry(), QRect(70, 0, 353, 268));
    EXPECT_TRUE(canvas.Transparent());
    EXPECT_FALSE(canvas.AcceptFocus());
    for (const char* name : kControlNames) {
        EXPECT_TRUE(about._ControlByName(name).Enabled()) << name;
        EXPECT_TRUE(about._ControlByName(name).Widget()->isVisible()) << name;
    }
}

TEST_F(AboutWindowTest, TheAboutTextIsItsParagraphThenTheAuthorTheSupportAddressAndTwoClosingLines)
{
    const std::string text = instance::aboutWin().Label1().Text();
    EXPECT_EQ(text.find('\n'), std::string::npos) << "lines are separated by CR alone";
    EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) << "plain ASCII";

    const std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(lines.size(), 7u) << text;
    EXPECT_EQ(lines[0], kFirstParagraph);
    EXPECT_EQ(lines[1], "");
    EXPECT_NE(lines[2].find("the Quorvane developers"), std::string::npos) << lines[2];
    EXPECT_EQ(lines[3], "");
    // An address under a domain reserved for examples, so that no real mailbox is named.
    const QRegularExpression reservedAddress(R"([A-Za-z0-9._%+-]+@([A-Za-z0-9-]+\.)*(example|example\.(com|net|org))\b)");
    EXPECT_TRUE(reservedAddress.match(QString::fromStdString(lines[4])).hasMatch()) << lines[4];
    EXPECT_FALSE(lines[5].empty());
    EXPECT_FALSE(lines[6].empty());

    // Each CR shows as a line break.
    auto* label = static_cast<QLabel*>(instance::aboutWin().Label1().Widget());
    EXPECT_EQ(label->text().split('\n').size(), 7);
    EXPECT_EQ(label->text().split('\n').front().toStdString(), kFirstParagraph);
}

// The pictures' caches live as long as the process: this is the one test here that fills one.
TEST_F(AboutWindowTest, ThePictureIsTheCanvasBackdropOrNothingWhenItsFileIsMissing)
{
    aboutWin& without = instance::aboutWin();
    EXPECT_TRUE(without.IsOpen());
    EXPECT_TRUE(without.IsVisible());
    EXPECT_EQ(without.Canvas1().Backdrop(), nullptr);
    EXPECT_TRUE(messages.empty());
    without.Close();

    ASSERT_TRUE(QFile::copy(QUORVANE_PICTURES_DIR "/Quorvane250.png", QDir(resources_.path()).filePath("Quorvane250.png")));
    aboutWin& with = instance::aboutWin();
    std::shared_ptr<Picture> picture = with.Canvas1().Backdrop();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture, Quorvane250());
    EXPECT_EQ(QSize(picture->Width(), picture->Height()), QSize(353, 268));

    // The canvas stacks above the name and "for YouTube", which it overlaps: drawn, they must still show.
    const QImage shown = with.ContentArea()->grab().toImage();
    for (Label* label : {&with.Label2(), &with.Label3()}) {
        const QColor ink = static_cast<QLabel*>(label->Widget())->palette().color(QPalette::WindowText);
        int inked = 0;
        const QRect box = label->Widget()->geometry();
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                inked += shown.pixelColor(x, y) == ink;
        EXPECT_GT(inked, 20) << label->Text() << " is hidden";
    }
    with.Close();
    EXPECT_EQ(instance::aboutWin().Canvas1().Backdrop(), picture) << "a later About window shows the same picture";
}

TEST_F(AboutWindowTest, AboutTwiceGivesOneWindowAndAfterCloseAFreshOne)
{
    aboutWin& first = instance::aboutWin();
    EXPECT_EQ(&instance::aboutWin(), &first);
    first.Show();
    EXPECT_EQ(AboutWindowsOpen(), 1);
    const std::string text = first.Label1().Text();

    QTest::mouseClick(first.BevelButton1().Widget(), Qt::LeftButton);
    EXPECT_FALSE(first.IsOpen());
    EXPECT_EQ(_GetImplicitWindow(aboutWin::kClassName), nullptr);
    EXPECT_EQ(AboutWindowsOpen(), 0);

    aboutWin& second = instance::aboutWin();
    EXPECT_NE(&second, &first);
    EXPECT_TRUE(second.IsOpen());
    EXPECT_EQ(second.ControlCount(), 6);
    EXPECT_EQ(second.Label1().Text(), text);
    EXPECT_EQ(second.Label2().Text(), "Quorvane");
    EXPECT_EQ(AboutWindowsOpen(), 1);
}

TEST_F(AboutWindowTest, CloseAndTheCloseBoxEachCloseItAndLeaveTheMainWindowAsItWas)
{
    main_->TextField1().SetText("https://www.youtube.com/watch?v=abcdefghijk");
    main_->Listbox1().AddRow("English");
    main_->lineBox().SetValue(true);
    main_->Show();

    const std::vector<std::function<void(aboutWin&)>> closings = {
        [](aboutWin& about) { QTest::mouseClick(about.BevelButton1().Widget(), Qt::LeftButton); },
        [](aboutWin& about) { about.TopLevelWidget()->close(); },
    };
    for (const auto& close : closings) {
        aboutWin& about = instance::aboutWin();
        QPointer<QMainWindow> widget = about.TopLevelWidget();
        close(about);
        EXPECT_FALSE(about.IsOpen());
        EXPECT_FALSE(widget->isVisible());
        EXPECT_EQ(OpenWindows(), std::vector<Window*> {main_});
        QCoreApplication::processEvents();
        EXPECT_TRUE(widget.isNull()) << "a closed About window goes with its controls";

        EXPECT_TRUE(main_->IsOpen());
        EXPECT_TRUE(main_->IsVisible());
        EXPECT_EQ(main_->TextField1().Text(), "https://www.youtube.com/watch?v=abcdefghijk");
        EXPECT_EQ(main_->Listbox1().ListCount(), 1);
        EXPECT_TRUE(main_->lineBox().Value());
        EXPECT_TRUE(main_->openBox().Value());
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(AboutWindowTest, ResizingMovesAndStretchesNoControl)
{
    aboutWin& about = instance::aboutWin();
    about.Show();
    QCoreApplication::processEvents();
    std::vector<QRect> declared;
    for (const char* name : kControlNames)
        declared.push_back(about._ControlByName(name).Widget()->geometry());

    QMainWindow* top = about.TopLevelWidget();
    const int menuHeight = top->height() - about.ContentArea()->height();
    for (QSize content : {QSize(900, 1000), QSize(64, 64), QSize(200, 300)}) {
        top->resize(content.width(), content.height() + menuHeight);
        QCoreApplication::processEvents();
        EXPECT_EQ(about.ContentArea()->size(), content);
        for (std::size_t i = 0; i < declared.size(); ++i)
            EXPECT_EQ(about._ControlByName(kControlNames[i]).Widget()->geometry(), declared[i])
                << kControlNames[i] << " at " << content.width();
    }
    top->resize(20, 20);
    QCoreApplication::processEvents();
    EXPECT_EQ(about.ContentArea()->size(), QSize(64, 64)) << "never smaller than 64 x 64";
}
