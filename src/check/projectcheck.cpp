#include "check/projectcheck.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "download/image/checksum.h"
#include "download/image/imagebuilder.h"
#include "download/image/legacyimage.h"
#include "download/protocol/fileinfo.h"
#include "objects/bitmap/bmpfile.h"
#include "objects/bitmap/tqvxbitmap.h"
#include "objects/compile/picturecompiler.h"
#include "objects/fields/fields.h"
#include "objects/gruppe.h"
#include "objects/objectkinds.h"
#include "project/projekt.h"
#include "resources/fontcatalog.h"
#include "shell/folders.h"
#include "shell/language.h"

namespace fs = std::filesystem;

namespace tavo {
namespace {

// The rules in code order; Rule names the entries.
enum class Rule {
  MissingVariable,
  MissingTextList,
  EmptyListUsed,
  KeyPictureMissing,
  StartPictureMissing,
  KeyNotOnTerminal,
  KeyFirstGeneration,
  VariableNumberTwice,
  TextListNumberTwice,
  PictureNumberTwice,
  NoTerminal,
  Outside,
  PartlyOutside,
  ZeroSize,
  FieldTooLarge,
  BitmapTooLarge,
  FontMissing,
  BitmapMissing,
  BitmapUnreadable,
  BitmapDamaged,
  NotShortName,
  TooManyFiles,
  SharedAddress,
  UnusedVariable,
  UnusedTextList,
  InputWithoutType,
  NumberIntoText,
  TextIntoNumber,
  TextListWithoutTexts,
  AlarmTooLong,
  AlarmWraps,
  AlarmEmpty,
  AlarmNumberRange,
  AlarmNumberTwice,
};

constexpr Severity E = Severity::Error;
constexpr Severity W = Severity::Warning;
constexpr Severity N = Severity::Note;

constexpr CheckRule kRules[] = {
    {"E101", E, txt::kPruefVariableFehlt},
    {"E102", E, txt::kPruefTextlisteFehlt},
    {"E103", E, txt::kPruefTextlisteLeer},
    {"E104", E, txt::kPruefTasteBildFehlt},
    {"E105", E, txt::kPruefStartbildFehlt},
    {"W106", W, txt::kPruefTasteFehltAmTerminal},
    {"W107", W, txt::kPruefTasteErsteGeneration},
    {"E110", E, txt::kPruefVariablennummerDoppelt},
    {"E111", E, txt::kPruefTextlistennummerDoppelt},
    {"E112", E, txt::kPruefBildnummerDoppelt},
    {"E120", E, txt::kPruefKeinTerminal},
    {"E201", E, txt::kPruefAusserhalb},
    {"W202", W, txt::kPruefTeilweiseAusserhalb},
    {"W203", W, txt::kPruefNullgroesse},
    {"E204", E, txt::kPruefFeldZuGross},
    {"E205", E, txt::kPruefBitmapZuGross},
    {"E301", E, txt::kPruefSchriftFehlt},
    {"E302", E, txt::kPruefBitmapFehlt},
    {"E303", E, txt::kPruefBitmapUnlesbar},
    {"W304", W, txt::kPruefBitmapBeschaedigt},
    {"E401", E, txt::kPruefKein83Name},
    {"E402", E, txt::kPruefZuVieleDateien},
    {"N501", N, txt::kPruefAdresseDoppelt},
    {"N502", N, txt::kPruefVariableUnbenutzt},
    {"N503", N, txt::kPruefTextlisteUnbenutzt},
    {"E504", E, txt::kPruefEingabeOhneTyp},
    {"E505", E, txt::kPruefZahlInText},
    {"W506", W, txt::kPruefTextInZahl},
    {"W507", W, txt::kPruefTextlisteOhneTexte},
    {"E601", E, txt::kPruefAlarmZuLang},
    {"W602", W, txt::kPruefAlarmZeile},
    {"E603", E, txt::kPruefAlarmLeer},
    {"E604", E, txt::kPruefAlarmnummer},
    {"E605", E, txt::kPruefAlarmnummerDoppelt},
};
static_assert(std::size(kRules) == static_cast<std::size_t>(Rule::AlarmNumberTwice) + 1);

const CheckRule* RuleOf(Rule rule) {
  return &kRules[static_cast<std::size_t>(rule)];
}

// Texts reach the terminal through a code page conversion that works on at
// most 255 characters.
constexpr std::size_t kTerminalTextLength = 255;
constexpr int kHighestAlarm = 239;
constexpr std::uint8_t kTypeNone = 0;
constexpr std::uint8_t kTypeAscii = 6;
constexpr std::uint8_t kTypeCount = 10;
// The font the download always registers for the terminal (clock and axes).
constexpr const char* kSystemFont = "3_______.FON";
constexpr const char* kRunFileName = "PROJECT.RUN";
// Characters of the fallback font, which draws a font the catalogue lacks.
constexpr int kFallbackCellWidth = 8;

std::string Upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

std::string Num(long long value) {
  return std::to_string(value);
}

// "F2", "Shift+F2", "Ctrl+S3", "Alt+F16"; keys no dialog offers by number.
struct KeyName {
  std::string text;
  bool softKey = false;
  int key = 0;  // 1..16 (F) or 1..12 (S); 0: no key of the keyboard
};

const std::array<KeyName, kKeyCount + 1>& KeyNames() {
  static const std::array<KeyName, kKeyCount + 1> names = [] {
    std::array<KeyName, kKeyCount + 1> table;
    for (int n = 1; n <= kKeyCount; ++n) table[n].text = std::string("#").append(Num(n));
    const char* levels[] = {"", "Shift+", "Ctrl+", "Alt+"};
    for (int level = 0; level < 4; ++level) {
      for (int key = 1; key <= 16; ++key)
        table[FunctionKeyNumber(key, level)] = {
            std::string(levels[level]).append("F").append(Num(key)), false, key};
      for (int key = 1; key <= 12; ++key)
        table[SoftKeyNumber(key, level)] = {std::string(levels[level]).append("S").append(Num(key)),
                                            true, key};
    }
    return table;
  }();
  return names;
}

// A picture's pixels an object covers, both edges included.
struct PixelBox {
  double left = 0, top = 0, right = 0, bottom = 0;
};

bool IsPositionedField(std::uint8_t kind) {
  return (kind >= kKindText && kind <= kKindAusgabe) ||
         (kind >= kKindBarcode && kind <= kKindEditListe);
}

bool IsInputField(std::uint8_t kind) {
  return kind == kKindEingabe || kind == kKindBarcode || kind == kKindSkalEingabe ||
         kind == kKindEditListe;
}

const t_textliste* TextListOf(const t_liste* lists, std::int32_t number) {
  if (number < 0 || number > 0xFFFF) return nullptr;
  return static_cast<const t_textliste*>(FindByNumber(lists, static_cast<std::uint16_t>(number)));
}

class Checker {
 public:
  Checker(const t_projekt& project, const CheckContext& context)
      : project_(project), context_(context) {}

