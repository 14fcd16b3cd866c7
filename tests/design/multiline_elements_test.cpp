// Multi-line text: the address lines a record gives, memo lines, wrapping,
// sizing, how lines print within the element, and the editor and address
// layout forms.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <cmath>

#include "answer_form.h"
#include "at_ppi.h"
#include "design/elements/address_label.h"
#include "design/elements/multiline_label.h"
#include "design/forms/field_selection_box.h"
#include "design/forms/multiline_forms.h"
#include "fake_panel.h"
#include "printed_ops.h"

using namespace design;
using designtest::Answer;
using designtest::AtPpi;
using designtest::FakePanel;

namespace {

using Record = std::map<std::string, std::string>;

QStringList address(const AddressOptions& o, const Record& r) {
  return BuildAddressLines(o, [&](const char* name) -> std::optional<QString> {
    auto it = r.find(name);
    if (it == r.end()) return std::nullopt;
    return QString::fromUtf8(it->second.c_str());
  });
}

Record person(Record overrides = {}) {
  Record r{{"PREFIX", ""}, {"FNAME", "Ann"}, {"MIDDLE", ""}, {"LNAME", "Cole"}, {"TITLE", ""}, {"ORG", ""},
           {"STREET", ""}, {"STREET2", ""}, {"CITY", "Boise"}, {"STATE", "ID"}, {"ZIP", "83702"},
           {"COUNTRY", ""},  {"PHONE", ""}};
  for (auto& [k, v] : overrides) r[k] = v;
  return r;
}

}  // namespace

TEST(AddressBlock, LinesOfARecord) {
  AddressOptions plain;
  AddressOptions before = plain;
  before.zip = ZipPlace::BeforeCity;
  AddressOptions afterCountry = plain;
  afterCountry.zip = ZipPlace::AfterCountry;
  AddressOptions noCity = plain;
  noCity.useCityState = false;
  AddressOptions upper = plain;
  upper.upperCase = true;
  AddressOptions everything = plain;
  everything.usePhone = true;
  const struct {
    const char* what;
    AddressOptions options;
    Record record;
    QStringList lines;
  } cases[] = {
      {"full name", plain, person({{"PREFIX", "Dr."}, {"MIDDLE", "B"}}), {"Dr. Ann B. Cole ", "Boise  ID 83702"}},
      {"no middle name", plain, person(), {"Ann Cole ", "Boise  ID 83702"}},
      {"zip before city", before, person(), {"Ann Cole ", "83702 Boise ID "}},
      {"zip after country", afterCountry, person({{"COUNTRY", "USA"}}), {"Ann Cole ", "Boise ID", "USA 83702"}},
      {"zip alone", noCity, person(), {"Ann Cole ", "83702"}},
      {"no city", plain, person({{"CITY", ""}}), {"Ann Cole ", " ID 83702"}},
      {"all empty", plain,
       person({{"FNAME", ""}, {"LNAME", ""}, {"CITY", ""}, {"STATE", ""}, {"ZIP", ""}}), {}},
      {"upper case", upper, person({{"FNAME", "\xc3\xa9lise"}, {"CITY", "Boise"}}),
       {QString::fromUtf8("\xc3\xa9LISE COLE "), "BOISE  ID 83702"}},
      {"every line", everything,
       person({{"TITLE", "Director"}, {"ORG", "Acme"}, {"STREET", "1 Main St"}, {"STREET2", "Suite 2"},
               {"COUNTRY", "USA"}, {"PHONE", "555-1234"}}),
       {"Ann Cole ", "Director", "Acme", "1 Main St", "Suite 2", "Boise  ID 83702", "USA", "555-1234"}},
  };
  for (const auto& c : cases) EXPECT_EQ(address(c.options, c.record), c.lines) << c.what;

  // A field missing from the file ends the building where it is needed.
  Record partial = person({{"TITLE", "Director"}});
  partial.erase("ORG");
  EXPECT_EQ(address(plain, partial), (QStringList{"Ann Cole ", "Director"}));
}

TEST(AddressBlock, RefreshFromThePanel) {
  FakePanel panel;
  panel.record = {};
  for (auto& [k, v] : person()) panel.record[k] = v + "   ";  // character fields as stored
  auto* block = panel.place<TGDMultiLineAddressLabel>();
  block->RefreshData();
  EXPECT_EQ(block->Items(), (QStringList{"Ann Cole ", "Boise  ID 83702"}));
  panel.showValues = false;
  block->RefreshData();
  EXPECT_EQ(block->Items(), QStringList{"[Address Label]"});
  block->ClearData();
  EXPECT_TRUE(block->Items().isEmpty());

  Answer<TAddressLayout> answer([](TAddressLayout& f) {
    EXPECT_TRUE(f.ZipPlaces[0]->isChecked());
    f.ZipBox->setChecked(false);
    EXPECT_FALSE(f.ZipPlaces[2]->isEnabled());
    f.ZipBox->setChecked(true);
    EXPECT_TRUE(f.ZipPlaces[2]->isEnabled());
    f.ZipPlaces[3]->setChecked(true);
    f.UpperCaseBox->setChecked(true);
    f.NameBox->setChecked(false);
  });
  EXPECT_TRUE(block->EditLayout());
  EXPECT_EQ(block->Options().zip, ZipPlace::BeforeCountry);
  EXPECT_TRUE(block->Options().upperCase);
  EXPECT_FALSE(block->Options().useName);
}

