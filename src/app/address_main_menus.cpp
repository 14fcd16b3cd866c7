// The main window's menus, toolbar, record edits and button row, with the
// captions, shortcuts and hints the program's users know.
#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWhatsThis>

#include "address_main.h"
#include "help_windows.h"
#include "toolbar_icons.h"
#include "platform/modal.h"
#include "platform/prompts.h"

namespace app {

QAction* TAddressMain::entry(QMenu* menu, const QString& caption, const QKeySequence& shortcut) {
  QAction* a = menu->addAction(caption);
  if (!shortcut.isEmpty()) a->setShortcut(shortcut);
  // The caption as shown: "&&" stands for "&", a single "&" marks the access key.
  QString key = caption;
  key.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  key.remove(QLatin1Char('&'));
  key.replace(QStringLiteral("\x01"), QStringLiteral("&"));
  actions[key] = a;
  return a;
}

void TAddressMain::notAvailable(const QString& command) {
  QString c = command;
  c.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  c.remove(QLatin1Char('&'));
  c.replace(QStringLiteral("\x01"), QStringLiteral("&"));
  platform::prompts().info(("The command \"" + c + "\" is not available yet.").toStdString());
}

void TAddressMain::buildMenus() {
  auto later = [this](QAction* a) {
    QString caption = a->text();
    connect(a, &QAction::triggered, this, [this, caption] { notAvailable(caption); });
  };
  FileMenu = menuBar()->addMenu(QStringLiteral("&File"));
  connect(entry(FileMenu, QStringLiteral("&New Address Database")), &QAction::triggered, this, &TAddressMain::mnuNewClick);
  connect(entry(FileMenu, QStringLiteral("&Open Address DataBase")), &QAction::triggered, this, &TAddressMain::mnuOpenClick);
  connect(entry(FileMenu, QStringLiteral("&Browse"), QKeySequence(QStringLiteral("Ctrl+B"))), &QAction::triggered, this, &TAddressMain::BrowseButtonClick);
  connect(entry(FileMenu, QStringLiteral("&Search"), QKeySequence(QStringLiteral("Ctrl+S"))), &QAction::triggered, this, &TAddressMain::SearchButtonClick);
  QMenu* import = FileMenu->addMenu(QStringLiteral("&Import"));
  for (const char* c : {"Import from &DBF File", "Import from &ASCII File", "Import from Quillvane 1.x DBF",
                        "Import from Quillvane 2.x DBF"})
    later(entry(import, QString::fromLatin1(c)));
  later(entry(FileMenu, QStringLiteral("&Export ")));
  FileMenu->addSeparator();
  connect(entry(FileMenu, QStringLiteral("Set &Filter"), QKeySequence(QStringLiteral("Ctrl+F"))), &QAction::triggered, this, &TAddressMain::FilterButtonClick);
  connect(entry(FileMenu, QStringLiteral("&Clear Filter")), &QAction::triggered, this, &TAddressMain::ClearFilterClick);
  connect(entry(FileMenu, QStringLiteral("&Save Filter")), &QAction::triggered, this, &TAddressMain::mnuSaveFilterClick);
  connect(entry(FileMenu, QStringLiteral("&Restore Filter")), &QAction::triggered, this, &TAddressMain::mnuRestoreFilterClick);
  FileMenu->addSeparator();
  connect(entry(FileMenu, QStringLiteral("Clear &Tags")), &QAction::triggered, this, &TAddressMain::ClearTags1Click);
  connect(entry(FileMenu, QStringLiteral("&Tag All Filter Matches")), &QAction::triggered, this, &TAddressMain::mnuTagAllFilterMatchesClick);
  FileMenu->addSeparator();
  connect(entry(FileMenu, QStringLiteral("&Rebuild Indexes for this file")), &QAction::triggered, this, &TAddressMain::mnuRebuildIndexesClick);
  later(entry(FileMenu, QStringLiteral("Rebuild S&ystem File indexes")));
  connect(entry(FileMenu, QStringLiteral("Pre&ferences")), &QAction::triggered, this, &TAddressMain::mnuPreferencesClick);
  FileMenu->addSeparator();
  mnuExit = entry(FileMenu, QStringLiteral("E&xit "));
  connect(mnuExit, &QAction::triggered, this, &TAddressMain::ExitClick);
  FileMenu->addSeparator();

  // The Edit menu is not shown; its shortcuts act on the focused edit.
  EditMenu = new QMenu(QStringLiteral("Ed&it"), this);
  auto focused = [](auto method) {
    return [method] {
      if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget())) (edit->*method)();
    };
  };
  connect(entry(EditMenu, QStringLiteral("&Undo typing"), QKeySequence::Undo), &QAction::triggered, this, focused(&QLineEdit::undo));
  connect(entry(EditMenu, QStringLiteral("Cu&t"), QKeySequence::Cut), &QAction::triggered, this, focused(&QLineEdit::cut));
  connect(entry(EditMenu, QStringLiteral("&Copy"), QKeySequence::Copy), &QAction::triggered, this, focused(&QLineEdit::copy));
  connect(entry(EditMenu, QStringLiteral("&Paste"), QKeySequence::Paste), &QAction::triggered, this, focused(&QLineEdit::paste));
  for (QAction* a : EditMenu->actions()) a->setShortcutContext(Qt::WidgetShortcut);

  RecordMenu = menuBar()->addMenu(QStringLiteral("&Record"));
  connect(entry(RecordMenu, QStringLiteral("&First"), QKeySequence(QStringLiteral("Ctrl+Up"))), &QAction::triggered, this, &TAddressMain::RecordFirstClick);
  connect(entry(RecordMenu, QStringLiteral("&Previous"), QKeySequence(QStringLiteral("Ctrl+Left"))), &QAction::triggered, this, &TAddressMain::RecordPrevClick);
  connect(entry(RecordMenu, QStringLiteral("&Next"), QKeySequence(QStringLiteral("Ctrl+Right"))), &QAction::triggered, this, &TAddressMain::RecordNextClick);
  connect(entry(RecordMenu, QStringLiteral("&Last"), QKeySequence(QStringLiteral("Ctrl+Down"))), &QAction::triggered, this, &TAddressMain::RecordLastClick);
  connect(entry(RecordMenu, QStringLiteral("&Add")), &QAction::triggered, this, &TAddressMain::AddButtonClick);
  connect(entry(RecordMenu, QStringLiteral("&Edit")), &QAction::triggered, this, &TAddressMain::EditButtonClick);
  connect(entry(RecordMenu, QStringLiteral("&Delete")), &QAction::triggered, this, &TAddressMain::DeleteButtonClick);
  connect(entry(RecordMenu, QStringLiteral("Copy To &Clipboard")), &QAction::triggered, this, &TAddressMain::ToClipboard1Click);
  connect(entry(RecordMenu, QStringLiteral("Create a Duplicate &Record (Clone)")), &QAction::triggered, this, &TAddressMain::mnuCloneClick);

  SortMenu = menuBar()->addMenu(QStringLiteral("&Sort"));
  for (const char* c : {"&Last Name", "&First Name", "&Title", "&Organization", "&Street", "&City", "&State", "&Zip",
                        "&Country", "&Phone", "&E-mail", "&Fax", "&Date", "&Codes"}) {
    QAction* a = SortMenu->addAction(QString::fromLatin1(c));
    a->setCheckable(true);
    QString name = QString::fromLatin1(c).remove(QLatin1Char('&'));
    connect(a, &QAction::triggered, this, [this, name] { SetOrderTo(name); });
  }
  SortMenu->actions().first()->setChecked(true);

  UtilitiesMenu = menuBar()->addMenu(QStringLiteral("&Utilities"));
  for (const char* c : {"Count &Zip Codes", "Check && Repair &State and Zip Codes", "Check && Repair &Duplicates",
                        "Con&vert Case", "Delete &Records", "&Search && Replace Field Values"})
    later(entry(UtilitiesMenu, QString::fromLatin1(c)));

  PrintMenu = menuBar()->addMenu(QStringLiteral("&Print"));
  later(entry(PrintMenu, QStringLiteral("Print &Labels"), QKeySequence(QStringLiteral("Ctrl+L"))));
  later(entry(PrintMenu, QStringLiteral("Print Le&tters"), QKeySequence(QStringLiteral("Ctrl+T"))));
  later(entry(PrintMenu, QStringLiteral("Print &Envelopes"), QKeySequence(QStringLiteral("Ctrl+E"))));
  later(entry(PrintMenu, QStringLiteral("Print &Reports"), QKeySequence(QStringLiteral("Ctrl+R"))));
  later(entry(PrintMenu, QStringLiteral("Print C&urrent Record"), QKeySequence(QStringLiteral("Ctrl+P"))));

  HelpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
  auto help = [this] {
    THelpWindow w(this);
    platform::runModal(w);
  };
  connect(entry(HelpMenu, QStringLiteral("&Contents")), &QAction::triggered, this, help);
  connect(entry(HelpMenu, QStringLiteral("&Getting Started")), &QAction::triggered, this, &TAddressMain::GettingStartedClick);
  connect(entry(HelpMenu, QStringLiteral("&About...")), &QAction::triggered, this, [this] {
    TAboutBox about(this);
    platform::runModal(about);
  });
  connect(entry(HelpMenu, QStringLiteral("Search for Help On")), &QAction::triggered, this, help);
  connect(entry(HelpMenu, QStringLiteral("How to Use Help")), &QAction::triggered, this, help);
}

