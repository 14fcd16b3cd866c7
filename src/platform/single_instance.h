// The single-instance guard: the first instance of the program listens on a
// local socket named for the user; a second start finds it, asks it to raise
// its window, and ends.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <functional>

namespace platform {

class SingleInstance : public QObject {
  Q_OBJECT

 public:
  explicit SingleInstance(const QString& name, QObject* parent = nullptr);

  // True when another instance answered (and was asked to raise its window);
  // this instance should end then. Otherwise this one becomes the first.
  bool anotherIsRunning();
  // What to do when a later start asks this instance to come to the front.
  std::function<void()> onRaise;

 private:
  QString name_;
  QLocalServer server_;
};

}  // namespace platform
