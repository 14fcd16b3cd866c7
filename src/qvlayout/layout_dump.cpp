#include "layout_dump.h"

#include <cctype>
#include <cstdio>
#include <filesystem>

#include "design/element_classes.h"
#include "design/element_list_panel.h"
#include "design/label_object_filer.h"

namespace qvlayout {

namespace {

std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20 || u == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", u);
      out += buf;
    } else {
      out += c;  // 8-bit text stays as stored
    }
  }
  return out + "\"";
}

template <class... F>
struct Visitor : F... {
  using F::operator()...;
};

}  // namespace

std::string valueText(const design::Value& value) {
  return std::visit(
      Visitor{
          [](int64_t v) { return std::to_string(v); },
          [](double v) {
            char buf[40];
            std::snprintf(buf, sizeof buf, "%.17g", v);
            return std::string(buf);
          },
          [](const std::string& v) { return quoted(v); },
          [](const design::Identifier& v) { return v.name; },
          [](bool v) { return std::string(v ? "True" : "False"); },
          [](const design::Binary& v) { return "<binary " + std::to_string(v.bytes.size()) + " bytes>"; },
          [](const design::SetValue& v) {
            std::string out = "[";
            for (std::size_t i = 0; i < v.members.size(); ++i) out += (i ? ", " : "") + v.members[i];
            return out + "]";
          },
          [](const design::Nil&) { return std::string("nil"); },
          [](const std::vector<design::StoredValueBox>& items) {
            std::string out = "(";
            for (std::size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + valueText(items[i].value);
            return out + ")";
          },
      },
      value);
}

std::string dumpLayout(const std::string& bytes) {
  design::LayoutReader reader(bytes);
  std::string out;
  for (int n = 1; !reader.atEnd(); ++n) {
    out += "list " + std::to_string(n) + "\n";
    if (reader.nextListHoldsElements()) {
      for (const design::StoredElement& e : reader.readList()) {
        out += e.className + " " + e.name + "\n";
        for (const design::StoredProperty& p : e.properties) out += "  " + p.name + " = " + valueText(p.value) + "\n";
      }
    } else {
      for (const design::Value& v : reader.readValueList()) out += "  " + valueText(v) + "\n";
    }
  }
  return out;
}

void checkLayout(const std::string& path) {
  design::RegisterElementClasses();
  QObject owner;
  std::string ext = std::filesystem::path(path).extension().string();
  for (char& c : ext) c = char(std::toupper(static_cast<unsigned char>(c)));
  if (ext == ".R") {
    design::ElementListPanel header, detail, footer;
    design::TGLabelObjectFiler::LoadReportLayout(&owner, header, detail, footer, nullptr, path);
  } else {
    design::ElementListPanel panel;
    design::TGLabelObjectFiler::LoadLayout(&owner, panel, path);
  }
}

}  // namespace qvlayout