  std::vector<Finding> Run() {
    IndexRecords();
    ProjectWide();
    int position = 0;
    for (const t_liste* b = project_.pictures.get(); b; b = b->next(), ++position)
      Picture(static_cast<const t_bild&>(*b), position);
    Variables();
    TextLists();
    Alarms();
    DriveFiles();
    std::vector<Finding> all = std::move(project_findings_);
    for (auto* part : {&pictures_, &variables_, &textLists_, &alarms_})
      all.insert(all.end(), std::make_move_iterator(part->begin()),
                 std::make_move_iterator(part->end()));
    return all;
  }

 private:
  // --- records ------------------------------------------------------------------

  void IndexRecords() {
    for (const t_liste* v = project_.variables.get(); v; v = v->next())
      variables_by_number_.emplace(v->number, static_cast<const t_variable*>(v));
    for (const t_liste* b = project_.pictures.get(); b; b = b->next()) ++picture_count_;
    if (context_.fonts)
      for (const t_liste* f = context_.fonts; f; f = f->next()) {
        const auto& entry = static_cast<const t_fonteintrag&>(*f);
        fonts_.emplace(Upper(entry.fileName), &entry);
      }
    if (project_.terminal) {
      width_ = project_.terminal->width;
      height_ = project_.terminal->height;
      generation_ = IsFirstGeneration(project_.terminal->typeNumber) ? 1 : 2;
    }
    bitmap_folder_ = ProjectBitmapFolder(project_);
    if (!project_.path.empty())
      more_bitmap_folders_.push_back(fs::path(project_.path).parent_path());
    if (context_.install)
      more_bitmap_folders_.push_back(context_.install->Resolve("Lib\\Graphics"));
  }

