#include "toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace app {

QIcon toolbarIcon(const QString& kind) {
  QPixmap pix(32, 32);
  pix.fill(Qt::transparent);
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor paper(250, 250, 245), ink(40, 60, 90), accent(230, 170, 40);
  p.setPen(QPen(ink, 1.5));
  p.setBrush(paper);
  if (kind == "Labels") {
    p.drawRect(QRectF(5, 3, 22, 26));
    p.setBrush(accent);
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 2; ++c) p.drawRoundedRect(QRectF(8 + c * 9, 6 + r * 7.5, 7, 5), 1.5, 1.5);
  } else if (kind == "Letters") {
    p.drawRect(QRectF(7, 3, 18, 26));
    for (int i = 0; i < 5; ++i) p.drawLine(QPointF(10, 9 + i * 4), QPointF(i == 4 ? 17 : 22, 9 + i * 4));
  } else if (kind == "Envelopes") {
    p.drawRect(QRectF(3, 8, 26, 17));
    p.drawLine(QPointF(3, 8), QPointF(16, 18));
    p.drawLine(QPointF(29, 8), QPointF(16, 18));
    p.setBrush(accent);
    p.drawRect(QRectF(22, 10, 5, 4));
  } else if (kind == "Reports") {
    p.drawRect(QRectF(5, 3, 22, 26));
    p.setBrush(accent);
    p.drawRect(QRectF(8, 6, 16, 4));
    for (int i = 0; i < 4; ++i) p.drawLine(QPointF(8, 14 + i * 4), QPointF(24, 14 + i * 4));
  } else if (kind == "Browse") {
    p.drawRect(QRectF(3, 5, 26, 22));
    for (int i = 1; i < 4; ++i) p.drawLine(QPointF(3, 5 + i * 5.5), QPointF(29, 5 + i * 5.5));
    p.drawLine(QPointF(13, 5), QPointF(13, 27));
  } else if (kind == "Search") {
    p.setBrush(QColor(210, 230, 250));
    p.drawEllipse(QRectF(4, 4, 16, 16));
    p.setPen(QPen(ink, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(18, 18), QPointF(27, 27));
  } else if (kind == "Filter") {
    QPainterPath funnel;
    funnel.moveTo(4, 5);
    funnel.lineTo(28, 5);
    funnel.lineTo(18, 17);
    funnel.lineTo(18, 27);
    funnel.lineTo(14, 25);
    funnel.lineTo(14, 17);
    funnel.closeSubpath();
    p.setBrush(accent);
    p.drawPath(funnel);
  } else {
    p.setBrush(accent);
    p.drawEllipse(QRectF(4, 4, 24, 24));
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(18);
    p.setFont(f);
    p.drawText(QRectF(4, 4, 24, 24), Qt::AlignCenter, QStringLiteral("?"));
  }
  p.end();
  return QIcon(pix);
}

}  // namespace app