TEST(MemoElement, LinesOfTheMemoField) {
  FakePanel panel;
  panel.fields = {{"LNAME", 'C', "Last Name"}, {"MEMO", 'M', "MEMO"}};
  panel.record = {{"MEMO", "one\r\ntwo\r\n"}};
  auto* memo = panel.place<TGDMultiLineLabel>();
  memo->SetDataFieldName("Memo");
  memo->SetDataFieldDescript("MEMO");
  const struct {
    const char* memo;
    bool show, printing;
    QStringList items;
  } cases[] = {
      {"one\r\ntwo\r\n", true, false, {"one", "two"}},
      {"", true, false, {}},
      {"one", false, false, {"[MEMO]"}},
  };
  for (const auto& c : cases) {
    panel.record["MEMO"] = c.memo;
    panel.showValues = c.show;
    panel.isPrinting = c.printing;
    memo->RefreshData();
    EXPECT_EQ(memo->Items(), c.items) << c.memo;
  }
  memo->SetDataFieldDescript("Gone");
  panel.showValues = true;
  memo->RefreshData();
  EXPECT_EQ(memo->Items(), QStringList{"<undefined memo>"});
  panel.isPrinting = true;
  memo->RefreshData();
  EXPECT_TRUE(memo->Items().isEmpty());

  // The memo field is chosen among memo fields only.
  QStringList listed;
  Answer<TFieldSelectionBox> answer([&](TFieldSelectionBox& f) {
    for (int i = 0; i < f.FieldList->count(); ++i) listed << f.FieldList->item(i)->text();
  });
  memo->ChooseMemoField();
  EXPECT_EQ(listed, QStringList{"MEMO"});
  EXPECT_EQ(memo->DataFieldDescript(), QStringLiteral("MEMO"));
}

TEST(MultiLine, WrappingAndSizing) {
  AtPpi at(96);
  const QFont font = ElementFont::of("Arial", 10).screenFont();
  const QFontMetrics fm(font);
  const int width = fm.horizontalAdvance("alpha beta ") + 2;
  EXPECT_EQ(WrapLines({"alpha beta gamma"}, font, width), (QStringList{"alpha beta ", "gamma"}));
  const QStringList broken = WrapLines({QString(40, u'w')}, font, width);
  EXPECT_GT(broken.size(), 1);
  EXPECT_EQ(broken.join(QString()), QString(40, u'w'));  // a word wider than the element breaks inside
  EXPECT_EQ(WrapLines({"a", "", "b"}, font, width), (QStringList{"a", "", "b"}));

  FakePanel panel;
  auto* text = panel.place<TGMultiLineLabel>();
  text->SetItems({"one", "a much longer second line", "three"});
  text->SizeToContents();
  EXPECT_EQ(text->Height(), 3 * (fm.ascent() + fm.descent()));
  EXPECT_EQ(text->Width(), std::max(190, fm.horizontalAdvance("a much longer second line")));
  text->SetBounds(0, 0, width, 10);
  const int changes = panel.changes;
  text->SetWordWrap(true);
  EXPECT_EQ(panel.changes, changes + 1);
  EXPECT_GT(text->WrappedLines().size(), 3);
  EXPECT_EQ(text->ShownLines(), text->WrappedLines());

  Answer<TMultiLineTextEditor> answer([](TMultiLineTextEditor& f) {
    EXPECT_EQ(f.Memo->toPlainText(), QStringLiteral("one\na much longer second line\nthree"));
    f.Memo->setPlainText(QString(300, u'z'));
    EXPECT_EQ(f.Memo->toPlainText().size(), TMultiLineTextEditor::kMaxLength);
    f.Memo->setPlainText("new\nlines");
  });
  EXPECT_TRUE(text->EditText());
  EXPECT_EQ(text->Items(), (QStringList{"new", "lines"}));
  EXPECT_EQ(panel.changes, changes + 2);
}

TEST(MultiLine, PrintedLinesStayInTheElement) {
  AtPpi at(96);
  FakePanel panel;
  panel.isPrinting = true;
  auto* text = panel.place<TGMultiLineLabel>();
  QStringList thirty;
  for (int i = 0; i < 30; ++i) thirty << QStringLiteral("line %1").arg(i);
  text->SetItems(thirty);
  text->SetAlignment(TextAlignment::RightJustify);
  int dpi = 0;
  double lastWidth = 0;
  // 2.5 printed lines high (a line is 10 / 60 inch).
  text->SetBounds(96, 96, 190, 40);
  const print::Page page = designtest::printedOps([&](print::Canvas& c) {
    text->PrintOn(c, 0, 0);
    dpi = c.deviceDpi();
    lastWidth = c.textWidth(QStringLiteral("line 2"));
  });
  const auto lines = designtest::opsOf<print::op::ClippedText>(page);
  const int lineH = RoundHalfEven(10 / 60.0 * dpi);
  const int top = RoundHalfEven(1.0 * dpi), bottom = RoundHalfEven((96 + 40) / 96.0 * dpi);
  const int rows = (bottom - top + lineH - 1) / lineH;
  ASSERT_EQ(int(lines.size()), rows);
  EXPECT_NEAR(lines.back().clip.bottom() * dpi, bottom, 1e-6);  // the last line is cut at the element's edge
  EXPECT_LT(lines.back().clip.height() * dpi, lineH);
  // Right-aligned lines end one screen pixel inside the right edge.
  const int right = RoundHalfEven((96 + 190) / 96.0 * dpi);
  const double end = lines.back().baseline.x() * dpi + std::round(lastWidth * dpi);
  EXPECT_NEAR(end, right - dpi / 96, 1.0);
}
