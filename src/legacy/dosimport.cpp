#include "legacy/dosimport.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <set>
#include <span>
#include <vector>

#include "legacy/dospicture.h"
#include "legacy/dostext.h"
#include "legacy/importprogress.h"
#include "objects/objectkinds.h"
#include "project/katalog.h"
#include "project/projectfile.h"
#include "resources/dymfile.h"
#include "shell/codepage.h"
#include "shell/language.h"
#include "shell/messagebox.h"
#include "shell/progress.h"
#include "shell/textcase.h"

namespace fs = std::filesystem;

namespace tavo {
namespace {

constexpr std::uint8_t kStreamHeader = 0;
constexpr std::uint8_t kStreamPictures = 2;
constexpr std::uint8_t kStreamAlarms = 4;
constexpr std::uint8_t kStreamVariables = 5;
constexpr std::uint16_t kHeaderSize = 305;
constexpr std::uint16_t kPictureSize = 45;
constexpr std::uint16_t kAlarmSize = 274;
constexpr std::uint16_t kVariableSize = 36;
// The overall bar gives the head, terminal and coupling five steps ahead of
// the records.
constexpr std::uint64_t kFixedSteps = 5;
constexpr int kMaxPictureWarnings = 10;

using Record = std::vector<std::uint8_t>;

std::uint16_t U16(const Record& r, std::size_t at) {
  return static_cast<std::uint16_t>(r[at] | (r[at + 1] << 8));
}

std::uint32_t U32(const Record& r, std::size_t at) {
  return std::uint32_t(U16(r, at)) | (std::uint32_t(U16(r, at + 2)) << 16);
}

std::string Counted(const Record& r, std::size_t at, std::size_t n) {
  return DosCounted(r.data() + at, n);
}

std::string TextField(const Record& r, std::size_t at, std::size_t n) {
  return DosName(r.data() + at, n);
}

// A picture file must lie in the project's folder: a stored name that
// names a folder or climbs out of it is refused.
bool IsPlainFileName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  return name.find_first_of(std::string("/\\:\0", 4)) == std::string::npos;
}

// The picture file in `folder`: the stored name, else an entry that differs
// only in case (DOS names were upper case; copies may not be). Empty when
// none is a regular file.
fs::path FindPictureFile(const fs::path& folder, const std::string& name) {
  std::error_code ec;
  const fs::path exact = folder / name;
  if (fs::is_regular_file(exact, ec)) return exact;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (EqualsIgnoreCase(it->path().filename().string(), name) &&
        fs::is_regular_file(it->path(), ec))
      return it->path();
  }
  return {};
}

class DosImporter {
 public:
  DosImporter(const std::string& path, DosImportContext& context)
      : path_(path),
        shownPath_(Utf8ToCp1252(path)),
        ctx_(context),
        overall_(context.overall),
        part_(context.part),
        objects_(MakeObjectFactory(context.catalog)) {}

  DosImportResult Run() {
    result_.openCode = dym_.Open(path_);
    if (result_.openCode != kDymOk) {
      std::string text = OpenFailureText(result_.openCode, Tr());
      if (result_.openCode > 8 || result_.openCode < 1) text += ": " + shownPath_;
      Message(MsgKind::Fehler, text);
      return Finish();
    }
    std::error_code ec;
    fileSize_ = fs::file_size(path_, ec);
    if (ec) fileSize_ = 0;

    Record header;
    if (UsableCount(kStreamHeader, kHeaderSize, nullptr) < 1 ||
        !ReadAt(kStreamHeader, 0, kHeaderSize, header)) {
      Message(MsgKind::Fehler, Tr().Tr(txt::kImportKopfFehlt) + ": " + shownPath_);
      return Finish();
    }
    const std::int32_t alarms = UsableCount(kStreamAlarms, kAlarmSize, &txt::kImportAlarme);
    const std::int32_t variables =
        UsableCount(kStreamVariables, kVariableSize, &txt::kImportVariablen);
    const std::int32_t pictures = UsableCount(kStreamPictures, kPictureSize, &txt::kImportBilder);

    project_ = std::make_unique<t_projekt>();
    ReadHead(header);
    maximum_ =
        std::uint64_t(pictures) + std::uint64_t(alarms) + std::uint64_t(variables) + kFixedSteps;
    if (ctx_.overall) ctx_.overall->SetCaption(Tr().Tr(txt::kImportFensterTitel));
    Overall(0);
    part_.Show(Tr().Tr(txt::kImportKopf), 0, 100);
    ReadTerminalAndCoupling(header);

    ReadAlarms(alarms);
    ReadVariables(alarms, variables);
    ReadPictures(alarms, variables, pictures);
    return Finish();
  }

 private:
  Translator& Tr() { return ctx_.translator ? *ctx_.translator : german_; }

