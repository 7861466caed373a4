// A project written by the first-generation image writer and imported
// again holds what the binary forms keep: head, terminal, coupling, alarms,
// variables, pictures with their keys, and every object's binary record.

#include <gtest/gtest.h>

#include "download/image/legacyimage.h"
#include "legacy/dosimport.h"
#include "objects/fields/fields.h"
#include "objects/objectkinds.h"
#include "objects/objekt.h"
#include "project/katalog.h"
#include "project/projectfile.h"
#include "resources/fontcatalog.h"
#include "shell/folders.h"
#include "shell/messageboxes.h"
#include "support/tempfolder.h"

namespace tavo {
namespace {

struct Installed {
  Installation install{TAVO_DATA_DIR};
  t_katalog catalog;
  std::unique_ptr<ObjectFactory> objects;
  Installed() {
    LoadFontList(install, catalog.fonts);
    catalog.LoadDefinitions(install);
    objects = MakeObjectFactory(&catalog);
  }
  std::unique_ptr<t_projekt> Read(const std::string& relative) {
    ProjectReadContext context;
    context.catalog = &catalog;
    context.objects = objects.get();
    return ReadProjectFile(install.Resolve(relative).string(), context).project;
  }
};

// The binary records of a picture's objects, with the project's text lists.
std::vector<std::uint8_t> Records(const t_bild& picture, const t_liste* textLists) {
  std::vector<std::uint8_t> out;
  for (const t_liste* o = picture.objects.get(); o; o = o->next())
    WriteObjectBinary(static_cast<const t_objekt&>(*o), out, textLists);
  return out;
}

std::string Padded(std::string text) {
  text.resize(35, ' ');
  return text;
}

const t_liste* At(const t_liste* list, int position) {
  for (int i = 1; i < position && list; ++i) list = list->next();
  return list;
}

void ExpectSameProject(const t_projekt& a, const t_projekt& b, const std::string& written) {
  EXPECT_EQ(b.head->name, a.head->name);
  EXPECT_EQ(b.head->author, a.head->author);
  EXPECT_EQ(b.head->created, a.head->created);
  EXPECT_EQ(b.head->changed, written);  // the writer's date
  // Info lines come back as the writer padded or cut them: the import does
  // not trim them.
  EXPECT_EQ(b.head->info1, Padded(a.head->info1));
  EXPECT_EQ(b.head->info2, Padded(a.head->info2));
  EXPECT_EQ(b.head->info3, Padded(a.head->info3));
  EXPECT_EQ(b.head->startPicture, a.head->startPicture);

  EXPECT_EQ(b.terminal->dosVersion, a.terminal->dosVersion);
  EXPECT_EQ(b.terminal->terminalName, a.terminal->terminalName);
  EXPECT_EQ(b.coupling->dosVersion, a.coupling->dosVersion);
  EXPECT_EQ(b.coupling->couplingName, a.coupling->couplingName);
  EXPECT_EQ(b.coupling->readBlockAddress, a.coupling->readBlockAddress & 0xFFFF);
  EXPECT_EQ(b.coupling->writeBlockAddress, a.coupling->writeBlockAddress & 0xFFFF);
  EXPECT_EQ(b.coupling->alarmSort, a.coupling->alarmSort);

  ASSERT_EQ(CountNodes(b.alarms.get()), CountNodes(a.alarms.get()));
  for (const t_liste *x = a.alarms.get(), *y = b.alarms.get(); x; x = x->next(), y = y->next()) {
    const auto& p = static_cast<const t_alarme&>(*x);
    const auto& q = static_cast<const t_alarme&>(*y);
    EXPECT_EQ(q.number, p.number & 0xFF);
    EXPECT_EQ(q.name, p.name);
    EXPECT_EQ(q.font, p.font);
    EXPECT_EQ(q.flags, p.flags);
    EXPECT_EQ(q.bitMask, p.bitMask);
  }

  // Variable n comes back at position n; positions no variable claimed
  // hold a copy of the first variable.
  for (const t_liste* x = a.variables.get(); x; x = x->next()) {
    const auto& p = static_cast<const t_variable&>(*x);
    const auto* q = static_cast<const t_variable*>(At(b.variables.get(), p.number));
    ASSERT_NE(q, nullptr) << p.name;
    EXPECT_EQ(q->number, p.number);
    EXPECT_EQ(q->name, p.name);
    EXPECT_EQ(q->address, p.address & 0xFFFF);
    EXPECT_EQ(q->type, p.type);
    EXPECT_EQ(q->length, p.length);
  }

  ASSERT_EQ(CountNodes(b.pictures.get()), CountNodes(a.pictures.get()));
  int position = 1;
  for (const t_liste *x = a.pictures.get(), *y = b.pictures.get(); x;
       x = x->next(), y = y->next(), ++position) {
    const auto& p = static_cast<const t_bild&>(*x);
    const auto& q = static_cast<const t_bild&>(*y);
    EXPECT_EQ(q.name, p.name);
    EXPECT_EQ(q.number, position);
    EXPECT_EQ(q.pictureNumber, p.pictureNumber);
    EXPECT_EQ(q.backgroundColour, p.backgroundColour);
    for (int k = 1; k <= kKeyTableKeys; ++k) EXPECT_EQ(q.Key(k)->value, p.Key(k)->value) << k;
    EXPECT_EQ(Records(q, b.textLists.get()), Records(p, a.textLists.get())) << p.name;
  }
}

class DosRoundTrip : public ::testing::TestWithParam<const char*> {};

TEST_P(DosRoundTrip, WrittenImageImportsAsTheSameProject) {
  Installed installed;
  auto original = installed.Read(GetParam());
  ASSERT_TRUE(original);
  testing::TempFolder folder;
  UsedFileTable used;
  std::string failed;
  ASSERT_TRUE(WriteLegacyProject(*original, folder.path(), "24.12.1999", used, failed)) << failed;

  ScriptedMessageBox box;
  DosImportContext context;
  context.catalog = &installed.catalog;
  context.messages = &box;
  DosImportResult imported = ImportDosProject(folder.File(kLegacyProjectFile), context);
  ASSERT_TRUE(imported.project);
  EXPECT_TRUE(box.Calls().empty());
  EXPECT_EQ(imported.damagedPictures, 0);
  ExpectSameProject(*original, *imported.project, "24.12.1999");
}

INSTANTIATE_TEST_SUITE_P(Demos, DosRoundTrip,
                         ::testing::Values("Projects\\Felder.qvx", "Projects\\demos\\Klassik.qvx",
                                           "Projects\\Demo.qvx"));

// The demos shipped in DOS form are regenerated whenever the writer or
// their project files change (docs/dos-import.md); stale ones fail here.
TEST(DosDemos, ShippedDemosImportAsTheirProjectFiles) {
  const std::pair<const char*, const char*> demos[] = {
      {"Projects\\demos\\Klassik.prj", "Projects\\demos\\Klassik.qvx"},
      {"Projects\\demos\\Felder\\Felder.prj", "Projects\\Felder.qvx"},
  };
  Installed installed;
  for (const auto& [prj, qvx] : demos) {
    auto original = installed.Read(qvx);
    ASSERT_TRUE(original) << qvx;
    ScriptedMessageBox box;
    DosImportContext context;
    context.catalog = &installed.catalog;
    context.messages = &box;
    DosImportResult imported = ImportDosProject(installed.install.Resolve(prj).string(), context);
    ASSERT_TRUE(imported.project) << prj;
    EXPECT_TRUE(box.Calls().empty()) << prj;
    ExpectSameProject(*original, *imported.project, original->head->changed);
  }
}

// Keys name their target by the picture's number; the writer stores the
// target's name padded, and the import gives it back without the blanks.
TEST(DosRoundTripKeys, KeyNamesAreTheTargetsNames) {
  Installed installed;
  auto original = installed.Read("Projects\\demos\\Klassik.qvx");
  ASSERT_TRUE(original);
  testing::TempFolder folder;
  UsedFileTable used;
  std::string failed;
  ASSERT_TRUE(WriteLegacyProject(*original, folder.path(), "24.12.1999", used, failed));
  DosImportContext context;
  context.catalog = &installed.catalog;
  DosImportResult imported = ImportDosProject(folder.File(kLegacyProjectFile), context);
  ASSERT_TRUE(imported.project);
  const auto& first = static_cast<const t_bild&>(*imported.project->pictures);
  EXPECT_EQ(first.Key(1)->value, 2);
  EXPECT_EQ(first.Key(1)->name, "Details");
}

}  // namespace
}  // namespace tavo