void TAddressMain::addWhatsThis(QWidget* button, const QString& text) {
  button->setWhatsThis(text);
  button->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(button, &QWidget::customContextMenuRequested, button, [button](const QPoint& at) {
    QMenu menu;
    QAction* a = menu.addAction(QStringLiteral("What's this?"));
    if (menu.exec(button->mapToGlobal(at)) == a) QWhatsThis::showText(button->mapToGlobal(at), button->whatsThis(), button);
  });
}

void TAddressMain::buildToolbar() {
  QToolBar* bar = addToolBar(QStringLiteral("Toolbar"));
  bar->setMovable(false);
  // Pictures with white captions on a dark bar.
  bar->setStyleSheet(QStringLiteral("QToolBar { background: #2f4f6f; spacing: 4px; }"
                                    "QToolButton { color: white; padding: 2px 6px; }"
                                    "QToolButton:disabled { color: #9fb0c0; }"));
  auto tool = [&](const QString& name, const QString& caption, const QString& hint, const QString& command) {
    auto* b = new QToolButton(bar);
    b->setObjectName(name);
    b->setText(caption);
    b->setToolTip(hint);
    b->setIcon(toolbarIcon(caption));
    b->setIconSize(QSize(32, 32));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setMinimumWidth(64);
    addWhatsThis(b, hint);
    bar->addWidget(b);
    connect(b, &QToolButton::clicked, this, [this, command] {
      if (auto it = actions.find(command); it != actions.end()) it->second->trigger();
    });
    return b;
  };
  LabelsButton = tool("LabelsButton", "Labels", "Click here or press CTRL+L to print/design labels", "Print Labels");
  LettersButton = tool("LettersButton", "Letters", "Click here or press CTRL+T to print/design letters", "Print Letters");
  EnvelopesButton = tool("EnvelopesButton", "Envelopes", "Click here or press CTRL+E to print/design envelopes", "Print Envelopes");
  ReportsButton = tool("ReportsButton", "Reports", "Click here or press CTRL+R to print/design reports", "Print Reports");
  BrowseButton = tool("BrowseButton", "Browse", "Click here or press CTRL+B for a table view of the database", "Browse");
  SearchButton = tool("SearchButton", "Search", "Click here or press CTRL+S to search for a specific value", "Search");
  FilterButton = tool("FilterButton", "Filter", "Click here or press CTRL+F to set or change a filter", "Set Filter");
  MouseHelpButton = tool("MouseHelpButton", "?", "Click here for mouse help", "");
}

