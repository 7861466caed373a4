#include <gtest/gtest.h>

#include <set>
#include <unordered_map>

#include "shell/codepage.h"
#include "shell/folders.h"
#include "shell/languagetable.h"
#include "shell/texts.h"
#include "tempfolder.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

TEST(TextRegistry, EveryPairIsRegisteredOnce) {
  std::set<std::pair<int, int>> seen;
  for (const TextId& id : AllTexts())
    EXPECT_TRUE(seen.emplace(id.group, id.entry).second)
        << "pair " << id.group << "," << id.entry << " registered twice";
}

TEST(TextRegistry, VariableTypeNamesAreNineCharactersLong) {
  for (int type = 0; type < 10; ++type) {
    EXPECT_EQ(std::string(txt::kVarTypeNamesIntel[type].german).size(), 9u) << type;
    EXPECT_EQ(std::string(txt::kVarTypeNamesSiemens[type].german).size(), 9u) << type;
    EXPECT_EQ(txt::kVarTypeNamesIntel[type].entry, 50 + type);
    EXPECT_EQ(txt::kVarTypeNamesSiemens[type].entry, 60 + type);
  }
}

// Run tools/sync-language-tables (`ninja update-language-tables`) when a
// new text makes this fail.
TEST(ShippedLanguageTables, HoldEveryRegisteredText) {
  const auto tables = Installation(TAVO_DATA_DIR).ListFiles("system\\", "*.SPR");
  ASSERT_FALSE(tables.empty());
  for (const fs::path& table : tables) {
    std::unordered_map<std::string, std::string> entries;
    ASSERT_TRUE(ReadTableEntries(table, entries)) << table;
    for (const TextId& id : AllTexts())
      EXPECT_TRUE(entries.count(TableKey(id.group, id.entry)))
          << table.filename() << " lacks " << TableKey(id.group, id.entry) << " (" << id.german
          << ")";
  }
}

TEST(ShippedLanguageTables, GermanTableHoldsTheGermanTexts) {
  const fs::path table = Installation(TAVO_DATA_DIR).Resolve("system\\049.SPR");
  const std::string content = testing::ReadFile(table);
  EXPECT_EQ(content.rfind("Deutsch\r\n", 0), 0u);
  for (std::size_t i = 0; i < content.size(); ++i) {
    if (content[i] == '\n') {
      ASSERT_TRUE(i > 0 && content[i - 1] == '\r') << "LF without CR at " << i;
    }
  }
  std::unordered_map<std::string, std::string> entries;
  ASSERT_TRUE(ReadTableEntries(table, entries));
  for (const TextId& id : AllTexts()) {
    const auto found = entries.find(TableKey(id.group, id.entry));
    if (found != entries.end()) {
      EXPECT_EQ(found->second, Utf8ToCp1252(id.german)) << found->first;
    }
  }
  EXPECT_EQ(entries.at("0001,0101"),
            "\xD6"
            "ffnen eines Projekts");
}

}  // namespace
}  // namespace tavo
