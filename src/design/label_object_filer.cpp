#include "label_object_filer.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include <QSet>

#include "element_registry.h"
#include "platform/ansi_text.h"

namespace design {

namespace {

void writeElement(LayoutWriter& w, const TGGraphicControl& e) {
  std::string name = platform::toFileText(e.Name());
  if (name.size() > 255) name.resize(255);
  w.beginElement(e.ClassName().toStdString(), name);
  e.WriteProperties(w);
  w.endElement();
}

// The file is replaced only once the new one is whole: a failed write keeps
// the layout that was there.
void writeFile(const std::string& path, const std::string& bytes) {
  const std::string temporary = path + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      throw LayoutError("Cannot create file " + path);
    }
  }
  std::error_code ec;
  std::filesystem::rename(temporary, path, ec);
  if (ec) {
    std::filesystem::remove(temporary, ec);
    throw LayoutError("Cannot create file " + path);
  }
}

// Nothing when the file does not exist.
bool readFile(const std::string& path, std::string& bytes) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) throw LayoutError("Cannot open file " + path);
  std::ostringstream s;
  s << in.rdbuf();
  bytes = s.str();
  return true;
}

// The first "Component" + n, n from 0 to 1000, that no component of the
// owner has (`taken` holds their names and takes the one given).
QString freeComponentName(QSet<QString>& taken, const QString& storedName) {
  for (int n = 0; n <= 1000; ++n) {
    const QString name = QStringLiteral("Component") + QString::number(n);
    if (!taken.contains(name)) {
      taken.insert(name);
      return name;
    }
  }
  return storedName;
}

}  // namespace

std::string TGLabelObjectFiler::ElementList(const std::vector<TGGraphicControl*>& elements) {
  LayoutWriter w;
  w.beginList();
  for (const TGGraphicControl* e : elements) writeElement(w, *e);
  w.endList();
  return w.bytes();
}

void TGLabelObjectFiler::SaveLayout(const ElementPanel& panel, const std::string& path) {
  writeFile(path, ElementList(panel.elements()));
}

void TGLabelObjectFiler::SaveSelection(const ElementPanel& panel, const std::string& path) {
  std::vector<TGGraphicControl*> selected = panel.selectedElements();
  if (!selected.empty()) writeFile(path, ElementList(selected));
}

void TGLabelObjectFiler::SaveElement(const TGGraphicControl& element, const std::string& path) {
  writeFile(path, ElementList({const_cast<TGGraphicControl*>(&element)}));
}

std::vector<TGGraphicControl*> TGLabelObjectFiler::ReadElements(LayoutReader& reader, QObject* owner,
                                                                ElementPanel& panel, QPoint offset) {
  std::vector<TGGraphicControl*> read;
  QSet<QString> taken;
  if (owner)
    for (const QObject* child : owner->children()) taken.insert(child->objectName());
  auto buildMenus = [&] {
    for (TGGraphicControl* e : read) e->BuildMenu();
  };
  try {
    reader.readList([&](StoredElement&& stored) {
      const QString className = QString::fromStdString(stored.className);
      TGGraphicControl* e = CreateRegisteredElement(className, owner);
      if (!e) throw LayoutError("Class " + stored.className + " not found");
      std::unique_ptr<TGGraphicControl> pending(e);
      const QString storedName = platform::fromFileText(stored.name);
      e->SetName(freeComponentName(taken, storedName));
      e->SetPanel(&panel);
      e->SetReading(true);
      for (const StoredProperty& p : stored.properties)
        if (!e->ReadProperty(p))
          throw LayoutError("Error reading " + platform::toFileText(e->Name()) + "." + p.name +
                            ": Property does not exist");
      e->SetReading(false);
      pending.release();
      panel.adopt(e);
      if (!offset.isNull()) e->SetBounds(e->Left() + offset.x(), e->Top() + offset.y(), e->Width(), e->Height());
      read.push_back(e);
    });
  } catch (...) {
    buildMenus();
    throw;
  }
  buildMenus();
  return read;
}

void TGLabelObjectFiler::LoadLayout(QObject* owner, ElementPanel& panel, const std::string& path) {
  std::string bytes;
  if (!readFile(path, bytes)) return;
  LayoutReader reader(std::move(bytes));
  ReadElements(reader, owner, panel);
}

void TGLabelObjectFiler::PasteLayout(QObject* owner, ElementPanel& panel, const std::string& path) {
  std::string bytes;
  if (!readFile(path, bytes)) return;
  LayoutReader reader(std::move(bytes));
  ReadElements(reader, owner, panel, QPoint(15, 15));
}

TGGraphicControl* TGLabelObjectFiler::CloneElement(const TGGraphicControl& element, QObject* owner,
                                                   ElementPanel& panel) {
  LayoutReader reader(ElementList({const_cast<TGGraphicControl*>(&element)}));
  std::vector<TGGraphicControl*> read = ReadElements(reader, owner, panel);
  return read.empty() ? nullptr : read.front();
}

void TGLabelObjectFiler::SaveReportLayout(const ElementPanel& header, const ElementPanel& detail,
                                          const ElementPanel& footer, const SettingsWriter& settings,
                                          const std::string& path) {
  std::string bytes = ElementList(header.elements()) + ElementList(detail.elements()) + ElementList(footer.elements());
  LayoutWriter w;
  w.beginList();
  if (settings) settings(w);
  w.endList();
  writeFile(path, bytes + w.bytes());
}

void TGLabelObjectFiler::LoadReportLayout(QObject* owner, ElementPanel& header, ElementPanel& detail,
                                          ElementPanel& footer, const SettingsReader& settings,
                                          const std::string& path) {
  std::string bytes;
  if (!readFile(path, bytes)) return;
  LayoutReader reader(std::move(bytes));
  for (ElementPanel* band : {&header, &detail, &footer}) ReadElements(reader, owner, *band);
  std::vector<Value> values = reader.readValueList();
  if (settings) settings(values);
}

}  // namespace design
