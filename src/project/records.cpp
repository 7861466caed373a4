#include "project/records.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <ctime>
#include <new>
#include <vector>

#include "project/deffile.h"
#include "project/runwriter.h"
#include "shell/inifile.h"

namespace tavo {
namespace {

// Head lines: keyword padded so that '=' stands in column 15, value quoted as
// it stands (inner quotes are not doubled: the reader stops at the next one).
std::string HeadLine(const char* keyword, const std::string& value) {
  std::string line = "-";
  line += keyword;
  line.resize(14, ' ');
  return line + "= \"" + value + "\"";
}

std::int16_t ClampToInt16(std::int32_t v) {
  return static_cast<std::int16_t>(std::clamp<std::int32_t>(v, -32768, 32767));
}

std::string ThreeDigits(int v) {
  std::string s = std::to_string(v);
  return std::string(s.size() < 3 ? 3 - s.size() : 0, '0') + s;
}

}  // namespace

std::string TodayText() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buffer[16];
  std::strftime(buffer, sizeof buffer, "%d.%m.%Y", &local);
  return buffer;
}

std::uint16_t FreeNumberFromOne(const t_liste* anyNode) {
  std::vector<bool> taken(65536, false);
  for (const t_liste* n = FirstNode(anyNode); n; n = n->next()) taken[n->number] = true;
  for (int i = 1; i < 65536; ++i)
    if (!taken[i]) return static_cast<std::uint16_t>(i);
  return 0;
}

// --- head --------------------------------------------------------------------

t_kopf::t_kopf() : t_liste(kTagKopf), created(TodayText()), changed(created) {}

void t_kopf::WriteProjectLines(const LineSink& sink) const {
  sink(HeadLine("Name", name));
  sink(HeadLine("Author", author));
  sink(HeadLine("created", created));
  sink(HeadLine("changed", changed));
  sink(HeadLine("Info1", info1));
  sink(HeadLine("Info2", info2));
  sink(HeadLine("Info3", info3));
  sink(HeadLine("Startpicture", IntToText(startPicture)));
}

void t_kopf::WriteRunLines(RunWriter& out) const {
  out.Line("-(Startbild;" + IntToText(startPicture) + ")");
}

// --- terminal ----------------------------------------------------------------

t_terminal::t_terminal() : t_liste(kTagTerminal) {}

void t_terminal::Load(const std::string& path) {
  IniFile ini;
  ini.Load(path);  // an unreadable file leaves the table defaults
  auto String = [&](const char* section, const std::string& key, const std::string& fallback) {
    return ini.ReadString(section, key, fallback);
  };
  auto Int = [&](const char* section, const char* key, std::int32_t fallback) {
    return ini.HasKey(section, key) ? ParseDefinitionInt(ini.ReadString(section, key, ""), fallback)
                                    : fallback;
  };
  // "Aufl\xF6sung": the keys are code page 1252, as the files are.
  terminalName = String("Kopf", "Terminalname", "VTA VGA");
  bitmap = String("Kopf", "Bitmap", "VTA_VGA.BMP");
  typeNumber = String("Kopf", "Typnummer", kReferenceTypeNumber);
  dosVersion = String("Kopf", "DOSVersion", "VTA_BMXC.TRM");
  for (int i = 0; i < 5; ++i) info[i] = String("Kopf", "Info" + std::to_string(i + 1), "");
  width = ClampToInt16(Int("Display", "Aufl\xF6sungX", 640));
  height = ClampToInt16(Int("Display", "Aufl\xF6sungY", 480));
  colourDepth = ClampToInt16(Int("Display", "Farbtiefe", 16));
  greyScale = Int("Display", "Graustufen", 0) != 0;
  workMemory = Int("Memory", "Work", 655360);
  storeMemory = Int("Memory", "Store", 1048576);
  port1 = String("Schnittstellen", "COM1", "TTY");
  port2 = String("Schnittstellen", "COM2", "RS232");
  name = terminalName;

  FreeList(keyAreas);
  t_liste* last = nullptr;
  auto readAreas = [&](const char* section, char letter) {
    // Area keys have two digits, three from 100 on; no terminal has more.
    int count = std::clamp(Int(section, "Count", 0), 0, 999);
    for (int i = 1; i <= count; ++i) {
      std::string key = std::string(1, letter) + (i < 10 ? "0" : "") + std::to_string(i);
      std::string value = String(section, key, "0,0,5,25");
      auto area = std::make_unique<t_tastenfeld>();
      area->name = key;
      area->number = static_cast<std::uint16_t>(i);
      std::int16_t* coords[4] = {&area->left, &area->top, &area->right, &area->bottom};
      std::size_t pos = 0;
      for (std::int16_t* c : coords) {
        std::size_t comma = value.find(',', pos);
        *c = ClampToInt16(ParseDefinitionInt(value.substr(pos, comma - pos), 0));
        pos = comma == std::string::npos ? value.size() : comma + 1;
      }
      last = AppendNode(keyAreas, last, std::move(area));
    }
  };
  readAreas("SoftKeyAreas", 'F');
  readAreas("SpecialKeyAreas", 'S');
}

