#pragma once
// The kind table: kind code -> constructor, run keyword, tree icon,
// terminal size and type name. It exists once; creation, type names, sizes
// and icons all dispatch through it.

#include <cstdint>
#include <memory>

#include "objects/objekt.h"
#include "project/objectfactory.h"
#include "shell/texts.h"

namespace tavo {

struct KindInfo {
  std::uint8_t kind;
  const char* runKeyword;  // "OLine", ...; empty for the group
  std::int16_t treeIcon;
  int terminalSize;  // bytes on the terminal; the group sums its members
  TextId typeName;
  ObjectPtr (*create)();  // null while the kind has no type
};

// Null for a code that is no kind.
const KindInfo* FindKind(int kind);
// A new object with its kind's defaults; null for a kind without a type.
ObjectPtr CreateObjectOfKind(int kind);

// One binary record, kind byte first, as pictures and symbols store them.
struct RecordRead {
  ObjectPtr object;        // null when the kind has no record body or no type
  bool endOfData = false;  // no kind byte was left
  bool complete = false;   // the record body was read whole
};
RecordRead ReadObjectRecord(const ByteReader& read);

class t_katalog;

// The object family behind the project reader's factory interface. Fields
// read from project lines take their cell size from the catalogue's fonts
// (the catalogue must outlive the factory; null: no lookup).
std::unique_ptr<ObjectFactory> MakeObjectFactory(const t_katalog* catalog = nullptr);

}  // namespace tavo
