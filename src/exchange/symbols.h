#pragma once
// The symbol library: a folder of symbol files, text (".txt", written by
// the editor) and binary (".sym", from the older editor, read only).

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/pictureexchange.h"

namespace tavo {

class ObjectFactory;
class Translator;

struct SymbolEntry {
  std::string caption;  // the symbol's name
  std::filesystem::path path;
  bool binary = false;
};

// The symbols of the folder: ".sym" files that begin with "QVX_SymFile",
// then ".txt" files with a line "-Symbol(" and a double quote; each group
// sorted by file name (the folder's own order differs between systems).
std::vector<SymbolEntry> ListSymbols(const std::filesystem::path& folder);

// The name in a ".sym" file: the 30 bytes behind the length byte, blanks and
// control characters removed at both ends, from the terminal's code page.
std::string SymbolNameOfBinary(std::string_view bytes);
// The name on the first "-Symbol(" line of a ".txt" file: between its first
// two double quotes, blanks and control characters removed at both ends.
// False when the file has no such line.
bool SymbolNameOfText(std::string_view bytes, std::string& name);

// Reads a symbol file of either form (by its extension, in any case).
ExchangeContent ReadSymbolFile(const std::filesystem::path& path, ObjectFactory& factory,
                               Translator& translator);

// The name as the save dialog takes it: without blanks at both ends.
std::string TrimSymbolName(std::string_view name);
// Where a symbol of that name is saved: folder + name + ".txt".
std::filesystem::path SymbolFilePath(const std::filesystem::path& folder, const std::string& name);

// The whole file; false when it cannot be read (a folder, a device, missing).
bool ReadExchangeFile(const std::filesystem::path& path, std::string& bytes);
// Writes the lines (each ended with CR LF) beside the target and puts the
// file in its place only when it is complete; `error` says why not.
bool WriteExchangeFile(const std::filesystem::path& path, const std::vector<std::string>& lines,
                       std::string* error = nullptr);

}  // namespace tavo
