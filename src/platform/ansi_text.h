// Text in the 8-bit Windows code page (Windows-1252) that tables and layout
// files keep, to and from Qt's strings.
#pragma once

#include <QString>
#include <string>

namespace platform {

QString fromFileText(const std::string& text);
std::string toFileText(const QString& text);

}  // namespace platform