void t_terminal::WriteProjectLines(const LineSink& sink) const {
  sink("-DOSVersion    = " + Quote(dosVersion));
}

void t_terminal::WriteRunLines(RunWriter& out) const {
  out.Line("-(Terminal;" + Quote(ToTerminalCharset(typeNumber)) + ")");
}

void t_terminal::Done() {
  FreeList(keyAreas);
}

void t_terminal::CopyFrom(const t_terminal& o) {
  name = o.name;
  number = o.number;
  width = o.width;
  height = o.height;
  colourDepth = o.colourDepth;
  info = o.info;
  workMemory = o.workMemory;
  storeMemory = o.storeMemory;
  terminalName = o.terminalName;
  bitmap = o.bitmap;
  typeNumber = o.typeNumber;
  dosVersion = o.dosVersion;
  greyScale = o.greyScale;
  port1 = o.port1;
  port2 = o.port2;
  FreeList(keyAreas);
  t_liste* last = nullptr;
  ForEach<t_tastenfeld>(o.keyAreas, [&](const t_tastenfeld& a) {
    auto copy = std::make_unique<t_tastenfeld>();
    copy->name = a.name;
    copy->number = a.number;
    copy->left = a.left;
    copy->top = a.top;
    copy->right = a.right;
    copy->bottom = a.bottom;
    last = AppendNode(keyAreas, last, std::move(copy));
  });
}

// --- coupling ----------------------------------------------------------------

t_steuerung::t_steuerung() : t_liste(kTagSteuerung) {}

namespace {

std::string BetweenQuotes(const std::string& text, std::size_t from = 0) {
  std::size_t open = text.find('"', from);
  if (open == std::string::npos) return {};
  std::size_t close = text.find('"', open + 1);
  if (close == std::string::npos) return text.substr(open + 1);
  return text.substr(open + 1, close - open - 1);
}

std::string AfterEquals(const std::string& text) {
  std::size_t eq = text.find('=');
  return eq == std::string::npos ? std::string() : text.substr(eq + 1);
}

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

}  // namespace

void t_steuerung::Load(const std::string& filePath) {
  std::vector<std::string> lines;
  if (!ReadTextLines(filePath, lines)) return;
  for (const std::string& line : lines) {
    const std::string upper = Upper(line.substr(0, 255));
    auto has = [&](const char* keyword) { return upper.find(keyword) != std::string::npos; };
    if (has("NAME")) couplingName = BetweenQuotes(line);
    for (int i = 0; i < 5; ++i)
      if (has(("INFO" + std::to_string(i + 1)).c_str())) info[i] = BetweenQuotes(line);
    if (has("BITMAP")) bitmap = BetweenQuotes(line);
    if (has("DOSVERSION")) dosVersion = BetweenQuotes(line);
    if (has("ADRESSTYPE")) {
      std::string v = Upper(AfterEquals(line));
      if (v.find("WORD") != std::string::npos) addressType = 0;
      if (v.find("BYTE") != std::string::npos) addressType = 1;
    }
    if (has("MINADRESS")) lowestAddress = TextToInt(AfterEquals(line));
    if (has("MAXADRESS")) highestAddress = TextToInt(AfterEquals(line));
    if (has("FORMAT")) {
      std::string v = Upper(AfterEquals(line));
      if (v.find("INTEL") != std::string::npos) addressFormat = 0;
      if (v.find("SIEMENS") != std::string::npos) addressFormat = 1;
    }
    if (has("MAXBLOCKWORTE"))
      blockWords1 = blockWords2 = ClampToInt16(TextToInt(AfterEquals(line)));
    if (has("TIMEOUTMSEKPROT")) protocolTimeout = ClampToInt16(TextToInt(AfterEquals(line)));
    if (has("TIMEOUTMSEKCHAR")) characterTimeout = ClampToInt16(TextToInt(AfterEquals(line)));
    if (has("PFAD")) {
      std::size_t eq = line.find('=');
      path = eq == std::string::npos ? std::string() : BetweenQuotes(line, eq + 1);
    }
    if (has("KENNUNG")) identifier = AfterEquals(line);
    name = couplingName;
  }
}

