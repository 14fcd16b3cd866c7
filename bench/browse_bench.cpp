// Benchmark of search and browse on 1,000,000 records sorted by last name
// with a filter matching about half of them, driven headless: opening the
// browse grid, jumping to its last row and back, paging, a search by the
// beginning of a last name, and a memo search over every record.
//
// usage: browse_bench [RECORDS] [FOLDER]
#include <QApplication>
#include <QScrollBar>

#include "app/address_browse_form.h"
#include "app/address_main.h"
#include "app/record_tools.h"
#include "address_home.h"
#include "bench_support.h"
#include "platform/home.h"
#include "platform/modal.h"

using namespace qvbench;

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  BenchSetup setup(argc, argv);
  const std::string dbf = makeAddressHome(setup);
  if (dbf.empty()) return 1;
  auto now = [] { return std::chrono::steady_clock::now(); };
  auto seconds = [](auto start) { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };

  app::TAddressMain window;
  window.FormActivate();
  window.filter().values.entries[8] = "IL;CA;TX;NY;FL";  // half of the states
  uint32_t matches = window.ApplyFilter();
  window.RecordFirstClick();
  std::printf("filter: %u of %ld records, sorted by last name\n", matches, setup.records);

  auto start = now();
  {
    std::vector<std::string> order;
    for (const auto& f : window.TableQVW().fields()) order.push_back(f.name);
    app::TAddressBrowseForm form(window.TableQVW(), order, [&] { window.ToggleTag(); }, &window);
    form.show();
    QApplication::processEvents();
    std::printf("browse grid open and painted           %7.3f s (%d rows)\n", seconds(start), form.Model->rowCount());
    start = now();
    form.LastButton->click();
    QApplication::processEvents();
    std::printf("jump to the last row                   %7.3f s\n", seconds(start));
    start = now();
    form.FirstButton->click();
    QApplication::processEvents();
    std::printf("back to the first row                  %7.3f s\n", seconds(start));
    start = now();
    QScrollBar* bar = form.Grid->verticalScrollBar();
    for (int i = 0; i < 50; ++i) {
      bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
      form.Grid->viewport()->repaint();
    }
    std::printf("a page down, painted (mean of 50)      %7.4f s\n", seconds(start) / 50);
  }

  // A search by the beginning of a last name: the seek itself, and the whole command.
  xbase::Environment& env = window.TableQVW().environment();
  env.softSeek = true;
  std::vector<double> micros;
  const char* prefixes[] = {"SMI", "JO", "GAR", "WIL", "MART", "LEE", "TAY", "BRO", "AND", "PER"};
  for (int i = 0; i < 1000; ++i) {
    auto s = now();
    window.TableQVW().cursor().seek(prefixes[i % 10]);
    window.TableQVW().refresh();
    micros.push_back(seconds(s) * 1e6);
  }
  std::sort(micros.begin(), micros.end());
  std::printf("search by last-name prefix (median)    %7.1f us (p99 %.1f us)\n", micros[500], micros[990]);
  env.softSeek = false;
  platform::setModalHandler("app::TSearchBox", [](QDialog& d) {
    auto& box = static_cast<app::TSearchBox&>(d);
    box.SearchText->setText("Smith");
    return int(QDialog::Accepted);
  });
  start = now();
  window.SearchButtonClick();
  std::printf("the Search command, dialog included    %7.4f s\n", seconds(start));

  // A memo search that finds nothing: every record of the view is examined.
  start = now();
  {
    app::TQVWSearching searching(window.TableQVW(), "no such words anywhere", true, &window);
    searching.show();
    for (int i = 0; i < 100000 && searching.isVisible(); ++i) QApplication::processEvents(QEventLoop::AllEvents, 5);
    double s = seconds(start);
    std::printf("memo search over the view              %7.3f s (%llu records, %.0f records/s)\n", s,
                static_cast<unsigned long long>(searching.examined()), double(searching.examined()) / s);
  }
  window.close();
  platform::setHomeFolder("");
  return 0;
}
