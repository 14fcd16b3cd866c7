// Little- and big-endian integer access on raw byte buffers, as the DBF, FPT
// and CDX formats mix both orders.
#pragma once

#include <cstdint>

namespace xbase {

inline uint16_t getLE16(const void* p) {
  auto b = static_cast<const unsigned char*>(p);
  return uint16_t(b[0] | (b[1] << 8));
}
inline uint32_t getLE32(const void* p) {
  auto b = static_cast<const unsigned char*>(p);
  return uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24);
}
inline uint32_t getBE32(const void* p) {
  auto b = static_cast<const unsigned char*>(p);
  return (uint32_t(b[0]) << 24) | (uint32_t(b[1]) << 16) | (uint32_t(b[2]) << 8) | uint32_t(b[3]);
}
inline uint16_t getBE16(const void* p) {
  auto b = static_cast<const unsigned char*>(p);
  return uint16_t((b[0] << 8) | b[1]);
}
inline void putLE16(void* p, uint16_t v) {
  auto b = static_cast<unsigned char*>(p);
  b[0] = uint8_t(v);
  b[1] = uint8_t(v >> 8);
}
inline void putLE32(void* p, uint32_t v) {
  auto b = static_cast<unsigned char*>(p);
  for (int i = 0; i < 4; ++i) b[i] = uint8_t(v >> (8 * i));
}
inline void putBE32(void* p, uint32_t v) {
  auto b = static_cast<unsigned char*>(p);
  for (int i = 0; i < 4; ++i) b[i] = uint8_t(v >> (8 * (3 - i)));
}
inline void putBE16(void* p, uint16_t v) {
  auto b = static_cast<unsigned char*>(p);
  b[0] = uint8_t(v >> 8);
  b[1] = uint8_t(v);
}

}  // namespace xbase
