#include "simulator/imagereader.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <set>
#include <system_error>

#include "objects/bitmap/bmpfile.h"
#include "objects/bitmap/tqvxbitmap.h"
#include "objects/compile/picturecompiler.h"
#include "objects/fields/fields.h"
#include "objects/objectkinds.h"
#include "project/katalog.h"
#include "resources/fontcatalog.h"
#include "resources/fonts.h"
#include "shell/folders.h"

namespace fs = std::filesystem;

namespace tavo {
namespace {

constexpr std::uint16_t kPixelFileMagic = 18500;
constexpr std::size_t kShownLine = 60;

// --- code page ------------------------------------------------------------------------

// For each terminal byte a code page 1252 byte that converts back to it:
// the reverse table's answer where it does, else the first byte that does.
// The two tables are not inverse to each other, so the reverse table alone
// would draw some characters differently from the editor.
std::array<char, 256> BuildPreimages() {
  std::array<char, 256> table{};
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const std::string back = FromTerminalCharset(byte);
    if (ToTerminalCharset(back) == byte) {
      table[b] = back[0];
      continue;
    }
    table[b] = static_cast<char>(b);
    for (int c = 0; c < 256; ++c) {
      if (static_cast<unsigned char>(ToTerminalCharset(std::string(1, static_cast<char>(c)))[0]) ==
          b) {
        table[b] = static_cast<char>(c);
        break;
      }
    }
  }
  return table;
}

// --- lines and fields ---------------------------------------------------------------------

std::string Shown(std::string_view line) {
  std::string text(line.substr(0, kShownLine));
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 32) c = '?';
  if (line.size() > kShownLine) text += "...";
  return "\"" + text + "\"";
}

// Calls fn(line, number) for every line; CR LF, LF and a last line
// without an end all count.
template <class Fn>
void EachLine(std::string_view text, Fn&& fn) {
  std::size_t number = 0;
  while (!text.empty()) {
    ++number;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    fn(line, number);
  }
}

bool IsWhole(std::string_view f) {
  std::size_t i = f.size() > 0 && f[0] == '-' ? 1 : 0;
  if (i >= f.size() || f.size() - i > 10) return false;
  for (; i < f.size(); ++i)
    if (f[i] < '0' || f[i] > '9') return false;
  const long long v = std::stoll(std::string(f));
  return v >= INT32_MIN && v <= INT32_MAX;
}

bool IsReal(std::string_view f) {
  std::size_t i = f.size() > 0 && f[0] == '-' ? 1 : 0;
  bool digit = false, point = false;
  for (; i < f.size(); ++i) {
    if (f[i] >= '0' && f[i] <= '9')
      digit = true;
    else if (f[i] == '.' && !point)
      point = true;
    else
      return false;
  }
  return digit && f.size() <= 40;
}

bool IsQuoted(std::string_view f) {
  return f.size() >= 2 && f.front() == '"' && f.back() == '"';
}

bool IsBool(std::string_view f) {
  return f == "TRUE" || f == "FALSE";
}

