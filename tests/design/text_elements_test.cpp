// Single-line text: layout of the text and its 3D copies, rotation, what
// prints, data fields from the panel's record, counters, symbols, stamps,
// and the small forms answered through the modal seam.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "at_ppi.h"
#include "design/elements/base_label.h"
#include "design/elements/counter_label.h"
#include "design/elements/data_label.h"
#include "design/elements/stamp_labels.h"
#include "design/elements/symbol_label.h"
#include "design/forms/counter_form.h"
#include "design/forms/field_selection_box.h"
#include "design/forms/symbol_selector.h"
#include "design/forms/text_forms.h"
#include "answer_form.h"
#include "fake_panel.h"
#include "platform/home.h"
#include "printed_ops.h"

using namespace design;
using designtest::AtPpi;
using designtest::Answer;
using designtest::FakePanel;

namespace {

std::vector<QString> printedTexts(TGGraphicControl& e) {
  std::vector<QString> texts;
  const print::Page page = designtest::printedOps([&](print::Canvas& c) { e.PrintOn(c, 0, 0); });
  for (const auto& t : designtest::opsOf<print::op::ClippedText>(page)) texts.push_back(t.text);
  return texts;
}

}  // namespace

TEST(TextElement, RotationRules) {
  AtPpi at(96);
  FakePanel panel;
  auto* text = panel.place<TGPLabel>();
  text->SetBounds(0, 0, 142, 33);
  text->SetAlignment(TextAlignment::Center);
  text->SetAngle(45);
  EXPECT_EQ(text->Angle(), 0);
  EXPECT_EQ(text->BoundsRect().size(), QSize(142, 33));

  text->SetAngle(90);
  EXPECT_EQ(text->BoundsRect().size(), QSize(33, 142));
  EXPECT_EQ(text->Alignment(), TextAlignment::LeftJustify);
  text->Relayout();
  const int textW = text->TextWidth(text->Caption() + " ");
  const QFontMetrics fm(text->Font().screenFont());
  const int cell = fm.ascent() + fm.descent();
  const int lineH = cell + (cell - text->Font().screenFont().pixelSize()) + fm.leading();
  EXPECT_EQ(text->Height(), int(std::trunc(textW * 1.2)));
  EXPECT_GE(text->Width(), lineH);
  EXPECT_LE(text->Width(), lineH * 1.2);
  // The text starts at the rectangle's bottom-left corner and reads upwards.
  EXPECT_EQ(text->MainOrigin(), QPoint(text->MainRect().left, text->MainRect().bottom));
}

TEST(TextElement, LayoutOfTheCopiesAndTheSize) {
  AtPpi at(96);
  FakePanel panel;
  auto* text = panel.place<TGPLabel>();
  text->SetBounds(0, 0, 142, 100);
  text->SetDirectionShadow(4);  // lower left
  text->SetDepthShadow(3);
  text->SetDirectionHighlight(4);  // upper left
  text->SetDepthHighlight(2);
  text->Relayout();
  EXPECT_EQ(text->MainRect().left, 3);
  EXPECT_EQ(text->MainRect().top, 2);
  EXPECT_EQ(text->ShadowOrigin().x(), 0);
  EXPECT_EQ(text->MainOrigin().x(), 3);
  // Taller than 1.2 times the block: shrinks to it.
  const int block = text->MainRect().bottom - text->MainRect().top + 3 + 2;
  EXPECT_EQ(text->Height(), int(std::trunc(block * 1.2)));
  text->SetHeight(4);
  text->Relayout();
  EXPECT_EQ(text->Height(), block);

  auto* right = panel.place<TGPLabel>();
  right->SetBounds(0, 0, 142, 33);
  right->SetCaption(QStringLiteral("Right"));
  right->SetAlignment(TextAlignment::RightJustify);
  right->Relayout();
  EXPECT_EQ(right->MainOrigin().x(), 142 - right->TextWidth(QStringLiteral("Right ")));
}

