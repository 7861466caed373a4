// The picture file reader on damaged and special records: it must pass
// over unknown kinds, stop in a defined way at the end, say where, and keep
// what it read whole.

#include "legacy/dospicture.h"

#include <gtest/gtest.h>

#include "legacy/dosfixture.h"
#include "objects/fields/fields.h"
#include "objects/gruppe.h"
#include "objects/objectkinds.h"
#include "project/records.h"
#include "shell/language.h"

namespace tavo {
namespace {

using testing::Bytes;
using testing::PictureFile;
using testing::PutU16;

constexpr std::uint64_t kBodyStart = 18 + 32 + 48 * 35;

Bytes Line(int x1 = 10, int y1 = 20, int x2 = 30, int y2 = 40) {
  Bytes r{kKindLinie, 3, 1, 1, 255, 1};
  for (int v : {x1, y1, x2, y2}) PutU16(r, static_cast<std::uint16_t>(v));
  PutU16(r, 0);
  return r;
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

struct Read {
  t_bild picture;
  ListPtr textLists;
  GermanTranslator german;
  PictureFileOutcome outcome;
  explicit Read(const Bytes& file) {
    outcome =
        ReadDosPictureFile(MemoryReader(file.data(), file.size()), picture, textLists, german);
  }
};

TEST(DosPictureFile, DamageEndsTheFileInADefinedWayAndKeepsWholeObjects) {
  const Bytes line = Line();
  const Bytes cutLine(line.begin(), line.end() - 3);
  Bytes polygon{kKindPolygon, 3, 1, 1, 255, 1};
  PutU16(polygon, 0x7FFF);  // far more points than any polygon holds
  for (int i = 0; i < 6; ++i) PutU16(polygon, 5);
  PutU16(polygon, 0);
  struct Case {
    const char* what;
    Bytes objects;
    PictureFileStatus status;
    int objectsKept;
    std::uint64_t position;
    int kind;
    std::uint64_t skipped;
  } cases[] = {
      {"sound", Join({line, line}), PictureFileStatus::Complete, 2, kBodyStart + 32, -1, 0},
      {"unknown kind", Join({line, Bytes{17}, line}), PictureFileStatus::Complete, 2,
       kBodyStart + 33, -1, 1},
      {"stray group end", Join({Bytes{255}, line}), PictureFileStatus::Complete, 1, kBodyStart + 17,
       -1, 1},
      {"unknown bytes to the end", Join({line, Bytes(3000, 0xEE)}), PictureFileStatus::Complete, 1,
       kBodyStart + 3016, -1, 3000},
      {"unknown kind, then a record cut short", Join({Bytes{17}, line, cutLine}),
       PictureFileStatus::RecordCut, 1, kBodyStart + 17, kKindLinie, 1},
      {"record cut short", Join({line, cutLine}), PictureFileStatus::RecordCut, 1, kBodyStart + 16,
       kKindLinie, 0},
      {"group without end", Join({Bytes{0}, line, line}), PictureFileStatus::RecordCut, 1,
       kBodyStart, kKindGruppe, 0},
      {"groups nested without end", Bytes(5000, 0), PictureFileStatus::RecordCut, 1, kBodyStart,
       kKindGruppe, 0},
      {"absurd polygon count", polygon, PictureFileStatus::RecordCut, 0, kBodyStart, kKindPolygon,
       0},
  };
  for (const Case& c : cases) {
    Read read(PictureFile("P", 1, {}, c.objects));
    EXPECT_EQ(read.outcome.status, c.status) << c.what;
    EXPECT_EQ(read.outcome.objects, c.objectsKept) << c.what;
    EXPECT_EQ(CountNodes(read.picture.objects.get()), c.objectsKept) << c.what;
    EXPECT_EQ(read.picture.objectCount, c.objectsKept) << c.what;
    EXPECT_EQ(read.outcome.position, c.position) << c.what;
    EXPECT_EQ(read.outcome.kind, c.kind) << c.what;
    EXPECT_EQ(read.outcome.skipped.count, c.skipped) << c.what;
  }
}

// An unknown kind byte costs only itself: the reading goes on with the next
// byte, so the records behind a damaged spot are not lost.
TEST(DosPictureFile, UnknownKindBytesArePassedOverOneByOne) {
  Read read(PictureFile("P", 1, {}, Join({Line(), Bytes{17, 99, 255}, Line(1, 2, 3, 4)})));
  EXPECT_EQ(read.outcome.status, PictureFileStatus::Complete);
  const SkippedKinds& skipped = read.outcome.skipped;
  EXPECT_EQ(skipped.count, 3u);
  EXPECT_EQ(skipped.position, kBodyStart + 16);  // the first one
  EXPECT_EQ(skipped.kind, 17);
  EXPECT_EQ(skipped.objectsBefore, 1);
  ASSERT_EQ(CountNodes(read.picture.objects.get()), 2);
  const auto& last = static_cast<const t_objekt&>(*read.picture.objects->next());
  EXPECT_EQ(last.GetExtent().left, 1);
  EXPECT_EQ(last.GetExtent().bottom, 4);
  EXPECT_EQ(read.picture.size, 2 * FindKind(kKindLinie)->terminalSize);
}

TEST(DosPictureFile, GroupWithoutEndKeepsTheMembersItRead) {
  Read read(PictureFile("P", 1, {}, Join({Bytes{0}, Line(), Line()})));
  ASSERT_NE(read.picture.objects, nullptr);
  const auto& group = static_cast<const t_gruppe&>(*read.picture.objects);
  ASSERT_TRUE(group.IsGroup());
  EXPECT_EQ(group.ObjectCount(), 3);
  EXPECT_EQ(read.picture.size, 2 * FindKind(kKindLinie)->terminalSize);
}

TEST(DosPictureFile, BitmapRecordOfTheOlderGenerationIsReadAtPictureLevel) {
  Bytes bitmap{kKindBitmap};
  for (int v : {4, 6, 36, 40}) PutU16(bitmap, static_cast<std::uint16_t>(v));
  bitmap.insert(bitmap.end(), 13, 0xEE);  // skipped
  PutU16(bitmap, 0);
  Read read(PictureFile("P", 1, {}, Join({bitmap, Line()})));
  EXPECT_EQ(read.outcome.status, PictureFileStatus::Complete);
  ASSERT_EQ(CountNodes(read.picture.objects.get()), 2);
  const auto& b = static_cast<const t_objekt&>(*read.picture.objects);
  EXPECT_EQ(b.Kind(), kKindBitmap);
  EXPECT_EQ(b.GetExtent().left, 4);
  EXPECT_EQ(b.GetExtent().bottom, 40);
  EXPECT_EQ(read.picture.size,
            FindKind(kKindBitmap)->terminalSize + FindKind(kKindLinie)->terminalSize);
}

TEST(DosPictureFile, TextListRecordBecomesATextListOfTheProject) {
  ObjectPtr field = CreateObjectOfKind(kKindTextListe);
  ParseObjectFields(*field, "0;0;0;1;1;0;255;0;\"Betriebsart\";20;180;\"S008X016.FON\";4;1)",
                    nullptr);
  auto list = std::make_unique<t_textliste>();
  list->number = 1;
  list->valueList = true;
  for (const char* text : {"Aus", "Hand", "Automatik"}) {
    auto t = std::make_unique<t_text>();
    t->name = text;
    t->value = static_cast<std::uint16_t>(CountNodes(list->texts.get()));
    AppendNode(list->texts, std::move(t));
  }
  ListPtr source(list.release());
  Bytes record;
  WriteObjectBinary(*field, record, source.get());

  Read read(PictureFile("P", 1, {}, Join({record, record})));
  EXPECT_EQ(read.outcome.status, PictureFileStatus::Complete);
  ASSERT_EQ(CountNodes(read.textLists.get()), 2);  // one list per field record
  const auto& made = static_cast<const t_textliste&>(*read.textLists->next());
  EXPECT_EQ(made.number, 2);
  EXPECT_EQ(made.name, "Textliste 2");
  EXPECT_TRUE(made.valueList);
  ASSERT_EQ(CountNodes(made.texts.get()), 3);
  EXPECT_EQ(made.texts->next()->name, "Hand");
  const auto& second = static_cast<const tTeLiObj&>(*read.picture.objects->next());
  EXPECT_EQ(second.textList(), 2);
  EXPECT_FALSE(second.hasRecordTexts());
}

}  // namespace
}  // namespace tavo
