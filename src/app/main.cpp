// Quillvane: the program. Starts the main window on the home's address files.
#include <QApplication>

#include "address_main.h"
#include "data/delivered_data.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quillvane"));
  QApplication::setOverrideCursor(Qt::WaitCursor);
  data::prepareHome();
  app::TAddressMain window;
  QApplication::restoreOverrideCursor();
  window.show();
  return app.exec();
}