TEST(TextElement, AutoSizeOnlyGrowsAndPrintsCopiesWithDepth) {
  AtPpi at(96);
  FakePanel panel;
  auto* text = panel.place<TGPLabel>();
  text->SetBounds(0, 0, 20, 10);
  text->SetCaption(QStringLiteral("A rather long caption"));
  text->AutoSize();
  EXPECT_GE(text->Width(), text->TextWidth(QStringLiteral("A rather long caption     ")));
  const int grown = text->Width();
  text->SetCaption(QStringLiteral("A"));
  text->AutoSize();
  EXPECT_EQ(text->Width(), grown);

  const struct {
    int depth, direction;
    std::size_t copies;
  } cases[] = {{0, 3, 1}, {3, 0, 1}, {3, 3, 2}};
  for (const auto& c : cases) {
    text->SetDepthShadow(c.depth);
    text->SetDirectionShadow(c.direction);
    EXPECT_EQ(printedTexts(*text).size(), c.copies) << c.depth << " " << c.direction;
  }
}

TEST(TextElement, PrintedPositionInInches) {
  AtPpi at(96);
  FakePanel panel;
  auto* text = panel.place<TGPLabel>();
  text->SetBounds(96, 48, 142, 33);
  text->SetTransparent(false);
  const print::Page page = designtest::printedOps([&](print::Canvas& c) { text->PrintOn(c, 0.5, 0.25); });
  const auto rects = designtest::opsOf<print::op::Rect>(page);
  ASSERT_EQ(rects.size(), 1u);  // the background
  EXPECT_DOUBLE_EQ(rects[0].r.left(), 1.5);
  EXPECT_DOUBLE_EQ(rects[0].r.top(), 0.75);
  EXPECT_DOUBLE_EQ(rects[0].r.right(), 0.5 + (96 + 141) / 96.0);
  const auto texts = designtest::opsOf<print::op::ClippedText>(page);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_DOUBLE_EQ(texts[0].clip.left(), 1.5 - 0.03);
  EXPECT_DOUBLE_EQ(texts[0].clip.top(), 0.75 - 0.03);
}

TEST(DataField, CaptionFromTheRecord) {
  FakePanel panel;
  panel.fields = {{"LNAME", 'C', "Last Name"}, {"LNAME2", 'C', "Twice"}, {"OTHER", 'C', "Twice"},
                  {"DATE", 'D', "Actual Date"}};
  panel.record = {{"LNAME", "  Cole   "}, {"LNAME2", "first"}, {"OTHER", "second"}, {"DATE", "03/04/2026"}};
  auto* field = panel.place<TGPDLabel>();
  const struct {
    const char* descript;
    const char* value;  // replaces LNAME's value when set
    bool show, printing;
    const char* caption;
  } cases[] = {
      {"Last Name", nullptr, true, false, "  Cole"},
      {"Last Name", nullptr, true, true, "  Cole"},
      {"Last Name", "    ", true, false, "<blank field>"},
      {"Last Name", "    ", true, true, ""},
      {"Last Name", nullptr, false, false, "[Last Name]"},
      {"Twice", nullptr, true, false, "second"},
      {"Actual Date", nullptr, true, false, "03/04/2026"},
      {"Gone", nullptr, true, false, "<undefined field>"},
      {"", nullptr, true, false, "<undefined field>"},
  };
  for (const auto& c : cases) {
    panel.record["LNAME"] = c.value ? c.value : "  Cole   ";
    panel.showValues = c.show;
    panel.isPrinting = c.printing;
    field->SetDataFieldDescript(QString::fromLatin1(c.descript));
    field->RefreshData();
    EXPECT_EQ(field->Caption(), QString::fromLatin1(c.caption)) << c.descript << " " << c.printing;
  }
  // While printing a field that is not found keeps its caption.
  panel.isPrinting = true;
  field->ClearData();
  field->SetDataFieldDescript(QStringLiteral("Gone"));
  field->RefreshData();
  EXPECT_EQ(field->Caption(), QString());
  EXPECT_EQ(panel.changes, 0);  // record values do not change the layout
}

