// The horizontal alignment of text elements, its stored names, and the
// "Alignment" submenu that single-line and multi-line text share.
#pragma once

#include <functional>

class QAction;
class QMenu;
class QObject;

namespace design {

enum class TextAlignment { LeftJustify, RightJustify, Center };  // taLeftJustify, taRightJustify, taCenter

extern const char* const kAlignmentNames[3];

// Adds "Alignment" with "Left", "Center", "Right" to `menu`; each entry is
// checkable, kept in `entries` by alignment, and calls `choose`.
void AddAlignmentMenu(QMenu* menu, QObject* context, QAction* (&entries)[3],
                      const std::function<void(TextAlignment)>& choose);

}  // namespace design
