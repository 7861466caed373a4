#include "project/projectfile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "project/katalog.h"
#include "project/objectfactory.h"
#include "project/objectlines.h"
#include "shell/codepage.h"
#include "shell/language.h"
#include "shell/messagebox.h"
#include "shell/progress.h"
#include "shell/safefile.h"

namespace tavo {

namespace fs = std::filesystem;

// --- writing -----------------------------------------------------------------

void WriteProjectLines(const t_projekt& p, const LineSink& sink) {
  const std::string rule = "; " + std::string(48, '-');
  sink(rule);
  sink(std::string(";   ") + kProductName + " Projectfile " + kVersionText);
  sink(rule);
  sink("; Kopfdaten");
  if (p.head) {
    sink("[Head]");
    p.head->WriteProjectLines(sink);
  }
  auto section = [&](const char* comment, const char* name) {
    sink("");
    sink(comment);
    sink(name);
  };
  if (p.terminal) {
    section("; Plattform", "[Terminal]");
    p.terminal->WriteProjectLines(sink);
  }
  if (p.coupling) {
    section("; Steuerung", "[PLC]");
    p.coupling->WriteProjectLines(sink);
  }
  if (p.variables) {
    section("; Variablen", "[Variables]");
    ForEach<t_variable>(p.variables,
                        [&](const t_variable& v) { v.WriteProjectLines(sink, p.coupling.get()); });
  }
  if (p.alarms) {
    section("; Alarmmeldungen", "[Alarms]");
    for (const t_liste* n = p.alarms.get(); n; n = n->next()) n->WriteProjectLines(sink);
  }
  if (p.textLists) {
    section("; Textelisten", "[TextList]");
    for (const t_liste* n = p.textLists.get(); n; n = n->next()) n->WriteProjectLines(sink);
  }
  if (p.pictures) {
    section("; Bilder", "[Pictures]");
    for (const t_liste* n = p.pictures.get(); n; n = n->next()) n->WriteProjectLines(sink);
  }
}

std::string BackupPath(const std::string& path) {
  if (path.size() < 3) return path + "BAK";
  return path.substr(0, path.size() - 3) + "BAK";
}

std::string ProjectFolderName(const std::string& path) {
  std::string file = fs::path(path).filename().string();
  return file.substr(0, file.find('.'));
}

std::string WhyNotSavable(const std::string& path) {
  const fs::path target(path);
  if (std::string why = WhyNotWritable(target); !why.empty()) return why;
  if (ProjectFolderName(path) == target.filename().string())
    return "cannot save as " + path +
           ": the name needs an extension (.qvx), for the project folder beside the file is "
           "named after it up to the first '.'";
  const fs::path backup(BackupPath(path));
  const PathKind kind = KindOfPath(backup);
  if (kind != PathKind::Missing && kind != PathKind::File && KindOfPath(target) == PathKind::File)
    return "cannot keep the previous file as " + backup.string() + ": that is " +
           DescribePathKind(kind);
  return {};
}

bool WriteProjectFile(t_projekt& project, const std::string& path, std::string* error) {
  if (std::string why = WhyNotSavable(path); !why.empty()) {
    if (error) *error = why;
    return false;
  }
  SafeFileWriter out;
  if (!out.Open(path, BackupPath(path), error)) return false;
  WriteProjectLines(project, [&](const std::string& line) {
    out.Write(line);
    out.Write("\r\n");
  });
  if (!out.Commit(error)) return false;
  project.path = path;
  project.folderName = ProjectFolderName(path);
  const fs::path target(path);
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::error_code folderError;
  fs::create_directory(folder / project.folderName, folderError);
  project.modified = false;
  return true;
}

// --- reading -----------------------------------------------------------------

namespace {

constexpr std::size_t kMaxLineText = 5000;
// Distinct messages shown one by one; the rest are counted in one more.
constexpr std::size_t kMaxMessages = 12;

enum class Section { None, Head, Terminal, Plc, Variables, Alarms, TextList, Pictures };

std::string BetweenFirstQuotes(std::string_view line) {
  std::size_t open = line.find('"');
  if (open == std::string_view::npos) return {};
  std::size_t close = line.find('"', open + 1);
  if (close == std::string_view::npos) return std::string(line.substr(open + 1));
  return std::string(line.substr(open + 1, close - open - 1));
}

// A decimal integer, as the head and coupling values are written.
bool ParseWholeNumber(const std::string& text, std::int32_t& value) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return false;
  if (text[i] == '-' || text[i] == '+') ++i;
  bool digits = false;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, digits = true;
  if (!digits || text.find_first_not_of(' ', i) != std::string::npos) return false;
  value = t_liste::TextToInt(text);
  return true;
}

template <class T>
T Clamped(std::int32_t v) {
  return static_cast<T>(
      std::clamp<std::int64_t>(v, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

// The text with its "%s" replaced by `value`.
std::string FillIn(std::string text, const std::string& value) {
  const std::size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, value);
  return text;
}

// Whether the content stops in the middle of a record line: the writer ends
// every line, and a record line ends with ")" or with the closing quote of
// its value. A last line without its end that is not complete either shows
// a file cut short.
bool EndsInsideALine(std::string_view content) {
  if (content.empty() || content.back() == '\n' || content.back() == '\r') return false;
  const std::size_t end = content.find_last_of("\r\n");
  const std::string_view last = content.substr(end == std::string_view::npos ? 0 : end + 1);
  if (last.front() != '-' || last.back() == ')') return false;
  if (last.find('(') != std::string_view::npos) return true;
  return std::count(last.begin(), last.end(), '"') % 2 == 1;
}

class ProjectReader final : private ObjectLineReport {
 public:
  ProjectReader(std::string_view content, ProjectReadContext& context)
      : content_(content), ctx_(context), project_(std::make_unique<t_projekt>()) {}

  ProjectRead Run() {
    ConvertFromUtf8();
    std::string_view line;
    while (NextLine(line)) HandleLine(line);
    return Finish();
  }

 private:
  // One kind of message with the number of its occurrences: a file with a
  // thousand damaged lines gives one message, not a thousand boxes.
  struct Message {
    MsgKind kind;
    TextId id;
    std::string detail;  // fills the text's "%s"
    int count;
  };

  // A file saved as UTF-8 by a text editor: its umlauts would read as two
  // characters each ("KlÃ¤ranlage"). Code page 1252 text is left alone.
  void ConvertFromUtf8() {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    const bool marked = StartsWith(content_, kByteOrderMark);
    if (!marked && !LooksLikeUtf8(content_)) return;
    std::size_t unmapped = 0;
    converted_ = Utf8ToCp1252(content_.substr(marked ? kByteOrderMark.size() : 0), &unmapped);
    content_ = converted_;
    utf8Note_ = Tr(txt::kUtf8Umgewandelt);
    if (unmapped > 0)
      utf8Note_.append(" ").append(FillIn(Tr(txt::kUtf8Ersetzt), std::to_string(unmapped)));
    ++reported_;
  }

  // Next non-empty line (CR LF, LF or CR ended); false at the end.
  bool NextLine(std::string_view& line) {
    while (pos_ < content_.size()) {
      // A line ends at its first CR or LF; searching for each separately
      // (both with fast library searches) beats testing every character twice.
      const std::string_view rest = content_.substr(pos_);
      std::size_t end = std::min(rest.find('\n'), rest.size());
      end = pos_ + std::min(rest.substr(0, end).find('\r'), end);
      line = content_.substr(pos_, end - pos_);
      pos_ = end;
      if (pos_ < content_.size() && content_[pos_] == '\r') ++pos_;
      if (pos_ < content_.size() && content_[pos_] == '\n') ++pos_;
      UpdateProgress();
      if (!line.empty()) return true;
    }
    return false;
  }

  void UpdateProgress() {
    if (!ctx_.progress || content_.empty()) return;
    int percent = static_cast<int>(
        std::nearbyint(static_cast<double>(pos_) * 100.0 / static_cast<double>(content_.size())));
    if (percent != lastPercent_) {
      lastPercent_ = percent;
      ctx_.progress->SetPercent(percent);
    }
  }

  void Label(const TextId& id) {
    if (ctx_.progress) ctx_.progress->SetLabel(Tr(id));
  }

  std::string Tr(const TextId& id) {
    if (ctx_.translator) return ctx_.translator->Tr(id);
    GermanTranslator german;
    return german.Tr(id);
  }

  void Report(MsgKind kind, const TextId& id, std::string detail = {}) {
    ++reported_;
    const std::string key =
        std::to_string(id.group) + "," + std::to_string(id.entry) + "," + detail;
    const auto [at, added] = messageIndex_.try_emplace(key, messages_.size());
    if (added)
      messages_.push_back({kind, id, std::move(detail), 1});
    else
      ++messages_[at->second].count;
  }

  void Error(const TextId& id) { Report(MsgKind::Fehler, id); }

  // What the object lines of a picture report.
  void GroupError() override { Error(txt::kProjektfileGruppenfehler); }
  void UnknownKind(int kind) override {
    Report(MsgKind::Fehler, txt::kUnbekannteObjektart, std::to_string(kind));
  }
  void UnendedGroup() override { Error(txt::kEndeInGruppe); }

  void HandleLine(std::string_view line) {
    line = line.substr(0, kMaxLineText + 1);
    if (objects_ && objects_->InGroup()) {
      // A lost "-GroupEnd" must not make every later picture and section
      // part of the group: these lines end the open groups and count as usual.
      if (line[0] != '[' && !StartsWith(line, "-Picture(") && !StartsWith(line, "-PictureEnd")) {
        objects_->Take(line);
        return;
      }
      objects_->BreakGroups();
    }
    if (line[0] == '[') {
      StartSection(line.substr(1));
    } else if (line[0] == '-') {
      HandleRecord(line);
    }
  }

  void StartSection(std::string_view rest) {
    std::string_view name = rest.substr(0, rest.find(']'));
    if (name == "Head") {
      section_ = Section::Head;
      project_->head = std::make_unique<t_kopf>();
      project_->modified = false;
    } else if (name == "Terminal") {
      section_ = Section::Terminal;
      project_->terminal = std::make_unique<t_terminal>();
    } else if (name == "PLC") {
      section_ = Section::Plc;
      project_->coupling = std::make_unique<t_steuerung>();
    } else if (name == "Variables") {
      section_ = Section::Variables;
      Label(txt::kLabelVariables);
    } else if (name == "Alarms") {
      section_ = Section::Alarms;
      Label(txt::kLabelAlarms);
    } else if (name == "TextList") {
      section_ = Section::TextList;
      Label(txt::kLabelTextlists);
    } else if (name == "Pictures") {
      section_ = Section::Pictures;
      Label(txt::kLabelPictures);
    } else {
      return;
    }
    sawSection_ = true;
    pictureOpen_ = false;  // a section ends the picture before it
  }

  // `line` with its "-"; the keyword follows it.
  void HandleRecord(std::string_view line) {
    const std::string_view text = line.substr(1);
    switch (section_) {
      case Section::None:
        Error(txt::kProjektfileFehlerhaft);
        break;
      case Section::Head:
        HeadLine(text);
        break;
      case Section::Terminal:
        TerminalLine(text);
        break;
      case Section::Plc:
        PlcLine(text);
        break;
      case Section::Variables:
        if (StartsWith(text, "Variable(")) VariableLine(text.substr(9));
        break;
      case Section::Alarms:
        if (StartsWith(text, "Alarm(")) AlarmLine(text.substr(6));
        break;
      case Section::TextList:
        TextListLine(text);
        break;
      case Section::Pictures:
        PictureLine(line);
        break;
    }
  }

  void HeadLine(std::string_view text) {
    t_kopf& h = *project_->head;
    const std::string value = BetweenFirstQuotes(text);
    if (StartsWith(text, "Name"))
      h.name = value;
    else if (StartsWith(text, "Author"))
      h.author = value;
    else if (StartsWith(text, "created"))
      h.created = value;
    else if (StartsWith(text, "changed"))
      h.changed = value;
    else if (StartsWith(text, "Info1"))
      h.info1 = value;
    else if (StartsWith(text, "Info2"))
      h.info2 = value;
    else if (StartsWith(text, "Info3"))
      h.info3 = value;
    else if (StartsWith(text, "Startpicture")) {
      std::int32_t v = 0;
      if (ParseWholeNumber(value, v))
        h.startPicture = Clamped<std::int16_t>(v);
      else
        Error(txt::kProjektfileFehlerhaft);
    }
  }

  void TerminalLine(std::string_view text) {
    if (!StartsWith(text, "DOSVersion")) return;
    const std::string dos = BetweenFirstQuotes(text);
    const t_terminal* entry = ctx_.catalog ? ctx_.catalog->TerminalOrFirst(dos) : nullptr;
    if (entry) {
      project_->terminal->CopyFrom(*entry);
    } else {
      // No definition installed: keep the record's defaults, but remember
      // the reference so that saving does not lose it.
      project_->terminal->dosVersion = dos;
    }
  }

  void PlcLine(std::string_view text) {
    t_steuerung& c = *project_->coupling;
    if (StartsWith(text, "DOSVersion")) {
      const std::string dos = BetweenFirstQuotes(text);
      const t_steuerung* entry = ctx_.catalog ? ctx_.catalog->CouplingOrFirst(dos) : nullptr;
      if (entry)
        c.CopyFrom(*entry);
      else
        c.dosVersion = dos;
      return;
    }
    std::int32_t* target = nullptr;
    std::int32_t value = 0;
    if (StartsWith(text, "TBReadAdr"))
      target = &c.readBlockAddress;
    else if (StartsWith(text, "TBWriteAdr"))
      target = &c.writeBlockAddress;
    else if (!StartsWith(text, "Alarmsort"))
      return;
    if (!ParseWholeNumber(BetweenFirstQuotes(text), value)) {
      Error(txt::kProjektfileFehlerhaft);
      return;
    }
    if (target)
      *target = value;
    else
      c.alarmSort = Clamped<std::int16_t>(value);
  }

  void VariableLine(std::string_view rest) {
    auto v = std::make_unique<t_variable>();
    v->number = Clamped<std::uint16_t>(t_liste::TextToInt(t_liste::NextToken(rest)));
    v->address = AddressFromText(t_liste::NextToken(rest));
    v->type = Clamped<std::uint8_t>(t_liste::TextToInt(t_liste::NextToken(rest)));
    v->length = Clamped<std::uint16_t>(t_liste::TextToInt(t_liste::NextToken(rest)));
    v->attribute = Clamped<std::uint8_t>(t_liste::TextToInt(t_liste::NextToken(rest)));
    v->name = t_liste::Unquote(t_liste::NextToken(rest));
    lastVariable_ = AppendNode(project_->variables, lastVariable_, std::move(v));
  }

  void AlarmLine(std::string_view rest) {
    auto a = std::make_unique<t_alarme>();
    a->number = Clamped<std::uint16_t>(t_liste::TextToInt(t_liste::NextToken(rest)));
    a->font = t_liste::Unquote(t_liste::NextToken(rest));
    a->bitMask = t_liste::TextToInt(t_liste::NextToken(rest));
    a->flags = Clamped<std::uint8_t>(t_liste::TextToInt(t_liste::NextToken(rest)));
    a->name = t_liste::Unquote(t_liste::NextToken(rest));
    lastAlarm_ = AppendNode(project_->alarms, lastAlarm_, std::move(a));
  }

  void TextListLine(std::string_view text) {
    if (StartsWith(text, "TextList(")) {
      std::string_view rest = text.substr(9);
      auto list = std::make_unique<t_textliste>();
      list->name = t_liste::Unquote(t_liste::NextToken(rest));
      list->number = Clamped<std::uint16_t>(t_liste::TextToInt(t_liste::NextToken(rest)));
      list->valueList = rest.find("Wert") != std::string_view::npos;
      currentTextList_ = list.get();
      lastText_ = nullptr;
      lastTextList_ = AppendNode(project_->textLists, lastTextList_, std::move(list));
    } else if (StartsWith(text, "Text(") && currentTextList_) {
      std::string_view rest = text.substr(5);
      auto t = std::make_unique<t_text>();
      t->name = t_liste::Unquote(t_liste::NextToken(rest));
      t->value = Clamped<std::uint16_t>(t_liste::TextToInt(t_liste::NextToken(rest)));
      lastText_ = AppendNode(currentTextList_->texts, lastText_, std::move(t));
    }
  }

  // `line` with its "-".
  void PictureLine(std::string_view line) {
    const std::string_view text = line.substr(1);
    if (StartsWith(text, "Picture(")) {
      std::string_view rest = text.substr(8);
      auto b = std::make_unique<t_bild>();
      b->number = Clamped<std::uint16_t>(t_liste::TextToInt(t_liste::NextToken(rest)));
      b->pictureNumber = Clamped<std::uint16_t>(t_liste::TextToInt(t_liste::NextToken(rest)));
      b->name = t_liste::Unquote(t_liste::NextToken(rest));
      b->backgroundColour = Clamped<std::uint8_t>(t_liste::TextToInt(t_liste::NextToken(rest)));
      if (ctx_.sheetWidth > 0 && ctx_.sheetHeight > 0) {
        const int w = project_->terminal ? project_->terminal->width : 640;
        const int h = project_->terminal ? project_->terminal->height : 480;
        b->originX = Clamped<std::int16_t>(ctx_.sheetWidth / 2 - w / 2);
        b->originY = Clamped<std::int16_t>(ctx_.sheetHeight / 2 - h / 2);
      }
      if (ctx_.progress) ctx_.progress->SetLabel(b->name);
      currentPicture_ = b.get();
      pictureOpen_ = true;
      objects_.emplace(ctx_.objects, b->objects, static_cast<ObjectLineReport*>(this));
      lastPicture_ = AppendNode(project_->pictures, lastPicture_, std::move(b));
      return;
    }
    if (StartsWith(text, "PictureEnd")) {
      pictureOpen_ = false;
      return;
    }
    if (!currentPicture_) {
      if (StartsWith(text, "GroupEnd")) Error(txt::kProjektfileGruppenfehler);
      return;
    }
    if (StartsWith(text, "Key(")) {
      std::string_view rest = text.substr(4);
      const std::int32_t number = t_liste::TextToInt(t_liste::NextToken(rest));
      const std::int32_t value = t_liste::TextToInt(t_liste::NextToken(rest));
      std::string name = t_liste::Unquote(t_liste::NextToken(rest));
      if (t_taste* key = currentPicture_->keys.Assign(number)) {
        key->value = Clamped<std::uint16_t>(value);
        if (!name.empty()) key->name = std::move(name);
      }
      return;
    }
    objects_->Take(line);  // objects and groups; other lines are ignored
  }

  ProjectRead Finish() {
    ProjectRead result;
    if (!sawSection_) {
      // Not a project: what it would say about its lines says nothing.
      result.status = ProjectReadStatus::NotAProject;
      return result;
    }
    if (objects_ && objects_->InGroup())
      objects_->Finish();
    else if (pictureOpen_)
      Error(txt::kEndeInBild);
    if (EndsInsideALine(content_)) Error(txt::kLetzteZeileAbgeschnitten);
    // A project always has a head and a terminal: the editor, the run file
    // and the download need them.
    if (!project_->head) project_->head = std::make_unique<t_kopf>();
    if (!project_->terminal) {
      project_->terminal = std::make_unique<t_terminal>();
      const t_terminal* first =
          ctx_.catalog ? static_cast<const t_terminal*>(ctx_.catalog->terminals.get()) : nullptr;
      if (first) project_->terminal->CopyFrom(*first);
    }
    if (ctx_.objects) RebuildBitmapRegistry(*project_, *ctx_.objects);
    project_->modified = false;
    ShowMessages();
    result.status = ProjectReadStatus::Read;
    result.project = std::move(project_);
    result.messages = reported_;
    return result;
  }

  void ShowMessages() {
    if (!ctx_.messages) return;
    if (!utf8Note_.empty()) ctx_.messages->Show(MsgKind::Information, ButtonSet::Weiter, utf8Note_);
    // Every message is a box to confirm: a file full of different unknown
    // kinds must not keep the user clicking.
    const std::size_t shown = std::min(messages_.size(), kMaxMessages);
    for (std::size_t i = 0; i < shown; ++i) {
      const Message& m = messages_[i];
      std::string text = FillIn(Tr(m.id), m.detail);
      if (m.count > 1)
        text.append(" ").append(FillIn(Tr(txt::kMeldungWiederholt), std::to_string(m.count)));
      ctx_.messages->Show(m.kind, ButtonSet::Weiter, text);
    }
    if (messages_.size() > shown)
      ctx_.messages->Show(
          MsgKind::Fehler, ButtonSet::Weiter,
          FillIn(Tr(txt::kWeitereMeldungen), std::to_string(messages_.size() - shown)));
  }

  std::string_view content_;
  std::string converted_;  // the content in code page 1252 when it was UTF-8
  ProjectReadContext& ctx_;
  std::unique_ptr<t_projekt> project_;
  std::size_t pos_ = 0;
  int lastPercent_ = -1;
  Section section_ = Section::None;
  bool sawSection_ = false;
  t_liste* lastVariable_ = nullptr;
  t_liste* lastAlarm_ = nullptr;
  t_liste* lastTextList_ = nullptr;
  t_liste* lastText_ = nullptr;
  t_textliste* currentTextList_ = nullptr;
  t_liste* lastPicture_ = nullptr;
  t_bild* currentPicture_ = nullptr;
  bool pictureOpen_ = false;  // no "-PictureEnd" since its "-Picture("
  // The object lines of the current picture.
  std::optional<ObjectLineReader> objects_;
  std::string utf8Note_;
  std::vector<Message> messages_;
  std::unordered_map<std::string, std::size_t> messageIndex_;  // text and detail -> message
  int reported_ = 0;
};

}  // namespace

ProjectRead ReadProjectText(std::string_view content, ProjectReadContext& context) {
  return ProjectReader(content, context).Run();
}

namespace {

// A whole file's bytes. The storage is kept by the thread for the next file
// (opening one project after another, and the editor's backups, read files
// of much the same size): a large block taken afresh each time would also
// make the allocator merge every small block the last project released.
class FileBytes {
 public:
  // False when the file cannot be read; what was read so far is then lost.
  bool Read(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    // Unbuffered: whole blocks go straight into place, with no buffer of
    // the stream's own in between.
    std::setvbuf(file, nullptr, _IONBF, 0);
    std::error_code sizeUnknown;
    const std::uintmax_t hint = fs::file_size(path, sizeUnknown);
    // The size is only a hint (a pipe has none, a file may grow): read
    // until the end, growing as needed.
    std::size_t want = !sizeUnknown && hint < (std::uintmax_t{1} << 40)
                           ? static_cast<std::size_t>(hint) + 1
                           : std::size_t{1} << 16;
    size_ = 0;
    bool ok = true;
    try {
      for (;;) {
        Reserve(size_ + want);
        const std::size_t got = std::fread(data_.get() + size_, 1, want, file);
        size_ += got;
        if (got < want) {
          ok = !std::ferror(file);
          break;
        }
        want = std::max(want, size_);
      }
    } catch (const std::bad_alloc&) {
      ok = false;
    }
    std::fclose(file);
    return ok;
  }

  std::string_view View() const { return {data_.get(), size_}; }

  // A very large file's storage is not kept.
  void Release() {
    if (capacity_ > kKeptBytes) {
      data_.reset();
      capacity_ = 0;
    }
    size_ = 0;
  }

 private:
  static constexpr std::size_t kKeptBytes = std::size_t{16} << 20;

  void Reserve(std::size_t bytes) {
    if (bytes <= capacity_) return;
    auto grown = std::make_unique_for_overwrite<char[]>(bytes);
    if (size_ > 0) std::memcpy(grown.get(), data_.get(), size_);
    data_ = std::move(grown);
    capacity_ = bytes;
  }

  std::unique_ptr<char[]> data_;
  std::size_t capacity_ = 0;
  std::size_t size_ = 0;
};

}  // namespace

ProjectRead ReadProjectFile(const std::string& path, ProjectReadContext& context) {
  ProjectRead cannotOpen;
  // A folder, a pipe or a device is no project file; opening a pipe would
  // wait for a writer that may never come.
  if (!WhyUnreadable(path).empty()) return cannotOpen;
  // A read within a read (a progress display that lets events through)
  // must not take the outer read's storage from under it.
  thread_local FileBytes kept;
  thread_local bool keptInUse = false;
  FileBytes own;
  FileBytes& bytes = keptInUse ? own : kept;
  struct Taken {
    explicit Taken(bool& flag) : flag(flag), before(flag) { flag = true; }
    ~Taken() { flag = before; }
    bool& flag;
    const bool before;
  } taken(keptInUse);
  if (!bytes.Read(path)) {
    bytes.Release();
    return cannotOpen;
  }
  ProjectRead read = ReadProjectText(bytes.View(), context);
  bytes.Release();
  if (read.project) {
    read.project->path = path;
    read.project->folderName = ProjectFolderName(path);
  }
  return read;
}

void RebuildBitmapRegistry(t_projekt& project, ObjectFactory& objects) {
  std::vector<BitmapUse> uses;
  for (t_liste* b = project.pictures.get(); b; b = b->next())
    for (t_liste* o = static_cast<t_bild*>(b)->objects.get(); o; o = o->next())
      objects.CollectBitmaps(*o, uses);
  project.bitmaps.Clear();
  for (BitmapUse& u : uses)
    if (*u.identifier != 0)
      *u.identifier = project.bitmaps.Register(u.fileName, u.width, u.height, *u.identifier);
  for (BitmapUse& u : uses)
    if (*u.identifier == 0)
      *u.identifier = project.bitmaps.Register(u.fileName, u.width, u.height, 0);
}

}  // namespace tavo
