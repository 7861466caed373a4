#include "objects/picturedraw.h"

#include "project/records.h"

namespace tavo {

int DrawModeForStyle(int style) {
  switch (style) {
    case 0:
      return kDrawNormal;
    case 1:
      return kDrawOutline;
    default:
      return -1;
  }
}

Rgb PictureBackground(const t_bild& picture, const tview& view, bool outline) {
  return outline ? GreyPalette(15) : view.PaletteColour(picture.backgroundColour);
}

void DrawPictureObjects(const t_bild& picture, tview& view, int mode, const FieldContext& context) {
  if (mode < 0) return;
  for (const t_liste* o = picture.objects.get(); o; o = o->next())
    DrawObject(static_cast<const t_objekt&>(*o), view, mode, context);
}

}  // namespace tavo
