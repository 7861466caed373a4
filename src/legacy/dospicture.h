#pragma once
// The binary picture file of the DOS generation (and of first-generation
// terminal images): the magic "QVX_Tavo_Bild_File", the picture's name and
// background colour (32 bytes), the key table of 48 entries of 35 bytes,
// then the objects' binary records, kind byte first, up to the end of the
// file.

#include <cstdint>
#include <functional>

#include "objects/binary.h"
#include "project/liste.h"

namespace tavo {

class Translator;
class t_bild;

inline constexpr char kDosPictureMagic[] = "QVX_Tavo_Bild_File";
inline constexpr std::size_t kDosPictureMagicSize = sizeof kDosPictureMagic - 1;
inline constexpr std::size_t kDosPictureNameSize = 32;  // s[30] and the colour byte
inline constexpr std::size_t kDosKeyEntrySize = 35;
inline constexpr int kDosKeyEntries = 48;
// Key table entries of this kind assign a picture call to their key.
inline constexpr std::uint16_t kDosKeyPictureCall = 3;

enum class PictureFileStatus {
  Complete,   // read to the end of the file
  NoMagic,    // not a picture file: nothing was taken over
  HeaderCut,  // the file ends inside the name or the key table
  RecordCut,  // the file ends inside an object's record (or a group has no end)
};

// Kind bytes outside the kind table are passed over one byte at a time and
// the reading goes on with the next byte as a kind; what follows may be
// misread, but the records after the damage are not lost.
struct SkippedKinds {
  std::uint64_t count = 0;     // bytes passed over
  std::uint64_t position = 0;  // where the first one lay
  int kind = -1;               // the first one's value
  int objectsBefore = 0;       // top-level objects read before it
};

struct PictureFileOutcome {
  PictureFileStatus status = PictureFileStatus::Complete;
  std::uint64_t position = 0;  // bytes consumed; for RecordCut where the record began
  int kind = -1;               // the kind of the record cut short
  int objects = 0;             // top-level objects appended to the picture
  SkippedKinds skipped;
};

// Reads a picture file into `picture`: background colour, keys 1..48 whose
// entry kind is 3 (value, and the name back-converted and trimmed like every
// other name), and the objects appended to its object list, with the object
// count and terminal size added up. Text list fields move their record's
// texts into new lists of `textLists`.
// `progress` (may be null) is told the bytes consumed after the key table
// and before every record. Unknown kind bytes are skipped (see
// SkippedKinds); the end of the file inside the head or a record ends the
// reading and keeps what was read whole: an object whose record is cut
// short is dropped, a group keeps the members it read.
PictureFileOutcome ReadDosPictureFile(const ByteReader& read, t_bild& picture, ListPtr& textLists,
                                      Translator& translator,
                                      const std::function<void(std::uint64_t)>& progress = {});

}  // namespace tavo
