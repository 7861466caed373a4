#pragma once
// The project file (.qvx): writing it with a backup of the previous version,
// and reading it back with messages for damaged lines.

#include <memory>
#include <string>
#include <string_view>

#include "project/projekt.h"

namespace tavo {

class MessageBox;
class ObjectFactory;
class ProgressDisplay;
class Translator;
class t_katalog;

// Writes the whole file to the sink, line by line.
void WriteProjectLines(const t_projekt& project, const LineSink& sink);

// Writes the project to `path`. The new file is written completely beside
// the target and flushed to disk first; only then is the previous file kept
// as the backup (path with its last three characters replaced by "BAK", made
// as a second name of the previous file, so the project file is never
// missing) and the new file renamed into its place. A failed write leaves
// the previous file and the previous backup untouched. Creates the project
// folder beside the file. On success sets path and folder name and clears
// the modified flag; on failure returns false with `error` naming the cause
// and changes nothing.
bool WriteProjectFile(t_projekt& project, const std::string& path, std::string* error = nullptr);

// Why a project cannot be saved as `path`, known before anything is created:
// something other than a file in its place or under its backup name, its
// folder missing, or a file name without an extension (the project folder
// beside the file is named after the file up to its first '.', so it would
// take the file's own name). Empty when the save may be tried.
std::string WhyNotSavable(const std::string& path);

std::string BackupPath(const std::string& path);
// The file name (without folder) up to its first '.'.
std::string ProjectFolderName(const std::string& path);

struct ProjectReadContext {
  const t_katalog* catalog = nullptr;   // terminal and coupling lookup
  ObjectFactory* objects = nullptr;     // null: object lines are skipped
  MessageBox* messages = nullptr;       // null: messages are dropped
  Translator* translator = nullptr;     // null: German texts
  ProgressDisplay* progress = nullptr;  // null: no progress shown
  // The editor sheet's size, to centre new pictures' origins; 0 = unknown.
  int sheetWidth = 0;
  int sheetHeight = 0;
};

enum class ProjectReadStatus {
  Read,         // the project was read; its damaged lines were reported
  CannotOpen,   // the file cannot be opened or read
  NotAProject,  // no section at all: an empty file, binary data, another text
};

// The outcome of reading. Only a read project has been reported on; the
// caller tells the user why a file was refused.
struct ProjectRead {
  ProjectReadStatus status = ProjectReadStatus::CannotOpen;
  std::unique_ptr<t_projekt> project;  // set exactly when status is Read
  int messages = 0;                    // reports about the content, repeats counted
};

// Reads a project file.
ProjectRead ReadProjectFile(const std::string& path, ProjectReadContext& context);
// Reads project file content already in memory (the file's bytes). Damaged
// lines are skipped and reported once the whole content is read, each
// distinct message once with the number of its occurrences; a text saved
// as UTF-8 is converted to code page 1252 first, and that is said too.
ProjectRead ReadProjectText(std::string_view content, ProjectReadContext& context);

// Gives every bitmap object its identifier: stored identifiers first (so
// they survive where they do not clash), then the objects without one.
void RebuildBitmapRegistry(t_projekt& project, ObjectFactory& objects);

}  // namespace tavo
