#pragma once
// The shipped demo projects and positions in their lists.

#include "document/document.h"
#include "support/demoprojects.h"

namespace tavo::testing {

inline t_bild& PictureAt(t_projekt& project, int position) {
  t_liste* p = project.pictures.get();
  for (int i = 1; i < position && p; ++i) p = p->next();
  return static_cast<t_bild&>(*p);
}

inline t_objekt* ObjectAt(t_bild& picture, int position) {
  t_liste* o = picture.objects.get();
  for (int i = 1; i < position && o; ++i) o = o->next();
  return static_cast<t_objekt*>(o);
}

}  // namespace tavo::testing
