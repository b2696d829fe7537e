#pragma once

#include "framework/FileType.h"

#include <memory>

// The application's one file type: plain text.
namespace FileTypes1 {
// The text file type; nullptr before start-up has set it up and after shut-down.
std::shared_ptr<FileType> Text();
void _Initialize();
void _Finalize();
}
