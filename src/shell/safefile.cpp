#include "shell/safefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

namespace fs = std::filesystem;

namespace tavo {
namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 16;
// Temporary names tried beside the target before giving up: leftovers of a
// save that was killed halfway are never reused, whatever they have become.
constexpr int kTemporaryNames = 100;

bool Fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

std::string ErrnoText(int code) {
  return std::generic_category().message(code);
}

fs::path FolderOf(const fs::path& file) {
  return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// Hard links are not offered everywhere (some network and FAT file systems);
// the backup is then a copy.
bool LinkUnsupported(int code) {
  return code == EPERM || code == EXDEV || code == EMLINK || code == ENOSYS || code == EOPNOTSUPP ||
         code == ENOTSUP;
}

// Best effort: after the rename the new file is complete on disk; the folder
// entry follows on the next flush of the file system anyway.
void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

PathKind KindOfPath(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  switch (status.type()) {
    case fs::file_type::not_found:
    case fs::file_type::none: {
      std::error_code linkError;
      if (fs::is_symlink(fs::symlink_status(path, linkError))) return PathKind::DanglingLink;
      return PathKind::Missing;
    }
    case fs::file_type::regular:
      return PathKind::File;
    case fs::file_type::directory:
      return PathKind::Folder;
    case fs::file_type::fifo:
      return PathKind::Pipe;
    case fs::file_type::character:
    case fs::file_type::block:
      return PathKind::Device;
    case fs::file_type::socket:
      return PathKind::Socket;
    default:
      return PathKind::Other;
  }
}

std::string DescribePathKind(PathKind kind) {
  switch (kind) {
    case PathKind::Missing:
    case PathKind::File:
      return {};
    case PathKind::Folder:
      return "a folder";
    case PathKind::Pipe:
      return "a named pipe (FIFO)";
    case PathKind::Device:
      return "a device";
    case PathKind::Socket:
      return "a socket";
    case PathKind::DanglingLink:
      return "a link to a missing file";
    case PathKind::Other:
      break;
  }
  return "not a regular file";
}

std::string WhyNotWritable(const fs::path& path) {
  const PathKind kind = KindOfPath(path);
  if (kind == PathKind::Folder) return path.string() + " is a folder";
  if (kind == PathKind::Other) return path.string() + " is not a regular file";
  if (kind != PathKind::Missing && kind != PathKind::File)
    return path.string() + " is " + DescribePathKind(kind) + ", not a file";
  std::error_code ec;
  const fs::path folder = FolderOf(path);
  if (!fs::is_directory(folder, ec)) return "no such folder: " + folder.string();
  return {};
}

std::string WhyUnreadable(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (!fs::exists(status)) {
    if (ec == std::errc::permission_denied) return "no permission to reach it";
    if (ec == std::errc::not_a_directory) return "a part of its path is not a folder";
    if (KindOfPath(path) == PathKind::DanglingLink) return "it is a link to a missing file";
    return "not found";
  }
  const PathKind kind = KindOfPath(path);
  if (kind != PathKind::File) return "it is " + DescribePathKind(kind);
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno == EACCES ? "no permission to read it" : ErrnoText(errno);
  ::close(fd);
  return {};
}

SafeFileWriter::~SafeFileWriter() {
  Discard();
}

bool SafeFileWriter::Open(const fs::path& target, const fs::path& backup, std::string* error) {
  Discard();
  target_ = target;
  backup_ = backup;
  std::error_code ec;
  if (fs::is_symlink(fs::symlink_status(target, ec))) {
    // The link stays a link; the file it points at gets the new content.
    target_ = fs::canonical(target, ec);
    if (ec) return Fail(error, target.string() + " is a link to a missing file");
  }
  if (std::string why = WhyNotWritable(target_); !why.empty()) return Fail(error, why);
  hadTarget_ = KindOfPath(target_) == PathKind::File;
  if (hadTarget_ && !backup_.empty()) {
    const fs::file_status b = fs::symlink_status(backup_, ec);
    if (fs::exists(b) && !fs::is_regular_file(b) && !fs::is_symlink(b))
      return Fail(error, "cannot keep the previous file as " + backup_.string() + ": that is " +
                             DescribePathKind(KindOfPath(backup_)));
  }
  const std::string base = target_.filename().string() + ".tmp~";
  for (int i = 0; i < kTemporaryNames && fd_ < 0; ++i) {
    temp_ = FolderOf(target_) / (i == 0 ? base : base + std::to_string(i));
    // Never through a link or into a pipe someone left under that name.
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd_ < 0 && errno != EEXIST) {
      const int code = errno;
      const fs::path tried = temp_;
      temp_.clear();
      return Fail(error, "cannot create " + tried.string() + ": " + ErrnoText(code));
    }
  }
  if (fd_ < 0) {
    temp_.clear();
    return Fail(error, "cannot create a temporary file beside " + target_.string());
  }
  // The new file keeps the access rights of the one it replaces.
  struct stat previous {};
  if (hadTarget_ && ::stat(target_.c_str(), &previous) == 0)
    ::fchmod(fd_, previous.st_mode & 07777);
  writeErrno_ = 0;
  buffer_.clear();
  return true;
}

void SafeFileWriter::Write(std::string_view bytes) {
  if (fd_ < 0 || writeErrno_ != 0) return;
  if (buffer_.size() + bytes.size() < kBufferSize) {
    buffer_.append(bytes);
    return;
  }
  // Large pieces go straight to the file, without a copy.
  if (FlushBuffer()) WriteAll(bytes);
}

bool SafeFileWriter::FlushBuffer() {
  WriteAll(buffer_);
  buffer_.clear();
  return writeErrno_ == 0;
}

void SafeFileWriter::WriteAll(std::string_view bytes) {
  std::size_t done = 0;
  while (writeErrno_ == 0 && done < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno != EINTR) writeErrno_ = errno;
    } else if (n == 0) {
      writeErrno_ = EIO;
    } else {
      done += static_cast<std::size_t>(n);
    }
  }
}

