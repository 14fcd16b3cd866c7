#include "modal.h"

#include <QHash>

namespace platform {

namespace {
QHash<QString, ModalHandler>& handlers() {
  static QHash<QString, ModalHandler> h;
  return h;
}
}  // namespace

int runModal(QDialog& dialog) {
  auto it = handlers().find(QString::fromLatin1(dialog.metaObject()->className()));
  if (it != handlers().end()) return (*it)(dialog);
  return dialog.exec();
}

void setModalHandler(const QString& className, ModalHandler handler) {
  if (handler) handlers().insert(className, std::move(handler));
  else handlers().remove(className);
}

void clearModalHandlers() { handlers().clear(); }

}  // namespace platform
