// Starts the main window on a home (QUILLVANE_HOME) as the program does,
// fills the default file with a few records when it is empty, and saves a
// picture of the window (scripts/screenshot-main).
// usage: main_screenshot OUTPUT.png
#include <QApplication>
#include <QTimer>

#include "app/address_main.h"
#include "data/delivered_data.h"
#include "data/settings.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) return 2;
  data::prepareHome();
  data::Settings().writeBool("Misc", "GettingStarted", true);  // the picture is of the main window
  app::TAddressMain window;
  window.show();
  QTimer::singleShot(200, [&] {
    data::DataSet& t = window.TableQVW();
    if (t.active() && t.cursor().count() == 0) {
      const char* people[][8] = {{"Baker", "John", "Q", "Mr.", "Baker & Sons", "12 Elm Street", "Springfield", "IL"},
                                 {"Alvarez", "Maria", "", "Dr.", "City Clinic", "400 Main St", "Salem", "OR"},
                                 {"Chen", "Wei", "", "", "", "9 Harbor Rd", "Portland", "ME"}};
      for (auto& p : people) {
        window.AddButtonClick();
        const char* fields[] = {"LNAME", "FNAME", "MIDDLE", "PREFIX", "ORG", "STREET", "CITY", "STATE"};
        for (int i = 0; i < 8; ++i) t.setText(fields[i], p[i]);
        t.setText("ZIP", "62701");
        t.setText("DATE", "19970428");
        window.SaveButtonClick();
      }
      window.RecordFirstClick();
    }
    QApplication::processEvents();
    window.grab().save(QString::fromLocal8Bit(argv[1]));
    app.quit();
  });
  return app.exec();
}