// An address: a whole number, or data block and data word ("010,005").
bool IsAddress(std::string_view f) {
  const std::size_t comma = f.find(',');
  if (comma == std::string_view::npos) return IsWhole(f);
  const auto part = [](std::string_view p) {
    return !p.empty() && p.size() <= 3 &&
           std::all_of(p.begin(), p.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  return part(f.substr(0, comma)) && part(f.substr(comma + 1));
}

// A run line cut into its keyword and fields.
struct RunLine {
  std::string_view keyword;
  std::vector<std::string_view> fields;
};

// False when the line is no run line ("-(" ... ")").
bool CutRunLine(std::string_view line, RunLine& out) {
  if (line.size() < 3 || line.substr(0, 2) != "-(" || line.back() != ')') return false;
  std::string_view rest = line.substr(2);
  out.keyword = t_liste::NextToken(rest);
  out.fields.clear();
  while (!rest.empty()) out.fields.push_back(t_liste::NextToken(rest));
  return !out.keyword.empty();
}

// Checks the fields against a layout: i whole number, r real number, q
// quoted text, b TRUE/FALSE, a address. Empty on success, else what is wrong.
std::string CheckFields(const std::vector<std::string_view>& fields, std::string_view layout,
                        std::size_t from = 0) {
  if (fields.size() != from + layout.size())
    return std::to_string(fields.size()) + " fields where " + std::to_string(from + layout.size()) +
           " belong";
  for (std::size_t i = 0; i < layout.size(); ++i) {
    const std::string_view f = fields[from + i];
    bool ok = true;
    const char* what = "";
    switch (layout[i]) {
      case 'i':
        ok = IsWhole(f), what = "no whole number";
        break;
      case 'r':
        ok = IsReal(f), what = "no number";
        break;
      case 'q':
        ok = IsQuoted(f), what = "no quoted text";
        break;
      case 'b':
        ok = IsBool(f), what = "neither TRUE nor FALSE";
        break;
      case 'a':
        ok = IsAddress(f), what = "no address";
        break;
    }
    if (!ok) return "field " + std::to_string(from + i + 1) + " " + Shown(f) + " is " + what;
  }
  return {};
}

std::int32_t Int(std::string_view f) {
  return t_liste::TextToInt(f);
}

bool InRange(std::int64_t v, std::int64_t low, std::int64_t high) {
  return v >= low && v <= high;
}

// --- objects ---------------------------------------------------------------------------------

struct RunKind {
  const char* keyword;
  std::uint8_t kind;
  const char* layout;  // behind the switching rule (which is "iii")
  // Fields (0-based, counted behind the keyword) that are terminal text.
  std::array<int, 3> texts;
};

constexpr int kNone = -1;

// The run lines of the object kinds, as their writers put them.
constexpr RunKind kRunKinds[] = {
    {"OLine",
     kKindLinie,
     "iii"
     "iiii",
     {kNone, kNone, kNone}},
    {"OBar",
     kKindRechteck,
     "iiiii"
     "iiiiiiii",
     {kNone, kNone, kNone}},
    {"OKreis", kKindKreis, nullptr, {kNone, kNone, kNone}},
    {"OPoly", kKindPolygon, nullptr, {kNone, kNone, kNone}},
    {"OText",
     kKindText,
     "iiiii"
     "ii"
     "qq",
     {10, kNone, kNone}},
    {"OEingabe",
     kKindEingabe,
     "iiiii"
     "ii"
     "qriq",
     {kNone, kNone, kNone}},
    {"OAusgabe",
     kKindAusgabe,
     "iiiii"
     "ii"
     "qriq",
     {kNone, kNone, kNone}},
    {"OBarcode",
     kKindBarcode,
     "iiiii"
     "ii"
     "qriq",
     {kNone, kNone, kNone}},
    {"OBargraf",
     kKindBargraf,
     "iiiii"
     "iiii"
     "iiii",
     {kNone, kNone, kNone}},
    {"OPlotgraf",
     kKindPlotgraf,
     "iiiii"
     "iiii"
     "iiiiiiii",
     {kNone, kNone, kNone}},
    {"OSkalEingabe",
     kKindSkalEingabe,
     "iiiii"
     "ii"
     "qqrri",
     {kNone, kNone, kNone}},
    {"OSkalAusgabe",
     kKindSkalAusgabe,
     "iiiii"
     "ii"
     "qqrri",
     {kNone, kNone, kNone}},
    {"ODatum",
     kKindDatum,
     "iiiii"
     "ii"
     "qiq",
     {12, kNone, kNone}},
    {"OZeit",
     kKindZeit,
     "iiiii"
     "ii"
     "qiqqq",
     {12, 13, 14}},
    {"OTextListe",
     kKindTextListe,
     "iiiii"
     "ii"
     "qii",
     {kNone, kNone, kNone}},
    {"OEditListe",
     kKindEditListe,
     "iiiii"
     "ii"
     "qii",
     {kNone, kNone, kNone}},
    {"OBitmap",
     kKindBitmap,
     "iiii"
     "bii",
     {kNone, kNone, kNone}},
};

const RunKind* FindRunKind(std::string_view keyword) {
  for (const RunKind& k : kRunKinds)
    if (keyword == k.keyword) return &k;
  return nullptr;
}

// The layout of the shapes whose length depends on the line.
std::string ShapeLayout(const RunKind& kind, const std::vector<std::string_view>& fields,
                        std::string& why) {
  if (kind.kind == kKindKreis) return "iiiii" + std::string(2 * t_kreis::kPoints, 'i');
  // The polygon: attributes, the count, then count points.
  if (fields.size() < 9 || !IsWhole(fields[8])) {
    why = "the polygon has no point count";
    return {};
  }
  const std::int32_t count = Int(fields[8]);
  if (!InRange(count, 0, static_cast<std::int64_t>(t_polygon::kMaxPoints))) {
    why = "a polygon of " + std::to_string(count) + " points (at most " +
          std::to_string(t_polygon::kMaxPoints) + ")";
    return {};
  }
  return "iiiii"
         "i" +
         std::string(2 * static_cast<std::size_t>(count), 'i');
}

std::string Join(const std::vector<std::string>& fields) {
  std::string text;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i) text += ';';
    text += fields[i];
  }
  return text;
}

