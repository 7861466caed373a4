#include "download/image/legacyimage.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "objects/fields/fields.h"
#include "objects/objekt.h"
#include "resources/dymfile.h"

namespace fs = std::filesystem;

namespace tavo {
namespace {

constexpr char kPictureMagic[] = "QVX_Tavo_Bild_File";
constexpr std::uint8_t kStreamHeader = 0;
constexpr std::uint8_t kStreamPictures = 2;
constexpr std::uint8_t kStreamAlarms = 4;
constexpr std::uint8_t kStreamVariables = 5;
constexpr const char* kSystemFont = "3_______.fon";

using Bytes = std::vector<std::uint8_t>;

// s[N]: a length byte, then N characters; only the counted ones matter, the
// rest stay zero. Longer texts are cut.
void PutCounted(Bytes& out, const std::string& text, std::size_t n) {
  const std::size_t length = std::min(text.size(), n);
  out.push_back(static_cast<std::uint8_t>(length));
  for (std::size_t i = 0; i < n; ++i)
    out.push_back(i < length ? static_cast<std::uint8_t>(text[i]) : 0);
}

// Padded fields always carry exactly N characters: blanks fill them up.
void PutPadded(Bytes& out, const std::string& text, std::size_t n) {
  std::string padded = text.substr(0, std::min(text.size(), n));
  padded.resize(n, ' ');
  PutCounted(out, padded, n);
}

void PutByte(Bytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
}
void PutWord(Bytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void PutLong(Bytes& out, std::uint32_t v) {
  PutWord(out, v & 0xFFFF);
  PutWord(out, v >> 16);
}

const t_bild* PictureWithNumber(const t_liste* pictures, std::uint16_t number) {
  for (const t_liste* p = pictures; p; p = p->next())
    if (p->number == number) return static_cast<const t_bild*>(p);
  return nullptr;
}

}  // namespace

std::string LegacyPictureFileName(std::uint16_t pictureNumber) {
  std::string digits = std::to_string(pictureNumber);
  return "001" + std::string(5 - digits.size(), '0') + digits + ".BLD";
}

std::vector<std::uint8_t> ProjectHeaderRecord(const t_projekt& project,
                                              const std::string& downloadDate) {
  Bytes r;
  r.reserve(kHeaderRecordSize);
  const t_kopf empty;
  const t_kopf& h = project.head ? *project.head : empty;
  PutPadded(r, ToTerminalCharset(h.name), 30);
  PutPadded(r, ToTerminalCharset(h.author), 35);
  PutCounted(r, h.created, 10);
  PutCounted(r, downloadDate, 10);
  PutPadded(r, ToTerminalCharset(h.info1), 35);
  PutPadded(r, ToTerminalCharset(h.info2), 35);
  PutPadded(r, ToTerminalCharset(h.info3), 35);
  PutLong(r, static_cast<std::uint16_t>(h.startPicture));
  const t_terminal noTerminal;
  const t_terminal& t = project.terminal ? *project.terminal : noTerminal;
  PutCounted(r, t.dosVersion, 12);
  PutPadded(r, ToTerminalCharset(t.terminalName), 30);
  PutWord(r, static_cast<std::uint16_t>(t.width));
  PutWord(r, static_cast<std::uint16_t>(t.height));
  PutByte(r, static_cast<std::uint8_t>(t.colourDepth));
  const t_steuerung noCoupling;
  const t_steuerung& c = project.coupling ? *project.coupling : noCoupling;
  PutWord(r, static_cast<std::uint32_t>(c.lowestAddress));
  PutWord(r, static_cast<std::uint32_t>(c.highestAddress));
  PutWord(r, static_cast<std::uint32_t>(c.readBlockAddress));
  PutWord(r, static_cast<std::uint32_t>(c.writeBlockAddress));
  PutByte(r, c.addressType == 1 ? 1 : 0);
  PutWord(r, static_cast<std::uint16_t>(c.alarmSort));
  PutCounted(r, ToTerminalCharset(c.dosVersion), 12);
  PutPadded(r, ToTerminalCharset(c.couplingName), 30);
  return r;
}

std::vector<std::uint8_t> VariableRecord(const t_variable& v) {
  Bytes r;
  r.reserve(kVariableRecordSize);
  PutCounted(r, ToTerminalCharset(v.name), 30);
  PutWord(r, static_cast<std::uint32_t>(v.address));
  PutByte(r, v.type);
  PutWord(r, v.length);
  return r;
}

std::vector<std::uint8_t> PictureDirectoryRecord(const t_bild& picture) {
  Bytes r;
  r.reserve(kPictureRecordSize);
  PutPadded(r, ToTerminalCharset(picture.name), 30);
  PutCounted(r, LegacyPictureFileName(picture.pictureNumber), 12);
  PutByte(r, picture.backgroundColour);
  return r;
}

std::vector<std::uint8_t> AlarmRecord(const t_alarme& alarm) {
  Bytes r;
  r.reserve(kAlarmRecordSize);
  PutByte(r, alarm.number & 0xFF);
  PutCounted(r, alarm.font, 12);
  PutByte(r, (alarm.flags & t_alarme::kDynamic) ? 1 : 0);
  PutByte(r, (alarm.flags & t_alarme::kInterrupting) ? 1 : 0);
  PutByte(r, (alarm.flags & t_alarme::kHistoryComes) ? 1 : 0);
  PutByte(r, (alarm.flags & t_alarme::kHistoryGoes) ? 1 : 0);
  PutCounted(r, ToTerminalCharset(alarm.name), 255);
  return r;
}

std::vector<std::uint8_t> KeyTable(const t_bild& picture, const t_liste* pictures) {
  Bytes table(kKeyTableKeys * kKeyEntrySize, 0);
  for (const t_liste* k = picture.keys.get(); k; k = k->next()) {
    const auto& key = static_cast<const t_taste&>(*k);
    if (key.number < 1 || key.number > kKeyTableKeys) continue;
    Bytes entry;
    PutWord(entry, key.value == 0 ? 1 : 3);
    const t_bild* target = key.value == 0 ? nullptr : PictureWithNumber(pictures, key.value);
    if (target)
      PutPadded(entry, ToTerminalCharset(target->name), 30);
    else
      entry.resize(entry.size() + 31, 0);
    PutWord(entry, key.value);
    std::copy(entry.begin(), entry.end(), table.begin() + (key.number - 1) * kKeyEntrySize);
  }
  return table;
}

std::vector<std::uint8_t> LegacyPictureFile(const t_bild& picture, const t_liste* pictures,
                                            UsedFileTable& usedFiles, const t_liste* textLists) {
  Bytes file(kPictureMagic, kPictureMagic + sizeof kPictureMagic - 1);
  PutPadded(file, ToTerminalCharset(picture.name), 30);
  PutByte(file, picture.backgroundColour);
  const Bytes keys = KeyTable(picture, pictures);
  file.insert(file.end(), keys.begin(), keys.end());
  for (const t_liste* o = picture.objects.get(); o; o = o->next()) {
    const auto& object = static_cast<const t_objekt&>(*o);
    usedFiles.Enter(object.CollectFonts());
    WriteObjectBinary(object, file, textLists);
  }
  return file;
}

bool WriteLegacyProject(const t_projekt& project, const fs::path& folder,
                        const std::string& downloadDate, UsedFileTable& usedFiles,
                        std::string& failedFile) {
  const fs::path containerPath = folder / kLegacyProjectFile;
  // Always a fresh container: records of an earlier image must not survive
  // behind the new ones.
  std::error_code removeError;
  fs::remove(containerPath, removeError);
  t_dymfile dym;
  dym.Open(containerPath.string());
  if (!dym.IsOpen() || !dym.HeaderValid()) dym.Create();
  bool ok = dym.IsOpen() && dym.HeaderValid() && dym.LastError() == kDymOk;
  const auto write = [&](std::uint8_t stream, std::uint16_t size, std::int32_t index,
                         const Bytes& record) {
    if (!ok) return;
    dym.SetRecordSize(stream, size);
    ok = dym.SetPosition(stream, index) == kDymOk && dym.WriteRecord(stream, record) == kDymOk;
  };

  write(kStreamHeader, kHeaderRecordSize, 0, ProjectHeaderRecord(project, downloadDate));

  // Variable n lives at index n - 1; indexes no variable claims hold copies
  // of the first variable.
  if (ok) dym.SetRecordSize(kStreamVariables, kVariableRecordSize);
  std::int32_t highest = 0;
  for (const t_liste* v = project.variables.get(); v; v = v->next())
    highest = std::max<std::int32_t>(highest, v->number);
  if (project.variables && highest > 0) {
    const Bytes first = VariableRecord(static_cast<const t_variable&>(*project.variables));
    for (std::int32_t i = 0; i < highest && ok; ++i)
      write(kStreamVariables, kVariableRecordSize, i, first);
    for (const t_liste* v = project.variables.get(); v && ok; v = v->next())
      if (v->number > 0)
        write(kStreamVariables, kVariableRecordSize, v->number - 1,
              VariableRecord(static_cast<const t_variable&>(*v)));
  }

  if (ok) dym.SetRecordSize(kStreamPictures, kPictureRecordSize);
  std::int32_t index = 0;
  for (const t_liste* p = project.pictures.get(); p && ok; p = p->next(), ++index) {
    const auto& picture = static_cast<const t_bild&>(*p);
    write(kStreamPictures, kPictureRecordSize, index, PictureDirectoryRecord(picture));
    if (!ok) break;
    const std::string name = LegacyPictureFileName(picture.pictureNumber);
    const Bytes bytes =
        LegacyPictureFile(picture, project.pictures.get(), usedFiles, project.textLists.get());
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      fs::remove(folder / name, ignored);
      failedFile = name;
      return false;
    }
  }
  usedFiles.Enter(kSystemFont);

  if (ok) dym.SetRecordSize(kStreamAlarms, kAlarmRecordSize);
  index = 0;
  for (const t_liste* a = project.alarms.get(); a && ok; a = a->next(), ++index) {
    const auto& alarm = static_cast<const t_alarme&>(*a);
    write(kStreamAlarms, kAlarmRecordSize, index, AlarmRecord(alarm));
    usedFiles.Enter(alarm.font);
  }
  if (ok) ok = dym.WriteHeader() == kDymOk;
  const std::int16_t closed = dym.IsOpen() ? dym.Close() : kDymNotOpen;
  if (!ok || closed != kDymOk) {
    failedFile = kLegacyProjectFile;
    return false;
  }
  return true;
}

}  // namespace tavo
