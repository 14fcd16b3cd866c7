// Reads fuzzed layout streams as element lists and as value lists, and
// through the element classes into a panel, as the designers read layout
// files from disk.
#include <QApplication>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "design/element_classes.h"
#include "design/element_list_panel.h"
#include "design/label_object_filer.h"
#include "design/layout_stream.h"

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
  try {
    QObject owner;
    design::ElementListPanel panel;
    design::LayoutReader reader(bytes);
    design::TGLabelObjectFiler::ReadElements(reader, &owner, panel);
  } catch (const design::LayoutError&) {
  }
  return 0;
}
