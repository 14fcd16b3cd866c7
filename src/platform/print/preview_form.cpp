#include "preview_form.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>
#include <cmath>

namespace print {

namespace {

constexpr double kScreenDpi = 96;
constexpr double kMarginShare = 0.025;  // space kept around the page, each side
constexpr double kZoomStep = 1.25;
constexpr double kMinZoom = 10, kMaxZoom = 400;

QPushButton* button(QWidget* parent, QLayout* layout, const QString& name, const QString& text, const QString& tip) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(name);
  b->setToolTip(tip);
  b->setAutoDefault(false);
  layout->addWidget(b);
  return b;
}

}  // namespace

QCursor magnifyCursor() {
  QPixmap pix(32, 32);
  pix.fill(Qt::transparent);
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 2));
  p.setBrush(QColor(255, 255, 255, 180));
  p.drawEllipse(QRectF(3, 3, 16, 16));
  p.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(17, 17), QPointF(28, 28));
  p.end();
  return QCursor(pix, 11, 11);
}

TPreviewForm::TPreviewForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TPreviewForm"));
  setFont(QFont(QStringLiteral("Arial")));
  ScrollBox = new QScrollArea(this);
  ScrollBox->setAlignment(Qt::AlignCenter);
  ScrollBox->setBackgroundRole(QPalette::Dark);
  PageImage = new QLabel;
  PageImage->setCursor(magnifyCursor());
  PageImage->installEventFilter(this);
  ScrollBox->setWidget(PageImage);

  auto* bar = new QHBoxLayout;
  OkButton = button(this, bar, "OkButton", tr("Ok"), tr("Close the preview"));
  ZoomInButton = button(this, bar, "ZoomInButton", tr("+"), tr("Zoom in"));
  ZoomOutButton = button(this, bar, "ZoomOutButton", tr("-"), tr("Zoom out"));
  PageWidthButton = button(this, bar, "PageWidthButton", tr("Width"), tr("Zoom to page width"));
  WholePageButton = button(this, bar, "WholePageButton", tr("Page"), tr("Zoom to whole page"));
  Zoom100Button = button(this, bar, "Zoom100Button", tr("100%"), tr("Actual size"));
  FirstPageButton = button(this, bar, "FirstPageButton", tr("|<"), tr("First page"));
  PriorPageButton = button(this, bar, "PriorPageButton", tr("<"), tr("Previous page"));
  NextPageButton = button(this, bar, "NextPageButton", tr(">"), tr("Next page"));
  LastPageButton = button(this, bar, "LastPageButton", tr(">|"), tr("Last page"));
  HelpButton = button(this, bar, "HelpButton", tr("Help"), tr("Help"));
  MouseHelpButton = button(this, bar, "MouseHelpButton", tr("?"), tr("Click the page to zoom in, right-click to zoom out"));
  OkButton->setDefault(true);
  bar->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ScrollBox, 1);
  layout->addLayout(bar);
  resize(800, 700);

  connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(ZoomInButton, &QPushButton::clicked, this, &TPreviewForm::ZoomInButtonClick);
  connect(ZoomOutButton, &QPushButton::clicked, this, &TPreviewForm::ZoomOutButtonClick);
  connect(PageWidthButton, &QPushButton::clicked, this, &TPreviewForm::PageWidthButtonClick);
  connect(WholePageButton, &QPushButton::clicked, this, &TPreviewForm::WholePageButtonClick);
  connect(Zoom100Button, &QPushButton::clicked, this, &TPreviewForm::Zoom100ButtonClick);
  connect(FirstPageButton, &QPushButton::clicked, this, &TPreviewForm::FirstPageButtonClick);
  connect(PriorPageButton, &QPushButton::clicked, this, &TPreviewForm::PriorPageButtonClick);
  connect(NextPageButton, &QPushButton::clicked, this, &TPreviewForm::NextPageButtonClick);
  connect(LastPageButton, &QPushButton::clicked, this, &TPreviewForm::LastPageButtonClick);
}

void TPreviewForm::setStream(const PageStream* stream) {
  stream_ = stream;
  page_ = 0;
}

