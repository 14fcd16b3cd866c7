// The program's home for the window benchmarks: DATA and SYSDATA folders
// under the bench folder, DATA/ADD0001.DBF filled with generated addresses
// through qvdbf (a bulk append: the tags are rebuilt at its end) and made
// the most recent file, the getting-started window off, and every modal
// window refused so that nothing waits for a user.
#pragma once

#include <filesystem>
#include <string>

#include "bench_support.h"
#include <QDialog>

#include "data/address_file.h"
#include "data/preferences.h"
#include "platform/home.h"
#include "platform/modal.h"

namespace qvbench {

// The address file's path; empty when it cannot be created.
inline std::string makeAddressHome(const BenchSetup& setup) {
  std::filesystem::create_directories(setup.file("DATA"));
  std::filesystem::create_directories(setup.file("SYSDATA"));
  platform::setHomeFolder(setup.folder);
  const std::string csv = setup.file("addresses.csv");
  const std::string dbf = setup.file("DATA/ADD0001.DBF");
  generateCsv(csv, setup.records);
  if (!data::createAddressFile(dbf, data::defaultFieldWidths())) return {};
  run({QVDBF_PATH, "append-csv", dbf, csv});
  data::Settings settings;
  data::writeRecentFiles(settings, {dbf});
  settings.writeBool("Misc", "GettingStarted", true);
  platform::setModalFallback([](QDialog&) { return int(QDialog::Rejected); });
  return dbf;
}

}  // namespace qvbench
