#include "postnet_code.h"

namespace design {

namespace {

// 1 = tall bar, left to right, per digit.
const char* const kPatterns[10] = {"11000", "00011", "00101", "00110", "01001",
                                   "01010", "01100", "10001", "10010", "10100"};

}  // namespace

std::string digitsOf(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c >= '0' && c <= '9') out.push_back(c);
  return out;
}

char checkDigit(const std::string& digits) {
  int sum = 0;
  for (char c : digits) sum += c - '0';
  return char('0' + (10 - sum % 10) % 10);
}

std::string deliveryPoint(const std::string& street) {
  std::string a = street;
  for (char& c : a)
    if (c >= 'a' && c <= 'z') c = char(c - 32);
  if (a.find("APO") != std::string::npos || a.find("FPO") != std::string::npos) return "99";
  std::string r = "  ";
  bool fraction = false, ordinal = false, first = false, second = false;
  for (std::size_t k = a.size(); k-- > 0;) {
    const char c = a[k];
    const std::string t = a.substr(k, 2);
    if (c >= '0' && c <= '9') {
      if (fraction || ordinal || (first && second)) continue;
      if (first) {
        r[0] = c;
        second = true;
      } else {
        r[1] = c;
        first = true;
      }
    } else if (c == ' ') {
      if (first || second) break;
      fraction = false;
      ordinal = false;
    } else if (c == '/' && (first || second)) {
      fraction = true;
      first = second = false;
      r = "  ";
    } else if (first && !second) {
      r[0] = '0';
      second = true;
    } else if (t == "ST" || t == "ND" || t == "RD" || t == "TH") {
      ordinal = true;
    }
  }
  if (r == "  ") return "99";
  if (r[0] == ' ') r[0] = '0';
  return r;
}

std::string postNetDigits(const std::string& zip, const std::string& street, PostNetType type) {
  if (zip.size() < 5 || zip < "00000" || zip > "99999-9999") return {};
  std::string t = zip;
  if (type == PostNetType::ElevenDigit) t += deliveryPoint(street);
  std::string d = digitsOf(t);
  if (type == PostNetType::FiveDigit) d = d.substr(0, 5);
  return d + checkDigit(d);
}

std::vector<bool> postNetBars(const std::string& codeDigits) {
  std::vector<bool> bars{true};
  for (char c : codeDigits) {
    if (c < '0' || c > '9') continue;
    for (const char* p = kPatterns[c - '0']; *p; ++p) bars.push_back(*p == '1');
  }
  bars.push_back(true);
  return bars;
}

void printPostNet(print::Canvas& canvas, double x, double y, const std::string& codeDigits) {
  if (codeDigits.empty()) return;
  print::PenSpec pen;  // black, solid, one device pixel, copy mode
  canvas.setPen(pen);
  print::BrushSpec brush;
  brush.color = Qt::black;
  brush.clear = false;
  canvas.setBrush(brush);
  for (bool tall : postNetBars(codeDigits)) {
    double height = tall ? kPostNetTall : kPostNetShort;
    canvas.fillRect(x, y + kPostNetTall - height, x + kPostNetBarWidth, y + kPostNetTall, Qt::black);
    x += kPostNetPitch;
  }
}

}  // namespace design
