// Mouse and key events sent to a panel as the window system would, with a
// tick count the test moves on by hand.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <cstdint>

#include "platform/home.h"

namespace designtest {

// The panel's clock for the life of a test scope; `advance` moves it on.
struct ManualTicks {
  int64_t now = 100000;
  ManualTicks() { platform::setTickCount([this] { return now; }); }
  ~ManualTicks() { platform::setTickCount(nullptr); }
  void advance(int64_t ms) { now += ms; }
};

inline void sendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button = Qt::LeftButton,
                      Qt::MouseButtons buttons = Qt::LeftButton, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), button, buttons, modifiers);
  QApplication::sendEvent(w, &e);
}

inline void press(QWidget* w, QPoint p, Qt::MouseButton button = Qt::LeftButton,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  sendMouse(w, QEvent::MouseButtonPress, p, button, button, modifiers);
}

inline void moveTo(QWidget* w, QPoint p, Qt::MouseButtons buttons = Qt::LeftButton,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  sendMouse(w, QEvent::MouseMove, p, Qt::NoButton, buttons, modifiers);
}

inline void release(QWidget* w, QPoint p, Qt::MouseButton button = Qt::LeftButton,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  sendMouse(w, QEvent::MouseButtonRelease, p, button, Qt::NoButton, modifiers);
}

inline void key(QWidget* w, int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool autoRepeat = false) {
  QKeyEvent down(QEvent::KeyPress, k, modifiers, QString(), autoRepeat);
  QApplication::sendEvent(w, &down);
  QKeyEvent up(QEvent::KeyRelease, k, modifiers, QString(), autoRepeat);
  QApplication::sendEvent(w, &up);
}

}  // namespace designtest
