#include "app/Pictures.h"
#include "tests/ProgramTest.h"
#include "transcript_window/Window1.h"

#include <QDir>
#include <QImage>

namespace {
class PicturesTest : public ProgramTest {
protected:
    void Write(const char* fileName, int size)
    {
        QImage image(size, size, QImage::Format_RGB32);
        image.fill(Qt::blue);
        ASSERT_TRUE(image.save(QDir(resources_.path()).filePath(fileName), "PNG"));
    }
};
}

// The caches live as long as the process, so this test needs one to itself or to run first in it
// (as it does, its file coming first): the controls' test fills the logo's too.
TEST_F(PicturesTest, LoadedOnceFromTheirOwnFilesAndTriedAgainWhileMissing)
{
    // The logo's file is "Quorvane1001.png"; a file named after the accessor is never read.
    Write("Quorvane100.png", 3);
    EXPECT_EQ(Quorvane100(), nullptr);
    EXPECT_EQ(Quorvane100(), nullptr);
    Window1& first = instance::Window1();
    EXPECT_EQ(first.Canvas1().Backdrop(), nullptr);
    first.Close();

    Write("Quorvane1001.png", 5);
    std::shared_ptr<Picture> logo = Quorvane100();
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->Width(), 5);
    // Replaced on disk, it is not read again: every main window shows the one picture.
    Write("Quorvane1001.png", 7);
    EXPECT_EQ(Quorvane100(), logo);
    Window1& second = instance::Window1();
    EXPECT_EQ(second.Canvas1().Backdrop(), logo);

    EXPECT_EQ(Quorvane250(), nullptr);
    Write("Quorvane250.png", 6);
    std::shared_ptr<Picture> about = Quorvane250();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->Width(), 6);
    EXPECT_EQ(Quorvane250(), about);
    EXPECT_NE(about, logo);
}
