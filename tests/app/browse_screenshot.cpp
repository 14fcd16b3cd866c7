// Opens the browse grid on a large address file (QUILLVANE_HOME, made with
// RECORDS synthetic records when empty) and saves a picture of it
// (scripts/screenshot-browse).
// usage: browse_screenshot OUTPUT.png
#include <QApplication>
#include <QTimer>

#include "app/address_browse_form.h"
#include "app/address_main.h"
#include "data/delivered_data.h"
#include "data/settings.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) return 2;
  data::prepareHome();
  data::Settings().writeBool("Misc", "GettingStarted", true);
  app::TAddressMain window;
  window.FormActivate();
  std::vector<std::string> order;
  for (const auto& f : window.TableQVW().fields()) order.push_back(f.name);
  app::TAddressBrowseForm form(window.TableQVW(), order, [&] { window.ToggleTag(); }, &window);
  form.resize(1000, 600);
  form.show();
  QTimer::singleShot(300, [&] {
    form.moveTo(form.Model->rowCount() / 2);
    QApplication::processEvents();
    form.grab().save(QString::fromLocal8Bit(argv[1]));
    app.quit();
  });
  return app.exec();
}