  void Message(MsgKind kind, const std::string& text) {
    ++result_.messages;
    if (ctx_.messages) ctx_.messages->Show(kind, ButtonSet::Weiter, text);
  }

  // Each damaged picture is named, up to a limit: a damaged directory of
  // thousands of pictures must not bury the user under message boxes. The
  // rest are counted in one message at the end.
  void PictureWarning(const std::string& text) {
    if (pictureWarnings_ < kMaxPictureWarnings) {
      ++pictureWarnings_;
      Message(MsgKind::Warnung, text);
    } else {
      ++suppressedWarnings_;
    }
  }

  void Overall(std::uint64_t position) { overall_.Show(projectName_, position, maximum_); }

  // The records of `stream` that the file really holds. A record size
  // smaller than the layout's, or a count beyond the data, is reported
  // under the section's title (`section`; null: not reported).
  std::int32_t UsableCount(std::uint8_t stream, std::uint16_t layoutSize, const TextId* section) {
    const std::int32_t count = dym_.GetCount(stream);
    if (count <= 0) return 0;
    const std::uint16_t size = dym_.GetRecordSize(stream);
    if (size < layoutSize) {
      if (section)
        Message(MsgKind::Warnung, Tr().Tr(txt::kImportAbschnittGroesse) + ": " + Tr().Tr(*section));
      return 0;
    }
    const std::int64_t begin = std::int64_t(kDymHeaderSize) + dym_.StreamStart(stream);
    std::int64_t available = 0;
    if (dym_.StreamStart(stream) >= 0 && std::uint64_t(begin) <= fileSize_)
      available = std::int64_t((fileSize_ - std::uint64_t(begin)) / size);
    if (count <= available) return count;
    if (section)
      Message(MsgKind::Warnung, Tr().Tr(txt::kImportAbschnittKurz) + ": " + Tr().Tr(*section) +
                                    " (" + std::to_string(available) + "/" + std::to_string(count) +
                                    ")");
    return static_cast<std::int32_t>(available);
  }

  // Record `index` of `stream`, `size` bytes (more bytes of a larger record
  // are not needed). False on a read error.
  bool ReadAt(std::uint8_t stream, std::int32_t index, std::size_t size, Record& record) {
    record.assign(size, 0);
    if (dym_.SetPosition(stream, index) != kDymOk) return false;
    return dym_.ReadRecord(stream, std::span<std::uint8_t>(record)) == kDymOk;
  }

  void ReadHead(const Record& r) {
    auto head = std::make_unique<t_kopf>();
    head->name = TextField(r, 0, 30);
    head->author = TextField(r, 31, 35);
    head->created = Counted(r, 67, 10);
    head->changed = Counted(r, 78, 10);
    head->info1 = FromTerminalCharset(Counted(r, 89, 35));
    head->info2 = FromTerminalCharset(Counted(r, 125, 35));
    head->info3 = FromTerminalCharset(Counted(r, 161, 35));
    head->startPicture = static_cast<std::int16_t>(U32(r, 197) & 0xFFFF);
    project_->name = head->name;
    projectName_ = head->name;
    project_->head = std::move(head);
  }

  void ReadTerminalAndCoupling(const Record& r) {
    // DOS versions are matched exactly as stored, case included.
    const std::string terminalVersion = Counted(r, 201, 12);
    auto terminal = std::make_unique<t_terminal>();
    const t_terminal* t = ctx_.catalog ? ctx_.catalog->TerminalOrFirst(terminalVersion) : nullptr;
    if (t)
      terminal->CopyFrom(*t);
    else
      terminal->dosVersion = terminalVersion;  // kept so that saving does not lose it
    project_->terminal = std::move(terminal);

    const std::string couplingVersion = Counted(r, 261, 12);
    auto coupling = std::make_unique<t_steuerung>();
    const t_steuerung* c = ctx_.catalog ? ctx_.catalog->CouplingOrFirst(couplingVersion) : nullptr;
    if (c)
      coupling->CopyFrom(*c);
    else
      coupling->dosVersion = couplingVersion;
    coupling->readBlockAddress = U16(r, 254);
    coupling->writeBlockAddress = U16(r, 256);
    coupling->alarmSort = static_cast<std::int16_t>(U16(r, 259));
    project_->coupling = std::move(coupling);
  }

