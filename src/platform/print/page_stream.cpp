#include "page_stream.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

namespace print {

QFont qfontFor(const FontSpec& font) {
  QFont f(font.name);
  f.setPointSizeF(font.size);
  f.setBold(font.bold);
  f.setItalic(font.italic);
  f.setUnderline(font.underline);
  return f;
}

namespace {

struct Renderer {
  QPainter& p;
  double dpi;
  QColor fontColor = Qt::black;
  double rotation = 0;

  QPointF pt(QPointF inches) const { return inches * dpi; }
  QRectF rect(QRectF inches) const { return {inches.topLeft() * dpi, inches.size() * dpi}; }

  void operator()(const op::Pen& o) {
    if (o.pen.style == PenStyle::Clear) {
      p.setPen(Qt::NoPen);
      return;
    }
    double width = o.pen.width < 0 ? -o.pen.width / 100.0 * dpi : o.pen.width;
    Qt::PenStyle style = Qt::SolidLine;
    switch (o.pen.style) {
      case PenStyle::Dash: style = Qt::DashLine; break;
      case PenStyle::Dot: style = Qt::DotLine; break;
      case PenStyle::DashDot: style = Qt::DashDotLine; break;
      case PenStyle::DashDotDot: style = Qt::DashDotDotLine; break;
      default: break;
    }
    QPen pen(o.pen.color, width, style, Qt::SquareCap, Qt::MiterJoin);
    p.setPen(pen);
    // Exclusive-or modes exist only on raster devices; elsewhere they draw plainly.
    bool raster = p.device() && p.device()->devType() == QInternal::Image;
    p.setCompositionMode(raster && o.pen.mode != PenMode::Copy ? QPainter::RasterOp_SourceXorDestination
                                                                : QPainter::CompositionMode_SourceOver);
  }
  void operator()(const op::Brush& o) {
    p.setBrush(o.brush.clear ? QBrush(Qt::NoBrush) : QBrush(o.brush.color));
  }
  void operator()(const op::Font& o) {
    p.setFont(qfontFor(o.font));
    fontColor = o.font.color;
    rotation = o.font.rotation;
  }
  void operator()(const op::Rect& o) { p.drawRect(rect(o.r)); }
  void operator()(const op::RoundRect& o) { p.drawRoundedRect(rect(o.r), o.rx * dpi, o.ry * dpi); }
  void operator()(const op::Ellipse& o) { p.drawEllipse(rect(o.r)); }
  void operator()(const op::Line& o) { p.drawLine(pt(o.from), pt(o.to)); }
  void text(QPointF baseline, const QString& s) {
    QPen old = p.pen();
    p.setPen(fontColor);
    if (rotation != 0) {
      p.save();
      p.translate(pt(baseline));
      p.rotate(-rotation);
      p.drawText(QPointF(0, 0), s);
      p.restore();
    } else {
      p.drawText(pt(baseline), s);
    }
    p.setPen(old);
  }
  void operator()(const op::Text& o) { text(o.baseline, o.text); }
  void operator()(const op::ClippedText& o) {
    p.save();
    p.setClipRect(rect(o.clip));
    text(o.baseline, o.text);
    p.restore();
  }
  void operator()(const op::Image& o) {
    if (o.image) p.drawImage(rect(o.r), *o.image);
  }
  void operator()(const op::Fill& o) { p.fillRect(rect(o.r), o.color); }
};

}  // namespace

void PageStream::render(const Page& page, QPainter& painter, double dpi) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::NoBrush);
  painter.setFont(qfontFor(FontSpec()));
  Renderer r{painter, dpi};
  for (const Op& o : page.ops) std::visit(r, o);
  painter.restore();
}

QImage PageStream::image(int i, double dpi) const {
  const Page& pg = page(i);
  QImage img(qMax(1, qRound(pg.size.width() * dpi)), qMax(1, qRound(pg.size.height() * dpi)), QImage::Format_RGB32);
  img.setDotsPerMeterX(qRound(dpi / 0.0254));
  img.setDotsPerMeterY(qRound(dpi / 0.0254));
  img.fill(Qt::white);
  QPainter painter(&img);
  render(pg, painter, dpi);
  return img;
}

bool PageStream::writePdf(const QString& path) const {
  QPdfWriter writer(path);
  constexpr int kResolution = 1200;
  writer.setResolution(kResolution);
  writer.setCreator(QStringLiteral("Quillvane"));
  auto layoutFor = [](const Page& pg) {
    return QPageLayout(QPageSize(pg.size, QPageSize::Inch), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
  };
  if (pages_.empty()) return false;
  writer.setPageLayout(layoutFor(pages_.front()));
  QPainter painter;
  if (!painter.begin(&writer)) return false;
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    if (i > 0) {
      writer.setPageLayout(layoutFor(pages_[i]));
      writer.newPage();
    }
    render(pages_[i], painter, kResolution);
  }
  return painter.end();
}

}  // namespace print
