#include "resources/dymfile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <limits>
#include <utility>
#include <vector>

namespace tavo {
namespace {

// Half of the 64 KB the shift used to get; large enough for every font and
// project stream, small enough to keep an insertion cheap.
constexpr std::uint32_t kShiftPiece = 32768;

std::uint32_t GetU32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
         (std::uint32_t(p[3]) << 24);
}
void PutU32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::size_t StartOffset(std::uint8_t s) {
  return 8 + 10 * std::size_t(s);
}
std::size_t SizeOffset(std::uint8_t s) {
  return 12 + 10 * std::size_t(s);
}
std::size_t CountOffset(std::uint8_t s) {
  return 14 + 10 * std::size_t(s);
}

std::int16_t OpenErrorCode(int err, const std::string& name) {
  switch (err) {
    case ENOENT: {
      std::error_code ec;
      const auto parent = std::filesystem::path(name).parent_path();
      if (!parent.empty() && !std::filesystem::is_directory(parent, ec)) return kOsPathNotFound;
      return kOsFileNotFound;
    }
    case ENOTDIR:
      return kOsPathNotFound;
    case EMFILE:
    case ENFILE:
      return kOsTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return kOsAccessDenied;
    default:
      return kOsReadError;
  }
}

}  // namespace

t_dymfile::~t_dymfile() {
  CloseHandle();
}

t_dymfile::t_dymfile(t_dymfile&& other) noexcept
    : insertionBufferSize_(other.insertionBufferSize_),
      open_(std::exchange(other.open_, false)),
      file_(std::exchange(other.file_, nullptr)),
      fileName_(std::move(other.fileName_)),
      lastError_(other.lastError_),
      headerValid_(std::exchange(other.headerValid_, false)),
      header_(other.header_),
      current_(other.current_) {}

t_dymfile& t_dymfile::operator=(t_dymfile&& other) noexcept {
  if (this != &other) {
    CloseHandle();
    insertionBufferSize_ = other.insertionBufferSize_;
    open_ = std::exchange(other.open_, false);
    file_ = std::exchange(other.file_, nullptr);
    fileName_ = std::move(other.fileName_);
    lastError_ = other.lastError_;
    headerValid_ = std::exchange(other.headerValid_, false);
    header_ = other.header_;
    current_ = other.current_;
  }
  return *this;
}

void t_dymfile::Init() {
  CloseHandle();
  open_ = false;
  fileName_.clear();
  lastError_ = 0;
  headerValid_ = false;
  ResetHeaderImage();
}

void t_dymfile::ResetHeaderImage() {
  header_.fill(0);
  std::memcpy(header_.data(), kDymMagic, 8);
  current_.fill(0);
}

std::int16_t t_dymfile::CloseHandle() {
  std::int16_t result = 0;
  if (file_) {
    if (std::fclose(file_) != 0) result = kOsWriteError;
    file_ = nullptr;
  }
  open_ = false;
  return result;
}

std::int16_t t_dymfile::Open(const std::string& fileName) {
  lastError_ = 0;
  CloseHandle();
  headerValid_ = false;
  fileName_ = fileName;

  errno = 0;
  file_ = std::fopen(fileName.c_str(), "r+b");
  if (!file_ && (errno == EACCES || errno == EPERM || errno == EROFS)) {
    // An installed file the user may not write is still to be read.
    file_ = std::fopen(fileName.c_str(), "rb");
  }
  if (!file_) {
    lastError_ = OpenErrorCode(errno, fileName);
  } else {
    open_ = true;
    // A folder opens on some systems but cannot be read; the header read
    // below then reports it.
    std::size_t got = 0;
    lastError_ = ReadAt(0, header_.data(), header_.size(), &got);
    if (lastError_ == 0 && got < header_.size()) lastError_ = kOsReadError;
    if (lastError_ == 0 && std::memcmp(header_.data(), kDymMagic, 8) != 0) {
      lastError_ = kDymNotContainer;
    }
  }
  if (lastError_ == 0) {
    headerValid_ = true;
    current_.fill(0);
  } else {
    ResetHeaderImage();
  }
  return lastError_;
}

std::int16_t t_dymfile::Create() {
  lastError_ = 0;
  CloseHandle();
  errno = 0;
  file_ = std::fopen(fileName_.c_str(), "w+b");
  if (!file_) {
    lastError_ = OpenErrorCode(errno, fileName_);
    return lastError_;
  }
  open_ = true;
  headerValid_ = true;
  lastError_ = WriteHeader();
  return lastError_;
}

