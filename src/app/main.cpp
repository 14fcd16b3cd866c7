// Quillvane: the program. One instance per user: a second start brings the
// running window to the front and ends.
#include <QApplication>
#include <unistd.h>

#include "address_main.h"
#include "data/delivered_data.h"
#include "design/fonts.h"
#include "platform/single_instance.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quillvane"));
  design::registerLayoutFonts();
  platform::SingleInstance guard(QStringLiteral("Quillvane-") + QString::number(getuid()));
  if (guard.anotherIsRunning()) return 0;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  data::prepareHome();
  app::TAddressMain window;
  guard.onRaise = [&window] {
    if (window.isMinimized()) window.showNormal();
    window.raise();
    window.activateWindow();
  };
  QApplication::restoreOverrideCursor();
  window.show();
  return app.exec();
}
