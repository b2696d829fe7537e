#include "framework/QtConversions.h"

QString DisplayText(const std::string& text)
{
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QColor ToQColor(Color color)
{
    return QColor(color.Red(), color.Green(), color.Blue());
}