std::int16_t t_dymfile::WriteHeader() {
  if (!open_) {
    lastError_ = kDymNotOpen;
    return lastError_;
  }
  const std::int16_t result = WriteAt(0, header_.data(), header_.size());
  if (result != 0) lastError_ = result;
  return lastError_;
}

std::int16_t t_dymfile::SetRecordSize(std::uint8_t stream, std::uint16_t size) {
  if (stream < kDymStreamCount && Ready() && GetRecordSize(stream) == 0) {
    SetSize(stream, size);
    WriteHeader();
  }
  return 0;
}

std::uint16_t t_dymfile::GetRecordSize(std::uint8_t stream) const {
  if (stream >= kDymStreamCount || !Ready()) return 0;
  const std::uint8_t* p = header_.data() + SizeOffset(stream);
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::int32_t t_dymfile::GetCount(std::uint8_t stream) {
  lastError_ = 0;
  if (!Ready()) {
    lastError_ = kDymNotOpen;
    return 0;
  }
  if (stream >= kDymStreamCount) {
    lastError_ = kDymBadPosition;
    return 0;
  }
  return Count(stream);
}

std::int32_t t_dymfile::Count(std::uint8_t stream) const {
  return static_cast<std::int32_t>(GetU32(header_.data() + CountOffset(stream)));
}

std::int32_t t_dymfile::StreamStart(std::uint8_t stream) const {
  if (stream >= kDymStreamCount) return 0;
  return static_cast<std::int32_t>(GetU32(header_.data() + StartOffset(stream)));
}

std::int32_t t_dymfile::CurrentIndex(std::uint8_t stream) const {
  return stream < kDymStreamCount ? current_[stream] : 0;
}

void t_dymfile::SetStart(std::uint8_t stream, std::int32_t value) {
  PutU32(header_.data() + StartOffset(stream), static_cast<std::uint32_t>(value));
}
void t_dymfile::SetSize(std::uint8_t stream, std::uint16_t value) {
  header_[SizeOffset(stream)] = static_cast<std::uint8_t>(value);
  header_[SizeOffset(stream) + 1] = static_cast<std::uint8_t>(value >> 8);
}
void t_dymfile::SetCount(std::uint8_t stream, std::int32_t value) {
  PutU32(header_.data() + CountOffset(stream), static_cast<std::uint32_t>(value));
}

std::int16_t t_dymfile::SetPosition(std::uint8_t stream, std::int32_t index) {
  if (!Ready()) {
    lastError_ = kDymNotOpen;
  } else if (stream >= kDymStreamCount || index < 0) {
    lastError_ = kDymBadPosition;
  } else {
    current_[stream] = index;
    lastError_ = 0;
  }
  return lastError_;
}

std::int64_t t_dymfile::RecordOffset(std::uint8_t stream, std::int64_t index) const {
  // Start, size and index all come from the file or the caller; a damaged
  // header must not lead to a seek into the header or to an overflow.
  const std::int64_t offset = kDymHeaderSize + std::int64_t(StreamStart(stream)) +
                              std::int64_t(GetRecordSize(stream)) * index;
  if (offset < kDymHeaderSize || offset > std::numeric_limits<long>::max() / 2) return -1;
  return offset;
}

std::int16_t t_dymfile::ReadAt(std::int64_t offset, std::uint8_t* data, std::size_t length,
                               std::size_t* got) {
  *got = 0;
  if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) return kOsReadError;
  if (length == 0) return 0;
  *got = std::fread(data, 1, length, file_);
  if (*got < length && std::ferror(file_)) {
    std::clearerr(file_);
    return kOsReadError;
  }
  std::clearerr(file_);
  return 0;
}

std::int16_t t_dymfile::WriteAt(std::int64_t offset, const std::uint8_t* data, std::size_t length) {
  if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) return kOsWriteError;
  if (length == 0) return 0;
  if (std::fwrite(data, 1, length, file_) != length) {
    std::clearerr(file_);
    return kOsWriteError;
  }
  // Reads and writes alternate on the one handle; flushing here keeps the
  // stream's buffer consistent for the seek that follows.
  if (std::fflush(file_) != 0) return kOsWriteError;
  return 0;
}

std::int64_t t_dymfile::FileSize() {
  if (std::fseek(file_, 0, SEEK_END) != 0) return -1;
  return std::ftell(file_);
}

std::int16_t t_dymfile::ReadRecord(std::uint8_t stream, std::span<std::uint8_t> buffer) {
  if (!Ready()) {
    lastError_ = kDymNotOpen;
    return lastError_;
  }
  if (stream >= kDymStreamCount) {
    lastError_ = kDymBadPosition;
    return lastError_;
  }
  const std::int64_t offset = RecordOffset(stream, current_[stream]);
  if (offset < 0) {
    lastError_ = kDymBadPosition;
    return lastError_;
  }
  const std::size_t length = std::min<std::size_t>(GetRecordSize(stream), buffer.size());
  std::size_t got = 0;
  lastError_ = ReadAt(offset, buffer.data(), length, &got);
  if (current_[stream] < std::numeric_limits<std::int32_t>::max()) ++current_[stream];
  return lastError_;
}

