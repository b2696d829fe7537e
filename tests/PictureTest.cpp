#include "framework/Picture.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
struct ResourceFolder {
    explicit ResourceFolder(const std::string& folder) { SetAppResourceFolder(folder); }
    ~ResourceFolder() { SetAppResourceFolder(""); }
};
}

TEST(Picture, MissingOrUnreadableFileGivesNothing)
{
    QTemporaryDir dir;
    QFile notPicture(dir.filePath("Quorvane1001.png"));
    ASSERT_TRUE(notPicture.open(QIODevice::WriteOnly));
    notPicture.write("not a picture");
    notPicture.close();
    ResourceFolder folder(dir.path().toStdString());
    EXPECT_EQ(Picture::_OpenFromApp("Quorvane250.png"), nullptr);
    EXPECT_EQ(Picture::_OpenFromApp("Quorvane1001.png"), nullptr);
}

TEST(Picture, ApplicationPicturesLieInShareBesideTheBinFolder)
{
    // The build puts executables in bin and the application's pictures in share/quorvane.
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName("quorvane");
    const auto logo = Picture::_OpenFromApp("Quorvane1001.png");
    const auto about = Picture::_OpenFromApp("Quorvane250.png");
    QCoreApplication::setApplicationName(name);
    ASSERT_NE(logo, nullptr);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(logo->Width(), 100);
    EXPECT_EQ(logo->Height(), 100);
    EXPECT_EQ(about->Width(), 353);
    EXPECT_EQ(about->Height(), 268);
    EXPECT_EQ(Picture::_OpenFromApp("Quorvane100.png"), nullptr);
}
