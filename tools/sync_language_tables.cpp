// Appends the registered texts a language table lacks, with their German
// text, so that adding a text to the registry stays one step.
//
//   sync-language-tables [--check] TABLE.SPR...
//
// --check only lists the missing pairs and fails when there are any.
// A table that does not exist yet is created as the German one.

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <unordered_map>
#include <utility>
#include <vector>

#include "shell/codepage.h"
#include "shell/languagetable.h"
#include "shell/texts.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: sync-language-tables [--check] TABLE.SPR...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  bool check = false;
  std::vector<std::filesystem::path> tables;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--check")
      check = true;
    else if (!arg.empty() && arg[0] == '-')
      return Usage();
    else
      tables.emplace_back(arg);
  }
  if (tables.empty()) return Usage();

  int result = 0;
  for (const auto& table : tables) {
    std::error_code ec;
    const bool exists = std::filesystem::exists(table, ec);
    std::unordered_map<std::string, std::string> entries;
    if (exists && !tavo::ReadTableEntries(table, entries)) {
      std::fprintf(stderr, "%s: cannot read\n", table.string().c_str());
      result = 1;
      continue;
    }
    std::vector<std::pair<std::string, std::string>> missing;
    for (const tavo::TextId& id : tavo::AllTexts()) {
      const std::string key = tavo::TableKey(id.group, id.entry);
      if (entries.count(key)) continue;
      entries.emplace(key, std::string());  // a pair registered twice is added once
      missing.emplace_back(key, tavo::Utf8ToCp1252(id.german));
    }
    for (const auto& [key, text] : missing)
      std::printf("%s: %s %s\n", table.string().c_str(), check ? "missing" : "adding", key.c_str());
    if (check) {
      if (!missing.empty()) result = 1;
      continue;
    }
    if (!exists) {
      // A new table is the German one; its first line names the language.
      std::FILE* f = std::fopen(table.string().c_str(), "wb");
      const bool created = f && std::fputs("Deutsch\r\n", f) != EOF;
      if (f && std::fclose(f) != 0) result = 1;
      if (!created) {
        std::fprintf(stderr, "%s: cannot create\n", table.string().c_str());
        result = 1;
        continue;
      }
    }
    if (!missing.empty() && !tavo::AppendTableEntries(table, missing)) {
      std::fprintf(stderr, "%s: cannot write\n", table.string().c_str());
      result = 1;
    }
  }
  return result;
}
