#include "element_style.h"

#include <cmath>
#include <cstdlib>

#include "layout_stream.h"
#include "platform/ansi_text.h"
#include "screen_ppi.h"

namespace design {

namespace {

const char* const kPitchNames[] = {"fpDefault", "fpVariable", "fpFixed"};
const char* const kStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
const char* const kPenModes[] = {"pmBlack", "pmWhite",  "pmNop",   "pmNot",      "pmCopy",  "pmNotCopy",
                                 "pmMergePenNot", "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen",
                                 "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmXor", "pmNotXor"};
const char* const kPenStyles[] = {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear",
                                  "psInsideFrame"};
const char* const kBrushStyles[] = {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
                                    "bsBDiagonal", "bsCross", "bsDiagCross"};

// The classic values of the system colours, for drawing and printing.
const QRgb kSystemColors[] = {
    qRgb(200, 200, 200), qRgb(0, 0, 0),       qRgb(0, 84, 227),    qRgb(122, 150, 223), qRgb(255, 255, 255),
    qRgb(255, 255, 255), qRgb(0, 0, 0),       qRgb(0, 0, 0),       qRgb(0, 0, 0),       qRgb(255, 255, 255),
    qRgb(212, 208, 200), qRgb(212, 208, 200), qRgb(128, 128, 128), qRgb(49, 106, 197),  qRgb(255, 255, 255),
    qRgb(240, 240, 240), qRgb(160, 160, 160), qRgb(109, 109, 109), qRgb(0, 0, 0),       qRgb(0, 0, 0),
    qRgb(255, 255, 255), qRgb(105, 105, 105), qRgb(227, 227, 227), qRgb(0, 0, 0),       qRgb(255, 255, 225),
};

}  // namespace

QColor toQColor(TColor color) {
  if (color == clNone) return Qt::transparent;
  if (color & 0x80000000u) {
    const uint32_t index = color & 0xFF;
    return index < std::size(kSystemColors) ? QColor(kSystemColors[index]) : QColor(Qt::black);
  }
  return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

TColor fromQColor(const QColor& c) {
  return TColor(c.red()) | (TColor(c.green()) << 8) | (TColor(c.blue()) << 16);
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const long long n = static_cast<long long>(a) * b;
  const long long q = (std::llabs(n) * 2 + std::llabs(c)) / (2 * std::llabs(static_cast<long long>(c)));
  return static_cast<int>((n < 0) != (c < 0) ? -q : q);
}

ElementFont ElementFont::of(const QString& name, int points) {
  ElementFont f;
  f.name = name;
  f.setSize(points);
  return f;
}

int ElementFont::size() const { return -MulDiv(height, 72, PixelsPerInch()); }

void ElementFont::setSize(int points) { height = -MulDiv(points, PixelsPerInch(), 72); }

QFont ElementFont::screenFont(float scale) const {
  QFont f(name);
  int pixels = height < 0 ? -height : height;
  if (scale != 1.0f) pixels = MulDiv(static_cast<int>(std::trunc(std::abs(size()) * scale)), PixelsPerInch(), 72);
  f.setPixelSize(std::max(1, pixels));
  f.setBold(bold);
  f.setItalic(italic);
  f.setUnderline(underline);
  f.setStrikeOut(strikeOut);
  if (pitch == FontPitch::Fixed) f.setFixedPitch(true);
  return f;
}

print::FontSpec ElementFont::printFont() const {
  print::FontSpec out;
  out.name = name;
  out.size = std::max(1, std::abs(size()));
  out.bold = bold;
  out.italic = italic;
  out.underline = underline;
  out.color = toQColor(color);
  return out;
}

QFont ElementFont::dialogFont() const {
  QFont f(name);
  f.setPointSize(std::max(1, std::abs(size())));
  f.setBold(bold);
  f.setItalic(italic);
  f.setUnderline(underline);
  f.setStrikeOut(strikeOut);
  return f;
}

void ElementFont::takeDialogFont(const QFont& f) {
  name = f.family();
  if (f.pointSize() > 0) setSize(f.pointSize());
  bold = f.bold();
  italic = f.italic();
  underline = f.underline();
  strikeOut = f.strikeOut();
}

void ElementFont::write(LayoutWriter& w, const std::string& prefix) const {
  w.color(prefix + ".Color", color);
  w.integer(prefix + ".Height", height);
  if (!name.isEmpty()) w.string(prefix + ".Name", platform::toFileText(name));
  if (pitch != FontPitch::Default) w.identifier(prefix + ".Pitch", kPitchNames[int(pitch)]);
  std::vector<std::string> style;
  const bool on[] = {bold, italic, underline, strikeOut};
  for (int i = 0; i < 4; ++i)
    if (on[i]) style.push_back(kStyleNames[i]);
  w.set(prefix + ".Style", style);
}

bool ElementFont::read(const StoredProperty& p, const std::string& prefix) {
  if (p.name.size() <= prefix.size() + 1 || p.name.compare(0, prefix.size() + 1, prefix + ".") != 0) return false;
  const std::string field = p.name.substr(prefix.size() + 1);
  if (field == "Color") color = colorOf(p.value);
  else if (field == "Height") height = integerOf(p.value);
  else if (field == "Name") name = platform::fromFileText(stringOf(p.value));
  else if (field == "Pitch") pitch = FontPitch(enumOf(p.value, kPitchNames, 3));
  else if (field == "Size") setSize(integerOf(p.value));
  else if (field == "Charset") integerOf(p.value);  // one code page here
  else if (field == "Style") {
    bold = italic = underline = strikeOut = false;
    for (const std::string& m : setOf(p.value)) {
      if (m == kStyleNames[0]) bold = true;
      else if (m == kStyleNames[1]) italic = true;
      else if (m == kStyleNames[2]) underline = true;
      else if (m == kStyleNames[3]) strikeOut = true;
      else throw LayoutError("Invalid property value");
    }
  } else {
    return false;
  }
  return true;
}

QPen ElementPen::screenPen(int w) const {
  QPen pen(toQColor(color));
  pen.setWidth(w);
  static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                        Qt::DashDotDotLine, Qt::NoPen, Qt::SolidLine};
  pen.setStyle(style >= 0 && style < 7 ? styles[style] : Qt::SolidLine);
  return pen;
}

print::PenSpec ElementPen::printPen(int w) const {
  print::PenSpec out;
  out.color = toQColor(color);
  static const print::PenStyle styles[] = {print::PenStyle::Solid, print::PenStyle::Dash, print::PenStyle::Dot,
                                           print::PenStyle::DashDot, print::PenStyle::DashDotDot,
                                           print::PenStyle::Clear, print::PenStyle::Solid};
  out.style = style >= 0 && style < 7 ? styles[style] : print::PenStyle::Solid;
  out.mode = mode == 14 ? print::PenMode::Xor : mode == 15 ? print::PenMode::NotXor : print::PenMode::Copy;
  out.width = w;
  return out;
}

void ElementPen::write(LayoutWriter& w) const {
  if (color != clBlack) w.color("Pen.Color", color);
  if (mode != 4) w.identifier("Pen.Mode", kPenModes[mode]);
  if (style != 0) w.identifier("Pen.Style", kPenStyles[style]);
  if (width != 1) w.integer("Pen.Width", width);
}

bool ElementPen::read(const StoredProperty& p) {
  if (p.name == "Pen.Color") color = colorOf(p.value);
  else if (p.name == "Pen.Mode") mode = enumOf(p.value, kPenModes, 16);
  else if (p.name == "Pen.Style") style = enumOf(p.value, kPenStyles, 7);
  else if (p.name == "Pen.Width") width = integerOf(p.value);
  else return false;
  return true;
}

QBrush ElementBrush::screenBrush() const {
  static const Qt::BrushStyle styles[] = {Qt::SolidPattern, Qt::NoBrush,   Qt::HorPattern,   Qt::VerPattern,
                                          Qt::FDiagPattern,  Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
  return QBrush(toQColor(color), style >= 0 && style < 8 ? styles[style] : Qt::SolidPattern);
}

print::BrushSpec ElementBrush::printBrush() const {
  print::BrushSpec out;
  out.color = toQColor(color);
  out.clear = style == 1;
  return out;
}

void ElementBrush::write(LayoutWriter& w) const {
  if (color != clWhite) w.color("Brush.Color", color);
  if (style != 0) w.identifier("Brush.Style", kBrushStyles[style]);
}

bool ElementBrush::read(const StoredProperty& p) {
  if (p.name == "Brush.Color") color = colorOf(p.value);
  else if (p.name == "Brush.Style") style = enumOf(p.value, kBrushStyles, 8);
  else return false;
  return true;
}

}  // namespace design
