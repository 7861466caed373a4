#pragma once
// What the printout holds and the sheet it is laid out on: the preview
// window's state, kept in the settings section "Print".

#include <cstdint>
#include <string>

namespace tavo {

struct PrintSettings;

// The settings' values for the picture pages.
enum class PictureScope : int { All = 2, Selection = 3, None = 4 };

// Millimetres. The layout is drawn for a left edge of 20 mm and a page of
// 297 mm; `left`, `top` and `bottom` move it and shorten the room per page.
struct PageGeometry {
  std::string paper = "A4";
  double width = 210;
  double height = 297;
  double left = 20;
  double top = 0;
  double bottom = 0;

  // Room for the layout from the top margin down to the bottom margin: the
  // 297 of the page breaks.
  double Usable() const { return height - top - bottom; }
};

// The widest block (the alarms) is 181 mm; a page must hold it and the
// tallest (the head block with its titles, 64 mm) twice over.
inline constexpr double kWidestBlockMm = 181;
inline constexpr double kLeastUsableHeightMm = 150;

// The paper sizes by name ("A4", "A3", "Letter", "Legal"; any case). False
// for any other name.
bool PaperSize(const std::string& name, double& width, double& height);

// The geometry of a paper name and margins; empty `error` when it can be
// used, else why not (the defaults are returned then).
PageGeometry MakePageGeometry(const std::string& paper, double left, double top, double bottom,
                              std::string* error);

struct PrintOptions {
  bool projectInfo = true;  // project block and picture list
  PictureScope pictures = PictureScope::All;
  bool alarms = true;
  bool variables = true;
  bool textLists = true;
  // 0: every picture; otherwise only the pictures with this number.
  std::uint16_t selectedPicture = 0;
  PageGeometry page;
};

// The options of the settings as the preview window starts with them: the
// selection mode starts at picture number 1. Values outside the settings'
// ranges count as their defaults; a page geometry that cannot be used is A4
// and `pageError` says why.
PrintOptions OptionsFromSettings(const PrintSettings& settings, std::string* pageError = nullptr);
// Writes the scope back (the page geometry is the user's own setting).
void StoreOptions(const PrintOptions& options, PrintSettings& settings);

}  // namespace tavo
