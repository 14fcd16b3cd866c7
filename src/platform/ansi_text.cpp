#include "ansi_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace platform {

QString fromFileText(const std::string& text) {
  QStringDecoder decode("Windows-1252");
  return decode(QByteArray::fromStdString(text));
}

std::string toFileText(const QString& text) {
  QStringEncoder encode("Windows-1252");
  QByteArray bytes = encode(text);
  return bytes.toStdString();
}

}  // namespace platform
