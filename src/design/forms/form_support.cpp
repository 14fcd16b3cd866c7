#include "form_support.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QHBoxLayout>

#include "platform/modal.h"

namespace design {

namespace {
std::function<void(int)>& helpHandler() {
  static std::function<void(int)> handler;
  return handler;
}
}  // namespace

void setHelpHandler(std::function<void(int)> handler) { helpHandler() = std::move(handler); }

void showHelpTopic(int topic) {
  if (helpHandler()) helpHandler()(topic);
}

FormButtons addFormButtons(QDialog& form, QBoxLayout& layout, int helpTopic) {
  form.setWindowFlag(Qt::WindowContextHelpButtonHint, true);
  FormButtons b;
  b.Ok = new QPushButton(QStringLiteral("Ok"), &form);
  b.Cancel = new QPushButton(QStringLiteral("Cancel"), &form);
  b.Help = new QPushButton(QStringLiteral("Help"), &form);
  b.Ok->setDefault(true);
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (QPushButton* button : {b.Ok, b.Cancel, b.Help}) row->addWidget(button);
  layout.addLayout(row);
  // Escape rejects a QDialog already: that is the cancel key.
  QObject::connect(b.Ok, &QPushButton::clicked, &form, &QDialog::accept);
  QObject::connect(b.Cancel, &QPushButton::clicked, &form, &QDialog::reject);
  QObject::connect(b.Help, &QPushButton::clicked, &form, [helpTopic] { showHelpTopic(helpTopic); });
  form.setProperty("helpTopic", helpTopic);
  return b;
}

std::optional<QFont> chooseFont(const QFont& initial) {
  QFontDialog dialog(initial);
  if (platform::runModal(dialog) != QDialog::Accepted) return std::nullopt;
  // A test's handler sets the current font and accepts without the dialog's own OK.
  return dialog.selectedFont() == QFont() ? dialog.currentFont() : dialog.selectedFont();
}

std::optional<TColor> chooseColor(TColor initial) {
  QColorDialog dialog(toQColor(initial));
  if (platform::runModal(dialog) != QDialog::Accepted) return std::nullopt;
  return fromQColor(dialog.selectedColor().isValid() ? dialog.selectedColor() : dialog.currentColor());
}

}  // namespace design
