// Object lines of the project file through the object factory: parse,
// write back, parse again; the second writing must equal the first.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "../objects/object_lines.h"
#include "objects/objectkinds.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < size; ++i) {
    const char c = static_cast<char>(data[i]);
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  lines.push_back(line);

  auto factory = tavo::MakeObjectFactory();
  tavo::ListPtr first = tavo::testing::ReadObjectLines(*factory, lines);
  const std::vector<std::string> written = tavo::testing::WriteObjectLines(first);
  tavo::ListPtr second = tavo::testing::ReadObjectLines(*factory, written);
  if (tavo::testing::WriteObjectLines(second) != written) std::abort();
  for (tavo::t_liste* n = first.get(); n; n = n->next()) {
    auto& o = static_cast<tavo::t_objekt&>(*n);
    o.HitTest(10, 10);
    o.SetSelected(true);
    o.Rotate(5, 5, 33);
    o.Mirror(true, true);
  }
  return 0;
}