  void ProjectWide() {
    if (!project_.terminal) Add(project_findings_, Rule::NoTerminal, {}, {});
    if (project_.head) {
      const auto start = static_cast<std::uint16_t>(project_.head->startPicture);
      bool found = false;
      for (const t_liste* b = project_.pictures.get(); b && !found; b = b->next())
        found = static_cast<const t_bild*>(b)->pictureNumber == start;
      if (!found) Add(project_findings_, Rule::StartPictureMissing, {Num(start)}, {});
    }
  }

  // --- pictures -----------------------------------------------------------------

  void Picture(const t_bild& picture, int position) {
    FindingPlace place;
    place.kind = PlaceKind::Picture;
    place.picture = position;
    place.pictureNumber = picture.pictureNumber;
    place.pictureName = picture.name;
    if (!picture_numbers_.insert(picture.pictureNumber).second)
      Add(pictures_, Rule::PictureNumberTwice,
          {Num(picture.pictureNumber), generation_ == 1
                                           ? LegacyPictureFileName(picture.pictureNumber)
                                           : PictureFileName(picture.pictureNumber)},
          place);
    terminal_files_.insert(Upper(generation_ == 1 ? LegacyPictureFileName(picture.pictureNumber)
                                                  : PictureFileName(picture.pictureNumber)));
    std::vector<int> path;
    int index = 0;
    for (const t_liste* o = picture.objects.get(); o; o = o->next(), ++index) {
      path.assign(1, index);
      Object(static_cast<const t_objekt&>(*o), place, path);
    }
    picture.keys.ForEachAssigned([&](const t_taste& key) { Key(key, place); });
  }

  void Object(const t_objekt& object, const FindingPlace& picture, std::vector<int>& path) {
    FindingPlace place = picture;
    place.kind = PlaceKind::Object;
    place.object = path;
    place.objectKind = object.Kind();
    place.objectName = object.name;
    if (const auto* group = dynamic_cast<const t_gruppe*>(&object)) {
      // A group sends only its members; its own rule switches them.
      const t_schaltung rule = group->GetSwitching();
      if (rule.action != 0) Variable(rule.variable, place);
      if (!group->FirstMember()) Add(pictures_, Rule::ZeroSize, {}, place);
      int index = 0;
      for (const t_objekt* m = group->FirstMember(); m;
           m = static_cast<const t_objekt*>(m->next()), ++index) {
        path.push_back(index);
        Object(*m, picture, path);
        path.pop_back();
      }
      return;
    }
    References(object, place);
    InputType(object, place);
    Geometry(object, place);
    Font(object.FontFile(), place);
    if (const auto* bitmap = dynamic_cast<const tqvxbitmap*>(&object)) Bitmap(*bitmap, place);
  }

  void References(const t_objekt& object, const FindingPlace& place) {
    std::vector<std::int16_t> variables, lists;
    object.CollectReferences(variables, lists);
    // One finding per number, also when an object refers to it twice.
    std::sort(variables.begin(), variables.end());
    variables.erase(std::unique(variables.begin(), variables.end()), variables.end());
    std::sort(lists.begin(), lists.end());
    lists.erase(std::unique(lists.begin(), lists.end()), lists.end());
    for (std::int16_t v : variables) Variable(v, place);
    for (std::int16_t l : lists) {
      const auto number = static_cast<std::uint16_t>(l);
      used_lists_.insert(number);
      const t_textliste* list = TextListOf(project_.textLists.get(), number);
      if (!list)
        Add(pictures_, Rule::MissingTextList, {Num(number)}, place);
      else if (!list->texts)
        Add(pictures_, Rule::EmptyListUsed, {Num(number)}, place);
    }
  }

  void Variable(std::int16_t number, const FindingPlace& place) {
    const auto n = static_cast<std::uint16_t>(number);
    used_variables_.insert(n);
    if (!variables_by_number_.count(n)) Add(pictures_, Rule::MissingVariable, {Num(n)}, place);
  }