  void ReadAlarms(std::int32_t count) {
    const std::string title = Tr().Tr(txt::kImportAlarme);
    Overall(kFixedSteps);
    t_liste* last = nullptr;
    Record r;
    for (std::int32_t n = 1; n <= count; ++n) {
      part_.Show(title, std::uint64_t(n), std::uint64_t(count));
      Overall(std::uint64_t(n) + kFixedSteps);
      if (!ReadAt(kStreamAlarms, n - 1, kAlarmSize, r)) return ReadFailed(title);
      auto alarm = std::make_unique<t_alarme>();
      alarm->name = TextField(r, 18, 255);
      alarm->number = r[0];
      alarm->bitMask = 1 << (alarm->number % 16);
      alarm->flags = static_cast<std::uint8_t>(
          (r[14] ? t_alarme::kDynamic : 0) | (r[15] ? t_alarme::kInterrupting : 0) |
          (r[16] ? t_alarme::kHistoryComes : 0) | (r[17] ? t_alarme::kHistoryGoes : 0));
      alarm->font = Counted(r, 1, 12);
      last = AppendNode(project_->alarms, last, std::move(alarm));
      ++result_.alarms;
    }
  }

  void ReadVariables(std::int32_t alarms, std::int32_t count) {
    const std::string title = Tr().Tr(txt::kImportVariablen);
    t_liste* last = nullptr;
    Record r;
    for (std::int32_t n = 1; n <= count; ++n) {
      part_.Show(title, std::uint64_t(n), std::uint64_t(count));
      Overall(std::uint64_t(n) + std::uint64_t(alarms) + kFixedSteps);
      if (!ReadAt(kStreamVariables, n - 1, kVariableSize, r)) return ReadFailed(title);
      auto variable = std::make_unique<t_variable>();
      variable->name = TextField(r, 0, 30);
      // The stream is indexed by variable number: record n - 1 is variable n.
      variable->number = static_cast<std::uint16_t>(n);
      variable->attribute = 1;
      variable->address = U16(r, 31);
      variable->type = r[33];
      variable->length = U16(r, 34);
      last = AppendNode(project_->variables, last, std::move(variable));
      ++result_.variables;
    }
  }

  void ReadPictures(std::int32_t alarms, std::int32_t variables, std::int32_t count) {
    const std::string title = Tr().Tr(txt::kImportBilder);
    const fs::path folder = fs::path(path_).parent_path();
    t_liste* last = nullptr;
    std::vector<t_bild*> unnumbered;
    Record r;
    for (std::int32_t n = 1; n <= count; ++n) {
      const std::uint64_t step =
          std::uint64_t(n) + std::uint64_t(alarms) + std::uint64_t(variables) + kFixedSteps;
      if (!ReadAt(kStreamPictures, n - 1, kPictureSize, r)) return ReadFailed(title);
      auto picture = std::make_unique<t_bild>();
      picture->name = TextField(r, 0, 30);
      picture->number = static_cast<std::uint16_t>(n);
      const std::string fileName = Counted(r, 31, 12);
      if (!PictureNumberFromFileName(fileName, picture->pictureNumber))
        unnumbered.push_back(picture.get());
      picture->backgroundColour = r[44];
      picture->zoom = 1.0;
      picture->originX = 0;
      picture->originY = 0;
      ReadPictureFile(folder, fileName, *picture, title, step);
      Overall(step);
      last = AppendNode(project_->pictures, last, std::move(picture));
      ++result_.pictures;
    }
    NumberPictures(unnumbered);
    if (suppressedWarnings_ > 0)
      Message(MsgKind::Warnung,
              Tr().Tr(txt::kImportWeitereBilder) + ": " + std::to_string(suppressedWarnings_));
  }

  void ReadPictureFile(const fs::path& folder, const std::string& fileName, t_bild& picture,
                       const std::string& title, std::uint64_t step) {
    const std::string which = picture.name + " (" + fileName + ")";
    if (!IsPlainFileName(fileName)) {
      ++result_.damagedPictures;
      PictureWarning(Tr().Tr(txt::kImportUngueltigerName) + ": " + which);
      return;
    }
    const fs::path file = FindPictureFile(folder, fileName);
    std::ifstream in;
    if (!file.empty()) in.open(file, std::ios::binary);
    if (file.empty() || !in.is_open()) {
      ++result_.damagedPictures;
      PictureWarning(Tr().Tr(txt::kImportBilddateiFehlt) + ": " + which);
      return;
    }
    std::error_code ec;
    std::uint64_t size = fs::file_size(file, ec);
    if (ec) size = 0;

    const ByteReader read = [&in](std::uint8_t* buffer, std::size_t count) -> std::size_t {
      in.read(reinterpret_cast<char*>(buffer), static_cast<std::streamsize>(count));
      return static_cast<std::size_t>(in.gcount());
    };
    const std::string objectsTitle = title + " : " + picture.name;
    bool first = true;
    const auto progress = [&](std::uint64_t position) {
      if (first) {
        first = false;
        part_.Show(title, position, size);
        Overall(step);
      } else {
        part_.Show(objectsTitle, position, size);
      }
    };
    const PictureFileOutcome outcome =
        ReadDosPictureFile(read, picture, project_->textLists, Tr(), progress);
    result_.objects += outcome.objects;

    const auto where = [&](std::uint64_t position, int objects) {
      return ": " + picture.name + " (" + fileName + ", Byte " + std::to_string(position) + ", " +
             std::to_string(objects) + ")";
    };
    const SkippedKinds& skipped = outcome.skipped;
    if (skipped.count > 0)
      PictureWarning(
          Tr().Tr(txt::kImportArtUebersprungen) + where(skipped.position, skipped.objectsBefore) +
          " [" + std::to_string(skipped.kind) + "; " + std::to_string(skipped.count) + " Byte]");
    switch (outcome.status) {
      case PictureFileStatus::Complete:
        break;
      case PictureFileStatus::NoMagic:
        PictureWarning(Tr().Tr(txt::kImportKeineBilddatei) + ": " + which);
        break;
      case PictureFileStatus::HeaderCut:
        PictureWarning(Tr().Tr(txt::kImportKopfAbgeschnitten) + ": " + which);
        break;
      case PictureFileStatus::RecordCut:
        PictureWarning(Tr().Tr(txt::kImportObjektAbgeschnitten) +
                       where(outcome.position, outcome.objects));
        break;
    }
    if (skipped.count > 0 || outcome.status != PictureFileStatus::Complete)
      ++result_.damagedPictures;
  }

