#include "app/Pictures.h"

namespace {
struct CachedPicture {
    bool initialised = false;
    std::shared_ptr<Picture> picture;
};

std::shared_ptr<Picture> Load(CachedPicture& cached, const char* fileName)
{
    if (!cached.initialised) {
        cached.initialised = true;
        cached.picture.reset();
    }
    if (!cached.picture)
        cached.picture = Picture::_OpenFromApp(fileName);
    return cached.picture;
}

CachedPicture quorvane100;
CachedPicture quorvane250;
}

std::shared_ptr<Picture> Quorvane100()
{
    return Load(quorvane100, "Quorvane1001.png");
}

std::shared_ptr<Picture> Quorvane250()
{
    return Load(quorvane250, "Quorvane250.png");
}