QWidget* TAddressMain::buildRecordArea() {
  auto* area = new QWidget(this);
  auto* layout = new QVBoxLayout(area);
  auto field = [&](QGridLayout* grid, const char* name, const char* caption, int row, int column, int span = 1) {
    auto* edit = new FieldEdit(*table_, QString::fromLatin1(name), area);
    edit->installEventFilter(this);
    connect(edit, &FieldEdit::editRequested, this, &TAddressMain::EditButtonClick);
    edits[QString::fromLatin1(name)] = edit;
    grid->addWidget(new QLabel(QString::fromLatin1(caption), area), row, column);
    grid->addWidget(edit, row, column + 1, 1, span);
    return edit;
  };
  auto* names = new QGridLayout;
  field(names, "LNAME", "Last", 0, 0);
  field(names, "FNAME", "First", 0, 2);
  field(names, "MIDDLE", "MI", 0, 4)->setMaximumWidth(40);
  field(names, "PREFIX", "Prefix", 1, 0);
  field(names, "TITLE", "Title", 1, 2);
  field(names, "ORG", "Org", 2, 0, 3);
  layout->addLayout(names);

  Notebook = new QTabWidget(area);
  Notebook->setTabPosition(QTabWidget::South);
  auto* page1 = new QWidget;
  auto* grid = new QGridLayout(page1);
  field(grid, "STREET", "Address 1", 0, 0, 3);
  field(grid, "STREET2", "Address 2", 1, 0, 3);
  field(grid, "CITY", "City", 2, 0);
  field(grid, "STATE", "State or Prov", 2, 2);
  field(grid, "ZIP", "Zip or Postal ", 3, 0);
  field(grid, "COUNTRY", "Country", 3, 2);
  field(grid, "PHONE", "Phone 1", 4, 0);
  field(grid, "PHONE2", "Phone 2", 4, 2);
  field(grid, "FAX", "Fax", 5, 0);
  field(grid, "EMAIL", "E-mail", 5, 2);
  field(grid, "CODES", "Codes", 6, 0);
  field(grid, "USER1", "Comment 1", 7, 0, 3);
  field(grid, "USER2", "Comment 2", 8, 0, 3);
  auto* date = new FieldEdit(*table_, QStringLiteral("DisplayDate"), page1);
  edits[QStringLiteral("DisplayDate")] = date;
  DateButton = new QPushButton(QStringLiteral("Date"), page1);
  grid->addWidget(DateButton, 6, 2);
  grid->addWidget(date, 6, 3);
  Tagged = new QCheckBox(QStringLiteral("Tagged"), page1);
  Tagged->setObjectName(QStringLiteral("Tagged"));
  connect(Tagged, &QCheckBox::clicked, this, [this] { ToggleTag(); });
  grid->addWidget(Tagged, 9, 0);
  DialButton1 = new QPushButton(QStringLiteral("Dial Phone &1"), page1);
  DialButton2 = new QPushButton(QStringLiteral("Dial Phone &2"), page1);
  grid->addWidget(DialButton1, 9, 1);
  grid->addWidget(DialButton2, 9, 2);
  connect(DateButton, &QPushButton::clicked, this, &TAddressMain::DateLabelClick);
  for (QPushButton* b : {DialButton1, DialButton2})
    connect(b, &QPushButton::clicked, this, [this, b] { notAvailable(b->text()); });
  Notebook->addTab(page1, QStringLiteral("Address &Information"));

  auto* page2 = new QWidget;
  auto* memoLayout = new QVBoxLayout(page2);
  memoLayout->addWidget(new QLabel(QStringLiteral("Memo"), page2));
  MemoEdit = new QPlainTextEdit(page2);
  MemoEdit->setObjectName(QStringLiteral("MemoEdit"));
  MemoEdit->installEventFilter(this);
  memoLayout->addWidget(MemoEdit, 1);
  auto* memoButtons = new QHBoxLayout;
  SearchMemoButton = new QPushButton(QStringLiteral("Search &Memo"), page2);
  FindNextButton = new QPushButton(QStringLiteral("Find &Next"), page2);
  for (QPushButton* b : {SearchMemoButton, FindNextButton}) memoButtons->addWidget(b);
  connect(SearchMemoButton, &QPushButton::clicked, this, &TAddressMain::SearchMemoButtonClick);
  connect(FindNextButton, &QPushButton::clicked, this, &TAddressMain::SearchMemoNextButtonClick);
  memoButtons->addStretch();
  memoLayout->addLayout(memoButtons);
  connect(MemoEdit, &QPlainTextEdit::textChanged, this, [this] {
    if (memoLoading_ || !table_->active()) return;
    if (table_->state() == data::DataSet::State::Browse && EditButton->isEnabled()) EditButtonClick();
  });
  Notebook->addTab(page2, QStringLiteral("&Memo"));
  layout->addWidget(Notebook, 1);
  return area;
}

