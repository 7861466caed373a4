#pragma once
// The project printout's layout: which blocks go where on which page. The
// positions are millimetres on an A4 page with a 20 mm left margin (moved
// by the page geometry of the options); the blocks are pixel images drawn
// with the terminal fonts.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "printing/printout.h"
#include "shell/texts.h"

namespace tavo {

class FontCache;
class Translator;
class t_alarme;
class t_bild;
class t_projekt;
class t_steuerung;
class t_text;
class t_textliste;
class t_variable;

// The colours of the pixel blocks.
inline constexpr Rgb kPrintWhite = 0xFFFFFF;
inline constexpr Rgb kPrintShade = MakeRgb(240, 240, 240);
inline constexpr Rgb kPrintBand = MakeRgb(160, 160, 160);
inline constexpr Rgb kPrintText = MakeRgb(128, 128, 128);
inline constexpr Rgb kPrintCaption = MakeRgb(0, 0, 255);
inline constexpr Rgb kPrintBlack = 0;
inline constexpr Rgb kPrintProblem = MakeRgb(220, 0, 0);

struct PrintContext {
  Translator& translator;
  // Measures the alarms' fonts; without it every font counts as 8 x 16.
  FontCache* fonts = nullptr;
  // The page header's date ("dd.mm.yyyy"); empty: today.
  std::string date;
};

// --- the rows' texts (code page 1252) --------------------------------------

// "F1" ... "F12", "Shift-F1" ... "Alt-F12" for the keys 1 ... 48; the same
// forms with F13 ... F16 and S1 ... S12 for their numbers; "#" and the
// number for keys no terminal has.
std::string KeyLabel(int keyNumber);
// "Bit 0 " ... "Bit 15" for the powers of two, "error" for anything else.
std::string BitValueText(std::uint16_t value);
// A text list row: value (right-aligned to 6, or the bit text), arrow, text.
std::string TextRowText(const t_text& text, bool valueList);
// The variable table's header and rows; the address form follows the
// coupling (SIEMENS: data block and word).
std::string VariableHeaderText(const t_steuerung* coupling, Translator& translator);
std::string VariableRowText(const t_variable& variable, const t_steuerung* coupling);
std::string PictureRowText(const t_bild& picture);
// Label, "Bildaufruf" and the name of the picture at the key's value in the
// picture list (counted from 1; empty when the list is shorter).
std::string KeyRowText(int keyNumber, std::uint16_t value, const t_projekt& project,
                       Translator& translator);

// Builds every page of the printout of `project` (`CreatePreview`). The
// project must outlive the result: picture blocks refer to its pictures.
class PrintProject {
 public:
  PrintProject(const t_projekt& project, const PrintOptions& options, PrintContext context);
  Printout CreatePreview();

 private:
  // Millimetres of the layout to the page.
  MmRect Place(double x, double y, double width, double height) const;
  double Bottom() const { return options_.page.Usable(); }
  std::string Tr(const TextId& id) const;

  void StartPreviewPage();
  void EndPreviewPage();
  void NewPage();
  void BreakCheck(double reserve);
  void Title(double x, double y, const std::string& text);
  void Block(double x, double y, double width, double height, PixelBlock block);
  Rgb NextShade();
  void RestartShading() { shadeGrey_ = true; }

  void CreatePageHeader();
  void PrintProjektHeader();
  void PrintAlarm(const t_alarme& alarm);
  void PrintVariable(const t_variable* variable);
  void PrintBilderzeile(const t_bild* picture);
  void PrintTexteKopf(const t_textliste& list);
  void PrintlistText(const t_text& text, bool valueList);
  void PrintTastendef(int keyNumber, std::uint16_t value, bool header);
  void PrintPicture(const t_bild& picture);

  void AlarmSection();
  void VariableSection();
  void PictureListSection();
  void TextListSection();
  void PicturePages();
  void UsedVariables(const t_bild& picture);
  void KeyAssignments(const t_bild& picture, bool anotherFollows);

  // Why each bitmap file of the picture cannot be drawn (checked once per
  // file name).
  std::vector<std::string> BitmapProblems(const t_bild& picture);
  void Notes(double y, const std::vector<std::string>& lines);

  const t_projekt& project_;
  PrintOptions options_;
  PrintContext context_;
  std::string date_;
  Printout out_;
  PrintPage* page_ = nullptr;
  double y_ = 0;
  bool pageTouched_ = false;  // anything but the header on the page
  bool shadeGrey_ = true;
  std::map<std::string, std::string> bitmapVerdicts_;
};

}  // namespace tavo
