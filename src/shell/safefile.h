#pragma once
// Writing files so that a failure never costs the previous version. The new
// content goes to a temporary file beside the target and is flushed to disk;
// only then is the previous file kept as the backup (a hard link, so the
// target's name is never empty) and the temporary renamed over the target in
// one step, and the folder flushed. Only a regular file or a free name is
// ever written: a folder, a device or a pipe in the target's place is refused
// before anything is created.

#include <filesystem>
#include <string>
#include <string_view>

namespace tavo {

// What stands at a path, links followed.
enum class PathKind { Missing, File, Folder, Pipe, Device, Socket, DanglingLink, Other };

PathKind KindOfPath(const std::filesystem::path& path);
// "a folder", "a named pipe (FIFO)", "a device", ... for messages; empty for
// a file and for a free name.
std::string DescribePathKind(PathKind kind);

// Why `path` cannot be written as a file: something other than a file in its
// place, or its folder missing. Empty when writing may be tried.
std::string WhyNotWritable(const std::filesystem::path& path);

// Why `path` cannot be opened for reading, in words for a message ("not
// found", "no permission to read it", "it is a folder", ...). Empty when it
// can. Never opens anything that could block (a pipe, a device).
std::string WhyUnreadable(const std::filesystem::path& path);

class SafeFileWriter {
 public:
  SafeFileWriter() = default;
  // An uncommitted temporary is removed.
  ~SafeFileWriter();
  SafeFileWriter(const SafeFileWriter&) = delete;
  SafeFileWriter& operator=(const SafeFileWriter&) = delete;

  // Checks the target and the backup name (none when empty) and creates the
  // temporary. A link to a file writes the file it points at. False, with the
  // reason, when the target is neither a file nor a free name, its folder is
  // missing, the backup name is taken by something other than a file, or the
  // temporary cannot be created; nothing is left behind then.
  bool Open(const std::filesystem::path& target, const std::filesystem::path& backup,
            std::string* error);
  // Appends bytes; a failure is remembered and reported by Commit.
  void Write(std::string_view bytes);
  // Flushes the temporary to disk, keeps the previous file under the backup
  // name (when one was given and there is a previous file), renames the
  // temporary over the target and flushes the folder. On failure the target
  // is as it was, the temporary is gone and `error` says why.
  bool Commit(std::string* error);
  // Drops the temporary; the target is not touched.
  void Discard();

  // The file that is written: the target with links resolved.
  const std::filesystem::path& Target() const { return target_; }

 private:
  bool FlushBuffer();
  void WriteAll(std::string_view bytes);
  bool KeepBackup(std::string* error);

  std::filesystem::path target_;
  std::filesystem::path backup_;
  std::filesystem::path temp_;
  std::string buffer_;
  int fd_ = -1;
  int writeErrno_ = 0;
  bool hadTarget_ = false;
};

// Writes `content` as `target` through a SafeFileWriter.
bool WriteFileSafely(const std::filesystem::path& target, std::string_view content,
                     std::string* error, const std::filesystem::path& backup = {});

}  // namespace tavo
