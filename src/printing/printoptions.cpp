#include "printing/printoptions.h"

#include <cmath>

#include "shell/settings.h"
#include "shell/textcase.h"

namespace tavo {

namespace {

struct Paper {
  const char* name;
  double width;
  double height;
};

constexpr Paper kPapers[] = {
    {"A4", 210, 297},
    {"A3", 297, 420},
    {"Letter", 215.9, 279.4},
    {"Legal", 215.9, 355.6},
};

const Paper* FindPaper(const std::string& name) {
  for (const Paper& p : kPapers)
    if (EqualsIgnoreCase(name, p.name)) return &p;
  return nullptr;
}

}  // namespace

bool PaperSize(const std::string& name, double& width, double& height) {
  const Paper* p = FindPaper(name);
  if (!p) return false;
  width = p->width;
  height = p->height;
  return true;
}

PageGeometry MakePageGeometry(const std::string& paper, double left, double top, double bottom,
                              std::string* error) {
  PageGeometry g;
  std::string why;
  double width = 0, height = 0;
  if (!PaperSize(paper, width, height))
    why = "unknown paper size '" + paper + "' (A4, A3, Letter or Legal)";
  else if (!std::isfinite(left) || !std::isfinite(top) || !std::isfinite(bottom) || left < 0 ||
           top < 0 || bottom < 0)
    why = "margins must be millimetres of 0 or more";
  else if (left + kWidestBlockMm > width)
    why = "a left margin of " + std::to_string(static_cast<int>(left)) +
          " mm leaves less than the " + std::to_string(static_cast<int>(kWidestBlockMm)) +
          " mm the widest block needs";
  else if (height - top - bottom < kLeastUsableHeightMm)
    why = "top and bottom margins leave less than " +
          std::to_string(static_cast<int>(kLeastUsableHeightMm)) + " mm per page";
  if (error) *error = why;
  if (!why.empty()) return g;
  g.paper = FindPaper(paper)->name;
  g.width = width;
  g.height = height;
  g.left = left;
  g.top = top;
  g.bottom = bottom;
  return g;
}

PrintOptions OptionsFromSettings(const PrintSettings& s, std::string* pageError) {
  PrintOptions o;
  o.projectInfo = s.printPrjInfo != 1;
  o.pictures = s.printImages == 3   ? PictureScope::Selection
               : s.printImages == 4 ? PictureScope::None
                                    : PictureScope::All;
  o.alarms = s.printAlarms != 1;
  o.variables = s.printVars != 1;
  o.textLists = s.printTextList != 1;
  o.selectedPicture = o.pictures == PictureScope::Selection ? 1 : 0;
  o.page = MakePageGeometry(s.paper, s.marginLeft, s.marginTop, s.marginBottom, pageError);
  return o;
}

void StoreOptions(const PrintOptions& o, PrintSettings& s) {
  s.printPrjInfo = o.projectInfo ? 0 : 1;
  s.printImages = static_cast<int>(o.pictures);
  s.printAlarms = o.alarms ? 0 : 1;
  s.printVars = o.variables ? 0 : 1;
  s.printTextList = o.textLists ? 0 : 1;
}

}  // namespace tavo
