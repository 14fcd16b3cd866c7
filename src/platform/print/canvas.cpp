#include "canvas.h"

#include <QFontMetricsF>

namespace print {

namespace {

constexpr double kMetricDpi = 1200;

// Font metrics are taken on a fixed high-resolution device, so that layout
// is the same whatever the job's destination.
const QImage& metricDevice() {
  static const QImage device = [] {
    QImage img(1, 1, QImage::Format_RGB32);
    img.setDotsPerMeterX(qRound(kMetricDpi / 0.0254));
    img.setDotsPerMeterY(qRound(kMetricDpi / 0.0254));
    return img;
  }();
  return device;
}

QFontMetricsF metricsFor(const FontSpec& f) { return QFontMetricsF(qfontFor(f), &metricDevice()); }

}  // namespace

Canvas::Canvas(QSizeF pageSize, int deviceDpi, std::function<void(Page&&)> finishPage)
    : dpi_(deviceDpi), finishPage_(std::move(finishPage)) {
  page_.size = pageSize;
  startPage();
  resetSection();
  home();
}

void Canvas::setPrintableOffsets(double left, double top) {
  offsetLeft_ = left;
  offsetTop_ = top;
}

void Canvas::setFont(const FontSpec& font) {
  font_ = font;
  record(op::Font{font_});
}
void Canvas::setFontName(const QString& name) { FontSpec f = font_; f.name = name; setFont(f); }
void Canvas::setFontSize(double points) { FontSpec f = font_; f.size = points; setFont(f); }
void Canvas::setBold(bool on) { FontSpec f = font_; f.bold = on; setFont(f); }
void Canvas::setItalic(bool on) { FontSpec f = font_; f.italic = on; setFont(f); }
void Canvas::setUnderline(bool on) { FontSpec f = font_; f.underline = on; setFont(f); }
void Canvas::setFontColor(const QColor& color) { FontSpec f = font_; f.color = color; setFont(f); }
void Canvas::setFontRotation(double degrees) { FontSpec f = font_; f.rotation = degrees; setFont(f); }

void Canvas::setPen(const PenSpec& pen) {
  pen_ = pen;
  record(op::Pen{pen_});
}

void Canvas::setBrush(const BrushSpec& brush) {
  brush_ = brush;
  record(op::Brush{brush_});
}

namespace {
QRectF box(double x1, double y1, double x2, double y2) {
  return QRectF(QPointF(std::min(x1, x2), std::min(y1, y2)), QPointF(std::max(x1, x2), std::max(y1, y2)));
}
}  // namespace

void Canvas::rectangle(double x1, double y1, double x2, double y2) { record(op::Rect{box(x1, y1, x2, y2)}); }
void Canvas::roundRect(double x1, double y1, double x2, double y2, double rx, double ry) {
  record(op::RoundRect{box(x1, y1, x2, y2), rx, ry});
}
void Canvas::ellipse(double x1, double y1, double x2, double y2) { record(op::Ellipse{box(x1, y1, x2, y2)}); }
void Canvas::moveTo(double x, double y) {
  penX_ = x;
  penY_ = y;
}
void Canvas::lineTo(double x, double y) {
  record(op::Line{{penX_, penY_}, {x, y}});
  moveTo(x, y);
}
void Canvas::fillRect(double x1, double y1, double x2, double y2, const QColor& color) {
  record(op::Fill{box(x1, y1, x2, y2), color});
}
void Canvas::stretchDraw(double x1, double y1, double x2, double y2, const QImage& image) {
  record(op::Image{box(x1, y1, x2, y2), std::make_shared<const QImage>(image)});
}

double Canvas::ascent() const { return metricsFor(font_).ascent() / kMetricDpi; }
double Canvas::descent() const { return metricsFor(font_).descent() / kMetricDpi; }
double Canvas::lineHeight() const { return metricsFor(font_).lineSpacing() / kMetricDpi; }
double Canvas::textWidth(const QString& text) const {
  return metricsFor(font_).horizontalAdvance(text) / kMetricDpi;
}

QPointF Canvas::baselineFor(double x, double y) const {
  // Turned text keeps its top-left corner at (x, y): the baseline lies one
  // ascent "below" it in the text's own direction.
  const double a = ascent(), r = font_.rotation * M_PI / 180.0;
  if (font_.rotation == 0) return {x, y + a};
  return {x + a * std::sin(r), y + a * std::cos(r)};
}

void Canvas::textAt(double x, double y, const QString& text) { record(op::Text{baselineFor(x, y), text}); }

void Canvas::textRect(double x1, double y1, double x2, double y2, double x, double y, const QString& text) {
  record(op::ClippedText{box(x1, y1, x2, y2), baselineFor(x, y), text});
}

void Canvas::baselineText(double left, const QString& text) { record(op::Text{{left, y_ + ascent()}, text}); }
void Canvas::printLeft(const QString& text, double x) { baselineText(x, text); }
void Canvas::printRight(const QString& text, double x) { baselineText(x - textWidth(text), text); }
void Canvas::printCenter(const QString& text, double x) { baselineText(x - textWidth(text) / 2, text); }

void Canvas::print(const QString& text) {
  baselineText(x_, text);
  x_ += textWidth(text);
}

void Canvas::println(const QString& text) {
  if (!text.isEmpty()) print(text);
  newLine();
}

void Canvas::setMargins(double left, double top, double right, double bottom) {
  margins_[0] = left;
  margins_[1] = top;
  margins_[2] = right;
  margins_[3] = bottom;
  resetSection();
}
void Canvas::setMarginLeft(double v) { setMargins(v, margins_[1], margins_[2], margins_[3]); }
void Canvas::setMarginTop(double v) { setMargins(margins_[0], v, margins_[2], margins_[3]); }
void Canvas::setMarginRight(double v) { setMargins(margins_[0], margins_[1], v, margins_[3]); }
void Canvas::setMarginBottom(double v) { setMargins(margins_[0], margins_[1], margins_[2], v); }

void Canvas::resetSection() {
  setSection(margins_[0], margins_[1], pageWidth() - margins_[2], pageHeight() - margins_[3]);
}

void Canvas::setSection(double left, double top, double right, double bottom) {
  section_[0] = left;
  section_[1] = top;
  section_[2] = right;
  section_[3] = bottom;
  if (x_ < left) x_ = left;
  if (y_ < top) y_ = top;
}

void Canvas::gotoXY(double x, double y) {
  x_ = x;
  y_ = y;
}

void Canvas::newLine() {
  y_ += lineHeight();
  x_ = sectionLeft();
  currentTab_ = -1;
}

void Canvas::home() {
  x_ = sectionLeft();
  y_ = sectionTop();
  currentTab_ = -1;
}

int Canvas::linesLeft() const {
  double h = lineHeight();
  if (h <= 0) return 0;
  double left = (sectionBottom() - y_) / h;
  return left <= 0 ? 0 : int(std::floor(left + 1e-9));
}

void Canvas::clearTabs() {
  tabs_.clear();
  currentTab_ = -1;
}

void Canvas::setTab(double position, double width, Justify justify, double margin, bool boxLeft, bool boxRight,
                    bool boxTop, bool boxBottom, int shade) {
  TabStop t;
  t.position = std::isnan(position) ? (tabs_.empty() ? sectionLeft() : tabs_.back().position + tabs_.back().width)
                                    : position;
  t.width = width;
  t.justify = justify;
  t.margin = margin;
  t.boxLeft = boxLeft;
  t.boxRight = boxRight;
  t.boxTop = boxTop;
  t.boxBottom = boxBottom;
  t.shade = std::clamp(shade, 0, 100);
  tabs_.push_back(t);
}

double Canvas::tabStart() const {
  if (currentTab_ < 0 || currentTab_ >= int(tabs_.size())) return sectionLeft();
  return tabs_[std::size_t(currentTab_)].position;
}

void Canvas::nextTab() {
  ++currentTab_;
  if (currentTab_ < int(tabs_.size())) x_ = tabs_[std::size_t(currentTab_)].position;
}

void Canvas::tab(const QString& text) {
  nextTab();
  if (currentTab_ >= int(tabs_.size())) {
    print(text);
    return;
  }
  const TabStop& t = tabs_[std::size_t(currentTab_)];
  const double left = t.position, right = t.position + t.width, top = y_, bottom = y_ + lineHeight();
  if (t.shade > 0) {
    double level = 1.0 - t.shade / 100.0;
    fillRect(left, top, right, bottom, QColor::fromRgbF(float(level), float(level), float(level)));
  }
  if (!text.isEmpty()) {
    double inner = t.width - 2 * t.margin;
    double w = textWidth(text);
    double at = t.justify == Justify::Left ? left + t.margin
                : t.justify == Justify::Right ? right - t.margin - w
                                              : left + t.margin + (inner - w) / 2;
    record(op::ClippedText{QRectF(QPointF(left, top), QPointF(right, bottom)), {at, y_ + ascent()}, text});
  }
  auto line = [&](double x1, double y1, double x2, double y2) { record(op::Line{{x1, y1}, {x2, y2}}); };
  if (t.boxLeft) line(left, top, left, bottom);
  if (t.boxRight) line(right, top, right, bottom);
  if (t.boxTop) line(left, top, right, top);
  if (t.boxBottom) line(left, bottom, right, bottom);
  x_ = right;
}

void Canvas::pushTabs() { tabStack_.emplace_back(tabs_, currentTab_); }

void Canvas::popTabs() {
  if (tabStack_.empty()) return;
  tabs_ = std::move(tabStack_.back().first);
  currentTab_ = tabStack_.back().second;
  tabStack_.pop_back();
}

void Canvas::startPage() {
  // Each page carries its own drawing state, so pages render on their own.
  record(op::Font{font_});
  record(op::Pen{pen_});
  record(op::Brush{brush_});
}

void Canvas::newPage() {
  if (abortCheck_ && abortCheck_()) return;  // no new pages once the job is aborted
  QSizeF size = page_.size;
  finishPage_(std::move(page_));
  page_ = Page{size, {}};
  ++pageNumber_;
  startPage();
  home();
  if (newPageHandler_) newPageHandler_(*this);
}

void Canvas::finish() {
  if (finished_) return;
  finished_ = true;
  finishPage_(std::move(page_));
}

}  // namespace print
