#pragma once

#include <QImage>

#include <memory>
#include <string>

// An image, shared by everything that shows it.
class Picture {
public:
    explicit Picture(QImage image) : image_(std::move(image)) {}

    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    const QImage& Image() const { return image_; }

    // The picture in the file of that name among the application's resources, or nullptr
    // when there is no such file or it holds no picture.
    static std::shared_ptr<Picture> _OpenFromApp(const std::string& fileName);

private:
    QImage image_;
};

// The folder of the application's resources: share/<application name> beside the executable's
// bin folder, in the build tree as after installing.
std::string AppResourceFolder();

// Test hook: while set, the resources are read from that folder instead. Empty restores it.
void SetAppResourceFolder(const std::string& folder);
