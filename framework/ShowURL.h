#pragma once

#include <string>

// Opens the address in the desktop's default browser.
void ShowURL(const std::string& address);
