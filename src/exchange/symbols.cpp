#include "exchange/symbols.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "project/liste.h"
#include "shell/safefile.h"

namespace tavo {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSymMagic = "QVX_SymFile";

std::string TrimControl(std::string_view text) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// The first bytes of a file, enough for a ".sym" header.
std::string Head(const fs::path& path, std::size_t count) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes(count, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(count));
  bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
  return bytes;
}

}  // namespace

std::string SymbolNameOfBinary(std::string_view bytes) {
  if (bytes.size() <= 12) return {};
  return FromTerminalCharset(TrimControl(bytes.substr(12, 30)));
}

bool SymbolNameOfText(std::string_view bytes, std::string& name) {
  std::size_t at = 0;
  while ((at = bytes.find("-Symbol(", at)) != std::string_view::npos) {
    const std::size_t lineEnd = std::min(bytes.find_first_of("\r\n", at), bytes.size());
    std::string_view rest = bytes.substr(at + 8, lineEnd - at - 8);
    if (rest.find('"') != std::string_view::npos) {
      // Read as it is written: quoted, inner quotes doubled.
      name = TrimControl(t_liste::Unquote(t_liste::NextToken(rest)));
      return true;
    }
    at = lineEnd;
  }
  return false;
}

std::vector<SymbolEntry> ListSymbols(const fs::path& folder) {
  std::vector<SymbolEntry> binary, text;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code kind;
    if (!it->is_regular_file(kind)) continue;
    const std::string extension = Lower(it->path().extension().string());
    if (extension == ".sym") {
      const std::string head = Head(it->path(), 42);
      if (head.substr(0, kSymMagic.size()) != kSymMagic) continue;
      binary.push_back({SymbolNameOfBinary(head), it->path(), true});
    } else if (extension == ".txt") {
      std::string bytes, name;
      if (ReadExchangeFile(it->path(), bytes) && SymbolNameOfText(bytes, name))
        text.push_back({name, it->path(), false});
    }
  }
  auto byFile = [](const SymbolEntry& a, const SymbolEntry& b) {
    return a.path.filename() < b.path.filename();
  };
  std::sort(binary.begin(), binary.end(), byFile);
  std::sort(text.begin(), text.end(), byFile);
  binary.insert(binary.end(), std::make_move_iterator(text.begin()),
                std::make_move_iterator(text.end()));
  return binary;
}

ExchangeContent ReadSymbolFile(const fs::path& path, ObjectFactory& factory,
                               Translator& translator) {
  std::string bytes;
  if (!ReadExchangeFile(path, bytes)) {
    ExchangeContent content;
    content.readable = false;
    content.messages.push_back({0, txt::kExNichtLesbar, {}});
    return content;
  }
  if (Lower(path.extension().string()) == ".sym") return ReadSymbolBinary(bytes, translator);
  return ReadSymbolText(bytes, factory);
}

std::string TrimSymbolName(std::string_view name) {
  while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  return std::string(name);
}

fs::path SymbolFilePath(const fs::path& folder, const std::string& name) {
  return folder / (name + ".txt");
}

bool ReadExchangeFile(const fs::path& path, std::string& bytes) {
  if (!WhyUnreadable(path).empty()) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool WriteExchangeFile(const fs::path& path, const std::vector<std::string>& lines,
                       std::string* error) {
  SafeFileWriter out;
  if (!out.Open(path, {}, error)) return false;
  for (const std::string& line : lines) {
    out.Write(line);
    out.Write("\r\n");
  }
  return out.Commit(error);
}

}  // namespace tavo
