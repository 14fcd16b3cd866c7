#include "string_ops.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace xbase {

namespace {

struct CaseTables {
  std::array<char, 256> upper{};
  std::array<char, 256> lower{};
  CaseTables() {
    for (int i = 0; i < 256; ++i) upper[std::size_t(i)] = lower[std::size_t(i)] = char(i);
    auto pair = [this](int u, int l) {
      upper[std::size_t(l)] = char(u);
      lower[std::size_t(u)] = char(l);
    };
    for (int c = 'a'; c <= 'z'; ++c) pair(c - 32, c);
    // Windows-1252 letters with case.
    for (int c = 0xE0; c <= 0xFE; ++c)
      if (c != 0xF7) pair(c - 32, c);
    pair(0x8A, 0x9A);
    pair(0x8C, 0x9C);
    pair(0x8E, 0x9E);
    pair(0x9F, 0xFF);
  }
};

const CaseTables& tables() {
  static const CaseTables t;
  return t;
}

}  // namespace

char upperChar(char c) { return tables().upper[static_cast<unsigned char>(c)]; }
char lowerChar(char c) { return tables().lower[static_cast<unsigned char>(c)]; }

void upperInPlace(char* s, std::size_t n) {
  const auto& t = tables().upper;
  for (std::size_t i = 0; i < n; ++i) s[i] = t[static_cast<unsigned char>(s[i])];
}

void lowerInPlace(char* s, std::size_t n) {
  const auto& t = tables().lower;
  for (std::size_t i = 0; i < n; ++i) s[i] = t[static_cast<unsigned char>(s[i])];
}

int compareChars(std::string_view left, std::string_view right, bool exact) {
  std::size_t n = exact ? std::max(left.size(), right.size()) : right.size();
  std::size_t common = std::min({left.size(), right.size(), n});
  if (common) {
    int c = std::memcmp(left.data(), right.data(), common);
    if (c) return c < 0 ? -1 : 1;
  }
  for (std::size_t i = common; i < n; ++i) {
    unsigned char a = i < left.size() ? static_cast<unsigned char>(left[i]) : ' ';
    unsigned char b = i < right.size() ? static_cast<unsigned char>(right[i]) : ' ';
    if (a != b) return a < b ? -1 : 1;
  }
  return 0;
}

void joinMovingBlanks(std::string_view left, std::string_view right, std::string& out) {
  std::size_t kept = left.size();
  while (kept > 0 && left[kept - 1] == ' ') --kept;
  out.assign(left.data(), kept);
  out.append(right.data(), right.size());
  out.append(left.size() - kept, ' ');
}

}  // namespace xbase
