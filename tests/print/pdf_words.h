// The words of a PDF's first page with their boxes in inches from the page's
// top-left corner, as pdftotext -bbox reports them.
#pragma once

#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <vector>

namespace printtest {

struct PdfWord {
  QString text;
  QRectF box;  // inches
};

inline std::vector<PdfWord> pdfWords(const QString& pdf) {
  QProcess p;
  p.start("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"});
  p.waitForFinished(60000);
  std::vector<PdfWord> words;
  static const QRegularExpression word(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
  for (auto it = word.globalMatch(QString::fromUtf8(p.readAllStandardOutput())); it.hasNext();) {
    auto m = it.next();
    words.push_back({m.captured(5), QRectF(QPointF(m.captured(1).toDouble() / 72, m.captured(2).toDouble() / 72),
                                           QPointF(m.captured(3).toDouble() / 72, m.captured(4).toDouble() / 72))});
  }
  return words;
}

inline const PdfWord* findWord(const std::vector<PdfWord>& words, const QString& text) {
  for (const PdfWord& w : words)
    if (w.text == text) return &w;
  return nullptr;
}

}  // namespace printtest
