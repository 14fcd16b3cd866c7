#include "help_windows.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

namespace {

const char* kGuide = R"(<h2>Quillvane</h2>
<p>Quillvane keeps mailing lists. Each list is an <b>address file</b>; the main window shows one
address at a time.</p>
<h3>Records</h3>
<ul>
<li><b>Add</b> starts a new address; type it in and press <b>Save</b> (or Ctrl+Enter). <b>Cancel</b> (or Escape) forgets the changes.</li>
<li><b>Edit</b> (or a double-click on a field) changes the address shown; Page Down asks to save.</li>
<li>The arrow buttons, Page Up and Page Down move through the list; Ctrl+Page Up and Ctrl+Page Down go to the first and last address.</li>
<li><b>Delete</b> removes an address from every view; <i>Rebuild Indexes for this file</i> removes deleted addresses for good.</li>
<li>Typing replaces the character at the caret; press Insert to insert instead.</li>
</ul>
<h3>Finding addresses</h3>
<ul>
<li><b>Sort</b> chooses the order of the list.</li>
<li><b>Filter</b> shows only the addresses that match what you type under each field:
a value matches every entry that starts with it; <tt>$C</tt> finds a C anywhere;
<tt>&gt;=M</tt> compares; <tt>A;B</tt> means A or B; <tt>A+B</tt> both; <tt>A^B</tt> A but not B.
Filters can be saved to .FLT files and restored.</li>
<li><b>Tagged</b> marks an address; <i>Tag All Filter Matches</i> tags every match and <i>Clear Tags</i> untags them all.</li>
</ul>
<h3>Files</h3>
<p><i>New Address Database</i> creates a list (its field widths can be chosen);
<i>Open Address DataBase</i> opens another; the last four lists opened are at the end of the File menu.</p>
)";

QPushButton* okRow(QDialog* dialog, QVBoxLayout* layout) {
  auto* ok = new QPushButton(QStringLiteral("Ok"), dialog);
  ok->setDefault(true);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(ok);
  layout->addLayout(row);
  QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
  return ok;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TAboutBox"));
  setWindowTitle(QStringLiteral("About Quillvane"));
  auto* layout = new QVBoxLayout(this);
  auto* text = new QLabel(QStringLiteral("<h2>Quillvane</h2><p>Address lists, labels, envelopes, letters and reports.</p>"
                                         "<p>Version " QUILLVANE_VERSION "</p>"),
                          this);
  layout->addWidget(text);
  okRow(this, layout);
}

TGettingStarted::TGettingStarted(data::Settings& settings, QWidget* parent) : QDialog(parent), settings_(settings) {
  setObjectName(QStringLiteral("TGettingStarted"));
  setWindowTitle(QStringLiteral("Getting Started"));
  auto* layout = new QVBoxLayout(this);
  auto* text = new QTextBrowser(this);
  text->setHtml(QString::fromUtf8(kGuide));
  layout->addWidget(text, 1);
  DontShow = new QCheckBox(QStringLiteral("Do not show this screen at start up"), this);
  DontShow->setChecked(settings_.readBool("Misc", "GettingStarted", false));
  layout->addWidget(DontShow);
  QPushButton* ok = okRow(this, layout);
  disconnect(ok, nullptr, this, nullptr);
  connect(ok, &QPushButton::clicked, this, &TGettingStarted::OkButtonClick);
  resize(560, 480);
}

void TGettingStarted::OkButtonClick() {
  settings_.writeBool("Misc", "GettingStarted", DontShow->isChecked());
  accept();
}

THelpWindow::THelpWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("THelpWindow"));
  setWindowTitle(QStringLiteral("Quillvane Help"));
  auto* layout = new QVBoxLayout(this);
  Text = new QTextBrowser(this);
  Text->setHtml(QString::fromUtf8(kGuide));
  layout->addWidget(Text, 1);
  okRow(this, layout);
  resize(600, 560);
}

}  // namespace app
