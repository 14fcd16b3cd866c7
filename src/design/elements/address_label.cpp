#include "address_label.h"

#include <QMenu>

#include "design/forms/multiline_forms.h"
#include "design/layout_stream.h"
#include "platform/ansi_text.h"
#include "platform/modal.h"

namespace design {

namespace {

const char* const kZipNames[] = {"zoAfterState", "zoBeforeCity", "zoAfterCountry", "zoBeforeCountry"};

struct MissingField {};

// Only a to z change: accented letters stay as they are.
QString upperAscii(QString s) {
  for (QChar& c : s)
    if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - 32);
  return s;
}

}  // namespace

QStringList BuildAddressLines(const AddressOptions& o,
                              const std::function<std::optional<QString>(const char*)>& field) {
  QStringList lines;
  auto get = [&](const char* name) {
    std::optional<QString> v = field(name);
    if (!v) throw MissingField{};
    return *v;
  };
  auto addIfAny = [&](const QString& line) {
    if (!line.isEmpty()) lines << line;
  };
  const QString sp = QStringLiteral(" ");
  try {
    if (o.useName) {
      QString middle = get("MIDDLE");
      if (!Trim(middle).isEmpty()) middle += QLatin1Char('.');
      addIfAny(TrimLeft(get("PREFIX") + sp) + TrimLeft(get("FNAME") + sp) + TrimLeft(middle + sp) +
               TrimLeft(get("LNAME") + sp));
    }
    if (o.useTitle) addIfAny(get("TITLE"));
    if (o.useCompany) addIfAny(get("ORG"));
    if (o.useStreet) addIfAny(get("STREET"));
    if (o.useStreet2) addIfAny(get("STREET2"));
    const QString city = get("CITY"), state = get("STATE"), zip = get("ZIP"), country = get("COUNTRY");
    const bool zipWithCity = o.zip == ZipPlace::AfterState || o.zip == ZipPlace::BeforeCity;
    if (o.useCityState && o.useZip && o.zip == ZipPlace::AfterState) {
      const QString line = TrimLeft(city + sp) + sp + TrimLeft(state + sp) + TrimLeft(zip);
      if (!Trim(line).isEmpty()) lines << line;
    } else if (o.useCityState && o.useZip && o.zip == ZipPlace::BeforeCity) {
      addIfAny(TrimLeft(zip + sp) + TrimLeft(city + sp) + TrimLeft(state + sp));
    } else if (o.useCityState) {
      addIfAny(TrimLeft(city + sp) + TrimLeft(state));
    } else if (o.useZip && zipWithCity) {
      addIfAny(TrimLeft(zip));
    }
    if (o.useCountry && o.useZip && o.zip == ZipPlace::AfterCountry) addIfAny(TrimLeft(country + sp) + TrimLeft(zip));
    else if (o.useCountry && o.useZip && o.zip == ZipPlace::BeforeCountry) addIfAny(TrimLeft(zip + sp) + TrimLeft(country));
    else if (o.useCountry) addIfAny(TrimLeft(country));
    else if (o.useZip && !zipWithCity) addIfAny(TrimLeft(zip));
    if (o.usePhone) addIfAny(get("PHONE"));
  } catch (const MissingField&) {
  }
  if (o.upperCase)
    for (QString& l : lines) l = upperAscii(l);
  return lines;
}

void TGDMultiLineAddressLabel::WriteProperties(LayoutWriter& w) const {
  TGMultiLineBaseLabel::WriteProperties(w);
  w.boolean("UseName", options_.useName);
  w.boolean("UseTitle", options_.useTitle);
  w.boolean("UseCompany", options_.useCompany);
  w.boolean("UseStreet", options_.useStreet);
  w.boolean("UseStreet2", options_.useStreet2);
  w.boolean("UseCityState", options_.useCityState);
  w.boolean("UseZip", options_.useZip);
  w.boolean("UsePhone", options_.usePhone);
  w.boolean("UseCountry", options_.useCountry);
  w.identifier("ZipOptions", kZipNames[int(options_.zip)]);
  w.boolean("UpperCase", options_.upperCase);
}

bool TGDMultiLineAddressLabel::ReadProperty(const StoredProperty& p) {
  struct Flag {
    const char* name;
    bool AddressOptions::*member;
  };
  static const Flag flags[] = {
      {"UseName", &AddressOptions::useName},         {"UseTitle", &AddressOptions::useTitle},
      {"UseCompany", &AddressOptions::useCompany},   {"UseStreet", &AddressOptions::useStreet},
      {"UseStreet2", &AddressOptions::useStreet2},   {"UseCityState", &AddressOptions::useCityState},
      {"UseZip", &AddressOptions::useZip},           {"UsePhone", &AddressOptions::usePhone},
      {"UseCountry", &AddressOptions::useCountry},   {"UpperCase", &AddressOptions::upperCase},
  };
  for (const Flag& f : flags)
    if (p.name == f.name) {
      options_.*f.member = booleanOf(p.value);
      return true;
    }
  if (p.name == "ZipOptions") {
    options_.zip = ZipPlace(enumOf(p.value, kZipNames, 4));
    return true;
  }
  return TGMultiLineBaseLabel::ReadProperty(p);
}

void TGDMultiLineAddressLabel::BuildMenu() {
  if (Menu()) return;
  TGMultiLineBaseLabel::BuildMenu();
  Menu()->addSeparator();
  Menu()->addAction(QStringLiteral("Address Layout"), this, [this] {
    if (!EditLayout()) return;
    if (Panel()) Panel()->refreshData();
    NotifyChanged();
  });
}

bool TGDMultiLineAddressLabel::EditLayout() {
  TAddressLayout form(options_);
  if (platform::runModal(form) != QDialog::Accepted) return false;
  options_ = form.Options();
  return true;
}

void TGDMultiLineAddressLabel::RefreshData() {
  ElementPanel* panel = Panel();
  if (!panel) return;
  const bool printing = panel->printing();
  QStringList lines;
  if (panel->displayDataValues() || printing) {
    lines = BuildAddressLines(options_, [panel](const char* name) -> std::optional<QString> {
      auto v = panel->fieldText(name);
      if (!v) return std::nullopt;
      return TrimRight(platform::fromFileText(*v));
    });
  } else {
    lines << QStringLiteral("[Address Label]");
  }
  SetItemsQuietly(lines);
  if (WordWrap()) Rewrap();
  if (!printing) Repaint();
}

}  // namespace design