TEST(DataField, ChoosingTheField) {
  FakePanel panel;
  panel.fields = {{"LNAME", 'C', "Last Name"}, {"DATE", 'D', "Actual Date"}, {"TAG", 'C', "TAG", -1},
                  {"MEMO", 'M', "MEMO"}, {"HIDDEN", 'C', "Hidden", 0, false}, {"CITY", 'C', "City"}};
  auto* field = panel.place<TGPDLabel>();
  field->SetDataFieldName(QStringLiteral("<field>"));
  field->SetDataFieldDescript(QStringLiteral("City"));
  QStringList listed;
  int selected = -1;
  {
    Answer<TFieldSelectionBox> answer([&](TFieldSelectionBox& f) {
      for (int i = 0; i < f.FieldList->count(); ++i) listed << f.FieldList->item(i)->text();
      selected = f.FieldList->currentRow();
      f.FieldList->setCurrentRow(0);
    });
    field->ChooseField();
  }
  EXPECT_EQ(listed, (QStringList{"Last Name", "City"}));
  EXPECT_EQ(selected, 1);
  EXPECT_EQ(field->DataFieldName(), QStringLiteral("LNAME"));
  EXPECT_EQ(field->DataFieldDescript(), QStringLiteral("Last Name"));
  EXPECT_EQ(panel.changes, 1);

  auto* fresh = panel.place<TGPDLabel>();
  fresh->SetDataFieldName(QStringLiteral("<field>"));
  {
    Answer<TFieldSelectionBox> cancel([](TFieldSelectionBox&) {}, QDialog::Rejected);
    fresh->ChooseField();
  }
  fresh->RefreshData();
  EXPECT_EQ(fresh->DataFieldName(), QStringLiteral("<field>"));
  EXPECT_EQ(fresh->Caption(), QStringLiteral("<undefined field>"));
}

TEST(Counter, NumbersAndSettings) {
  FakePanel panel;
  panel.isPrinting = true;
  auto* counter = panel.place<TGCounterLabel>();
  counter->SetStartingnumber(1000);
  counter->SetRepeatEach(3);
  counter->SetLeadingZeros(6);
  QStringList printed;
  for (int i = 0; i < 7; ++i) {
    printed << printedTexts(*counter).back();
    counter->Advance();
  }
  EXPECT_EQ(printed, (QStringList{"001000", "001000", "001000", "001001", "001001", "001001", "001002"}));
  EXPECT_EQ(CounterText("#", 12345, 2, ""), QStringLiteral("#12345"));
  EXPECT_EQ(CounterText("", 7, 0, " of"), QStringLiteral("7 of"));
  counter->ResetCount();
  EXPECT_EQ(counter->Caption(), QStringLiteral("001000"));

  panel.isPrinting = false;
  counter->SetBounds(0, 0, 300, 33);
  Answer<TGetCounter> answer([](TGetCounter& f) {
    EXPECT_EQ(f.StartingNumber->value(), 1000);
    f.TextBefore->setText(QStringLiteral("No. "));
    f.StartingNumber->setValue(5);
    f.RepeatEach->setValue(1);
    f.LeadingZeros->setValue(0);
  });
  EXPECT_TRUE(counter->EditSettings());
  EXPECT_EQ(counter->Caption(), QStringLiteral("No. 5"));
  EXPECT_LT(counter->Width(), 300);  // shrunk to the new text
  counter->Advance();
  EXPECT_EQ(counter->Caption(), QStringLiteral("No. 6"));
}

TEST(Symbol, SizedToItsGlyphAndChosenInTheSelector) {
  AtPpi at(96);
  FakePanel panel;
  auto* symbol = panel.place<TGSymbolLabel>();
  EXPECT_EQ(symbol->Font().name, QStringLiteral("WingDings"));
  EXPECT_EQ(symbol->Caption(), QStringLiteral("["));
  symbol->SetBounds(5, 5, 200, 200);  // dragged larger: snaps back
  const QSize fitted(int(std::trunc(1.1 * symbol->TextWidth("["))), int(std::trunc(1.1 * symbol->TextHeight("["))));
  EXPECT_EQ(symbol->BoundsRect().size(), fitted);
  symbol->ApplyFont(ElementFont::of(QStringLiteral("Arial"), 40));
  EXPECT_EQ(symbol->Font().name, QStringLiteral("WingDings"));

  for (auto [points, columns] : {std::pair{6, 14}, {10, 14}, {11, 10}, {24, 8}, {40, 6}, {50, 4}, {60, 3}, {72, 2}, {5, 1}, {73, 1}})
    EXPECT_EQ(SymbolColumns(points), columns) << points;
  EXPECT_EQ(SymbolFontCaption("WingDings", 24, true, true), QStringLiteral("WingDings, 24pt Italic "));
  EXPECT_EQ(SymbolFontCaption("WingDings", 24, true, false), QStringLiteral("WingDings, 24pt Bold "));

  int opened = -1;
  Answer<TGetSymbol> answer([&](TGetSymbol& f) {
    opened = f.SelectedPosition();
    f.SelectPosition('J' - 32);
  });
  EXPECT_TRUE(symbol->SelectSymbol());
  EXPECT_EQ(opened, '[' - 32);
  EXPECT_EQ(symbol->Caption(), QStringLiteral("J"));
  EXPECT_EQ(symbol->Width(), int(std::trunc(1.1 * symbol->TextWidth("J"))));
  // Zoomed, it is 110 % of the zoomed glyph.
  const int unzoomed = symbol->Width();
  symbol->SetScale(2.0f);
  EXPECT_EQ(symbol->Width(), int(std::trunc(1.1 * symbol->TextWidth("J"))));
  EXPECT_GT(symbol->Width(), unzoomed * 3 / 2);
}