// The object of a checked run line, read through the project-file form of
// its kind: the run fields are put where that form keeps them.
ObjectPtr MakeObject(const RunKind& kind, const std::vector<std::string_view>& f,
                     const t_liste* fonts) {
  std::vector<std::string> p;  // the project form's fields behind the kind
  p.reserve(f.size() + 4);
  for (std::size_t i = 0; i < 3; ++i) p.emplace_back(f[i]);  // switching rule
  if (kind.kind == kKindBitmap) {
    // Bitmaps: no attributes; the transparent colour comes as a terminal
    // pixel word and goes back to a colour that packs into it.
    const std::int32_t word = Int(f[9]) & 0xFFFF;
    const std::int32_t rgb =
        (((word >> 11) & 31) * 8) | ((((word >> 6) & 31) * 8) << 8) | (((word & 31) * 8) << 16);
    p.insert(p.end(),
             {"\"\"", std::string(f[3]), std::string(f[4]), std::string(f[5]), std::string(f[6]),
              "\"\"", "TRUE", std::string(f[7]), std::string(f[8]), t_liste::IntToText(rgb)});
  } else {
    std::size_t next = 3;
    if (kind.kind == kKindLinie) {
      // The line's run form has no fill: the object's defaults stand in.
      for (; next < 6; ++next) p.emplace_back(f[next]);
      p.insert(p.end(), {"0", "1"});
    } else {
      for (; next < 8; ++next) p.emplace_back(f[next]);
    }
    p.emplace_back("\"\"");  // the name stays in the editor
    for (std::size_t i = next; i < f.size(); ++i) {
      const bool text =
          std::find(kind.texts.begin(), kind.texts.end(), static_cast<int>(i)) != kind.texts.end();
      p.push_back(text ? t_liste::Quote(FromTerminalText(t_liste::Unquote(f[i])))
                       : std::string(f[i]));
    }
    if (kind.kind == kKindPlotgraf) {
      // The run line has the orientation before the range; the project
      // form after it.
      const std::size_t o = 9 + 4;  // rule 3, attributes 5, name 1, corners 4
      std::rotate(p.begin() + static_cast<std::ptrdiff_t>(o),
                  p.begin() + static_cast<std::ptrdiff_t>(o + 1),
                  p.begin() + static_cast<std::ptrdiff_t>(o + 3));
    }
  }
  ObjectPtr object = CreateObjectOfKind(kind.kind);
  if (!object) return nullptr;
  const std::string rest = Join(p) + ")";
  ParseObjectFields(*object, rest, fonts);
  return object;
}

// --- the run file ---------------------------------------------------------------------

