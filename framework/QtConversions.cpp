#include "framework/QtConversions.h"

#include "framework/text/Text.h"

QString DisplayText(const std::string& text)
{
    return QString::fromStdString(ReplaceLineEndings(text, "\n"));
}

QColor ToQColor(Color color)
{
    return QColor(color.Red(), color.Green(), color.Blue());
}
