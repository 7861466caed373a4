#include "printing/printproject.h"

#include <algorithm>
#include <cmath>

#include "objects/bitmap/bmpfile.h"
#include "objects/bitmap/tqvxbitmap.h"
#include "objects/gruppe.h"
#include "objects/objekt.h"
#include "project/projekt.h"
#include "resources/fonts.h"
#include "shell/language.h"

namespace tavo {

namespace {

// The fonts of the blocks.
constexpr const char* kRowFont = "S008x016.fon";
constexpr const char* kBigFont = "S016x032.fon";
constexpr const char* kSmallFont = "S006x008.fon";
constexpr const char* kClockFont = "3_______.fon";

// Page breaks: a block starts on a new page when less than this is left.
constexpr double kAlarmReserve = 55;
constexpr double kTableEnd = 24;
constexpr double kTextListReserve = 35;
constexpr double kTextRowReserve = 25;
// "Bildinfo" down to the end of the drawing: 5 + 4 + 6 + 5 + 52.
constexpr double kPictureStartReserve = 72;

// Widths the picture drawing is made for, with their heights.
struct PictureSize {
  int width;
  int height;
};
constexpr PictureSize kPictureSizes[] = {{320, 240}, {640, 480}, {800, 600}};

// Without a terminal the alarm's message area is that of a 640 pixel display.
constexpr int kDefaultTerminalWidth = 640;

std::string RightAligned(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string PaddedCut(const std::string& text, std::size_t width) {
  std::string s = text.substr(0, width);
  s.resize(width, ' ');
  return s;
}

std::string WithValue(std::string text, const std::string& value) {
  const std::size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, value);
  return text;
}

// A label of the terminal and coupling blocks: the text without its last
// character, blank-padded and cut to 16, then ": ". Sub-rows are indented.
std::string BlockLabel(const std::string& text, bool subRow) {
  std::string s = text.empty() ? text : text.substr(0, text.size() - 1);
  if (subRow) s = " " + s;
  return PaddedCut(s, 16) + ": ";
}

const char* TypeName(std::uint8_t type) {
  return type < kVarTypeCount ? VarTypeTable[type].intelName : "?        ";
}

void AddText(PixelBlock& b, int x, int y, const char* font, Rgb ink, std::string text) {
  b.ops.push_back(BlockText{x, y, font, ink, std::move(text)});
}

PixelBlock RowBlock(int width, int height, Rgb shade) {
  PixelBlock b;
  b.width = width;
  b.height = height;
  b.ops.push_back(BlockFill{0, 0, width, height, shade});
  return b;
}

// Every bitmap object of the list, members of groups included.
void CollectBitmaps(const t_liste* objects, std::vector<const tqvxbitmap*>& out) {
  for (const t_liste* n = objects; n; n = n->next()) {
    const auto* o = static_cast<const t_objekt*>(n);
    if (const auto* g = dynamic_cast<const t_gruppe*>(o))
      CollectBitmaps(g->FirstMember(), out);
    else if (const auto* bmp = dynamic_cast<const tqvxbitmap*>(o))
      out.push_back(bmp);
  }
}

}  // namespace

// --- row texts --------------------------------------------------------------

std::string KeyLabel(int key) {
  static const char* const kLevels[] = {"", "Shift-", "Ctrl-", "Alt-"};
  if (key >= 1 && key <= 48)
    return std::string(kLevels[(key - 1) / 12]) + "F" + std::to_string((key - 1) % 12 + 1);
  for (int level = 0; level < 4; ++level) {
    for (int f = 13; f <= 16; ++f)
      if (FunctionKeyNumber(f, level) == key)
        return std::string(kLevels[level]) + "F" + std::to_string(f);
    for (int s = 1; s <= 12; ++s)
      if (SoftKeyNumber(s, level) == key)
        return std::string(kLevels[level]) + "S" + std::to_string(s);
  }
  return std::string("#").append(std::to_string(key));
}

std::string BitValueText(std::uint16_t value) {
  for (int bit = 0; bit < 16; ++bit)
    if (value == (1u << bit)) return PaddedCut("Bit " + std::to_string(bit), 6);
  return "error";
}

std::string TextRowText(const t_text& text, bool valueList) {
  const std::string value =
      valueList ? RightAligned(std::to_string(text.value), 6) : BitValueText(text.value);
  return "  " + value + "     -->     " + text.name;
}

std::string VariableHeaderText(const t_steuerung* coupling, Translator& tr) {
  const std::string header = tr.Tr(txt::kDruckVariablenKopf);
  if (coupling && coupling->addressFormat == 1)
    return "DB,DW   " + (header.size() > 8 ? header.substr(8) : std::string());
  return header;
}

std::string VariableRowText(const t_variable& v, const t_steuerung* coupling) {
  const std::string length = RightAligned(std::to_string(v.length), 4);
  const std::string tail = "    " + std::string(TypeName(v.type)) + " " + v.name;
  if (coupling && coupling->addressFormat == 1)
    return RightAligned(AddressText(v.address, coupling), 5) + length + tail;
  return RightAligned(std::to_string(v.address), 5) + "  " + length + tail;
}

std::string PictureRowText(const t_bild& picture) {
  std::string number = std::to_string(picture.pictureNumber);
  number.insert(0, number.size() < 5 ? 5 - number.size() : 0, '0');
  return number + "    " + picture.name;
}

std::string KeyRowText(int key, std::uint16_t value, const t_projekt& project, Translator& tr) {
  std::string target;
  int position = 1;
  for (const t_liste* n = project.pictures.get(); n && value > 0; n = n->next(), ++position) {
    if (position == value) {
      target = n->name;
      break;
    }
  }
  return PaddedCut(KeyLabel(key), 9) + " " + tr.Tr(txt::kDruckBildaufruf) + " " + target;
}

// --- the layout -------------------------------------------------------------

PrintProject::PrintProject(const t_projekt& project, const PrintOptions& options,
                           PrintContext context)
    : project_(project), options_(options), context_(std::move(context)) {
  date_ = context_.date.empty() ? TodayText() : context_.date;
}

std::string PrintProject::Tr(const TextId& id) const {
  return context_.translator.Tr(id);
}

MmRect PrintProject::Place(double x, double y, double width, double height) const {
  return {options_.page.left + (x - 20), options_.page.top + y, width, height};
}

void PrintProject::Title(double x, double y, const std::string& text) {
  const MmRect at = Place(x, y, 0, 0);
  page_->items.push_back(PageTitle{at.x, at.y, text});
  pageTouched_ = true;
}

void PrintProject::Block(double x, double y, double width, double height, PixelBlock block) {
  page_->items.push_back(PageBlock{Place(x, y, width, height), std::move(block)});
  pageTouched_ = true;
}

Rgb PrintProject::NextShade() {
  const Rgb shade = shadeGrey_ ? kPrintShade : kPrintWhite;
  shadeGrey_ = !shadeGrey_;
  return shade;
}

void PrintProject::StartPreviewPage() {
  out_.pages.emplace_back();
  page_ = &out_.pages.back();
  y_ = 0;
  pageTouched_ = false;
  CreatePageHeader();
}

void PrintProject::EndPreviewPage() {
  page_ = nullptr;
}

// A page that holds nothing but its header takes the next block itself:
// breaks that meet at the top of a page make no empty pages.
void PrintProject::NewPage() {
  if (!pageTouched_) return;
  EndPreviewPage();
  StartPreviewPage();
}

void PrintProject::BreakCheck(double reserve) {
  if (y_ > Bottom() - reserve) NewPage();
}

void PrintProject::CreatePageHeader() {
  y_ += 7;
  PixelBlock b = RowBlock(846, 64, kPrintWhite);
  // The program's emblem at the top right.
  b.ops.push_back(BlockFill{790, 0, 846, 32, MakeRgb(0, 0, 128)});
  AddText(b, 802, 0, kBigFont, kPrintWhite, "TD");
  AddText(b, 1, 5, kBigFont, kPrintText, kProductName);
  const int afterName = 1 + 16 * static_cast<int>(std::string(kProductName).size()) + 8;
  AddText(b, afterName, 17, kRowFont, kPrintText,
          std::string(kVersionText) + "  -  " + Tr(txt::kDruckKennung));
  b.ops.push_back(BlockLine{0, 34, 845, 34, kPrintText, 2});
  AddText(b, 1, 37, kRowFont, kPrintText,
          Tr(txt::kDruckProjekt) + ": " + (project_.head ? project_.head->name : std::string()));
  const std::string right = Tr(txt::kDruckSeite) + " " + std::to_string(out_.pages.size()) +
                            std::string(10, ' ') + Tr(txt::kDruckDatum) + " " + date_;
  AddText(b, 846 - 8 * static_cast<int>(right.size()), 37, kRowFont, kPrintText, right);
  Block(20, y_, 170, 13, std::move(b));
  pageTouched_ = false;
  y_ += 15;
}

void PrintProject::PrintProjektHeader() {
  const t_kopf* head = project_.head.get();
  auto value = [&](const std::string t_kopf::*field) {
    return head ? head->*field : std::string();
  };
  PixelBlock h = RowBlock(418, 185, kPrintShade);
  const std::string rows[] = {
      Tr(txt::kDruckProjektname) + " " + (head ? head->name : std::string()),
      Tr(txt::kDruckAutor) + " " + value(&t_kopf::author),
      Tr(txt::kDruckErstellt) + " " + value(&t_kopf::created),
      Tr(txt::kDruckLetzteAenderung) + " " + value(&t_kopf::changed),
      Tr(txt::kDruckInfo) + " " + value(&t_kopf::info1),
      std::string(21, ' ') + value(&t_kopf::info2),
      std::string(21, ' ') + value(&t_kopf::info3),
  };
  for (int i = 0; i < 7; ++i) AddText(h, 5, 5 + 18 * i, kRowFont, kPrintText, rows[i]);
  Block(20, y_, 84, 37, std::move(h));

  const t_terminal* t = project_.terminal.get();
  PixelBlock term = RowBlock(418, 77, kPrintShade);
  AddText(term, 5, 5, kRowFont, kPrintText,
          BlockLabel(Tr(txt::kDruckTerminalBezeichnung), false) + (t ? t->terminalName : ""));
  AddText(term, 5, 23, kRowFont, kPrintText, Tr(txt::kDruckDisplay));
  AddText(term, 5, 41, kRowFont, kPrintText,
          BlockLabel(Tr(txt::kDruckAufloesung), true) +
              (t ? std::to_string(t->width) + "x" + std::to_string(t->height) : ""));
  AddText(term, 5, 59, kRowFont, kPrintText,
          BlockLabel(Tr(txt::kDruckFarben), true) + (t ? std::to_string(t->colourDepth) : ""));
  Block(106, y_, 84, 15, std::move(term));

  const t_steuerung* c = project_.coupling.get();
  PixelBlock coupling = RowBlock(418, 77, kPrintShade);
  AddText(coupling, 5, 5, kRowFont, kPrintText,
          BlockLabel(Tr(txt::kDruckAnkopplungBezeichnung), false) + (c ? c->couplingName : ""));
  AddText(coupling, 5, 23, kRowFont, kPrintText, Tr(txt::kDruckTransferblock));
  AddText(coupling, 5, 41, kRowFont, kPrintText,
          BlockLabel(Tr(txt::kDruckLesen), true) + (c ? AddressText(c->readBlockAddress, c) : ""));
  AddText(
      coupling, 5, 59, kRowFont, kPrintText,
      BlockLabel(Tr(txt::kDruckSchreiben), true) + (c ? AddressText(c->writeBlockAddress, c) : ""));
  Block(106, y_ + 22, 84, 15, std::move(coupling));
}

void PrintProject::PrintAlarm(const t_alarme& alarm) {
  PixelBlock b = RowBlock(900, 52, NextShade());
  AddText(b, 7, 3, kRowFont, kPrintCaption, Tr(txt::kDruckAlarmKopf));
  AddText(b, 7, 23, kRowFont, kPrintCaption, std::string(" ").append(std::to_string(alarm.number)));
  const std::uint8_t bits[] = {t_alarme::kDynamic, t_alarme::kInterrupting, t_alarme::kHistoryComes,
                               t_alarme::kHistoryGoes};
  for (int i = 0; i < 4; ++i) {
    const int x = 82 + 32 * i;
    b.ops.push_back(BlockFill{x, 23, x + 16, 39, kPrintWhite});
    b.ops.push_back(BlockFrame{x, 23, x + 16, 39, kPrintBlack});
    if (alarm.flags & bits[i]) {
      b.ops.push_back(BlockLine{x, 23, x + 15, 38, kPrintBlack, 1});
      b.ops.push_back(BlockLine{x + 15, 23, x, 38, kPrintBlack, 1});
    }
  }
  const int terminalWidth = project_.terminal ? project_.terminal->width
                                              : static_cast<std::int16_t>(kDefaultTerminalWidth);
  const int areaWidth = std::max(1, terminalWidth - 99);
  constexpr int kArea = 250;
  b.ops.push_back(BlockFill{kArea, 0, kArea + areaWidth, 52, kPrintWhite});
  b.ops.push_back(BlockFrame{kArea, 0, kArea + areaWidth, 52, kPrintBlack});
  AddText(b, kArea + areaWidth + 8, 8, kClockFont, kPrintCaption, "TT.MM.JJ");
  AddText(b, kArea + areaWidth + 8, 28, kClockFont, kPrintCaption, "HH:MM:SS");

  int fontWidth = kFallbackWidth, fontHeight = kFallbackHeight;
  if (context_.fonts && context_.fonts->SelectFont(alarm.font)) {
    fontWidth = std::max<int>(1, context_.fonts->FontWidth());
    fontHeight = std::max<int>(2, context_.fonts->FontHeight());
  }
  const int perLine = std::max(1, (terminalWidth - 100) / fontWidth);
  int y = 1;
  for (std::size_t at = 0; at < alarm.name.size() && y < 52; at += perLine) {
    BlockText t{kArea + 1,
                y,
                alarm.font,
                kPrintBlack,
                alarm.name.substr(at, perLine),
                kArea + 1,
                1,
                kArea + areaWidth - 1,
                51};
    b.ops.push_back(std::move(t));
    y += fontHeight - 1;
  }
  Block(20, y_, 181, 10, std::move(b));
}

void PrintProject::PrintVariable(const t_variable* v) {
  if (!v) RestartShading();
  PixelBlock b = RowBlock(846, 20, NextShade());
  AddText(b, 7, 2, kRowFont, kPrintText,
          v ? VariableRowText(*v, project_.coupling.get())
            : VariableHeaderText(project_.coupling.get(), context_.translator));
  Block(20, y_, 170, 4, std::move(b));
}

void PrintProject::PrintBilderzeile(const t_bild* picture) {
  if (!picture) RestartShading();
  PixelBlock b = RowBlock(846, 20, NextShade());
  AddText(b, 7, 2, kRowFont, kPrintText,
          picture ? PictureRowText(*picture) : Tr(txt::kDruckBilderKopf));
  Block(20, y_, 170, 4, std::move(b));
}

void PrintProject::PrintTexteKopf(const t_textliste& list) {
  RestartShading();
  PixelBlock b = RowBlock(846, 60, NextShade());
  b.ops.push_back(BlockFill{0, 0, 846, 40, kPrintBand});
  // The rows on the band are white: grey on grey would not read.
  AddText(b, 7, 2, kRowFont, kPrintWhite, Tr(txt::kDruckTextlisteBezeichnung) + " " + list.name);
  AddText(b, 7, 22, kRowFont, kPrintWhite,
          Tr(list.valueList ? txt::kDruckWertevergleich : txt::kDruckBitvergleich));
  AddText(b, 7, 42, kRowFont, kPrintText, Tr(txt::kDruckTextlisteKopf));
  Block(20, y_, 170, 12, std::move(b));
}

void PrintProject::PrintlistText(const t_text& text, bool valueList) {
  PixelBlock b = RowBlock(846, 10, NextShade());
  AddText(b, 7, 1, kSmallFont, kPrintText, TextRowText(text, valueList));
  Block(20, y_, 170, 2, std::move(b));
}

void PrintProject::PrintTastendef(int key, std::uint16_t value, bool header) {
  if (header) RestartShading();
  PixelBlock b = RowBlock(846, 20, NextShade());
  AddText(
      b, 7, 2, kRowFont, kPrintText,
      header ? Tr(txt::kDruckTastenKopf) : KeyRowText(key, value, project_, context_.translator));
  Block(20, y_, 170, 4, std::move(b));
}

std::vector<std::string> PrintProject::BitmapProblems(const t_bild& picture) {
  std::vector<const tqvxbitmap*> bitmaps;
  CollectBitmaps(picture.objects.get(), bitmaps);
  std::vector<std::string> problems;
  for (const tqvxbitmap* bmp : bitmaps) {
    if (bmp->file.empty()) continue;
    auto [it, fresh] = bitmapVerdicts_.try_emplace(bmp->file);
    if (fresh) {
      const auto path = ResolveBitmapFile(bmp->file, {});
      Image16 image;
      std::string error;
      if (path.empty())
        it->second = WithValue(Tr(txt::kDruckBitmapFehlt), bmp->file);
      else if (!LoadBmp16(path, image, &error))
        it->second = WithValue(Tr(txt::kDruckBitmapDefekt), bmp->file + " (" + error + ")");
    }
    if (!it->second.empty() &&
        std::find(problems.begin(), problems.end(), it->second) == problems.end())
      problems.push_back(it->second);
  }
  return problems;
}

// Notes beside the picture drawing, as many as fit its height.
void PrintProject::Notes(double y, const std::vector<std::string>& lines) {
  constexpr std::size_t kMaxLines = 10;
  for (std::size_t i = 0; i < lines.size() && i < kMaxLines; ++i) {
    std::string line = lines[i];
    if (i + 1 == kMaxLines && lines.size() > kMaxLines)
      line = WithValue(Tr(txt::kDruckWeitereBitmaps), std::to_string(lines.size() - i));
    const MmRect at = Place(85, y + 1 + 4.5 * static_cast<double>(i), 0, 0);
    page_->items.push_back(PageNote{at.x, at.y, 3, kPrintProblem, line});
  }
}

void PrintProject::PrintPicture(const t_bild& picture) {
  const t_terminal* t = project_.terminal.get();
  const PictureSize* size = nullptr;
  for (const PictureSize& s : kPictureSizes)
    if (t && t->width == s.width) size = &s;
  if (!size) {
    // Nothing to draw: say so where the drawing would be.
    page_->items.push_back(PageFrame{Place(20, y_, 61.5, 47), kPrintProblem, 0.3, true});
    const MmRect inside = Place(23, y_ + 20, 0, 0);
    page_->items.push_back(
        PageNote{inside.x, inside.y, 3.5, kPrintProblem, Tr(txt::kDruckBildNichtDarstellbar)});
    Notes(y_, {t ? WithValue(Tr(txt::kDruckTerminalbreite), std::to_string(t->width))
                 : Tr(txt::kDruckKeinTerminal)});
    return;
  }
  PixelBlock b;
  b.width = size->width + 2;
  b.height = size->height + 2;
  b.ops.push_back(BlockFill{0, 0, b.width, b.height, kPrintBlack});
  b.ops.push_back(BlockPicture{&picture, 1, 1, size->width, size->height});
  const std::vector<std::string> problems = BitmapProblems(picture);
  if (!problems.empty()) {
    // Mark where each bitmap that cannot be drawn should stand.
    std::vector<const tqvxbitmap*> bitmaps;
    CollectBitmaps(picture.objects.get(), bitmaps);
    for (const tqvxbitmap* bmp : bitmaps) {
      auto it = bitmapVerdicts_.find(bmp->file);
      if (it == bitmapVerdicts_.end() || it->second.empty()) continue;
      const int l = 1 + static_cast<int>(std::lround(std::min(bmp->x1, bmp->x2)));
      const int r = 1 + static_cast<int>(std::lround(std::max(bmp->x1, bmp->x2)));
      const int tp = 1 + static_cast<int>(std::lround(std::min(bmp->y1, bmp->y2)));
      const int bt = 1 + static_cast<int>(std::lround(std::max(bmp->y1, bmp->y2)));
      b.ops.push_back(BlockFrame{l, tp, r + 1, bt + 1, kPrintProblem});
      b.ops.push_back(BlockLine{l, tp, r, bt, kPrintProblem, 1});
      b.ops.push_back(BlockLine{r, tp, l, bt, kPrintProblem, 1});
    }
  }
  Block(20, y_, 61.5, 47, std::move(b));
  Notes(y_, problems);
}

// --- sections ---------------------------------------------------------------

void PrintProject::AlarmSection() {
  const t_liste* a = project_.alarms.get();
  RestartShading();
  while (a) {
    BreakCheck(kAlarmReserve);
    Title(20, y_, Tr(txt::kDruckAlarme));
    y_ += 5;
    do {
      PrintAlarm(static_cast<const t_alarme&>(*a));
      y_ += 11;
      a = a->next();
    } while (a && y_ < Bottom() - kTableEnd);
  }
  y_ += 4;
}

void PrintProject::VariableSection() {
  const t_liste* v = project_.variables.get();
  while (v) {
    BreakCheck(kAlarmReserve);
    Title(20, y_, Tr(txt::kDruckVariablen));
    y_ += 5;
    PrintVariable(nullptr);
    y_ += 4;
    do {
      PrintVariable(static_cast<const t_variable*>(v));
      y_ += 4;
      v = v->next();
    } while (v && y_ < Bottom() - kTableEnd);
  }
  y_ += 4;
}

void PrintProject::PictureListSection() {
  const t_liste* p = project_.pictures.get();
  while (p) {
    BreakCheck(kAlarmReserve);
    Title(20, y_, Tr(txt::kDruckBilder));
    y_ += 5;
    PrintBilderzeile(nullptr);
    y_ += 4;
    do {
      PrintBilderzeile(static_cast<const t_bild*>(p));
      y_ += 4;
      p = p->next();
    } while (p && y_ < Bottom() - kTableEnd);
  }
  y_ += 4;
}

void PrintProject::TextListSection() {
  Title(20, y_, Tr(txt::kDruckTextlisten));
  y_ += 5;
  for (const t_liste* n = project_.textLists.get(); n; n = n->next()) {
    const auto& list = static_cast<const t_textliste&>(*n);
    BreakCheck(kTextListReserve);
    PrintTexteKopf(list);
    y_ += 12;
    for (const t_liste* t = list.texts.get(); t; t = t->next()) {
      if (y_ > Bottom() - kTextRowReserve) {
        NewPage();
        Title(20, y_, Tr(txt::kDruckTextlisten));
        y_ += 5;
        PrintTexteKopf(list);
        y_ += 12;
      }
      PrintlistText(static_cast<const t_text&>(*t), list.valueList);
      y_ += 2;
    }
    y_ += 3;
  }
  y_ += 7;
}

void PrintProject::UsedVariables(const t_bild& picture) {
  std::vector<std::int16_t> used, textLists;
  for (const t_liste* o = picture.objects.get(); o; o = o->next())
    static_cast<const t_objekt*>(o)->CollectReferences(used, textLists);
  const std::set<std::int16_t> uses(used.begin(), used.end());
  bool first = true;
  for (const t_liste* n = project_.variables.get(); n && !uses.empty(); n = n->next()) {
    const auto& v = static_cast<const t_variable&>(*n);
    if (!uses.count(static_cast<std::int16_t>(v.number))) continue;
    BreakCheck(kAlarmReserve);
    if (first) {
      Title(20, y_, Tr(txt::kDruckVerwendeteVariablen));
      y_ += 5;
      PrintVariable(nullptr);
      y_ += 4;
      first = false;
    }
    PrintVariable(&v);
    y_ += 4;
  }
  if (project_.variables) y_ += 2;
}

void PrintProject::KeyAssignments(const t_bild& picture, bool anotherFollows) {
  bool first = true;
  const bool everyPicture = options_.selectedPicture == 0;
  for (const t_liste* n = picture.keys.get(); n; n = n->next()) {
    const auto& key = static_cast<const t_taste&>(*n);
    if (key.value != 0) {
      if (first) {
        Title(20, y_, Tr(txt::kDruckTastenbelegung));
        y_ += 5;
        PrintTastendef(0, 0, true);
        y_ += 4;
        first = false;
      }
      PrintTastendef(key.number, key.value, false);
      y_ += 4;
    }
    const bool last = n->next() == nullptr;
    if ((last || y_ > Bottom() - kAlarmReserve) && anotherFollows && everyPicture) {
      NewPage();
    } else if (!last && y_ > Bottom() - kAlarmReserve) {
      // The rows of one picture never run off the page, whatever follows.
      bool moreRows = false;
      for (const t_liste* m = n->next(); m && !moreRows; m = m->next())
        moreRows = static_cast<const t_taste*>(m)->value != 0;
      if (moreRows) NewPage();
    }
  }
}

void PrintProject::PicturePages() {
  std::vector<const t_bild*> pictures;
  for (const t_liste* n = project_.pictures.get(); n; n = n->next()) {
    const auto* b = static_cast<const t_bild*>(n);
    if (options_.selectedPicture == 0 || b->pictureNumber == options_.selectedPicture)
      pictures.push_back(b);
  }
  NewPage();
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    const t_bild& b = *pictures[i];
    BreakCheck(kPictureStartReserve);
    Title(20, y_, Tr(txt::kDruckBildinfo));
    y_ += 5;
    PrintBilderzeile(nullptr);
    y_ += 4;
    PrintBilderzeile(&b);
    y_ += 6;
    Title(20, y_, Tr(txt::kDruckBild));
    y_ += 5;
    PrintPicture(b);
    y_ += 52;
    UsedVariables(b);
    KeyAssignments(b, i + 1 < pictures.size());
  }
}

Printout PrintProject::CreatePreview() {
  out_ = Printout{};
  out_.page = options_.page;
  StartPreviewPage();
  if (options_.projectInfo) {
    Title(20, y_, Tr(txt::kDruckProjekt));
    Title(106, y_, Tr(txt::kDruckTerminal));
    Title(106, y_ + 22, Tr(txt::kDruckAnkopplung));
    y_ += 5;
    PrintProjektHeader();
    y_ += 15;
    y_ += 25;
  }
  if (options_.alarms && project_.alarms) AlarmSection();
  if (options_.variables && project_.variables) VariableSection();
  if (options_.projectInfo && project_.pictures) PictureListSection();
  if (options_.textLists && project_.textLists) TextListSection();
  if (options_.pictures != PictureScope::None) PicturePages();
  EndPreviewPage();
  return std::move(out_);
}

}  // namespace tavo
