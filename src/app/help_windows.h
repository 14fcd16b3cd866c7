// Help and onboarding: the about box, the getting-started window (with its
// "Do not show this screen at start up" switch) and a help window with a
// short user guide.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QTextBrowser>

#include "data/settings.h"

namespace app {

class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit TAboutBox(QWidget* parent = nullptr);
};

class TGettingStarted : public QDialog {
  Q_OBJECT
 public:
  TGettingStarted(data::Settings& settings, QWidget* parent = nullptr);
  QCheckBox* DontShow;

 public slots:
  void OkButtonClick();

 private:
  data::Settings& settings_;
};

class THelpWindow : public QDialog {
  Q_OBJECT
 public:
  explicit THelpWindow(QWidget* parent = nullptr);
  QTextBrowser* Text;
};

}  // namespace app