void t_steuerung::WriteProjectLines(const LineSink& sink) const {
  sink("-DOSVersion    = \"" + dosVersion + "\"");
  sink("-TBReadAdr     = \"" + IntToText(readBlockAddress) + "\"");
  sink("-TBWriteAdr    = \"" + IntToText(writeBlockAddress) + "\"");
  sink("-Alarmsort     = \"" + IntToText(alarmSort) + "\"");
}

void t_steuerung::WriteRunLines(RunWriter& out) const {
  std::string id = identifier.size() > 1 ? identifier.substr(1, 3) : std::string();
  out.Line("-(Steuerung;" + Quote(id) + ";" + IntToText(addressFormat) + ";" +
           AddressText(readBlockAddress, this) + ";" + AddressText(writeBlockAddress, this) + ";" +
           IntToText(alarmSort) + ")");
}

void t_steuerung::CopyFrom(const t_steuerung& o) {
  name = o.name;
  number = o.number;
  addressType = o.addressType;
  addressFormat = o.addressFormat;
  lowestAddress = o.lowestAddress;
  highestAddress = o.highestAddress;
  info = o.info;
  readBlockAddress = o.readBlockAddress;
  writeBlockAddress = o.writeBlockAddress;
  alarmSort = o.alarmSort;
  couplingName = o.couplingName;
  bitmap = o.bitmap;
  dosVersion = o.dosVersion;
  blockWords1 = o.blockWords1;
  blockWords2 = o.blockWords2;
  protocolTimeout = o.protocolTimeout;
  characterTimeout = o.characterTimeout;
  path = o.path;
  identifier = o.identifier;
}

std::string AddressText(std::int32_t address, const t_steuerung* coupling) {
  if (coupling && coupling->addressFormat == 1) {
    // Data block in the high byte, data word in the low byte.
    return ThreeDigits((address >> 8) & 0xFF) + "," + ThreeDigits(address & 0xFF);
  }
  return t_liste::IntToText(address);
}

std::int32_t AddressFromText(std::string_view text) {
  std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) return t_liste::TextToInt(text);
  std::int64_t block = t_liste::TextToInt(text.substr(0, comma));
  std::int64_t word = t_liste::TextToInt(text.substr(comma + 1));
  std::int64_t value = block * 256 + word;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

// --- variables ---------------------------------------------------------------

const tVartype VarTypeTable[kVarTypeCount] = {
    {"No Type  ", "No Type  ", 0, false}, {"KM       ", "Bitfeld  ", 2, false},
    {"KF       ", "Integer  ", 2, false}, {"KH       ", "Word     ", 2, false},
    {"KD       ", "Longint  ", 4, false}, {"KH       ", "Hex      ", 2, false},
    {"KC       ", "ASCII    ", 2, true},  {"BCD      ", "BCD      ", 2, false},
    {"KT       ", "S5 KT    ", 2, false}, {"KZ       ", "S5 KZ    ", 2, false},
};

t_variable::t_variable() : t_liste(kTagVariable) {}

std::unique_ptr<t_variable> t_variable::NewInEditor(const t_liste* variables) {
  auto v = std::make_unique<t_variable>();
  v->name = "ohne Namen";
  v->number = FreeNumberFromOne(variables);
  v->attribute = 1;
  v->type = 1;
  return v;
}

void t_variable::WriteProjectLines(const LineSink& sink, const t_steuerung* coupling) const {
  sink("-Variable(" + IntToText(number) + ";" + AddressText(address, coupling) + ";" +
       IntToText(type) + ";" + IntToText(length) + ";" + IntToText(attribute) + ";" + Quote(name) +
       ")");
}

void t_variable::WriteRunLines(RunWriter& out, const t_steuerung* coupling) const {
  out.Line("-(Variable;" + IntToText(number) + ";" + AddressText(address, coupling) + ";" +
           IntToText(type) + ";" + IntToText(length) + ";" + IntToText(attribute) + ")");
}

