// The fonts that layouts name ("Arial", "Times New Roman", "WingDings",
// "SmallFonts", "System") mapped onto scalable fonts installed by the setup
// script: Liberation for the metric-compatible pair, Liberation Sans Narrow
// for the small face, DejaVu Sans for the system face and Symbola for the
// symbol face, whose character codes are turned into the Unicode symbols
// they stand for. (Debian's
// fonts-wine has faces of those names, but they are single-size bitmaps
// that print microscopic at printer resolution, and its Wingdings holds
// only a few dozen of the symbols.)
#pragma once

#include <QString>
#include <QStringList>

namespace design {

// Sets the name substitutions; call once after the application object
// exists (later calls do nothing).
void registerLayoutFonts();

// The names layouts use, in the order the font menus offer them.
QStringList layoutFontNames();

// Whether a layout font draws symbols at its character codes (WingDings).
bool isSymbolFont(const QString& layoutName);
// The Unicode symbol of a WingDings character code.
char32_t wingDingsSymbol(unsigned char code);
// The text to draw for `text` in the layout font `layoutName`: the symbols
// of the codes for a symbol font, the text itself otherwise.
QString glyphText(const QString& layoutName, const QString& text);

// The installed family a layout font name resolves to.
QString resolvedFamily(const QString& layoutName);

}  // namespace design
