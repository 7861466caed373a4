// The simulator running a built image: values shown by the fields and
// graphs, switching rules, operator input, keys, alarms, the clock, and the
// pictures of the demo projects drawn pixel for pixel as the editor's
// render draws them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "objects/bitmap/tqvxbitmap.h"
#include "objects/gruppe.h"
#include "objects/picturedraw.h"
#include "resources/fonts.h"
#include "simulator/simfixture.h"

namespace tavo {
namespace {

using testing::DrawSimulator;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::PixelAt;
using testing::SimProject;

class Running : public ::testing::Test {
 protected:
  void SetUp() override {
    fixture = std::make_unique<SimProject>(installed.catalog);
    sim = testing::BuildAndLoad(fixture->project, installed, folder, messages);
    ASSERT_TRUE(sim);
  }

  bool Set(int variable, std::int64_t value) {
    return sim->SetValue(static_cast<std::uint16_t>(variable), value);
  }
  Rgb Colour(int index) const { return ColourPalette(index); }

  testing::Installed installed;
  testing::TempFolder folder;
  std::unique_ptr<SimProject> fixture;
  std::vector<std::string> messages;
  std::unique_ptr<Simulator> sim;
};

TEST_F(Running, LoadsTheImageWithoutComplaintAndStartsOnTheStartPicture) {
  EXPECT_THAT(messages, ::testing::IsEmpty());
  EXPECT_EQ(sim->PictureCount(), 2);
  EXPECT_EQ(sim->PictureAt(sim->CurrentPicture())->pictureNumber, 10);
  EXPECT_EQ(sim->Width(), 320);
  EXPECT_FALSE(sim->Grey());
  ASSERT_EQ(sim->Variables().size(), 5u);
  // Editable: what an input field of some picture writes.
  std::vector<bool> editable;
  for (const SimVariable& v : sim->Variables()) editable.push_back(v.editable);
  EXPECT_THAT(editable, ElementsAre(true, true, true, false, false));
}

TEST_F(Running, BarGraphFillsItsShareFromTheSideItGrowsFrom) {
  struct Case {
    std::int64_t value;
    bool at30, at90;  // filled at x = 30 and x = 90 (the bar spans 10..109)
  };
  for (const Case& c : {Case{0, false, false}, Case{50, true, false}, Case{100, true, true},
                        Case{150, true, true}}) {
    ASSERT_TRUE(Set(1, c.value));
    const QImage image = DrawSimulator(*sim);
    EXPECT_EQ(PixelAt(image, 30, 20) == Colour(SimProject::kBarColour), c.at30) << c.value;
    EXPECT_EQ(PixelAt(image, 90, 20) == Colour(SimProject::kBarColour), c.at90) << c.value;
  }
  // 50 % of 100 pixels: up to x = 59, not 60.
  ASSERT_TRUE(Set(1, 50));
  const QImage half = DrawSimulator(*sim);
  EXPECT_EQ(PixelAt(half, 59, 20), Colour(SimProject::kBarColour));
  EXPECT_EQ(PixelAt(half, 60, 20), Colour(SimProject::kBackground));
}

TEST_F(Running, TextListFieldShowsTheTextOfTheValue) {
  // The field must look exactly like a text object of the same text,
  // padded to the longest text of the list.
  const auto reference = [&](const std::string& text) {
    QImageCanvas canvas(320, 240);
    tview view(&canvas);
    view.SetZoom(1);
    FontCache fonts(installed.install);
    view.UseFontCache(fonts);
    ttext object;
    object.SetPosition(10, 40);
    object.SetFont("SYS_0816.FON");
    object.SetText(text);
    object.SetPenColour(0);
    object.SetFillColour(14);
    canvas.FillRectColour(0, 0, 320, 240, Colour(SimProject::kBackground));
    DrawObject(object, view, kDrawNormal, {});
    return canvas.Image().copy(10, 40, 7 * 8, 16);
  };
  for (auto [value, text] :
       {std::pair{0, "Aus    "}, {1, "Ein    "}, {2, "St\xF6rung"}, {7, "       "}}) {
    ASSERT_TRUE(Set(2, value));
    EXPECT_EQ(DrawSimulator(*sim).copy(10, 40, 7 * 8, 16), reference(text)) << value;
  }
}

TEST_F(Running, SwitchingRuleHidesTheObjectUntilItsConditionHolds) {
  ASSERT_TRUE(Set(2, 0));
  EXPECT_EQ(PixelAt(DrawSimulator(*sim), 220, 30), Colour(SimProject::kBackground));
  ASSERT_TRUE(Set(2, 1));
  EXPECT_EQ(PixelAt(DrawSimulator(*sim), 220, 30), Colour(SimProject::kSwitchedColour));
}

TEST(SwitchingRule, ComparisonsAndBitTests) {
  struct Case {
    std::int16_t action;
    double value;
    std::int64_t variable;
    bool shown;
  };
  for (const Case& c :
       {Case{0, 0, 5, true}, Case{1, 5, 4, true}, Case{1, 5, 5, false}, Case{2, 5, 5, true},
        Case{3, 5, 5, true}, Case{3, 5, 6, false}, Case{4, 5, 5, true}, Case{5, 5, 5, false},
        Case{6, 5, 6, true}, Case{7, 4, 3, true}, Case{7, 4, 4, false}, Case{8, 4, 4, true},
        Case{8, 512, 511, false}, Case{99, 1, 0, true}})
    EXPECT_EQ(SwitchingShows({c.action, c.value, 1}, c.variable), c.shown)
        << c.action << " " << c.value << " " << c.variable;
}

TEST(FieldNumber, RoundsPadsAndMarksWhatDoesNotFit) {
  EXPECT_EQ(FieldNumberText(12.345, 4, 2), "  12.35");
  EXPECT_EQ(FieldNumberText(-3, 3, 0), " -3");
  EXPECT_EQ(FieldNumberText(-0.001, 2, 1), " 0.0");
  EXPECT_EQ(FieldNumberText(12345, 4, 0), "****");
  EXPECT_EQ(FieldNumberText(0.25, 0, 2), "0.25");
}

TEST_F(Running, InputIsRefusedOutsideTheFieldAndTheVariableType) {
  struct Case {
    int field;
    const char* typed;
    bool taken;
    std::int64_t value;  // of variable 3 afterwards
    const char* why;
  };
  for (const Case& c :
       {Case{0, "123", true, 123, ""}, Case{0, "007", true, 7, ""}, Case{0, "-12", true, -12, ""},
        Case{0, "1234", false, -12, "does not fit"}, Case{0, "1.5", false, -12, "does not fit"},
        Case{0, "abc", false, -12, "is no number"},
        Case{1, "40000", false, -12, "outside -32768 .. 32767"},
        Case{1, "32767", true, 32767, ""}}) {
    std::string why;
    EXPECT_EQ(sim->EnterInput(c.field, c.typed, &why), c.taken) << c.typed;
    EXPECT_EQ(sim->Variables()[2].value, c.value) << c.typed;
    EXPECT_THAT(why, HasSubstr(c.why)) << c.typed;
  }
  // The scaled input: 12.5 shown is 125 at m = 0.1.
  EXPECT_TRUE(sim->EnterInput(2, "12,5"));
  EXPECT_EQ(sim->Variables()[0].value, 125);
  EXPECT_EQ(sim->InputFields().size(), 3u);
}

TEST_F(Running, TextListInputTakesOneOfItsTexts) {
  ASSERT_TRUE(sim->ShowPictureNumber(20));
  const std::vector<SimInputField> fields = sim->InputFields();
  ASSERT_EQ(fields.size(), 1u);
  // As wide as the longest text, which the picture file does not carry.
  EXPECT_EQ(fields[0].area.right - fields[0].area.left, 7 * 8 - 1);
  EXPECT_EQ(fields[0].limits, "Aus | Ein | St\xF6rung");
  EXPECT_TRUE(sim->EnterInput(0, "St\xF6rung"));
  EXPECT_EQ(sim->FindVariable("2")->value, 2);
  EXPECT_TRUE(sim->EnterInput(0, "1"));
  EXPECT_EQ(sim->FindVariable("2")->value, 1);
  std::string why;
  EXPECT_FALSE(sim->EnterInput(0, "Hand", &why));
  EXPECT_THAT(why, HasSubstr("none of the list's texts"));
  EXPECT_EQ(sim->FindVariable("2")->value, 1);
}

TEST_F(Running, TypedValuesFollowTheVariableType) {
  struct Case {
    const char* variable;
    const char* typed;
    bool taken;
  };
  for (const Case& c : {Case{"5", "0x1F", true}, Case{"5", "FFFFh", true},
                        Case{"5", "10000", false}, Case{"3", "-32768", true},
                        Case{"1", "-1", false}, Case{"4", "Pumpe 1", true}, Case{"9", "1", false}})
    EXPECT_EQ(sim->SetValueText(c.variable, c.typed), c.taken) << c.variable << " " << c.typed;
  EXPECT_EQ(sim->FindVariable("5")->value, 0xFFFF);
  EXPECT_EQ(sim->FindVariable("4")->text, "Pumpe 1");
  // Names come from the project when it is at hand.
  t_variable named;
  named.number = 3;
  named.name = "Sollwert";
  sim->SetVariableNames(&named);
  ASSERT_TRUE(sim->FindVariable("Sollwert"));
  EXPECT_EQ(sim->FindVariable("Sollwert")->number, 3);
}

TEST_F(Running, KeysSwitchPicturesAsAssignedAndTellTheListener) {
  std::vector<SimChange> changes;
  const int id = sim->AddListener([&](SimChange c) { changes.push_back(c); });
  EXPECT_FALSE(sim->PressKey(2));  // no function in this picture
  EXPECT_TRUE(sim->PressKey(1));
  EXPECT_EQ(sim->PictureAt(sim->CurrentPicture())->pictureNumber, 20);
  EXPECT_EQ(PixelAt(DrawSimulator(*sim), 5, 5), Colour(3));
  EXPECT_FALSE(sim->PressKey(1));
  EXPECT_TRUE(sim->PressKey(129));
  EXPECT_EQ(sim->PictureAt(sim->CurrentPicture())->pictureNumber, 10);
  sim->RemoveListener(id);
  Set(1, 7);
  EXPECT_THAT(changes, ElementsAre(SimChange::Picture, SimChange::Picture));
}

TEST_F(Running, AlarmBitsRaiseTheirAlarmsInComingOrder) {
  EXPECT_TRUE(sim->ActiveAlarms().empty());
  sim->SetAlarm(17, true);
  sim->SetAlarm(5, true);  // no alarm 5 in the image: not listed
  sim->SetAlarm(3, true);
  std::vector<int> numbers;
  for (const SimAlarm& a : sim->ActiveAlarms()) numbers.push_back(a.number);
  EXPECT_THAT(numbers, ElementsAre(17, 3));
  EXPECT_EQ(sim->ActiveAlarms()[1].text, "T\xFCr offen");
  EXPECT_EQ(sim->AlarmWord(1), 1 << 1);
  sim->SetAlarmWord(1, 0);
  ASSERT_EQ(sim->ActiveAlarms().size(), 1u);
  EXPECT_EQ(sim->ActiveAlarms()[0].number, 3);
}

TEST_F(Running, ClockRunsOnItsOwnAndThePlotGraphKeepsItsHistory) {
  sim->SetClock({2026, 2, 28, 23, 59}, 50);
  sim->Advance(20);
  const LocalTime t = sim->Clock();
  EXPECT_EQ(std::vector<int>({t.year, t.month, t.day, t.hour, t.minute, sim->ClockSeconds()}),
            std::vector<int>({2026, 3, 1, 0, 0, 10}));
  // The plot spans x 10..109, y 150..199; the newest sample is at x = 109.
  Set(1, 100);
  sim->Advance(10);
  Set(1, 0);
  sim->Advance(5);
  const QImage image = DrawSimulator(*sim);
  EXPECT_EQ(PixelAt(image, 109, 199), Colour(0));
  EXPECT_EQ(PixelAt(image, 100, 150), Colour(0));
  EXPECT_EQ(PixelAt(image, 50, 160), Colour(SimProject::kBackground));
}

// --- pixel identity with the editor ----------------------------------------------------

// Fields and graphs show values: their pictures differ from the editor's
// placeholders by design.
bool ShowsValues(const t_liste* objects) {
  for (const t_liste* o = objects; o; o = o->next()) {
    const auto& object = static_cast<const t_objekt&>(*o);
    if (const auto* group = dynamic_cast<const t_gruppe*>(&object)) {
      if (ShowsValues(group->FirstMember())) return true;
    } else if (object.Kind() >= kKindEingabe && object.Kind() != kKindBitmap) {
      return true;
    }
  }
  return false;
}

void CollectRules(const t_liste* objects, std::map<std::int16_t, std::vector<t_schaltung>>& out) {
  for (const t_liste* o = objects; o; o = o->next()) {
    const auto& object = static_cast<const t_objekt&>(*o);
    if (object.GetSwitching().action != 0)
      out[object.GetSwitching().variable].push_back(object.GetSwitching());
    if (const auto* group = dynamic_cast<const t_gruppe*>(&object))
      CollectRules(group->FirstMember(), out);
  }
}

// Switching rules alone leave a picture static when values exist that show
// every object (the editor shows them all): sets such values; false when
// the rules of a variable exclude each other.
bool ShowEveryObject(const t_bild& picture, Simulator& sim) {
  std::map<std::int16_t, std::vector<t_schaltung>> rules;
  CollectRules(picture.objects.get(), rules);
  for (const auto& [variable, list] : rules) {
    std::vector<std::int64_t> candidates{0, 65535};
    for (const t_schaltung& r : list)
      for (std::int64_t d : {-1, 0, 1}) candidates.push_back(std::llround(r.value) + d);
    bool found = false;
    for (std::int64_t c : candidates) {
      if (std::all_of(list.begin(), list.end(),
                      [&](const t_schaltung& r) { return SwitchingShows(r, c); }) &&
          sim.SetValue(static_cast<std::uint16_t>(variable), c)) {
        found = true;
        break;
      }
    }
    if (!found) return false;
  }
  return true;
}

struct IdentityCase {
  const char* name;
  const char* project;
  // Empty: the project's own terminal. Klassik's terminal is of the first
  // generation, whose image has no run file to read: its pictures are
  // checked on the second-generation terminal of the same resolution. The
  // grey 240 x 128 terminal shows the grey palette. Felder.qvx is not
  // listed: its only picture holds fields, which show values where the
  // editor shows placeholders.
  const char* typeNumber;
};
void PrintTo(const IdentityCase& c, std::ostream* out) {
  *out << c.project << ' ' << c.typeNumber;
}

class PixelIdentity : public ::testing::TestWithParam<IdentityCase> {};

TEST_P(PixelIdentity, StaticPicturesDrawAsTheEditorRendersThem) {
  testing::Installed installed;
  std::unique_ptr<t_projekt> project = installed.Read(GetParam().project);
  ASSERT_TRUE(project);
  LocateBitmapFiles(*project, {installed.install.Resolve("Lib\\Graphics")});
  if (*GetParam().typeNumber)
    for (const t_liste* n = installed.catalog.terminals.get(); n; n = n->next())
      if (static_cast<const t_terminal*>(n)->typeNumber == GetParam().typeNumber)
        project->terminal->CopyFrom(*static_cast<const t_terminal*>(n));
  testing::TempFolder folder;
  std::vector<std::string> messages;
  std::unique_ptr<Simulator> sim = testing::BuildAndLoad(*project, installed, folder, messages);
  ASSERT_TRUE(sim) << ::testing::PrintToString(messages);
  EXPECT_THAT(messages, ::testing::IsEmpty());

  FontCache fonts(installed.install);
  int compared = 0;
  for (const t_liste* n = project->pictures.get(); n; n = n->next()) {
    const auto& picture = static_cast<const t_bild&>(*n);
    if (ShowsValues(picture.objects.get()) || !ShowEveryObject(picture, *sim)) continue;
    // The editor's render: `tavodex-cli render` at zoom 1.
    QImageCanvas canvas(project->terminal->width, project->terminal->height);
    tview view(&canvas);
    view.SetZoom(1);
    view.SetGrayscale(project->terminal->greyScale);
    view.UseFontCache(fonts);
    canvas.FillRectColour(0, 0, project->terminal->width, project->terminal->height,
                          PictureBackground(picture, view, false));
    FieldContext context;
    context.textLists = project->textLists.get();
    DrawPictureObjects(picture, view, kDrawNormal, context);

    ASSERT_TRUE(sim->ShowPictureNumber(picture.pictureNumber));
    EXPECT_TRUE(DrawSimulator(*sim) == canvas.Image())
        << GetParam().project << " picture " << picture.pictureNumber;
    ++compared;
  }
  EXPECT_GT(compared, 0);
}

INSTANTIATE_TEST_SUITE_P(
    DemoProjects, PixelIdentity,
    ::testing::Values(IdentityCase{"Demo", "Projects\\Demo.qvx", ""},
                      IdentityCase{"DemoGrey240", "Projects\\Demo.qvx", "VT-0A05-0240"},
                      IdentityCase{"KlassikColour320", "Projects\\demos\\Klassik.qvx",
                                   "VT-0A06-0320"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FirstGeneration, ImageIsRefusedWithAMessageSayingSo) {
  testing::Installed installed;
  std::unique_ptr<t_projekt> project = installed.Read("Projects\\demos\\Klassik.qvx");
  ASSERT_TRUE(project);
  testing::TempFolder folder;
  std::vector<std::string> messages;
  EXPECT_FALSE(testing::BuildAndLoad(*project, installed, folder, messages));
  EXPECT_THAT(messages, ElementsAre(HasSubstr("first-generation image")));
}

}  // namespace
}  // namespace tavo
