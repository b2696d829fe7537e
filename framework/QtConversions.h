#pragma once

#include "framework/PropertyList.h"

#include <QColor>
#include <QString>

#include <string>

// Text as a widget shows it: UTF-8 (invalid bytes as the replacement character), with CR and
// CR LF line endings made line breaks.
QString DisplayText(const std::string& text);

QColor ToQColor(Color color);