  // Pictures whose file name carries no number get the smallest numbers no
  // other picture uses, in list order.
  void NumberPictures(const std::vector<t_bild*>& unnumbered) {
    if (unnumbered.empty()) return;
    std::set<std::uint16_t> taken;
    const std::set<const t_bild*> pending(unnumbered.begin(), unnumbered.end());
    for (const t_liste* p = project_->pictures.get(); p; p = p->next()) {
      const auto* picture = static_cast<const t_bild*>(p);
      if (!pending.count(picture)) taken.insert(picture->pictureNumber);
    }
    std::uint16_t next = 1;
    for (t_bild* picture : unnumbered) {
      while (taken.count(next) && next < 65535) ++next;
      picture->pictureNumber = next;
      taken.insert(next);
      PictureWarning(Tr().Tr(txt::kImportKeineBildnummer) + ": " + picture->name + " -> " +
                     std::to_string(next));
    }
  }

  void ReadFailed(const std::string& section) {
    Message(MsgKind::Warnung,
            Tr().Tr(txt::kImportNichtLesbar) + ": " + shownPath_ + " (" + section + ")");
  }

  DosImportResult Finish() {
    dym_.Close();
    if (project_) {
      RebuildBitmapRegistry(*project_, *objects_);
      result_.textLists = CountNodes(project_->textLists.get());
      project_->modified = false;
      result_.project = std::move(project_);
    }
    return std::move(result_);
  }

  std::string path_;
  std::string shownPath_;  // file names are native text; messages are code page 1252
  DosImportContext& ctx_;
  GermanTranslator german_;
  ImportBar overall_;
  ImportBar part_;
  std::unique_ptr<ObjectFactory> objects_;
  t_dymfile dym_;
  std::uint64_t fileSize_ = 0;
  std::uint64_t maximum_ = kFixedSteps;
  std::string projectName_;
  int pictureWarnings_ = 0;
  int suppressedWarnings_ = 0;
  std::unique_ptr<t_projekt> project_;
  DosImportResult result_;
};

}  // namespace

bool PictureNumberFromFileName(const std::string& fileName, std::uint16_t& number) {
  if (fileName.size() < 4) return false;
  const std::size_t dot = fileName.find('.');
  const std::string digits = fileName.substr(
      3, dot == std::string::npos ? std::string::npos : std::max<std::size_t>(dot, 3) - 3);
  if (digits.empty()) return false;
  std::uint32_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + std::uint32_t(c - '0');
    if (value > 65535) return false;
  }
  if (value < 1) return false;
  number = static_cast<std::uint16_t>(value);
  return true;
}

std::string OpenFailureText(std::int16_t code, Translator& translator) {
  static constexpr const TextId* kOsErrors[] = {
      &txt::kOsErrorFunction,     &txt::kOsErrorFileNotFound, &txt::kOsErrorPathNotFound,
      &txt::kOsErrorTooManyFiles, &txt::kOsErrorAccessDenied, &txt::kOsErrorHandle,
      &txt::kOsErrorAccessMode,   &txt::kOsErrorDrive,
  };
  if (code >= 1 && code <= 8) return translator.Tr(*kOsErrors[code - 1]);
  if (code == kDymNotContainer) return translator.Tr(txt::kImportKeinDosProjekt);
  return translator.Tr(txt::kImportNichtLesbar);
}

DosImportResult ImportDosProject(const std::string& prjPath, DosImportContext& context) {
  return DosImporter(prjPath, context).Run();
}

}  // namespace tavo
