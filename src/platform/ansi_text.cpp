#include "ansi_text.h"

namespace platform {

namespace {

// Bytes 0x80-0x9F; the five the code page leaves undefined stand for the
// C1 control characters of the same number.
const char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// A character the code page cannot hold is written as SUB (0x1A).
char encodeOne(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == c) return static_cast<char>(0x80 + i);
  return '\x1A';
}

}  // namespace

QString fromFileText(const std::string& text) {
  QString out(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
  QChar* p = out.data();
  for (char byte : text) {
    const unsigned char b = static_cast<unsigned char>(byte);
    *p++ = QChar(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t(b));
  }
  return out;
}

std::string toFileText(const QString& text) {
  std::string out;
  out.reserve(static_cast<std::size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    char32_t c = text[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      c = QChar::surrogateToUcs4(text[i].unicode(), text[i + 1].unicode());
      ++i;  // one character, one byte
    }
    out.push_back(encodeOne(c));
  }
  return out;
}

}  // namespace platform