class RunFileReader {
 public:
  RunFileReader(const std::string& file, const t_katalog* catalogue, ImageMessages& messages)
      : file_(file), catalogue_(catalogue), messages_(messages) {}

  std::unique_ptr<t_projekt> Read(std::string_view text) {
    project_ = std::make_unique<t_projekt>();
    EachLine(text, [&](std::string_view line, std::size_t number) { Line(line, number); });
    if (!sawVersion_) messages_.Add(file_, "no version line: this is no run file");
    if (inList_) messages_.Add(file_, lastLine_, "the text list has no end line");
    if (!project_->head) project_->head = std::make_unique<t_kopf>();
    if (!project_->terminal) {
      project_->terminal = std::make_unique<t_terminal>();
      messages_.Add(file_, "no terminal line: a terminal of 640 x 480 pixels is assumed");
    }
    return std::move(project_);
  }

 private:
  void Bad(std::size_t number, const std::string& what) { messages_.Add(file_, number, what); }

  void Line(std::string_view line, std::size_t number) {
    lastLine_ = number;
    if (line.empty()) return;
    RunLine run;
    if (!CutRunLine(line, run)) return Bad(number, "no run line: " + Shown(line));
    const std::string_view k = run.keyword;
    const auto check = [&](std::string_view layout) {
      std::string why = CheckFields(run.fields, layout);
      if (!why.empty()) Bad(number, std::string(k) + ": " + why);
      return why.empty();
    };
    if (k != "Text" && k != "TextListEnd" && inList_) {
      Bad(number, "the text list has no end line");
      inList_ = false;
    }
    if (k == "Version") {
      if (!check("q")) return;
      sawVersion_ = true;
      if (t_liste::Unquote(run.fields[0]) != kVersionText)
        Bad(number,
            "version " + Shown(t_liste::Unquote(run.fields[0])) + ", read as " + kVersionText);
    } else if (k == "Startbild") {
      if (!check("i")) return;
      project_->head = std::make_unique<t_kopf>();
      project_->head->startPicture = static_cast<std::int16_t>(Int(run.fields[0]));
    } else if (k == "Terminal") {
      if (check("q")) Terminal(FromTerminalText(t_liste::Unquote(run.fields[0])), number);
    } else if (k == "Steuerung") {
      if (check("qiaai")) Coupling(run.fields, number);
    } else if (k == "Variable") {
      if (check("iaiii")) Variable(run.fields, number);
    } else if (k == "Alarm") {
      if (check("iqiq")) Alarm(run.fields, number);
    } else if (k == "TextList") {
      if (check("ib")) TextList(run.fields, number);
    } else if (k == "Text") {
      if (check("iq")) Text(run.fields, number);
    } else if (k == "TextListEnd") {
      if (!check("")) return;
      if (!inList_) Bad(number, "a text list end without its text list");
      inList_ = false;
    } else if (k == "Picture") {
      if (check("ii")) Picture(run.fields, number);
    } else {
      Bad(number, "unknown line " + Shown(line));
    }
  }

  void Terminal(const std::string& typeNumber, std::size_t number) {
    auto terminal = std::make_unique<t_terminal>();
    const t_terminal* known = nullptr;
    if (catalogue_)
      for (const t_liste* n = catalogue_->terminals.get(); n && !known; n = n->next())
        if (static_cast<const t_terminal*>(n)->typeNumber == typeNumber)
          known = static_cast<const t_terminal*>(n);
    if (known) {
      terminal->CopyFrom(*known);
    } else {
      terminal->typeNumber = typeNumber;
      terminal->name = terminal->terminalName = typeNumber;
      Bad(number, "no installed terminal has the type number " + Shown(typeNumber) +
                      ": a terminal of 640 x 480 grey pixels is assumed");
    }
    project_->terminal = std::move(terminal);
  }