// --- alarms ------------------------------------------------------------------

int AlarmLineLength(int terminalWidth, int characterWidth) {
  constexpr int kNoTerminalLine = 67;
  if (terminalWidth <= 0) return kNoTerminalLine;
  return std::max(1, (terminalWidth - 100) / std::max(1, characterWidth));
}

t_alarme::t_alarme() : t_liste(kTagAlarme) {}

std::unique_ptr<t_alarme> t_alarme::NewInEditor(const t_liste* alarms) {
  auto a = std::make_unique<t_alarme>();
  a->name = "neuer Alarmtext";
  int free = alarms ? alarms->FreeNumber() : 0;
  a->number = static_cast<std::uint16_t>(free < 0 ? 0 : free);
  a->bitMask = 1 << (a->number % 16);
  a->font = "S008X016.FON";
  return a;
}

void t_alarme::WriteProjectLines(const LineSink& sink) const {
  sink("-Alarm(" + IntToText(number) + ";" + Quote(font) + ";" + IntToText(bitMask) + ";" +
       IntToText(flags) + ";" + Quote(name) + ")");
}

void t_alarme::WriteRunLines(RunWriter& out) const {
  out.UsedFiles().Enter(font);
  out.Line("-(Alarm;" + IntToText(number) + ";" + Quote(font) + ";" + IntToText(flags) + ";" +
           Quote(ToTerminalCharset(name)) + ")");
}

// --- text lists --------------------------------------------------------------

t_textliste::t_textliste() : t_liste(kTagTextliste) {
  number = 1;
}

void t_textliste::WriteProjectLines(const LineSink& sink) const {
  if (!texts) return;
  sink("-TextList(" + Quote(name) + ";" + IntToText(number) + (valueList ? ";Wert)" : ";Bit)"));
  ForEach<t_text>(texts, [&](const t_text& t) {
    sink("-Text(" + Quote(t.name) + ";" + IntToText(t.value) + ")");
  });
  sink("-TextListEnd");
}

void t_textliste::WriteRunLines(RunWriter& out) const {
  if (!texts) return;
  out.Line("-(TextList;" + IntToText(number) + ";" + BoolToText(valueList) + ")");
  ForEach<t_text>(texts, [&](const t_text& t) {
    out.Line("-(Text;" + IntToText(t.value) + ";" + Quote(ToTerminalCharset(t.name)) + ")");
  });
  out.Line("-(TextListEnd)");
}

void t_textliste::Done() {
  FreeList(texts);
}

// --- keys --------------------------------------------------------------------

namespace {

// A key's storage is preceded by the address of the block it was built in,
// or null when it was allocated alone.
struct KeyBlock {
  explicit KeyBlock(std::size_t keys) : live(keys) {}
  std::atomic<std::size_t> live;
};

template <std::size_t N>
constexpr std::size_t RoundUp(std::size_t n) {
  return (n + N - 1) / N * N;
}
constexpr std::size_t kKeyAlign = std::max(alignof(t_taste), alignof(KeyBlock*));
constexpr std::size_t kKeyPrefix = RoundUp<kKeyAlign>(sizeof(KeyBlock*));
constexpr std::size_t kKeySlot = RoundUp<kKeyAlign>(kKeyPrefix + sizeof(t_taste));
constexpr std::size_t kBlockHead = RoundUp<kKeyAlign>(sizeof(KeyBlock));
static_assert(kKeyAlign <= __STDCPP_DEFAULT_NEW_ALIGNMENT__ && alignof(KeyBlock) <= kKeyAlign);

void SetOwner(char* slot, KeyBlock* block) {
  std::memcpy(slot, &block, sizeof block);
}

KeyBlock* OwnerOf(const char* slot) {
  KeyBlock* block = nullptr;
  std::memcpy(&block, slot, sizeof block);
  return block;
}

}  // namespace

void* t_taste::operator new(std::size_t size) {
  char* slot = static_cast<char*>(::operator new(kKeyPrefix + size));
  SetOwner(slot, nullptr);
  return slot + kKeyPrefix;
}

void t_taste::operator delete(void* key) noexcept {
  if (!key) return;
  char* slot = static_cast<char*>(key) - kKeyPrefix;
  KeyBlock* block = OwnerOf(slot);
  if (!block) {
    ::operator delete(slot);
  } else if (block->live.fetch_sub(1, std::memory_order_acq_rel) == 1) {
    block->~KeyBlock();
    ::operator delete(block);
  }
}