  // What an input field writes must fit the variable's type.
  void InputType(const t_objekt& object, const FindingPlace& place) {
    if (!IsInputField(object.Kind())) return;
    std::int32_t number = 0;
    bool writesText = false;
    if (const auto* field = dynamic_cast<const tausobj*>(&object)) {
      number = field->variable();
      writesText = object.Kind() == kKindBarcode || field->textDisplay();
    } else if (const auto* scaled = dynamic_cast<const tSkalAus*>(&object)) {
      number = scaled->variable();
    } else if (const auto* list = dynamic_cast<const tTeLiObj*>(&object)) {
      number = list->variable();
    }
    const auto found = variables_by_number_.find(static_cast<std::uint16_t>(number));
    if (found == variables_by_number_.end()) return;  // told as a missing variable
    const t_variable& variable = *found->second;
    const std::string shown = Num(variable.number);
    if (variable.type == kTypeNone || variable.type >= kTypeCount)
      Add(pictures_, Rule::InputWithoutType, {shown, TypeName(variable.type)}, place);
    else if (!writesText && variable.type == kTypeAscii)
      Add(pictures_, Rule::NumberIntoText, {shown}, place);
    else if (writesText && variable.type != kTypeAscii)
      Add(pictures_, Rule::TextIntoNumber, {shown, TypeName(variable.type)}, place);
  }

  std::string TypeName(std::uint8_t type) const {
    if (type >= kTypeCount) return Num(type);
    const tVartype& row = VarTypeTable[type];
    std::string name = project_.coupling && project_.coupling->addressFormat == 1 ? row.siemensName
                                                                                  : row.intelName;
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name;
  }

  // Where the terminal draws the object, and whether the display holds it.
  void Geometry(const t_objekt& object, const FindingPlace& place) {
    if (!project_.terminal) return;
    const TermRect extent = object.GetExtent();
    const std::uint8_t kind = object.Kind();
    double spanX = extent.right - extent.left;
    double spanY = extent.bottom - extent.top;
    PixelBox box{extent.left, extent.top, extent.right, extent.bottom};
    if (const auto* list = dynamic_cast<const tTeLiObj*>(&object)) {
      // The terminal sizes a list field by the longest text of its list; a
      // field without texts to show has been told about already.
      const t_textliste* texts = TextListOf(project_.textLists.get(), list->textList());
      if (!texts || !texts->texts) return;
      const auto length = static_cast<std::size_t>(LongestName(texts->texts.get()));
      spanX = static_cast<double>(std::min(length, kTerminalTextLength)) * list->cellWidth();
      spanY = list->cellHeight();
      box = {list->x(), list->y(), list->x() + spanX - 1, list->y() + spanY - 1};
    } else if (IsPositionedField(kind)) {
      // The extent's far edges lie one pixel behind the last character cell.
      box.right -= 1;
      box.bottom -= 1;
    } else if (kind == kKindBitmap) {
      box.right -= 1;
      box.bottom -= 1;
    } else if (const auto* plot = dynamic_cast<const t_plotgraf*>(&object);
               plot && plot->timeAxis() != 1) {
      // The time axis and its labels lie outside the graph's rectangle.
      if (plot->orientation() == 1) {
        box.left -= 38;
      } else {
        box.left -= 15;
        box.right += 15;
        box.bottom += 18;
      }
    }
    const bool line = kind == kKindLinie;
    if (line ? (spanX <= 0 && spanY <= 0) : (spanX <= 0 || spanY <= 0)) {
      Add(pictures_, Rule::ZeroSize, {}, place);
      return;
    }
    if (IsPositionedField(kind) && (spanX > width_ || spanY > height_)) {
      const auto& field = static_cast<const t_feldobjekt&>(object);
      Add(pictures_, Rule::FieldTooLarge,
          {field.font(), Num(static_cast<long long>(spanX)), Num(static_cast<long long>(spanY)),
           Num(width_), Num(height_)},
          place);
      return;
    }
    if (kind == kKindBitmap && (spanX > width_ || spanY > height_)) {
      Add(pictures_, Rule::BitmapTooLarge,
          {Num(static_cast<long long>(spanX)), Num(static_cast<long long>(spanY)), Num(width_),
           Num(height_)},
          place);
      return;
    }
    const double lastX = width_ - 1, lastY = height_ - 1;
    if (box.right < 0 || box.bottom < 0 || box.left > lastX || box.top > lastY)
      Add(pictures_, Rule::Outside, {Num(width_), Num(height_)}, place);
    else if (box.left < 0 || box.top < 0 || box.right > lastX || box.bottom > lastY)
      Add(pictures_, Rule::PartlyOutside, {Num(width_), Num(height_)}, place);
  }

