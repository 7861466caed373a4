// Object lines of the project file through the object factory, as the
// clipboard carries them: read a text, write the lines back, read those
// again; the second writing must equal the first, without a problem.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "objects/objectkinds.h"
#include "objects/objekt.h"
#include "project/objectlines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  auto factory = tavo::MakeObjectFactory();
  tavo::ObjectLineProblems problems;
  tavo::ListPtr first = tavo::ReadObjectText(*factory, text, &problems);
  const std::vector<std::string> written = tavo::WriteObjectLines(first.get());
  tavo::ObjectLineProblems again;
  tavo::ListPtr second = tavo::ReadObjectLines(*factory, written, &again);
  if (!again.None() || tavo::WriteObjectLines(second.get()) != written) std::abort();
  for (tavo::t_liste* n = first.get(); n; n = n->next()) {
    auto& o = static_cast<tavo::t_objekt&>(*n);
    o.HitTest(10, 10);
    o.SetSelected(true);
    o.Rotate(5, 5, 33);
    o.Mirror(true, true);
  }
  return 0;
}
