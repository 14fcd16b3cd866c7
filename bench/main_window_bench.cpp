// Benchmark of the main window on an address file of 1,000,000 records,
// driven headless: start-up to a usable window (first activation, the file
// opened, sorted and counted), a record move, a sort change, and applying a
// filter with its count. Target: under a second each.
//
// usage: main_window_bench [RECORDS] [FOLDER]
#include <QApplication>

#include "app/address_main.h"
#include "address_home.h"
#include "bench_support.h"
#include "platform/home.h"

using namespace qvbench;

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  BenchSetup setup(argc, argv);
  const std::string dbf = makeAddressHome(setup);
  if (dbf.empty()) return 1;

  auto now = [] { return std::chrono::steady_clock::now(); };
  auto seconds = [](auto start) { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };

  auto start = now();
  app::TAddressMain window;
  window.FormActivate();
  QApplication::processEvents();
  std::printf("start-up to a usable window          %7.3f s  (%s, %s)\n", seconds(start),
              window.filterStatus().toStdString().c_str(), window.sortStatus().toStdString().c_str());

  start = now();
  for (int i = 0; i < 100; ++i) window.RecordNextClick();
  std::printf("a record move (mean of 100)          %7.4f s\n", seconds(start) / 100);

  start = now();
  window.SetOrderTo("City");
  window.RecordFirstClick();
  std::printf("sort change to City, first record    %7.3f s\n", seconds(start));

  start = now();
  window.filter().values.entries[0] = "SMI;JO";
  window.filter().values.entries[8] = "IL";
  window.filter().values.entries[15] = "$C";
  uint32_t matches = window.ApplyFilter();
  window.RecordFirstClick();
  std::printf("filter applied and counted, first    %7.3f s  (%u matches; %s)\n", seconds(start), matches,
              window.filterStatus().toStdString().c_str());
  window.close();
  platform::setHomeFolder("");
  return 0;
}
