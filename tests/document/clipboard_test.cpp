#include "document/clipboard.h"

#include <gtest/gtest.h>

#include "demo.h"
#include "document/edits.h"
#include "objects/bitmap/tqvxbitmap.h"
#include "objects/fields/fields.h"

namespace tavo {
namespace {

using testing::FileBytes;
using testing::ObjectAt;
using testing::PictureAt;

class ClipboardTest : public ::testing::Test {
 protected:
  testing::Installed installed;
};

std::string Lines(const t_objekt& o) {
  std::string text;
  o.WriteProjectLines([&](const std::string& line) { text += line + "\n"; });
  return text;
}

// Objects copied from one picture and pasted into another come back as
// they were written, in front, selected, as one undo step.
TEST_F(ClipboardTest, CopyAndPasteBetweenPictures) {
  Document doc(installed.Read("Projects\\Demo.qvx"));
  const std::string original = FileBytes(doc.Project());
  t_bild& first = PictureAt(doc.Project(), 1);
  t_bild& second = PictureAt(doc.Project(), 2);
  t_objekt* chosen[] = {ObjectAt(first, 2), ObjectAt(first, 7)};  // a rectangle and a group
  const std::string text = ObjectsToClipboardText(chosen);
  EXPECT_NE(text.find("-GroupEnd\r\n"), std::string::npos);

  ClipboardObjects pasted = ObjectsFromClipboardText(text, *installed.objects, doc.Project());
  ASSERT_EQ(pasted.objects.size(), 2u);
  EXPECT_FALSE(pasted.damaged);
  EXPECT_TRUE(pasted.missingVariables.empty());
  doc.SetOpenPicture(&second);
  const int before = CountNodes(second.objects.get());
  ASSERT_TRUE(PasteObjects(doc, second, std::move(pasted), 0, 0));
  ASSERT_EQ(CountNodes(second.objects.get()), before + 2);
  EXPECT_EQ(Lines(*ObjectAt(second, before + 1)), Lines(*chosen[0]));
  EXPECT_EQ(Lines(*ObjectAt(second, before + 2)), Lines(*chosen[1]));
  EXPECT_EQ(doc.SelectedTopLevel().size(), 2u);
  EXPECT_EQ(doc.History().Size(), 1u);
  doc.Undo();
  EXPECT_EQ(FileBytes(doc.Project()), original);
}

TEST_F(ClipboardTest, PasteLandsOffset) {
  Document doc(installed.Read("Projects\\Demo.qvx"));
  t_bild& picture = PictureAt(doc.Project(), 1);
  doc.SetOpenPicture(&picture);
  t_objekt* one[] = {ObjectAt(picture, 2)};
  ClipboardObjects pasted =
      ObjectsFromClipboardText(ObjectsToClipboardText(one), *installed.objects, doc.Project());
  ASSERT_TRUE(PasteObjects(doc, picture, std::move(pasted), 8, 8));
  const t_objekt* copy = ObjectAt(picture, 8);
  EXPECT_DOUBLE_EQ(copy->ExtentLeft(), one[0]->ExtentLeft() + 8);
  EXPECT_DOUBLE_EQ(copy->ExtentTop(), one[0]->ExtentTop() + 8);
  EXPECT_TRUE(copy->IsSelected());
  EXPECT_FALSE(one[0]->IsSelected());
}

// A paste into another project names the variables and text lists it lacks.
TEST_F(ClipboardTest, PasteIntoAnotherProjectNamesMissingReferences) {
  auto felder = installed.Read("Projects\\Felder.qvx");
  auto empty = std::make_unique<t_projekt>();
  std::vector<t_objekt*> all;
  for (t_liste* p = felder->pictures.get(); p; p = p->next())
    for (t_liste* o = static_cast<t_bild*>(p)->objects.get(); o; o = o->next())
      all.push_back(static_cast<t_objekt*>(o));
  const std::string text = ObjectsToClipboardText(all);

  const ClipboardObjects there = ObjectsFromClipboardText(text, *installed.objects, *felder);
  EXPECT_TRUE(there.missingVariables.empty());
  EXPECT_TRUE(there.missingTextLists.empty());
  const ClipboardObjects elsewhere = ObjectsFromClipboardText(text, *installed.objects, *empty);
  EXPECT_FALSE(elsewhere.missingVariables.empty());
  EXPECT_FALSE(elsewhere.missingTextLists.empty());
  EXPECT_TRUE(std::is_sorted(elsewhere.missingVariables.begin(), elsewhere.missingVariables.end()));
  for (std::int16_t v : elsewhere.missingVariables) EXPECT_NE(v, 0);
}

// A pasted bitmap keeps its identifier when it is free, and the registry
// counts the copy.
TEST_F(ClipboardTest, PastedBitmapsKeepTheirIdentifiers) {
  Document doc(installed.Read("Projects\\Demo.qvx"));
  t_bild& picture = PictureAt(doc.Project(), 1);
  doc.SetOpenPicture(&picture);
  auto bitmap = std::make_unique<tqvxbitmap>();
  bitmap->file = "C:\\bilder\\logo.bmp";
  bitmap->identifier = 17;
  bitmap->SetCorners(0, 0, 40, 20);
  bitmap->UpdateExtent();
  t_objekt* one[] = {bitmap.get()};
  const std::string text = ObjectsToClipboardText(one);

  ASSERT_TRUE(PasteObjects(
      doc, picture, ObjectsFromClipboardText(text, *installed.objects, doc.Project()), 0, 0));
  EXPECT_EQ(static_cast<tqvxbitmap*>(ObjectAt(picture, 8))->identifier, 17);
  ASSERT_TRUE(PasteObjects(
      doc, picture, ObjectsFromClipboardText(text, *installed.objects, doc.Project()), 10, 0));
  ASSERT_EQ(doc.Project().bitmaps.Entries().size(), 1u);
  EXPECT_EQ(doc.Project().bitmaps.Entries()[0].useCount, 2);
  doc.Undo();
  doc.Undo();
  EXPECT_TRUE(doc.Project().bitmaps.Entries().empty());
}

TEST_F(ClipboardTest, TextWithoutObjectsPastesNothing) {
  Document doc(installed.Read("Projects\\Demo.qvx"));
  for (const char* text : {"", "Hallo Welt", "-Group(0;0;0;\"x\")\r\n-Object(999;1)\r\n",
                           "[Head]\r\n-Name = \"x\"\r\n"}) {
    SCOPED_TRACE(text);
    const ClipboardObjects pasted =
        ObjectsFromClipboardText(text, *installed.objects, doc.Project());
    EXPECT_TRUE(pasted.objects.empty());
    EXPECT_EQ(pasted.damaged, *text != '\0');
  }
}

}  // namespace
}  // namespace tavo