  void Coupling(const std::vector<std::string_view>& f, std::size_t number) {
    const std::string id = t_liste::Unquote(f[0]);
    auto coupling = std::make_unique<t_steuerung>();
    const t_steuerung* known = nullptr;
    if (catalogue_)
      for (const t_liste* n = catalogue_->couplings.get(); n && !known; n = n->next()) {
        const auto* c = static_cast<const t_steuerung*>(n);
        if (c->identifier.size() > 1 && c->identifier.substr(1, 3) == id) known = c;
      }
    if (known) {
      coupling->CopyFrom(*known);
    } else {
      coupling->identifier = " " + id;
      coupling->name = coupling->couplingName = id;
    }
    const std::int32_t format = Int(f[1]);
    if (format != 0 && format != 1) Bad(number, "address format " + std::to_string(format));
    coupling->addressFormat = format == 1 ? 1 : 0;
    coupling->readBlockAddress = AddressFromText(f[2]);
    coupling->writeBlockAddress = AddressFromText(f[3]);
    coupling->alarmSort = static_cast<std::int16_t>(std::clamp(Int(f[4]), 0, 2));
    project_->coupling = std::move(coupling);
  }

  void Variable(const std::vector<std::string_view>& f, std::size_t number) {
    const std::int32_t n = Int(f[0]), type = Int(f[2]), length = Int(f[3]), attr = Int(f[4]);
    if (!InRange(n, 0, 65535)) return Bad(number, "variable number " + std::to_string(n));
    if (!InRange(type, 0, kVarTypeCount - 1))
      return Bad(number,
                 "variable " + std::to_string(n) + " has the unknown type " + std::to_string(type));
    if (!InRange(length, 0, 65535) || !InRange(attr, 0, 255))
      return Bad(number, "variable " + std::to_string(n) + ": length or attribute out of range");
    if (!variableNumbers_.insert(n).second)
      return Bad(number, "variable " + std::to_string(n) + " comes twice; the first is kept");
    auto v = std::make_unique<t_variable>();
    v->number = static_cast<std::uint16_t>(n);
    v->address = AddressFromText(f[1]);
    v->type = static_cast<std::uint8_t>(type);
    v->length = static_cast<std::uint16_t>(length);
    v->attribute = static_cast<std::uint8_t>(attr);
    lastVariable_ = AppendNode(project_->variables, lastVariable_, std::move(v));
  }

  void Alarm(const std::vector<std::string_view>& f, std::size_t number) {
    const std::int32_t n = Int(f[0]), flags = Int(f[2]);
    if (!InRange(n, 0, 239)) return Bad(number, "alarm number " + std::to_string(n) + " (0..239)");
    if (!InRange(flags, 0, 255)) return Bad(number, "alarm flags " + std::to_string(flags));
    auto a = std::make_unique<t_alarme>();
    a->number = static_cast<std::uint16_t>(n);
    a->bitMask = 1 << (n % 16);
    a->font = t_liste::Unquote(f[1]);
    a->flags = static_cast<std::uint8_t>(flags);
    a->name = FromTerminalText(t_liste::Unquote(f[3]));
    lastAlarm_ = AppendNode(project_->alarms, lastAlarm_, std::move(a));
  }

  void TextList(const std::vector<std::string_view>& f, std::size_t number) {
    const std::int32_t n = Int(f[0]);
    if (!InRange(n, 0, 65535)) return Bad(number, "text list number " + std::to_string(n));
    auto list = std::make_unique<t_textliste>();
    list->number = static_cast<std::uint16_t>(n);
    list->valueList = f[1] == "TRUE";
    list->name = "Textliste " + std::to_string(n);
    list_ = static_cast<t_textliste*>(AppendNode(project_->textLists, lastList_, std::move(list)));
    lastList_ = list_;
    lastText_ = nullptr;
    inList_ = true;
  }

  void Text(const std::vector<std::string_view>& f, std::size_t number) {
    if (!inList_) return Bad(number, "a text outside a text list");
    const std::int32_t value = Int(f[0]);
    if (!InRange(value, 0, 65535)) return Bad(number, "text value " + std::to_string(value));
    auto t = std::make_unique<t_text>();
    t->value = static_cast<std::uint16_t>(value);
    t->name = FromTerminalText(t_liste::Unquote(f[1]));
    lastText_ = AppendNode(list_->texts, lastText_, std::move(t));
  }

