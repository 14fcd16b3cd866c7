// "Load Image File (BMP/WMF)": folders, the picture files in the chosen
// folder, a preview, and the Stretch / AutoSize options.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QListView>
#include <QTreeView>

#include "design/forms/form_support.h"

namespace design {

class TGImageBrowser : public QDialog {
  Q_OBJECT

 public:
  TGImageBrowser(bool stretch, bool autoSize, QWidget* parent = nullptr);

  QTreeView* DirectoryList;
  QListView* FileList;
  QWidget* PreviewPanel;
  QLabel* Preview;
  QCheckBox *StretchBox, *AutoSizeBox;
  FormButtons Buttons;

  // Shows `folder`'s picture files.
  void ShowFolder(const QString& folder);
  // Selects a file and previews it; "Error loading file!" when it is not a picture.
  void SelectFile(const QString& path);
  QString SelectedFile() const { return selected_; }

 private:
  void applyOptions();

  QFileSystemModel *folders_, *files_;
  QString selected_;
  QImage image_;
};

}  // namespace design
