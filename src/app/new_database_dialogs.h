// Naming a new address file ("Create new database", TNewDataBaseName) and
// choosing its field widths ("Specify Field Lengths", TSpecifyFieldLengths).
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "data/address_layout.h"
#include "data/settings.h"

namespace app {

class TSpecifyFieldLengths : public QDialog {
  Q_OBJECT

 public:
  TSpecifyFieldLengths(const data::FieldWidths& widths, data::Settings& settings, QWidget* parent = nullptr);

  // The widths after OK.
  const data::FieldWidths& widths() const { return widths_; }

  // One edit per setting, with its field name.
  std::array<QLineEdit*, 18> edits;
  std::array<const char*, 18> fields;
  QCheckBox* UseForAll;
  QPushButton *DefaultsButton, *OkButton, *CancelButton;

 public slots:
  void DefaultsButtonClick();
  void OkButtonClick();
  // Leaving an edit: a value that is no integer in 10..80 returns to the one shown at opening.
  void checkEdit(int i);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  data::Settings& settings_;
  data::FieldWidths widths_;
  std::array<int, 18> remembered_{};
};

class TNewDataBaseName : public QDialog {
  Q_OBJECT

 public:
  TNewDataBaseName(const QString& defaultName, data::Settings& settings, QWidget* parent = nullptr);

  QString name() const { return NameEdit->text(); }
  const data::FieldWidths& widths() const { return widths_; }

  QLineEdit* NameEdit;
  QLabel *InvalidLabel;
  QPushButton *OkButton, *HelpButton, *CancelButton, *FieldLengthsButton;

 public slots:
  void NameEditChange();
  void FieldLengthsButtonClick();

 private:
  data::Settings& settings_;
  data::FieldWidths widths_;
};

}  // namespace app
