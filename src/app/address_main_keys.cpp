// The main window's keys: it sees every key of its record edits and memo
// first (overtype, Alt+Enter, Ctrl+Enter, Page Down, Page Up, Escape, Enter).
#include <QApplication>
#include <QKeyEvent>
#include <QTextCursor>

#include "address_main.h"
#include "platform/prompts.h"

namespace app {

namespace {

// Keys that do not type: control and navigation keys, function keys.
bool typesText(const QKeyEvent* key) {
  if (key->text().isEmpty()) return false;
  ushort c = key->text().at(0).unicode();
  return c >= 32 && c != 127 && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

}  // namespace

bool TAddressMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  const bool ctrl = key->modifiers() & Qt::ControlModifier;
  const bool alt = key->modifiers() & Qt::AltModifier;
  const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  auto& prompts = platform::prompts();

  if (key->key() == Qt::Key_Insert && !ctrl && !alt) {
    insertMode_ = !insertMode_;
    return true;
  }
  if (enter && alt) {
    if (editing_) {
      SaveButtonClick();
      if (!editing_ && prompts.ask("Add", "Add another record?", false)) AddButtonClick();
    }
    return true;
  }
  if (enter && ctrl) {
    if (editing_) SaveButtonClick();
    return true;
  }
  if (key->key() == Qt::Key_PageDown) {
    if (editing_) {
      if (prompts.ask("Save", "Save changes?", false)) SaveButtonClick();
    } else if (ctrl) {
      RecordLastClick();
    } else {
      RecordNextClick();
    }
    return true;
  }
  if (key->key() == Qt::Key_PageUp) {
    if (!editing_) ctrl ? RecordFirstClick() : RecordPrevClick();
    return true;
  }
  if (key->key() == Qt::Key_Escape) {
    if (editing_) {
      if (watched == MemoEdit && CancelButton->isEnabled()) CancelButtonClick();
      else if (prompts.ask("Cancel", "Cancel changes?", false)) CancelButtonClick();
    }
    return true;
  }
  if (enter && watched != MemoEdit) {
    focusNextChild();
    return true;
  }
  // Overtype: the typed character replaces the one at the caret.
  if (!insertMode_ && typesText(key)) {
    if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
      if (!edit->hasSelectedText() && edit->cursorPosition() < edit->text().size())
        edit->setSelection(edit->cursorPosition(), 1);
    } else if (watched == MemoEdit) {
      QTextCursor c = MemoEdit->textCursor();
      if (!c.hasSelection() && !c.atBlockEnd()) {
        c.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor);
        MemoEdit->setTextCursor(c);
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace app
