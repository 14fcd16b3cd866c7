#include "fonts.h"

#include <QFont>
#include <QFontInfo>

namespace design {

namespace {

struct Mapping {
  const char* layoutName;
  const char* substitute;  // the installed family, or nullptr while there is none
};

// WingDings needs its symbol codes mapped onto Unicode symbols before any
// installed face can stand in for it; until then it resolves as fontconfig
// decides.
const Mapping kMappings[] = {
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"WingDings", nullptr},
    {"SmallFonts", "Liberation Sans Narrow"},
    {"System", "DejaVu Sans"},
};

}  // namespace

void registerLayoutFonts() {
  static bool done = false;
  if (done) return;
  done = true;
  for (const Mapping& m : kMappings)
    if (m.substitute) QFont::insertSubstitution(QLatin1String(m.layoutName), QLatin1String(m.substitute));
}

QStringList layoutFontNames() {
  QStringList names;
  for (const Mapping& m : kMappings) names << QLatin1String(m.layoutName);
  return names;
}

QString resolvedFamily(const QString& layoutName) {
  registerLayoutFonts();
  return QFontInfo(QFont(layoutName)).family();
}

}  // namespace design
