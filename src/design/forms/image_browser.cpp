#include "image_browser.h"

#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "design/layout_picture.h"
#include "platform/prompts.h"

namespace design {

TGImageBrowser::TGImageBrowser(bool stretch, bool autoSize, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TGImageBrowser"));
  setWindowTitle(QStringLiteral("Load Image File (BMP/WMF)"));
  setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, true);
  folders_ = new QFileSystemModel(this);
  folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  folders_->setRootPath(QDir::rootPath());
  files_ = new QFileSystemModel(this);
  files_->setFilter(QDir::Files);
  files_->setNameFilters({QStringLiteral("*.BMP"), QStringLiteral("*.WMF"), QStringLiteral("*.bmp"),
                          QStringLiteral("*.wmf")});
  files_->setNameFilterDisables(false);
  DirectoryList = new QTreeView(this);
  DirectoryList->setModel(folders_);
  for (int c = 1; c < folders_->columnCount(); ++c) DirectoryList->hideColumn(c);
  DirectoryList->setHeaderHidden(true);
  FileList = new QListView(this);
  FileList->setModel(files_);
  PreviewPanel = new QWidget(this);
  PreviewPanel->setFixedSize(200, 200);
  PreviewPanel->setStyleSheet(QStringLiteral("background: white"));
  Preview = new QLabel(PreviewPanel);
  Preview->setGeometry(0, 0, 190, 190);
  auto* options = new QGroupBox(QStringLiteral(" Options "), this);
  StretchBox = new QCheckBox(QStringLiteral("Stretch"), options);
  StretchBox->setToolTip(QStringLiteral("Stretch image to max display size"));
  AutoSizeBox = new QCheckBox(QStringLiteral("AutoSize"), options);
  AutoSizeBox->setToolTip(QStringLiteral("AutoSize TImage"));
  StretchBox->setChecked(stretch);
  AutoSizeBox->setChecked(autoSize && !stretch);
  auto* optionRow = new QVBoxLayout(options);
  optionRow->addWidget(StretchBox);
  optionRow->addWidget(AutoSizeBox);
  auto* right = new QVBoxLayout;
  right->addWidget(PreviewPanel);
  right->addWidget(options);
  auto* lists = new QHBoxLayout;
  lists->addWidget(DirectoryList, 1);
  lists->addWidget(FileList, 1);
  lists->addLayout(right);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists);
  Buttons = addFormButtons(*this, *layout, 40003);
  connect(DirectoryList, &QTreeView::clicked, this,
          [this](const QModelIndex& index) { ShowFolder(folders_->filePath(index)); });
  connect(FileList, &QListView::clicked, this, [this](const QModelIndex& index) { SelectFile(files_->filePath(index)); });
  connect(StretchBox, &QCheckBox::toggled, this, [this](bool on) {
    if (on) AutoSizeBox->setChecked(false);
    applyOptions();
  });
  connect(AutoSizeBox, &QCheckBox::toggled, this, [this](bool on) {
    if (on) StretchBox->setChecked(false);
    applyOptions();
  });
  ShowFolder(QDir::currentPath());
  resize(720, 360);
}

void TGImageBrowser::ShowFolder(const QString& folder) {
  FileList->setRootIndex(files_->setRootPath(folder));
  DirectoryList->setCurrentIndex(folders_->index(folder));
  QDir::setCurrent(folder);
}

void TGImageBrowser::SelectFile(const QString& path) {
  selected_ = path;
  FileList->setCurrentIndex(files_->index(path));
  auto picture = LayoutPicture::fromFile(path);
  if (!picture) {
    platform::prompts().error("Error loading file!");
    image_ = QImage();
  } else {
    image_ = picture->image;
  }
  applyOptions();
}

void TGImageBrowser::applyOptions() {
  if (image_.isNull()) {
    Preview->clear();
    return;
  }
  if (AutoSizeBox->isChecked()) {
    Preview->setGeometry(0, 0, image_.width(), image_.height());
  } else {
    Preview->setGeometry(0, 0, PreviewPanel->width() - 10, PreviewPanel->height() - 10);
  }
  Preview->setScaledContents(StretchBox->isChecked());
  Preview->setPixmap(QPixmap::fromImage(image_));
}

}  // namespace design
