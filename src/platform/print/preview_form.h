// The print preview window (TPreviewForm): shows a page stream page by page
// with zoom and page navigation. It only shows; printing starts again from
// the window that made the preview.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <functional>

#include "page_stream.h"

namespace print {

class TPreviewForm : public QDialog {
  Q_OBJECT

 public:
  // Zoom modes the caller may set: whole page, page width, or a percentage.
  static constexpr int kWholePage = 1;
  static constexpr int kPageWidth = 2;

  explicit TPreviewForm(QWidget* parent = nullptr);

  // The stream must outlive the window.
  void setStream(const PageStream* stream);
  void setZoomMode(int mode) { zoomMode_ = mode; }
  // Placement (restored on first activation, saved on close) is the caller's.
  std::function<void(QWidget&)> restorePlacement, savePlacement;

  int currentPage() const { return page_; }  // 0-based
  double zoom() const { return zoom_; }      // percent
  void setZoom(double percent);
  void goToPage(int page);
  // The factors whole page and page width give for the current window size.
  double wholePageZoom() const;
  double pageWidthZoom() const;

  QPushButton *OkButton, *ZoomInButton, *ZoomOutButton, *PageWidthButton, *WholePageButton, *Zoom100Button,
      *FirstPageButton, *PriorPageButton, *NextPageButton, *LastPageButton, *HelpButton, *MouseHelpButton;
  QScrollArea* ScrollBox;
  QLabel* PageImage;

 public slots:
  void ZoomInButtonClick();
  void ZoomOutButtonClick();
  void PageWidthButtonClick();
  void WholePageButtonClick();
  void Zoom100ButtonClick();
  void FirstPageButtonClick();
  void PriorPageButtonClick();
  void NextPageButtonClick();
  void LastPageButtonClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void redraw();
  void updateCaption();

  const PageStream* stream_ = nullptr;
  int zoomMode_ = kWholePage;
  double zoom_ = 75;  // the component's starting factor
  int page_ = 0;
  bool activated_ = false;
};

// The "MAGNIFY" cursor shown over the page.
QCursor magnifyCursor();

}  // namespace print