  void Picture(const std::vector<std::string_view>& f, std::size_t number) {
    const std::int32_t n = Int(f[0]), background = Int(f[1]);
    if (!InRange(n, 1, 65535)) return Bad(number, "picture number " + std::to_string(n));
    if (!InRange(background, 0, 255))
      return Bad(number,
                 "picture " + std::to_string(n) + ": background " + std::to_string(background));
    if (!pictureNumbers_.insert(n).second)
      return Bad(number, "picture " + std::to_string(n) + " comes twice; the first is kept");
    auto b = std::make_unique<t_bild>();
    b->pictureNumber = static_cast<std::uint16_t>(n);
    b->number = static_cast<std::uint16_t>(pictureNumbers_.size());
    b->backgroundColour = static_cast<std::uint8_t>(background);
    b->name = "Bild " + std::to_string(n);
    lastPicture_ = AppendNode(project_->pictures, lastPicture_, std::move(b));
  }

  const std::string& file_;
  const t_katalog* catalogue_;
  ImageMessages& messages_;
  std::unique_ptr<t_projekt> project_;
  bool sawVersion_ = false;
  bool inList_ = false;
  std::size_t lastLine_ = 0;
  std::set<std::int32_t> variableNumbers_, pictureNumbers_;
  t_liste* lastVariable_ = nullptr;
  t_liste* lastAlarm_ = nullptr;
  t_liste* lastList_ = nullptr;
  t_textliste* list_ = nullptr;
  t_liste* lastText_ = nullptr;
  t_liste* lastPicture_ = nullptr;
};

// --- files ------------------------------------------------------------------------------

bool ReadWholeFile(const fs::path& path, std::string& out, std::string& why) {
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec || !fs::is_regular_file(path, ec)) {
    why = "cannot be read";
    return false;
  }
  if (size > kMaxImageTextFile) {
    why = "is too large (" + std::to_string(size) + " bytes)";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  out.assign(static_cast<std::size_t>(size), '\0');
  if (!in.read(out.data(), static_cast<std::streamsize>(size))) {
    why = "cannot be read";
    return false;
  }
  return true;
}

// The drive's files by upper-case name: the terminal's file system knows
// no case, and a copied image may have either.
std::map<std::string, fs::path> DriveFiles(const fs::path& folder) {
  std::map<std::string, fs::path> files;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code kind;
    if (!it->is_regular_file(kind)) continue;
    std::string name = it->path().filename().string();
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    files.emplace(name, it->path());
  }
  return files;
}

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

}  // namespace

// --- public -----------------------------------------------------------------------------

std::string FromTerminalText(std::string_view terminalText) {
  static const std::array<char, 256> preimages = BuildPreimages();
  std::string text(terminalText);
  for (char& c : text) c = preimages[static_cast<unsigned char>(c)];
  return text;
}

ImageMessages::~ImageMessages() {
  if (dropped_) out_.push_back("... and " + std::to_string(dropped_) + " more problems");
}

void ImageMessages::Add(const std::string& file, std::size_t line, const std::string& what) {
  Add(file + ":" + std::to_string(line), what);
}

void ImageMessages::Add(const std::string& file, const std::string& what) {
  if (out_.size() >= kMaxMessages) {
    ++dropped_;
    return;
  }
  out_.push_back(file + ": " + what);
}

std::unique_ptr<t_projekt> ReadRunText(std::string_view text, const std::string& fileName,
                                       const t_katalog* catalogue, ImageMessages& messages) {
  return RunFileReader(fileName, catalogue, messages).Read(text);
}

