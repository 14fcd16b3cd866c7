// Answers every form of one class shown through the modal runner: fills it,
// then closes it with the given result; for the life of a test scope.
#pragma once

#include <QDialog>
#include <functional>

#include "platform/modal.h"

namespace designtest {

template <class Form>
struct Answer {
  explicit Answer(std::function<void(Form&)> fill, int result = QDialog::Accepted) {
    platform::setModalHandler(QLatin1String(Form::staticMetaObject.className()), [fill, result](QDialog& d) {
      fill(static_cast<Form&>(d));
      return result;
    });
  }
  ~Answer() { platform::setModalHandler(QLatin1String(Form::staticMetaObject.className()), nullptr); }
};

}  // namespace designtest