TEST(Stamps, DateTimeAndPageNumber) {
  platform::setNow([] { return platform::DateTime{2026, 12, 11, 9, 30, 0}; });
  EXPECT_EQ(DateTimeText(DateFormat::None, TimeFormat::None), QString());
  const QString time = DateTimeText(DateFormat::None, TimeFormat::Short);
  EXPECT_TRUE(time.startsWith(u' ')) << time.toStdString();
  EXPECT_TRUE(time.contains(QStringLiteral("9:30")) || time.contains(QStringLiteral("09:30"))) << time.toStdString();
  EXPECT_TRUE(DateTimeText(DateFormat::Short, TimeFormat::Long).contains(u' '));
  platform::setNow(nullptr);

  FakePanel panel;
  auto* page = panel.place<TGPageNumberLabel>();
  QImage screen(200, 50, QImage::Format_RGB32);
  QPainter painter(&screen);
  page->Paint(painter);
  EXPECT_EQ(page->Caption(), QStringLiteral("##"));
  EXPECT_EQ(printedTexts(*page), std::vector<QString>{QStringLiteral("1")});
}

TEST(TextForms, TextEntryAndEffects) {
  AtPpi at(96);
  FakePanel panel;
  auto* text = panel.place<TGPLabel>();
  text->SetBounds(0, 0, 20, 10);
  {
    Answer<TGetLabelText> answer([](TGetLabelText& f) {
      EXPECT_EQ(f.Text->text(), QStringLiteral("Text"));
      f.Text->setText(QStringLiteral("Season's greetings"));
    });
    text->EditText();
  }
  EXPECT_EQ(text->Caption(), QStringLiteral("Season's greetings"));
  EXPECT_GT(text->Width(), 20);  // auto-sized
  {
    Answer<TGetLabelText> cancel([](TGetLabelText& f) { f.Text->setText("x"); }, QDialog::Rejected);
    text->EditText();
  }
  EXPECT_EQ(text->Caption(), QStringLiteral("Season's greetings"));

  {
    Answer<TGFont3DEffects> answer([](TGFont3DEffects& f) {
      EXPECT_EQ(f.ShadowDirection->currentIndex(), 3);
      EXPECT_EQ(f.HighlightDirection->currentIndex(), 4);
      f.ShadowDepth->setCurrentIndex(4);
      f.HighlightDirection->setCurrentIndex(5);
      f.FontColor->setColor(0x0000FF);
      EXPECT_EQ(f.Sample->DepthShadow(), 4);  // the sample follows at once
    });
    EXPECT_TRUE(text->EditEffects());
  }
  EXPECT_EQ(text->DepthShadow(), 4);
  EXPECT_EQ(text->DirectionHighlight(), 5);
  EXPECT_EQ(text->Font().color, 0x0000FFu);
  {
    Answer<TGFont3DEffects> cancel([](TGFont3DEffects& f) { f.ShadowDepth->setCurrentIndex(9); },
                                   QDialog::Rejected);
    EXPECT_FALSE(text->EditEffects());
  }
  EXPECT_EQ(text->DepthShadow(), 4);
}
