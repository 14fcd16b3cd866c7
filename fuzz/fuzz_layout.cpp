// Reads fuzzed layout streams as element lists and as value lists, and
// through the element classes into a panel, as the designers read layout
// files from disk; then paints and prints what was read.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "design/element_classes.h"
#include "design/element_list_panel.h"
#include "design/label_object_filer.h"
#include "design/layout_stream.h"
#include "platform/print/print_job.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static QApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "fuzz_layout";
    static char* argv[] = {name, nullptr};
    design::RegisterElementClasses();
    return new QApplication(argc, argv);
  }();
  (void)app;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  try {
    design::LayoutReader reader(bytes);
    while (!reader.atEnd()) (void)reader.readList();
  } catch (const design::LayoutError&) {
  }
  try {
    design::LayoutReader reader(bytes);
    (void)reader.readValueList();
  } catch (const design::LayoutError&) {
  }
  QObject owner;
  design::ElementListPanel panel(QSize(816, 1056));
  panel.setRecord({{"LNAME", "Cole"}, {"ZIP", "12345-6789"}, {"STREET", "123 MAIN ST"}, {"MEMO", "a\r\nb"}});
  try {
    design::LayoutReader reader(bytes);
    design::TGLabelObjectFiler::ReadElements(reader, &owner, panel);
  } catch (const design::LayoutError&) {
  }
  QImage screen(200, 200, QImage::Format_RGB32);
  QPainter painter(&screen);
  print::PageStream stream;
  print::PrintJob job;
  job.onPrint = [&](print::Canvas& canvas) {
    for (design::TGGraphicControl* e : panel.elements()) {
      e->RefreshData();
      e->Paint(painter);
      e->PrintOn(canvas, 0, 0);
    }
  };
  job.runToStream(stream);
  return 0;
}