ListPtr MakeKeyList(int count, ListPtr assigned) {
  if (count <= 0) return nullptr;
  const auto n = static_cast<std::size_t>(count);
  char* raw = static_cast<char*>(::operator new(kBlockHead + n * kKeySlot));
  auto* block = ::new (raw) KeyBlock(n);
  std::size_t built = 0;
  ListPtr head;
  t_liste* last = nullptr;
  for (std::size_t i = 0; i < n; ++i) {
    const auto number = static_cast<std::uint16_t>(i + 1);
    ListPtr key;
    if (assigned && assigned->number == number) {
      ListPtr rest = assigned->DetachNext();
      key = std::move(assigned);
      assigned = std::move(rest);
    } else {
      char* slot = raw + kBlockHead + i * kKeySlot;
      SetOwner(slot, block);
      key.reset(::new (slot + kKeyPrefix) t_taste());
      key->number = number;
      ++built;
    }
    last = AppendNode(head, last, std::move(key));
  }
  // Slots taken by assigned keys stay unused; the block goes with the last
  // key built in it.
  block->live.store(built, std::memory_order_relaxed);
  if (built == 0) {
    block->~KeyBlock();
    ::operator delete(raw);
  }
  return head;
}

ListPtr& KeyList::Nodes() const {
  if (!built_) {
    built_ = true;
    nodes_ = MakeKeyList(kKeyCount, std::move(assigned_));
  }
  return nodes_;
}

t_taste* KeyList::Assign(int number) {
  if (number < 1 || number > kKeyCount) return nullptr;
  if (built_)
    return static_cast<t_taste*>(FindByNumber(nodes_.get(), static_cast<std::uint16_t>(number)));
  // Keys mostly come in number order: look from the back.
  t_liste* before = LastNode(assigned_.get());
  while (before && before->number > number) before = before->previous();
  if (before && before->number == number) return static_cast<t_taste*>(before);
  ListPtr key = MakeKeyList(1);  // a block of its own
  key->number = static_cast<std::uint16_t>(number);
  return static_cast<t_taste*>(InsertNode(assigned_, before, std::move(key)));
}

void KeyList::CopyFrom(const KeyList& other) {
  other.ForEachAssigned([&](const t_taste& key) {
    if (key.value == 0 && key.name.empty()) return;
    if (t_taste* to = Assign(key.number)) {
      to->value = key.value;
      to->name = key.name;
    }
  });
}

void KeyList::Clear() {
  FreeList(nodes_);
  FreeList(assigned_);
  built_ = true;
}

void t_taste::WriteProjectLines(const LineSink& sink) const {
  sink("-Key(" + IntToText(number) + ";" + IntToText(value) + ";" + Quote(name) + ")");
}

void t_taste::WriteRunLines(RunWriter& out) const {
  out.Line("-(Key;" + IntToText(number) + ";" + IntToText(value) + ")");
}

namespace {
bool TypeIn(const std::string& typeNumber, std::initializer_list<const char*> models) {
  const std::string model = typeNumber.substr(0, 7);
  for (const char* m : models)
    if (model == m) return true;
  return false;
}
}  // namespace

bool FunctionKeyOffered(const std::string& t, int key) {
  if (key >= 1 && key <= 10) return true;
  if (key == 11 || key == 12)
    return TypeIn(t, {"VT-0A02", "VT-0A03", "VT-0A04", "VT-0A06", "VT-0A07"});
  if (key >= 13 && key <= 16) return TypeIn(t, {"VT-0A07"});
  return false;
}

bool SoftKeyOffered(const std::string& t, int key) {
  if (key >= 1 && key <= 6) return TypeIn(t, {"VT-0A05", "VT-0A06", "VT-0A07"});
  if (key >= 7 && key <= 10) return TypeIn(t, {"VT-0A06", "VT-0A07"});
  if (key == 11 || key == 12) return TypeIn(t, {"VT-0A07"});
  return false;
}

int FunctionKeyNumber(int key, int level) {
  if (key <= 12) return key + 12 * level;  // 1..48
  return 49 + (key - 13) + 20 * level;     // 49..52, 69..72, 89..92, 109..112
}

int SoftKeyNumber(int key, int level) {
  return 129 + (key - 1) + 32 * level;
}

// --- pictures ----------------------------------------------------------------

