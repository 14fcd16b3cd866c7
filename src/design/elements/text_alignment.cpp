#include "text_alignment.h"

#include <QAction>
#include <QMenu>

namespace design {

const char* const kAlignmentNames[3] = {"taLeftJustify", "taRightJustify", "taCenter"};

void AddAlignmentMenu(QMenu* menu, QObject* context, QAction* (&entries)[3],
                      const std::function<void(TextAlignment)>& choose) {
  QMenu* align = menu->addMenu(QStringLiteral("Alignment"));
  const char* captions[] = {"Left", "Center", "Right"};
  const TextAlignment values[] = {TextAlignment::LeftJustify, TextAlignment::Center, TextAlignment::RightJustify};
  for (int i = 0; i < 3; ++i) {
    QAction* entry = align->addAction(QString::fromLatin1(captions[i]));
    entry->setCheckable(true);
    entries[int(values[i])] = entry;
    QObject::connect(entry, &QAction::triggered, context, [choose, v = values[i]] { choose(v); });
  }
}

}  // namespace design
