// What the elements' small forms share: the Ok / Cancel / Help row with the
// what's-this button, the help hook, and the font and colour dialogs, all
// shown through the modal runner so that tests can answer them.
#pragma once

#include <QBoxLayout>
#include <QDialog>
#include <QFont>
#include <QPushButton>
#include <functional>
#include <optional>

#include "design/element_style.h"

namespace design {

struct FormButtons {
  QPushButton *Ok, *Cancel, *Help;
};

// Adds "Ok" (default, accepts), "Cancel" (the cancel key, rejects) and
// "Help" (opens `helpTopic`) below `layout`, and the what's-this button to
// the form's frame.
FormButtons addFormButtons(QDialog& form, QBoxLayout& layout, int helpTopic);

// Where the Help buttons lead; the program installs the help window.
void setHelpHandler(std::function<void(int topic)> handler);
void showHelpTopic(int topic);

// A font dialog started at `initial`; nothing when cancelled.
std::optional<QFont> chooseFont(const QFont& initial);
// A colour dialog started at `initial`; nothing when cancelled.
std::optional<TColor> chooseColor(TColor initial);

}  // namespace design