t_bild::t_bild() : t_liste(kTagBild) {}

std::unique_ptr<t_bild> t_bild::NewInEditor(const t_liste* pictures) {
  auto b = std::make_unique<t_bild>();
  b->name = "neues Bild";
  b->number = FreeNumberFromOne(pictures);
  std::vector<bool> taken(65536, false);
  for (const t_liste* n = FirstNode(pictures); n; n = n->next())
    taken[static_cast<const t_bild*>(n)->pictureNumber] = true;
  for (int i = 1; i < 65536; ++i)
    if (!taken[i]) {
      b->pictureNumber = static_cast<std::uint16_t>(i);
      break;
    }
  return b;
}

t_taste* t_bild::Key(int number) {
  if (number < 1 || number > 65535) return nullptr;
  return static_cast<t_taste*>(FindByNumber(keys.get(), static_cast<std::uint16_t>(number)));
}

const t_taste* t_bild::Key(int number) const {
  return const_cast<t_bild*>(this)->Key(number);
}

void t_bild::WriteProjectLines(const LineSink& sink) const {
  sink("-Picture(" + IntToText(number) + ";" + IntToText(pictureNumber) + ";" + Quote(name) + ";" +
       IntToText(backgroundColour) + ")");
  keys.ForEachAssigned([&](const t_taste& k) {
    if (k.value != 0) k.WriteProjectLines(sink);
  });
  for (const t_liste* o = objects.get(); o; o = o->next()) o->WriteProjectLines(sink);
  sink("-PictureEnd");
  sink("");
}

std::string t_bild::RunLine() const {
  return "-(Picture;" + IntToText(pictureNumber) + ";" + IntToText(backgroundColour) + ")";
}

void t_bild::WriteRunLines(RunWriter& out) const {
  const std::string line = RunLine();
  out.Line(line);
  out.CompilePicture(*this, line);
}

void t_bild::Done() {
  keys.Clear();
  FreeList(objects);
}

// --- copies ------------------------------------------------------------------

namespace {
template <class T>
std::unique_ptr<T> WithBase(const T& from) {
  auto copy = std::make_unique<T>();
  copy->name = from.name;
  copy->number = from.number;
  return copy;
}
}  // namespace

std::unique_ptr<t_kopf> CloneRecord(const t_kopf& from) {
  auto c = WithBase(from);
  c->author = from.author;
  c->created = from.created;
  c->changed = from.changed;
  c->info1 = from.info1;
  c->info2 = from.info2;
  c->info3 = from.info3;
  c->startPicture = from.startPicture;
  return c;
}

std::unique_ptr<t_terminal> CloneRecord(const t_terminal& from) {
  auto c = std::make_unique<t_terminal>();
  c->CopyFrom(from);
  return c;
}

std::unique_ptr<t_steuerung> CloneRecord(const t_steuerung& from) {
  auto c = std::make_unique<t_steuerung>();
  c->CopyFrom(from);
  return c;
}

std::unique_ptr<t_variable> CloneRecord(const t_variable& from) {
  auto c = WithBase(from);
  c->attribute = from.attribute;
  c->address = from.address;
  c->length = from.length;
  c->type = from.type;
  return c;
}

std::unique_ptr<t_alarme> CloneRecord(const t_alarme& from) {
  auto c = WithBase(from);
  c->bitMask = from.bitMask;
  c->font = from.font;
  c->flags = from.flags;
  return c;
}

std::unique_ptr<t_text> CloneRecord(const t_text& from) {
  auto c = WithBase(from);
  c->value = from.value;
  return c;
}

std::unique_ptr<t_textliste> CloneRecord(const t_textliste& from) {
  auto c = WithBase(from);
  c->valueList = from.valueList;
  t_liste* last = nullptr;
  ForEach<t_text>(from.texts,
                  [&](const t_text& t) { last = AppendNode(c->texts, last, CloneRecord(t)); });
  return c;
}

std::unique_ptr<t_bild> ClonePictureWithoutObjects(const t_bild& from) {
  auto c = WithBase(from);
  c->backgroundColour = from.backgroundColour;
  c->pictureNumber = from.pictureNumber;
  c->objectCount = from.objectCount;
  c->size = from.size;
  c->zoom = from.zoom;
  c->originX = from.originX;
  c->originY = from.originY;
  c->keys.CopyFrom(from.keys);
  return c;
}

}  // namespace tavo
