// Layout files and the in-memory copies behind the clipboard and "Clone":
// element lists written from a panel and read back into one through the
// class registry, report layouts with their three bands and settings list.
// Reading errors throw LayoutError with the user's message; the elements
// read before the error stay on the panel.
#pragma once

#include <QObject>
#include <QPoint>
#include <functional>
#include <string>
#include <vector>

#include "graphic_control.h"
#include "layout_stream.h"

namespace design {

class TGLabelObjectFiler {
 public:
  using SettingsWriter = std::function<void(LayoutWriter&)>;            // writes bare values
  using SettingsReader = std::function<void(const std::vector<Value>&)>;

  // The stream bytes of an element list.
  static std::string ElementList(const std::vector<TGGraphicControl*>& elements);

  static void SaveLayout(const ElementPanel& panel, const std::string& path);
  // A missing file reads nothing.
  static void LoadLayout(QObject* owner, ElementPanel& panel, const std::string& path);
  static void SaveSelection(const ElementPanel& panel, const std::string& path);
  static void SaveElement(const TGGraphicControl& element, const std::string& path);
  // As LoadLayout, each element moved 15 pixels right and down.
  static void PasteLayout(QObject* owner, ElementPanel& panel, const std::string& path);
  // The element written alone and read back into the panel; returns the copy.
  static TGGraphicControl* CloneElement(const TGGraphicControl& element, QObject* owner, ElementPanel& panel);

  static void SaveReportLayout(const ElementPanel& header, const ElementPanel& detail, const ElementPanel& footer,
                               const SettingsWriter& settings, const std::string& path);
  static void LoadReportLayout(QObject* owner, ElementPanel& header, ElementPanel& detail, ElementPanel& footer,
                               const SettingsReader& settings, const std::string& path);

  // Reads one element list from the reader into the panel; returns what it read.
  static std::vector<TGGraphicControl*> ReadElements(LayoutReader& reader, QObject* owner, ElementPanel& panel,
                                                     QPoint offset = {});
};

}  // namespace design
