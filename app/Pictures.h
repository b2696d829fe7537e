#pragma once

#include "framework/Picture.h"

#include <memory>

// The application's pictures, read from its resources on first use and shared from then on.
// While a file cannot be read, each call tries it again and gives nullptr.

// The main window's logo, from "Quorvane1001.png".
std::shared_ptr<Picture> Quorvane100();
// The About window's picture, from "Quorvane250.png".
std::shared_ptr<Picture> Quorvane250();