  // A font the terminal gets from the installation's font folder; returns
  // its catalogue entry (null when it is not installed).
  const t_fonteintrag* Font(const std::string& font, const FindingPlace& place) {
    if (font.empty()) return nullptr;
    std::vector<Finding>& out = place.kind == PlaceKind::Alarm ? alarms_ : pictures_;
    if (!FitsShortName(font)) Add(out, Rule::NotShortName, {font}, place);
    if (!context_.fonts) return nullptr;
    const auto found = fonts_.find(Upper(font));
    if (found == fonts_.end()) {
      Add(out, Rule::FontMissing, {font}, place);
      return nullptr;
    }
    terminal_files_.insert(found->first);
    return found->second;
  }

  void Bitmap(const tqvxbitmap& bitmap, const FindingPlace& place) {
    if (bitmap.file.empty()) {
      Add(pictures_, Rule::BitmapMissing, {"\"\""}, place);
      return;
    }
    // The first generation receives no bitmaps at all.
    if (generation_ == 2) terminal_files_.insert(Upper(PixelFileName(bitmap.identifier)));
    const BitmapState& state = BitmapFile(bitmap.file);
    if (!state.found)
      Add(pictures_, Rule::BitmapMissing, {bitmap.file}, place);
    else if (!state.error.empty())
      Add(pictures_, Rule::BitmapUnreadable, {bitmap.file, state.error}, place);
    else if (!state.damage.empty())
      Add(pictures_, Rule::BitmapDamaged, {bitmap.file, state.damage}, place);
  }

  struct BitmapState {
    bool found = false;
    std::string error, damage;
  };

  // Each file is read once per check, however often it is placed.
  const BitmapState& BitmapFile(const std::string& file) {
    auto cached = bitmaps_.find(file);
    if (cached != bitmaps_.end()) return cached->second;
    BitmapState state;
    const fs::path path = ResolveBitmapFile(file, bitmap_folder_, more_bitmap_folders_);
    if (!path.empty()) {
      state.found = true;
      Image16 image;
      if (!LoadBmp16(path, image, &state.error, &state.damage) && state.error.empty())
        state.error = "?";
    }
    return bitmaps_.emplace(file, std::move(state)).first->second;
  }

  void Key(const t_taste& key, const FindingPlace& picture) {
    if (key.value == 0) return;
    FindingPlace place = picture;
    place.kind = PlaceKind::Key;
    place.key = key.number;
    const KeyName& name = key.number >= 1 && key.number <= kKeyCount
                              ? KeyNames()[key.number]
                              : KeyName{"#" + Num(key.number)};
    if (key.value > picture_count_)
      Add(pictures_, Rule::KeyPictureMissing, {name.text, Num(key.value), Num(picture_count_)},
          place);
    if (!project_.terminal) return;
    const std::string& type = project_.terminal->typeNumber;
    if (name.key == 0 ||
        !(name.softKey ? SoftKeyOffered(type, name.key) : FunctionKeyOffered(type, name.key)))
      Add(pictures_, Rule::KeyNotOnTerminal, {name.text, project_.terminal->terminalName}, place);
    // The first generation calls pictures by their base number, the editor
    // by their position in the list.
    if (generation_ == 1 && key.value <= picture_count_) {
      const t_liste* byPosition = RecordAtPosition(project_.pictures.get(), key.value - 1);
      if (FindByNumber(project_.pictures.get(), key.value) != byPosition)
        Add(pictures_, Rule::KeyFirstGeneration, {name.text, Num(key.value), Num(key.value)},
            place);
    }
  }

  // --- lists --------------------------------------------------------------------

  static FindingPlace RecordPlace(PlaceKind kind, const t_liste& record, int position) {
    FindingPlace place;
    place.kind = kind;
    place.record = position;
    place.number = record.number;
    place.name = record.name;
    return place;
  }

  void Variables() {
    std::set<std::uint16_t> numbers;
    std::unordered_map<std::int32_t, std::uint16_t> firstAtAddress;
    int position = 0;
    for (const t_liste* n = project_.variables.get(); n; n = n->next(), ++position) {
      const auto& variable = static_cast<const t_variable&>(*n);
      const FindingPlace place = RecordPlace(PlaceKind::Variable, variable, position);
      if (!numbers.insert(variable.number).second)
        Add(variables_, Rule::VariableNumberTwice, {Num(variable.number)}, place);
      const auto [first, isFirst] = firstAtAddress.emplace(variable.address, variable.number);
      if (!isFirst)
        Add(variables_, Rule::SharedAddress,
            {AddressText(variable.address, project_.coupling.get()), Num(first->second)}, place);
      if (!used_variables_.count(variable.number)) Add(variables_, Rule::UnusedVariable, {}, place);
    }
  }

