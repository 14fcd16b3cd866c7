// Layout files and label printing: writing and reading a layout of 1024
// elements, and the cost of one printed label (refresh from a record, then
// print an address block, a data field, a counter and a POSTNET code on an
// inch canvas recording pages), as a label run does for every record.
// usage: layout_bench [LABELS]   (default 20000)
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "design/element_classes.h"
#include "design/element_list_panel.h"
#include "design/elements/address_label.h"
#include "design/elements/counter_label.h"
#include "design/elements/data_label.h"
#include "design/elements/postnet_element.h"
#include "design/label_object_filer.h"
#include "design/screen_ppi.h"
#include "platform/print/print_job.h"

namespace {

double since(std::chrono::steady_clock::time_point t) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int labels = argc > 1 ? std::atoi(argv[1]) : 20000;
  design::SetPixelsPerInch(96);
  design::RegisterElementClasses();

  QObject owner;
  design::ElementListPanel panel(QSize(254, 96));
  panel.setRecord({}, {{"LNAME", 'C', "Last Name"}});
  auto* address = new design::TGDMultiLineAddressLabel(&owner);
  address->SetBounds(4, 4, 240, 64);
  auto* field = new design::TGPDLabel(&owner);
  field->SetDataFieldDescript("Last Name");
  field->SetBounds(150, 70, 100, 20);
  auto* counter = new design::TGCounterLabel(&owner);
  counter->SetBounds(4, 70, 80, 20);
  auto* bar = new design::TGPostNetBarCode(&owner);
  bar->SetZipCodeField("ZIP");
  bar->SetAddressField("STREET");
  bar->SetBounds(4, 84, 270, 12);
  for (design::TGGraphicControl* e : std::initializer_list<design::TGGraphicControl*>{address, field, counter, bar}) {
    e->SetPanel(&panel);
    panel.adopt(e);
  }

  // A layout of 1024 elements written and read back.
  std::vector<design::TGGraphicControl*> many;
  for (int i = 0; i < 256; ++i)
    for (design::TGGraphicControl* e : panel.elements()) many.push_back(e);
  auto t = std::chrono::steady_clock::now();
  const std::string bytes = design::TGLabelObjectFiler::ElementList(many);
  const double written = since(t);
  t = std::chrono::steady_clock::now();
  QObject readOwner;
  design::ElementListPanel readPanel;
  design::LayoutReader reader(bytes);
  design::TGLabelObjectFiler::ReadElements(reader, &readOwner, readPanel);
  const double read = since(t);
  std::printf("layout of %zu elements (%zu bytes): written in %.1f ms, read in %.1f ms\n", many.size(), bytes.size(),
              written * 1000, read * 1000);

  // A run of labels, 30 to a Letter page (3 across, 10 down).
  print::PrintJob job;
  print::PageStream stream;
  t = std::chrono::steady_clock::now();
  job.onPrint = [&](print::Canvas& canvas) {
    for (int i = 0; i < labels; ++i) {
      if (i > 0 && i % 30 == 0) canvas.newPage();
      const std::string n = std::to_string(i);
      panel.setRecord({{"PREFIX", ""}, {"FNAME", "Ann"}, {"MIDDLE", "B"}, {"LNAME", "Cole" + n}, {"TITLE", ""},
                       {"ORG", "Cole Veterinary"}, {"STREET", n + " Main St"}, {"STREET2", ""}, {"CITY", "Boise"},
                       {"STATE", "ID"}, {"ZIP", "83702-1234"}, {"COUNTRY", ""}, {"PHONE", ""}},
                      {{"LNAME", 'C', "Last Name"}});
      for (design::TGGraphicControl* e : panel.elements()) e->RefreshData();
      const double x = 0.1875 + (i % 3) * 2.75, y = 0.5 + (i / 3 % 10) * 1.0;
      for (design::TGGraphicControl* e : panel.elements()) e->PrintOn(canvas, x, y);
      for (design::TGGraphicControl* e : panel.elements()) e->Advance();
    }
  };
  job.runToStream(stream);
  const double printed = since(t);
  std::printf("%d labels on %d pages: %.2f s, %.0f labels/s (%.1f us each)\n", labels, stream.pageCount(), printed,
              labels / printed, printed / labels * 1e6);
  return 0;
}
