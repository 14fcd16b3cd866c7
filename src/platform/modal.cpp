#include "modal.h"

#include <QHash>

namespace platform {

namespace {
QHash<QString, ModalHandler>& handlers() {
  static QHash<QString, ModalHandler> h;
  return h;
}

ModalHandler& fallback() {
  static ModalHandler f;
  return f;
}
}  // namespace

int runModal(QDialog& dialog) {
  auto it = handlers().find(QString::fromLatin1(dialog.metaObject()->className()));
  if (it != handlers().end()) return (*it)(dialog);
  if (fallback()) return fallback()(dialog);
  return dialog.exec();
}

void setModalHandler(const QString& className, ModalHandler handler) {
  if (handler) handlers().insert(className, std::move(handler));
  else handlers().remove(className);
}

void clearModalHandlers() { handlers().clear(); }

void setModalFallback(ModalHandler handler) { fallback() = std::move(handler); }

}  // namespace platform