  void TextLists() {
    std::set<std::uint16_t> numbers;
    int position = 0;
    for (const t_liste* n = project_.textLists.get(); n; n = n->next(), ++position) {
      const auto& list = static_cast<const t_textliste&>(*n);
      const FindingPlace place = RecordPlace(PlaceKind::TextList, list, position);
      if (!numbers.insert(list.number).second)
        Add(textLists_, Rule::TextListNumberTwice, {Num(list.number)}, place);
      if (!list.texts)
        Add(textLists_, Rule::TextListWithoutTexts, {}, place);
      else if (!used_lists_.count(list.number))
        Add(textLists_, Rule::UnusedTextList, {}, place);
    }
  }

  void Alarms() {
    std::set<std::uint16_t> numbers;
    int position = 0;
    for (const t_liste* n = project_.alarms.get(); n; n = n->next(), ++position) {
      const auto& alarm = static_cast<const t_alarme&>(*n);
      const FindingPlace place = RecordPlace(PlaceKind::Alarm, alarm, position);
      if (alarm.number > kHighestAlarm)
        Add(alarms_, Rule::AlarmNumberRange, {Num(alarm.number)}, place);
      if (!numbers.insert(alarm.number).second)
        Add(alarms_, Rule::AlarmNumberTwice, {Num(alarm.number)}, place);
      const t_fonteintrag* font = Font(alarm.font, place);
      const std::size_t length = alarm.name.size();
      if (length == 0) {
        Add(alarms_, Rule::AlarmEmpty, {}, place);
      } else if (length > kTerminalTextLength) {
        Add(alarms_, Rule::AlarmTooLong,
            {Num(static_cast<long long>(length)), Num(static_cast<long long>(kTerminalTextLength))},
            place);
      } else if (project_.terminal) {
        const int perLine =
            AlarmLineLength(project_.terminal->width, font ? font->width : kFallbackCellWidth);
        if (length > static_cast<std::size_t>(perLine))
          Add(alarms_, Rule::AlarmWraps, {Num(static_cast<long long>(length)), Num(perLine)},
              place);
      }
    }
  }

  // --- the terminal's drive D -------------------------------------------------

  // Counts the files the image builder would put on drive D: the project's
  // own files, the fonts and pixel files it needs, and the installation's
  // listed files.
  void DriveFiles() {
    if (!project_.terminal) return;
    terminal_files_.insert(generation_ == 1 ? kLegacyProjectFile : kRunFileName);
    if (!context_.fonts || fonts_.count(kSystemFont)) terminal_files_.insert(kSystemFont);
    if (context_.install)
      for (const fs::path& file : FindListedFiles(project_, generation_, *context_.install).files)
        terminal_files_.insert(Upper(file.filename().string()));
    if (terminal_files_.size() > kMaxChecksumEntries)
      Add(project_findings_, Rule::TooManyFiles,
          {Num(static_cast<long long>(terminal_files_.size())),
           Num(static_cast<long long>(kMaxChecksumEntries))},
          {});
  }

  void Add(std::vector<Finding>& out, Rule rule, std::vector<std::string> values,
           const FindingPlace& place) {
    out.push_back({RuleOf(rule), std::move(values), place});
  }

