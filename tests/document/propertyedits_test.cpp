#include "document/propertyedits.h"

#include <gtest/gtest.h>

#include "demo.h"
#include "document/editbuffers.h"
#include "document/edits.h"
#include "objects/bitmap/bmpfile.h"
#include "objects/bitmap/tqvxbitmap.h"
#include "objects/fields/fields.h"
#include "objects/gruppe.h"

namespace tavo {
namespace {

using testing::FileBytes;
using testing::ObjectAt;
using testing::PictureAt;

// --- the switching behaviour dialog's rules ------------------------------------------

TEST(SwitchingForm, BitItemsRunZeroEightOneNine) {
  const int bits[kBitItems] = {0, 8, 1, 9, 2, 10, 3, 11, 4, 12, 5, 13, 6, 14, 7, 15};
  for (int item = 0; item < kBitItems; ++item) {
    EXPECT_EQ(BitOfBitItem(item), bits[item]) << item;
    EXPECT_EQ(BitItemOfBit(bits[item]), item) << item;
  }
}

// What the dialog shows when it opens on a rule.
TEST(SwitchingForm, OpensOnTheRule) {
  struct Case {
    t_schaltung rule;
    int action, bitItem, bitTest, comparison;
    std::int32_t shown;
  };
  using F = SwitchingForm;
  const Case cases[] = {
      {{0, 0, 0}, F::kNone, 0, 1, 2, 0},
      {{8, 512, 3}, F::kBitTest, 3, 1, 2, 512},  // "9", tested for 1
      {{7, 1, 3}, F::kBitTest, 0, 0, 2, 1},
      // A value of several bits shows the highest; none starts at bit 0.
      {{8, 6, 3}, F::kBitTest, 4, 1, 2, 6},
      {{7, 0, 3}, F::kBitTest, 0, 0, 2, 1},
      {{4, 100, 3}, F::kComparison, 0, 1, 3, 100},
      {{6, 99.6, 3}, F::kComparison, 0, 1, 5, 100},
      {{1, 2.5, 3}, F::kComparison, 0, 1, 0, 2},  // halves to the even neighbour
      // An action no item stands for shows "keine".
      {{9, 5, 3}, F::kNone, 0, 1, 2, 5},
  };
  for (const Case& c : cases) {
    const SwitchingForm form = SwitchingFormOf(c.rule);
    SCOPED_TRACE(::testing::Message() << "action " << c.rule.action << " value " << c.rule.value);
    EXPECT_EQ(form.action, c.action);
    if (c.action == F::kBitTest) {
      EXPECT_EQ(form.bitItem, c.bitItem);
    }
    EXPECT_EQ(form.bitTest, c.bitTest);
    EXPECT_EQ(form.comparison, c.comparison);
    EXPECT_EQ(form.ShownValue(), c.shown);
  }
}

TEST(SwitchingForm, TheControlsGiveTheRule) {
  SwitchingForm form = SwitchingFormOf({});
  form.ChooseAction(SwitchingForm::kBitTest);
  EXPECT_EQ(form.value, 1);  // bit 0 to start with
  form.ChooseBit(3);         // "9"
  form.bitTest = 1;
  EXPECT_EQ(SwitchingRuleOf(form, 4, 0), (t_schaltung{8, 512, 4}));
  // The value comparison shows the bit's mask, and takes what is typed.
  form.ChooseAction(SwitchingForm::kComparison);
  EXPECT_EQ(form.ShownValue(), 512);
  form.comparison = 3;  // "=>"
  EXPECT_EQ(SwitchingRuleOf(form, 4, 100), (t_schaltung{4, 100, 4}));
  form.ChooseAction(SwitchingForm::kNone);
  EXPECT_EQ(SwitchingRuleOf(form, 4, 100), t_schaltung{});
  // A bit test stores the mask of the bit it shows, not a value of several
  // bits a file brought.
  SwitchingForm several = SwitchingFormOf({8, 6, 2});
  EXPECT_EQ(SwitchingRuleOf(several, 2, 0), (t_schaltung{8, 4, 2}));
}

// --- plot graph scale colour --------------------------------------------------------------

TEST(ScaleColour, IsThePickersColourPlusOne) {
  const std::pair<std::uint8_t, int> cases[] = {{0, 255}, {1, 0}, {15, 14}, {16, 15}};
  for (const auto& [scale, picker] : cases) {
    EXPECT_EQ(PickerColourOfScale(scale), picker) << int{scale};
    EXPECT_EQ(ScaleColourOfPicker(picker), scale) << picker;
  }
}

// --- edit buffers ------------------------------------------------------------------------

// Arming a tool resets only the start values: what the table leaves out is
// what the last dialog of the kind (here: loading an object) left.
TEST(EditBuffers, StartValuesKeepWhatTheKindKeeps) {
  GermanTranslator translator;
  EditBuffers buffers;
  struct Case {
    ObjectPtr object;
    bool keepsName;
    bool keepsSwitching;
  };
  std::vector<Case> cases;
  cases.push_back({std::make_unique<ttext>(), true, true});
  cases.push_back({std::make_unique<t_bargraf>(), true, true});
  cases.push_back({std::make_unique<tqvxbitmap>(), true, true});
  cases.push_back({std::make_unique<t_plotgraf>(), false, false});
  cases.push_back({std::make_unique<t_eingabe>(), false, false});
  cases.push_back({std::make_unique<tTeLiObj>(), false, false});
  DrawingAttributes attributes;
  attributes.penColour = 6;
  for (Case& c : cases) {
    const int kind = c.object->Kind();
    SCOPED_TRACE(kind);
    c.object->name = "Zuletzt";
    c.object->SetSwitching({3, 7, 2});
    ASSERT_TRUE(buffers.Load(*c.object));
    t_objekt* buffer = buffers.Reset(kind, attributes, translator);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->penColour(), 6);
    EXPECT_EQ(buffer->name, c.keepsName ? "Zuletzt" : "");
    EXPECT_EQ(buffer->GetSwitching(), c.keepsSwitching ? (t_schaltung{3, 7, 2}) : t_schaltung{});
  }
  // The bar graph keeps its variable, the plot graph forgets its two.
  auto bar = std::make_unique<t_bargraf>();
  bar->SetVariable(5);
  buffers.Load(*bar);
  EXPECT_EQ(
      static_cast<t_bargraf*>(buffers.Reset(kKindBargraf, attributes, translator))->variable(), 5);
  auto plot = std::make_unique<t_plotgraf>();
  plot->SetVariables(5, 6);
  buffers.Load(*plot);
  auto* plotBuffer = static_cast<t_plotgraf*>(buffers.Reset(kKindPlotgraf, attributes, translator));
  EXPECT_EQ(plotBuffer->valueVariable(), 0);
  EXPECT_EQ(plotBuffer->statusVariable(), 0);
  EXPECT_EQ(plotBuffer->scaleColour(), 1);
  // Shapes and groups have no buffer.
  EXPECT_FALSE(buffers.Load(t_gruppe()));
  EXPECT_FALSE(buffers.Store(std::make_unique<t_rechteck>()));
}

// --- the steps ---------------------------------------------------------------------------

class PropertySteps : public ::testing::Test {
 protected:
  void SetUp() override {
    doc = std::make_unique<Document>(installed.Read("Projects\\Felder.qvx"));
    ASSERT_TRUE(doc);
    original = FileBytes(doc->Project());
    picture = &PictureAt(doc->Project(), 1);
    doc->SetOpenPicture(picture);
  }
  std::string Bytes() const { return FileBytes(doc->Project()); }