QWidget* TAddressMain::buildButtonRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  auto button = [&](const char* name, const char* caption, const char* hint) {
    auto* b = new QPushButton(QString::fromLatin1(caption), row);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(QString::fromLatin1(hint));
    addWhatsThis(b, QString::fromLatin1(hint));
    layout->addWidget(b);
    return b;
  };
  FirstButton = button("FirstButton", "|<", "First record");
  PrevButton = button("PrevButton", "<", "Previous record");
  NextButton = button("NextButton", ">", "Next record");
  LastButton = button("LastButton", ">|", "Last record");
  SaveButton = button("SaveButton", "&Save", "Save the changes to this record");
  CancelButton = button("CancelButton", "&Cancel", "Forget the changes to this record");
  AddButton = button("AddButton", "&Add", "Add a new record");
  EditButton = button("EditButton", "&Edit", "Change this record");
  DeleteButton = button("DeleteButton", "&Delete", "Delete this record");
  ExitButton = button("ExitButton", "E&xit", "Close the program");
  ClearFilterButton = button("ClearFilterButton", "Clear Filter", "Show all records again");
  layout->addStretch();
  connect(FirstButton, &QPushButton::clicked, this, &TAddressMain::RecordFirstClick);
  connect(PrevButton, &QPushButton::clicked, this, &TAddressMain::RecordPrevClick);
  connect(NextButton, &QPushButton::clicked, this, &TAddressMain::RecordNextClick);
  connect(LastButton, &QPushButton::clicked, this, &TAddressMain::RecordLastClick);
  connect(SaveButton, &QPushButton::clicked, this, &TAddressMain::SaveButtonClick);
  connect(CancelButton, &QPushButton::clicked, this, &TAddressMain::CancelButtonClick);
  connect(AddButton, &QPushButton::clicked, this, &TAddressMain::AddButtonClick);
  connect(EditButton, &QPushButton::clicked, this, &TAddressMain::EditButtonClick);
  connect(DeleteButton, &QPushButton::clicked, this, &TAddressMain::DeleteButtonClick);
  connect(ExitButton, &QPushButton::clicked, this, &TAddressMain::ExitClick);
  connect(ClearFilterButton, &QPushButton::clicked, this, &TAddressMain::ClearFilterClick);
  return row;
}

}  // namespace app
