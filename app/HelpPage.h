#pragma once

// The product's help page. The product has no help site yet: the host is under a reserved example domain.
inline constexpr const char* kHelpPageAddress = "http://help.quorvane.example/quorvane.html";