double TPreviewForm::wholePageZoom() const {
  if (!stream_ || stream_->pageCount() == 0) return 100;
  QSizeF inches = stream_->page(page_).size;
  QSize view = ScrollBox->contentsRect().size();  // whether or not scroll bars show at the moment
  double usable = 1 - 2 * kMarginShare;
  double byWidth = view.width() * usable / (inches.width() * kScreenDpi);
  double byHeight = view.height() * usable / (inches.height() * kScreenDpi);
  return std::min(byWidth, byHeight) * 100;
}

double TPreviewForm::pageWidthZoom() const {
  if (!stream_ || stream_->pageCount() == 0) return 100;
  QSizeF inches = stream_->page(page_).size;
  // Room for the vertical scroll bar that a page this wide will need.
  int scrollBar = ScrollBox->verticalScrollBar()->sizeHint().width();
  return (ScrollBox->contentsRect().width() - scrollBar) * (1 - 2 * kMarginShare) / (inches.width() * kScreenDpi) * 100;
}

void TPreviewForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (activated_) return;
  activated_ = true;
  if (restorePlacement) restorePlacement(*this);
  bool several = stream_ && stream_->pageCount() >= 2;
  for (QPushButton* b : {FirstPageButton, PriorPageButton, NextPageButton, LastPageButton}) b->setVisible(several);
  if (zoomMode_ == kWholePage) zoom_ = wholePageZoom();
  else if (zoomMode_ == kPageWidth) zoom_ = pageWidthZoom();
  else zoom_ = zoomMode_;
  redraw();
}

void TPreviewForm::closeEvent(QCloseEvent* event) {
  if (savePlacement) savePlacement(*this);
  QDialog::closeEvent(event);
}

void TPreviewForm::setZoom(double percent) {
  zoom_ = std::clamp(percent, kMinZoom, kMaxZoom);
  redraw();
}

void TPreviewForm::goToPage(int page) {
  if (!stream_ || stream_->pageCount() == 0) return;
  page_ = std::clamp(page, 0, stream_->pageCount() - 1);
  redraw();
}

void TPreviewForm::redraw() {
  if (stream_ && stream_->pageCount() > 0) {
    QImage img = stream_->image(page_, kScreenDpi * zoom_ / 100);
    PageImage->setPixmap(QPixmap::fromImage(img));
    PageImage->resize(img.size());
  }
  updateCaption();
}

void TPreviewForm::updateCaption() {
  int count = stream_ ? stream_->pageCount() : 0;
  setWindowTitle(QStringLiteral("Preview Page ") + QString::number(page_ + 1) + QStringLiteral(" of ") +
                 QString::number(count) + QStringLiteral(" ( ") + QString::number(qRound(zoom_)) + QStringLiteral("% )"));
}

void TPreviewForm::ZoomInButtonClick() { setZoom(zoom_ * kZoomStep); }
void TPreviewForm::ZoomOutButtonClick() { setZoom(zoom_ / kZoomStep); }
void TPreviewForm::PageWidthButtonClick() { setZoom(pageWidthZoom()); }
void TPreviewForm::WholePageButtonClick() { setZoom(wholePageZoom()); }
void TPreviewForm::Zoom100ButtonClick() { setZoom(100); }
void TPreviewForm::FirstPageButtonClick() { goToPage(0); }
void TPreviewForm::PriorPageButtonClick() { goToPage(page_ - 1); }
void TPreviewForm::NextPageButtonClick() { goToPage(page_ + 1); }
void TPreviewForm::LastPageButtonClick() { goToPage(stream_ ? stream_->pageCount() - 1 : 0); }

void TPreviewForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
    QScrollBar* bar = ScrollBox->verticalScrollBar();
    int step = event->key() == Qt::Key_Up ? -bar->singleStep() : bar->singleStep();
    bar->setValue(std::clamp(bar->value() + step, 0, std::max(0, bar->maximum())));
    return;
  }
  QDialog::keyPressEvent(event);
}

bool TPreviewForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == PageImage && event->type() == QEvent::MouseButtonPress) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton) ZoomInButtonClick();
    else ZoomOutButtonClick();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace print