std::int16_t t_dymfile::WriteRecord(std::uint8_t stream, std::span<const std::uint8_t> record) {
  if (!Ready()) return lastError_;
  if (stream >= kDymStreamCount) {
    lastError_ = kDymBadPosition;
    return lastError_;
  }
  if (current_[stream] >= Count(stream)) {
    lastError_ = Insert(stream, record);
    return lastError_;
  }
  const std::int64_t offset = RecordOffset(stream, current_[stream]);
  if (offset < 0) {
    lastError_ = kDymBadPosition;
    return lastError_;
  }
  // Existing records lie inside the file; a header that places one beyond
  // its end is damaged, and following it would grow the file without bound.
  if (offset > FileSize()) {
    lastError_ = kDymBadPosition;
    return lastError_;
  }
  std::vector<std::uint8_t> padded(GetRecordSize(stream), 0);
  std::copy_n(record.begin(), std::min(record.size(), padded.size()), padded.begin());
  lastError_ = WriteAt(offset, padded.data(), padded.size());
  ++current_[stream];
  return lastError_;
}

std::int16_t t_dymfile::Insert(std::uint8_t s, std::span<const std::uint8_t> record) {
  const std::int64_t fileSize = FileSize();
  if (fileSize < 0) return kOsReadError;
  const std::uint32_t size = GetRecordSize(s);
  const std::int32_t count = Count(s);

  // The later streams move back by one record; refuse what the header's
  // 32-bit fields cannot express instead of wrapping them.
  if (count < 0 || count == std::numeric_limits<std::int32_t>::max()) return kDymBadPosition;
  for (int t = s + 1; t < kDymStreamCount; ++t) {
    if (std::int64_t(StreamStart(std::uint8_t(t))) + size >
        std::numeric_limits<std::int32_t>::max())
      return kDymBadPosition;
  }

  if (current_[s] > count) current_[s] = count;
  const std::int64_t insertAt = RecordOffset(s, current_[s]);
  // A stream's end lies inside the file, at most at its end.
  if (insertAt < 0 || insertAt > fileSize) return kDymBadPosition;
  const std::int64_t end = fileSize;

  // Each piece must be at least one record long: the record is written over
  // the start of the data it displaces before the next piece is read, and a
  // shorter piece would let it overwrite bytes not yet saved.
  std::uint32_t piece = kShiftPiece;
  if (fileSize < piece) piece = static_cast<std::uint32_t>(fileSize);
  piece = std::max(piece, size);
  insertionBufferSize_ = piece;
  std::vector<std::uint8_t> a(piece), c(piece);

  std::vector<std::uint8_t> padded(size, 0);
  std::copy_n(record.begin(), std::min<std::size_t>(record.size(), size), padded.begin());

  std::size_t l1 = static_cast<std::size_t>(std::min<std::int64_t>(piece, end - insertAt));
  std::size_t got = 0;
  if (std::int16_t e = ReadAt(insertAt, a.data(), l1, &got); e != 0 || got != l1)
    return e != 0 ? e : kOsReadError;
  if (std::int16_t e = WriteAt(insertAt, padded.data(), padded.size()); e != 0) return e;

  std::int64_t readPos = insertAt + std::int64_t(l1);
  std::int64_t writePos = insertAt + size;
  do {
    const std::size_t l2 = static_cast<std::size_t>(std::min<std::int64_t>(piece, end - readPos));
    if (std::int16_t e = ReadAt(readPos, c.data(), l2, &got); e != 0 || got != l2)
      return e != 0 ? e : kOsReadError;
    if (std::int16_t e = WriteAt(writePos, a.data(), l1); e != 0) return e;
    readPos += std::int64_t(l2);
    writePos += std::int64_t(l1);
    std::swap(a, c);
    l1 = l2;
  } while (!(readPos == end && l1 == 0));

  SetCount(s, count + 1);
  ++current_[s];
  for (int t = s + 1; t < kDymStreamCount; ++t) {
    SetStart(std::uint8_t(t), StreamStart(std::uint8_t(t)) + std::int32_t(size));
  }
  return WriteAt(0, header_.data(), header_.size());
}

std::int16_t t_dymfile::Close() {
  const std::int16_t result = CloseHandle();
  if (result != 0) lastError_ = result;
  return result;
}

}  // namespace tavo
