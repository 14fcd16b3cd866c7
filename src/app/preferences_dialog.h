// "Preferences" (TPreferences): how new records are filled in, the 29 keys
// of section "Adding". OK writes them all; Cancel writes nothing.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <map>

#include "data/preferences.h"

namespace app {

class TPreferences : public QDialog {
  Q_OBJECT

 public:
  TPreferences(data::Settings& settings, QWidget* parent = nullptr);

  std::map<QString, QCheckBox*> boxes;  // by control name (PlugDate, CarryOrg, ...)
  QLineEdit* DefCountry;

 public slots:
  void OkButtonClick();

 private:
  data::Settings& settings_;
};

}  // namespace app