void ReadPictureText(std::string_view text, const std::string& fileName, t_bild& picture,
                     const t_liste* fonts, ImageMessages& messages) {
  bool sawPicture = false, ended = false;
  t_liste* last = LastNode(picture.objects.get());
  EachLine(text, [&](std::string_view line, std::size_t number) {
    if (line.empty()) return;
    const auto bad = [&](const std::string& what) { messages.Add(fileName, number, what); };
    RunLine run;
    if (!CutRunLine(line, run)) return bad("no run line: " + Shown(line));
    if (ended) return bad("a line behind the picture's end: " + Shown(line));
    const std::string_view k = run.keyword;
    if (k == "Picture") {
      if (std::string why = CheckFields(run.fields, "ii"); !why.empty())
        return bad("Picture: " + why);
      if (sawPicture) return bad("a second picture line");
      sawPicture = true;
      if (Int(run.fields[0]) != picture.pictureNumber ||
          Int(run.fields[1]) != picture.backgroundColour)
        bad("the picture line " + Shown(line) + " differs from the run file's");
    } else if (k == "Key") {
      if (std::string why = CheckFields(run.fields, "ii"); !why.empty()) return bad("Key: " + why);
      const std::int32_t key = Int(run.fields[0]), value = Int(run.fields[1]);
      if (!InRange(key, 1, kKeyCount) || !InRange(value, 0, 65535))
        return bad("key " + std::to_string(key) + " with value " + std::to_string(value));
      picture.Key(key)->value = static_cast<std::uint16_t>(value);
    } else if (k == "PictureEnd") {
      if (!run.fields.empty()) return bad("PictureEnd: fields where none belong");
      ended = true;
    } else if (const RunKind* kind = FindRunKind(k)) {
      std::string why;
      std::string layout =
          kind->layout ? std::string(kind->layout) : ShapeLayout(*kind, run.fields, why);
      if (!why.empty()) return bad(std::string(k) + ": " + why);
      why = CheckFields(run.fields, "iii" + layout);
      if (!why.empty()) return bad(std::string(k) + ": " + why);
      if (ObjectPtr object = MakeObject(*kind, run.fields, fonts))
        last = AppendNode(picture.objects, last, std::move(object));
    } else {
      bad("unknown line " + Shown(line));
    }
  });
  if (!sawPicture) messages.Add(fileName, "no picture line");
  if (!ended) messages.Add(fileName, "no picture end line: the file may be cut short");
}

bool DecodePixelFile(const std::vector<std::uint8_t>& bytes, Image16& image, std::string* error) {
  const auto word = [&](std::size_t i) {
    return static_cast<std::uint16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  };
  const auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  if (bytes.size() < 6 || word(0) != kPixelFileMagic) return fail("is no pixel file");
  const std::int64_t width = std::int64_t(word(1)) + 1;
  const std::int64_t height = word(2);
  if (width * height > kMaxBitmapPixels) return fail("is too large");
  // The rows, then one row below the image.
  const std::uint64_t expected = 6 + std::uint64_t(height + 1) * std::uint64_t(width) * 2;
  if (bytes.size() != expected)
    return fail("has " + std::to_string(bytes.size()) + " bytes where " + std::to_string(expected) +
                " belong to " + std::to_string(width) + " x " + std::to_string(height) + " pixels");
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.pixels.resize(std::size_t(width * height));
  for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = word(3 + i);
  return true;
}

