#pragma once
// A tool of the palette: the selection tool or one of the creation
// gestures. The toolbox hands it the sheet's events while its tool is
// armed and shows the rubber band it asks for after each event.

#include "editor/sheet/sheettool.h"
#include "editor/sheet/tools/rubberband.h"

namespace tavo {

class SheetToolbox;

class GestureTool : public SheetTool {
 public:
  explicit GestureTool(SheetToolbox& box) : box_(box) {}
  // The rubber band the tool wants on the sheet now; empty for none.
  virtual XorShape Band() const { return {}; }

 protected:
  SheetToolbox& box_;
};

}  // namespace tavo