  const t_projekt& project_;
  const CheckContext& context_;
  std::vector<Finding> project_findings_, pictures_, variables_, textLists_, alarms_;
  std::unordered_map<std::uint16_t, const t_variable*> variables_by_number_;
  std::unordered_map<std::string, const t_fonteintrag*> fonts_;
  std::unordered_set<std::uint16_t> used_variables_, used_lists_;
  std::unordered_set<std::uint16_t> picture_numbers_;
  std::set<std::string> terminal_files_;
  std::map<std::string, BitmapState> bitmaps_;
  fs::path bitmap_folder_;
  std::vector<fs::path> more_bitmap_folders_;
  int picture_count_ = 0;
  int width_ = 0;
  int height_ = 0;
  int generation_ = 2;
};

}  // namespace

std::span<const CheckRule> AllCheckRules() {
  return kRules;
}

const CheckRule* FindCheckRule(std::string_view code) {
  for (const CheckRule& rule : kRules)
    if (code == rule.code) return &rule;
  return nullptr;
}

std::vector<Finding> CheckProject(const t_projekt& project, const CheckContext& context) {
  return Checker(project, context).Run();
}

int CountAtLeast(const std::vector<Finding>& findings, Severity severity) {
  return static_cast<int>(std::count_if(findings.begin(), findings.end(), [&](const Finding& f) {
    return f.severity() >= severity;
  }));
}

std::string FillIn(std::string text, const std::vector<std::string>& values) {
  std::size_t at = 0;
  for (std::size_t i = 0;; ++i) {
    at = text.find("%s", at);
    if (at == std::string::npos) break;
    const std::string& value = i < values.size() ? values[i] : std::string();
    text.replace(at, 2, value);
    at += value.size();
  }
  return text;
}

std::string SeverityText(Severity severity, Translator& translator) {
  switch (severity) {
    case Severity::Error:
      return translator.Tr(txt::kPruefFehler);
    case Severity::Warning:
      return translator.Tr(txt::kPruefWarnung);
    case Severity::Note:
      break;
  }
  return translator.Tr(txt::kPruefHinweis);
}

std::string FindingMessage(const Finding& finding, Translator& translator) {
  return FillIn(translator.Tr(finding.rule->message), finding.values);
}

std::string PlaceText(const FindingPlace& place, Translator& translator) {
  const auto picture = [&] {
    return FillIn(translator.Tr(txt::kPruefOrtBild), {Num(place.pictureNumber), place.pictureName});
  };
  switch (place.kind) {
    case PlaceKind::Project:
      break;
    case PlaceKind::Picture:
      return picture();
    case PlaceKind::Object: {
      std::string name;
      if (const KindInfo* kind = FindKind(place.objectKind)) name = translator.Tr(kind->typeName);
      if (!place.objectName.empty())
        name += (name.empty() ? "\"" : " \"") + place.objectName + "\"";
      return picture() + ", " + name;
    }
    case PlaceKind::Key: {
      const std::string key = place.key >= 1 && place.key <= kKeyCount ? KeyNames()[place.key].text
                                                                       : "#" + Num(place.key);
      return picture() + ", " + FillIn(translator.Tr(txt::kPruefOrtTaste), {key});
    }
    case PlaceKind::Variable:
      return FillIn(translator.Tr(txt::kPruefOrtVariable), {Num(place.number), place.name});
    case PlaceKind::Alarm:
      return FillIn(translator.Tr(txt::kPruefOrtAlarm), {Num(place.number)});
    case PlaceKind::TextList:
      return FillIn(translator.Tr(txt::kPruefOrtTextliste), {Num(place.number), place.name});
  }
  return translator.Tr(txt::kPruefOrtProjekt);
}

std::string FindingLine(const Finding& finding, Translator& translator) {
  return std::string(finding.code()) + " " + SeverityText(finding.severity(), translator) + ": " +
         PlaceText(finding.place, translator) + ": " + FindingMessage(finding, translator);
}

std::string CheckSummary(const std::vector<Finding>& findings, Translator& translator) {
  int count[3] = {0, 0, 0};
  for (const Finding& f : findings) ++count[static_cast<int>(f.severity())];
  return FillIn(translator.Tr(txt::kPruefZusammenfassung),
                {Num(count[2]), Num(count[1]), Num(count[0])});
}

t_bild* PictureAtPosition(t_projekt& project, int position) {
  return static_cast<t_bild*>(RecordAtPosition(project.pictures.get(), position));
}

t_objekt* ObjectAtPath(t_bild& picture, const std::vector<int>& path) {
  t_liste* list = picture.objects.get();
  t_objekt* object = nullptr;
  for (std::size_t depth = 0; depth < path.size(); ++depth) {
    object = static_cast<t_objekt*>(RecordAtPosition(list, path[depth]));
    if (!object) return nullptr;
    if (depth + 1 < path.size()) {
      auto* group = dynamic_cast<t_gruppe*>(object);
      if (!group) return nullptr;
      list = group->FirstMember();
    }
  }
  return object;
}

const t_liste* RecordAtPosition(const t_liste* list, int position) {
  if (position < 0) return nullptr;
  for (const t_liste* n = list; n; n = n->next(), --position)
    if (position == 0) return n;
  return nullptr;
}

t_liste* RecordAtPosition(t_liste* list, int position) {
  return const_cast<t_liste*>(RecordAtPosition(static_cast<const t_liste*>(list), position));
}

}  // namespace tavo
