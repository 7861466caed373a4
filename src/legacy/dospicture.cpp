#include "legacy/dospicture.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "legacy/dostext.h"
#include "objects/fields/fields.h"
#include "objects/objectkinds.h"
#include "objects/objekt.h"
#include "project/records.h"

namespace tavo {
namespace {

std::uint16_t GetU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

// Kinds a picture file may hold at its top level: the binary kinds 0..16
// and the bitmap record of the older editor generation.
bool IsPictureKind(std::uint8_t kind) {
  return kind <= kKindEditListe || kind == kKindBitmap;
}

}  // namespace

PictureFileOutcome ReadDosPictureFile(const ByteReader& read, t_bild& picture, ListPtr& textLists,
                                      Translator& translator,
                                      const std::function<void(std::uint64_t)>& progress) {
  PictureFileOutcome outcome;
  std::uint64_t& position = outcome.position;
  // Every byte goes through here so that the position is always known.
  const ByteReader counted = [&](std::uint8_t* buffer, std::size_t count) -> std::size_t {
    const std::size_t got = read ? read(buffer, count) : 0;
    position += got;
    return got;
  };
  const auto fill = [&](std::uint8_t* buffer, std::size_t count) {
    return counted(buffer, count) == count;
  };

  std::array<std::uint8_t, kDosPictureMagicSize> magic{};
  if (!fill(magic.data(), magic.size()) ||
      std::memcmp(magic.data(), kDosPictureMagic, kDosPictureMagicSize) != 0) {
    outcome.status = PictureFileStatus::NoMagic;
    return outcome;
  }

  std::array<std::uint8_t, kDosPictureNameSize> head{};
  if (!fill(head.data(), head.size())) {
    outcome.status = PictureFileStatus::HeaderCut;
    return outcome;
  }
  picture.backgroundColour = head.back();

  // Entries are taken one by one, so a table cut short keeps its whole entries.
  for (int k = 1; k <= kDosKeyEntries; ++k) {
    std::array<std::uint8_t, kDosKeyEntrySize> entry{};
    if (!fill(entry.data(), entry.size())) {
      outcome.status = PictureFileStatus::HeaderCut;
      return outcome;
    }
    if (GetU16(entry.data()) != kDosKeyPictureCall) continue;
    if (t_taste* key = picture.keys.Assign(k)) {
      key->value = GetU16(entry.data() + 33);
      key->name = DosName(entry.data() + 2, 30);
    }
  }
  if (progress) progress(position);

  t_liste* last = LastNode(picture.objects.get());
  for (;;) {
    if (progress) progress(position);
    const std::uint64_t start = position;
    std::uint8_t kind = 0;
    if (!fill(&kind, 1)) break;  // the end of the file ends the picture
    ObjectPtr object = IsPictureKind(kind) ? CreateObjectOfKind(kind) : nullptr;
    if (!object) {
      // Only the kind byte is passed over: every turn consumes a byte, so
      // any run of unknown bytes ends with the file.
      SkippedKinds& skipped = outcome.skipped;
      if (skipped.count++ == 0) {
        skipped.position = start;
        skipped.kind = kind;
        skipped.objectsBefore = outcome.objects;
      }
      continue;
    }
    const bool complete = object->ReadBinary(counted);
    if (!complete) {
      outcome.status = PictureFileStatus::RecordCut;
      outcome.kind = kind;
      // Where the record began is what the user can look for.
      outcome.position = start;
      if (!object->IsGroup()) return outcome;
    }
    AdoptRecordTextLists(*object, textLists, translator);
    UpdateTextListExtents(*object, textLists.get());
    picture.objectCount += 1;
    // A file of many large records must not overflow the sum.
    picture.size = static_cast<std::int32_t>(
        std::min<std::int64_t>(std::int64_t(picture.size) + object->TerminalSize(), INT32_MAX));
    last = AppendNode(picture.objects, last, std::move(object));
    ++outcome.objects;
    if (!complete) return outcome;
  }
  return outcome;
}

}  // namespace tavo