  testing::Installed installed;
  std::unique_ptr<Document> doc;
  std::string original;
  t_bild* picture = nullptr;
};

// An edited copy replaces the object as one step, also inside a group;
// undo gives the file back byte for byte, redo the edited file.
TEST_F(PropertySteps, ReplacingIsOneStepThatUndoes) {
  t_objekt* output = ObjectAt(*picture, 2);  // "Temperatur"
  auto edited = output->Clone();
  static_cast<tausobj&>(*edited).SetDisplay(false, 5, 2);
  bool changed = false;
  ASSERT_TRUE(ReplaceObject(*doc, *picture, *output, std::move(edited),
                            txt::kMenuObjekteigenschaften, &changed));
  EXPECT_TRUE(changed);
  EXPECT_EQ(ObjectAt(*picture, 2)->FormatFields().find("\"#####.##\"") != std::string::npos, true);

  auto& group = static_cast<t_gruppe&>(*ObjectAt(*picture, 5));  // "Skaliert"
  t_objekt* member = group.FirstMember();
  auto scaled = member->Clone();
  static_cast<tSkalAus&>(*scaled).SetConversion(0.5, 3);
  ASSERT_TRUE(
      ReplaceObject(*doc, *picture, *member, std::move(scaled), txt::kMenuObjekteigenschaften));
  const std::string edited2 = Bytes();
  EXPECT_NE(edited2.find(";0.5;3;"), std::string::npos);
  EXPECT_EQ(doc->History().Size(), 2u);

  while (doc->CanUndo()) doc->Undo();
  EXPECT_EQ(Bytes(), original);
  while (doc->CanRedo()) doc->Redo();
  EXPECT_EQ(Bytes(), edited2);
}

// Confirming a dialog without changing anything records no step.
TEST_F(PropertySteps, AnUnchangedCopyRecordsNothing) {
  t_objekt* text = ObjectAt(*picture, 1);
  bool changed = true;
  ASSERT_TRUE(
      ReplaceObject(*doc, *picture, *text, text->Clone(), txt::kMenuObjekteigenschaften, &changed));
  EXPECT_FALSE(changed);
  EXPECT_FALSE(doc->CanUndo());
  // A field the project file does not keep (the first character of a text
  // display) is a change all the same: the terminal's record keeps it.
  t_objekt* charge = ObjectAt(*picture, 4);
  auto edited = charge->Clone();
  auto& field = static_cast<tausobj&>(*edited);
  field.SetDisplay(true, field.digits(), 3);
  ASSERT_TRUE(ReplaceObject(*doc, *picture, *charge, std::move(edited),
                            txt::kMenuObjekteigenschaften, &changed));
  EXPECT_TRUE(changed);
}

// A group's rule goes to every member; setting the rule it has records
// nothing; undo gives the members theirs back.
TEST_F(PropertySteps, SwitchingOfAGroupReachesItsMembers) {
  t_objekt* group = ObjectAt(*picture, 5);
  const t_schaltung rule{8, 512, 6};
  bool changed = false;
  ASSERT_TRUE(SetObjectSwitching(*doc, *picture, *group, rule, &changed));
  EXPECT_TRUE(changed);
  auto& now = static_cast<t_gruppe&>(*ObjectAt(*picture, 5));
  for (const t_liste* m = now.FirstMember(); m; m = m->next())
    EXPECT_EQ(static_cast<const t_objekt&>(*m).GetSwitching(), rule);
  ASSERT_TRUE(SetObjectSwitching(*doc, *picture, now, rule, &changed));
  EXPECT_FALSE(changed);
  EXPECT_EQ(doc->History().Size(), 1u);
  doc->Undo();
  EXPECT_EQ(Bytes(), original);
}

// A bitmap replaced by a copy of another size is registered anew for that
// size; undo gives the registry back.
TEST_F(PropertySteps, ABitmapOfANewSizeIsRegisteredAgain) {
  const std::filesystem::path file = installed.install.Resolve("Lib\\Graphics\\TANK.BMP");
  int width = 0, height = 0;
  ASSERT_TRUE(ReadBmpSize(file, width, height));
  auto bitmap = std::make_unique<tqvxbitmap>();
  bitmap->file = file.string();
  bitmap->SetCorners(10, 10, 20, 20);
  std::vector<ObjectPtr> one;
  one.push_back(std::move(bitmap));
  ASSERT_TRUE(AddObjects(*doc, *picture, std::move(one), txt::kEditCreate, false));
  auto* placed = static_cast<tqvxbitmap*>(ObjectAt(*picture, CountNodes(picture->objects.get())));
  const auto registered = doc->Project().bitmaps.Entries();

  auto edited = placed->Clone();
  auto& natural = static_cast<tqvxbitmap&>(*edited);
  natural.SetFixedSize(true);
  std::string error;
  ASSERT_TRUE(TakeNaturalSize(natural, file, &error)) << error;
  EXPECT_EQ(natural.x2, 10 + width);
  EXPECT_EQ(natural.y2, 10 + height);
  ASSERT_TRUE(
      ReplaceObject(*doc, *picture, *placed, std::move(edited), txt::kMenuObjekteigenschaften));
  auto* now = static_cast<tqvxbitmap*>(ObjectAt(*picture, CountNodes(picture->objects.get())));
  EXPECT_EQ(now->PlacedWidth(), width);
  EXPECT_NE(doc->Project().bitmaps.Entries(), registered);
  doc->Undo();
  EXPECT_EQ(doc->Project().bitmaps.Entries(), registered);

  // A file that is no image leaves the bitmap as it was.
  tqvxbitmap other;
  other.SetCorners(1, 2, 3, 4);
  EXPECT_FALSE(TakeNaturalSize(other, installed.install.Resolve("Projects\\Felder.qvx"), &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(other.x2, 3);
  EXPECT_FALSE(TakeNaturalSize(other, {}, &error));
}

}  // namespace
}  // namespace tavo
