// DOS picture files: any bytes read as a picture file. The reader must stop
// in a defined way, never claim bytes it was not given, append exactly the
// objects it reports, and every object it kept must write its record again.
#include <cstdint>
#include <cstdlib>

#include "legacy/dospicture.h"
#include "objects/binary.h"
#include "objects/fields/fields.h"
#include "objects/objekt.h"
#include "project/records.h"
#include "shell/language.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tavo::t_bild picture;
  tavo::ListPtr textLists;
  tavo::GermanTranslator german;
  const tavo::PictureFileOutcome outcome =
      tavo::ReadDosPictureFile(tavo::MemoryReader(data, size), picture, textLists, german);
  if (outcome.position > size) std::abort();
  // Skipped kind bytes are bytes of the file, each passed over once.
  const tavo::SkippedKinds& skipped = outcome.skipped;
  if (skipped.count > size || (skipped.count > 0 && skipped.position >= size)) std::abort();
  if (tavo::CountNodes(picture.objects.get()) != outcome.objects) std::abort();
  if (outcome.status == tavo::PictureFileStatus::NoMagic && outcome.objects != 0) std::abort();
  tavo::ByteSink out;
  for (const tavo::t_liste* o = picture.objects.get(); o; o = o->next())
    tavo::WriteObjectBinary(static_cast<const tavo::t_objekt&>(*o), out, textLists.get());
  return 0;
}