DriveImage ReadDriveImage(const fs::path& driveD, const t_katalog* catalogue,
                          std::vector<std::string>& out) {
  DriveImage image;
  ImageMessages messages(out);
  const std::string folder = driveD.string();
  std::error_code ec;
  if (!fs::is_directory(driveD, ec)) {
    messages.Add(folder, "is no folder");
    return image;
  }
  const std::map<std::string, fs::path> files = DriveFiles(driveD);
  const auto run = files.find(Upper(kRunFileName));
  if (run == files.end()) {
    const bool legacy = files.count(kLegacyProjectImage) ||
                        std::any_of(files.begin(), files.end(), [](const auto& f) {
                          return f.first.size() > 4 && f.first.substr(f.first.size() - 4) == ".BLD";
                        });
    messages.Add(folder, legacy ? std::string("holds a first-generation image (") +
                                      kLegacyProjectImage +
                                      ", *.BLD); the simulator runs second-generation images "
                                      "only"
                                : std::string("holds no ") + kRunFileName +
                                      ": no download image of a second-generation terminal");
    return image;
  }
  std::string text, why;
  if (!ReadWholeFile(run->second, text, why)) {
    messages.Add(kRunFileName, why);
    return image;
  }
  std::unique_ptr<t_projekt> project = ReadRunText(text, kRunFileName, catalogue, messages);

  // The fonts first: the fields take their cell sizes from them.
  t_liste* lastFont = nullptr;
  for (const auto& [name, path] : files) {
    if (name.size() < 4 || name.substr(name.size() - 4) != ".FON") continue;
    std::unique_ptr<t_fonteintrag> entry = ReadCatalogEntry(path);
    if (entry) {
      entry->fileName = path.filename().string();
      lastFont = AppendNode(image.fonts, lastFont, std::move(entry));
    }
  }

  std::set<std::int32_t> identifiers;
  std::set<std::string> fontsUsed;
  for (t_liste* n = project->pictures.get(); n; n = n->next()) {
    auto& picture = static_cast<t_bild&>(*n);
    const std::string name = PictureFileName(picture.pictureNumber);
    const auto found = files.find(Upper(name));
    if (found == files.end()) {
      messages.Add(name, "is missing: the picture is shown empty");
      continue;
    }
    if (!ReadWholeFile(found->second, text, why)) {
      messages.Add(name, why);
      continue;
    }
    ReadPictureText(text, name, picture, image.fonts.get(), messages);
    for (t_liste* o = picture.objects.get(); o; o = o->next()) {
      auto& object = static_cast<t_objekt&>(*o);
      UpdateTextListExtents(object, project->textLists.get());
      // The input list's width is not on the terminal either: the longest
      // text, as for the output list, so the window can find the field.
      if (object.Kind() == kKindEditListe) {
        auto& list = static_cast<tTeLiObj&>(object);
        list.RefreshTextLength(project->textLists.get());
        list.UpdateExtent();
      }
      if (object.Kind() == kKindBitmap)
        identifiers.insert(static_cast<tqvxbitmap&>(object).identifier);
      if (std::string font = object.FontFile(); !font.empty()) fontsUsed.insert(Upper(font));
    }
  }
  for (const t_liste* a = project->alarms.get(); a; a = a->next())
    fontsUsed.insert(Upper(static_cast<const t_alarme*>(a)->font));
  for (const std::string& font : fontsUsed) {
    if (font.empty()) continue;
    if (!files.count(font))
      messages.Add(font, "is not on the drive: texts in it are drawn in another font");
    else if (std::string damage = FontFileDamage(files.at(font).string()); !damage.empty())
      messages.Add(font, damage);
  }
  for (std::int32_t id : identifiers) {
    const std::string name = PixelFileName(id);
    const auto found = files.find(Upper(name));
    if (found == files.end()) {
      messages.Add(name, "is missing: its bitmaps are not drawn");
      continue;
    }
    std::error_code sizeError;
    const std::uintmax_t size = fs::file_size(found->second, sizeError);
    if (sizeError || size > 6 + 2 * std::uintmax_t(kMaxBitmapPixels + 65536)) {
      messages.Add(name, "cannot be read or is too large: its bitmaps are not drawn");
      continue;
    }
    std::ifstream in(found->second, std::ios::binary);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    Image16 pixels;
    if (!in || !DecodePixelFile(bytes, pixels, &why)) {
      messages.Add(name, (in ? why : "cannot be read") + ": its bitmaps are not drawn");
      continue;
    }
    image.pixels.emplace(id, std::move(pixels));
  }
  if (!project->pictures) {
    messages.Add(kRunFileName, "names no picture: nothing to show");
    return image;
  }
  image.project = std::move(project);
  return image;
}

}  // namespace tavo