bool SafeFileWriter::KeepBackup(std::string* error) {
  std::error_code ec;
  // The same file under another spelling (a file system that ignores case):
  // removing the "backup" would remove the target.
  if (fs::equivalent(backup_, target_, ec)) return true;
  if (::unlink(backup_.c_str()) != 0 && errno != ENOENT)
    return Fail(error, "cannot replace the backup " + backup_.string() + ": " + ErrnoText(errno));
  if (::link(target_.c_str(), backup_.c_str()) == 0) return true;
  const int code = errno;
  if (LinkUnsupported(code)) {
    fs::copy_file(target_, backup_, fs::copy_options::overwrite_existing, ec);
    if (!ec) return true;
    return Fail(error,
                "cannot keep the previous file as " + backup_.string() + ": " + ec.message());
  }
  return Fail(error,
              "cannot keep the previous file as " + backup_.string() + ": " + ErrnoText(code));
}

bool SafeFileWriter::Commit(std::string* error) {
  if (fd_ < 0) return Fail(error, "nothing to write");
  const std::string what = "cannot write " + target_.string() + ": ";
  FlushBuffer();
  if (writeErrno_ == 0 && ::fsync(fd_) != 0) writeErrno_ = errno;
  if (::close(fd_) != 0 && writeErrno_ == 0) writeErrno_ = errno;
  fd_ = -1;
  if (writeErrno_ != 0) {
    const int code = writeErrno_;
    Discard();
    return Fail(error, what + ErrnoText(code));
  }
  if (hadTarget_ && !backup_.empty() && backup_ != target_ && !KeepBackup(error)) {
    Discard();
    return false;
  }
  if (::rename(temp_.c_str(), target_.c_str()) != 0) {
    const int code = errno;
    Discard();
    return Fail(error, what + ErrnoText(code));
  }
  temp_.clear();
  SyncFolder(FolderOf(target_));
  return true;
}

void SafeFileWriter::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
  buffer_.clear();
}

bool WriteFileSafely(const fs::path& target, std::string_view content, std::string* error,
                     const fs::path& backup) {
  SafeFileWriter out;
  if (!out.Open(target, backup, error)) return false;
  out.Write(content);
  return out.Commit(error);
}

}  // namespace tavo
