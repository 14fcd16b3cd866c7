#include "tag_identifier.h"

namespace data {

std::string toBase36(uint64_t n) {
  static const char* digits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string out;
  uint64_t power = 1;
  for (int i = 0; i < 5; ++i) power *= 36;  // 36^5: the sixth digit's weight
  for (int i = 0; i < 6; ++i, power /= 36) {
    uint64_t d = n / power;
    n -= d * power;
    if (d == 0 && out.empty()) continue;
    out.push_back(digits[d % 36]);
  }
  return out;
}

std::string makeTagIdentifier(const platform::DateTime& when) {
  uint64_t time = uint64_t(when.month) * 100000000ull + uint64_t(when.day) * 1000000ull +
                  uint64_t(when.hour) * 10000ull + uint64_t(when.minute) * 100ull + uint64_t(when.second);
  int years = when.year - 1995;
  return toBase36(uint64_t(years > 0 ? years : 0)) + toBase36(time);
}

std::string makeNewTagIdentifier(const platform::DateTime& when, const std::string& previous) {
  platform::DateTime t = when;
  std::string id = makeTagIdentifier(t);
  for (int i = 0; id == previous && i < 120; ++i) {
    // One second on; minutes and hours roll over, the date does not need to.
    if (++t.second == 60) {
      t.second = 0;
      if (++t.minute == 60) {
        t.minute = 0;
        t.hour = (t.hour + 1) % 24;
      }
    }
    id = makeTagIdentifier(t);
  }
  return id;
}

}  // namespace data
