#pragma once
// The record container file: up to sixteen streams of fixed-size records
// behind a 168-byte header that starts with "JKHD0101". Terminal fonts, the
// first-generation project image and the old DOS projects are such files.
//
// t_dymfile is the access object. Every operation leaves its result in
// LastError() and most return it: 0 success, 10001 no open file with a valid
// header, 10002 not a container file, 10003 a stream number or record
// position outside the file's range, otherwise a file error numbered as the
// DOS/Windows file functions number them (see the kOs... constants).

#include <array>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

namespace tavo {

inline constexpr std::int16_t kDymOk = 0;
inline constexpr std::int16_t kDymNotOpen = 10001;
inline constexpr std::int16_t kDymNotContainer = 10002;
inline constexpr std::int16_t kDymBadPosition = 10003;

// File error codes in the numbering the import messages expect.
inline constexpr std::int16_t kOsFileNotFound = 2;
inline constexpr std::int16_t kOsPathNotFound = 3;
inline constexpr std::int16_t kOsTooManyOpenFiles = 4;
inline constexpr std::int16_t kOsAccessDenied = 5;
inline constexpr std::int16_t kOsReadError = 100;
inline constexpr std::int16_t kOsWriteError = 101;

inline constexpr int kDymHeaderSize = 168;
inline constexpr int kDymStreamCount = 16;
inline constexpr char kDymMagic[9] = "JKHD0101";

class t_dymfile {
 public:
  t_dymfile() { Init(); }
  ~t_dymfile();
  t_dymfile(const t_dymfile&) = delete;
  t_dymfile& operator=(const t_dymfile&) = delete;
  t_dymfile(t_dymfile&& other) noexcept;
  t_dymfile& operator=(t_dymfile&& other) noexcept;

  // Prepares a fresh object: no file, fresh header image, indexes 0. An open
  // file is closed first.
  void Init();
  // Opens an existing file for reading and writing (read-only when the file
  // may not be written, so that installed files can still be read).
  std::int16_t Open(const std::string& fileName);
  // Creates (or truncates) the file named by the last Open and writes the
  // current header image.
  std::int16_t Create();
  std::int16_t WriteHeader();
  // Sets the record size of a stream that has none yet; always answers 0.
  std::int16_t SetRecordSize(std::uint8_t stream, std::uint16_t size);
  std::uint16_t GetRecordSize(std::uint8_t stream) const;
  std::int32_t GetCount(std::uint8_t stream);
  std::int16_t SetPosition(std::uint8_t stream, std::int32_t index);
  // Reads the record at the stream's current index and advances the index.
  // At most buffer.size() bytes are transferred; a read cut short by the end
  // of the file transfers the bytes present and is no error.
  std::int16_t ReadRecord(std::uint8_t stream, std::span<std::uint8_t> buffer);
  // Writes one record (the stream's record size in bytes, taken from
  // `record` and zero-padded when it is shorter) at the current index, or
  // appends it to the stream when the index is at or beyond its count.
  std::int16_t WriteRecord(std::uint8_t stream, std::span<const std::uint8_t> record);
  // Closes the file; answers 0 or the write error of the final flush.
  std::int16_t Close();

  bool IsOpen() const { return open_; }
  bool HeaderValid() const { return headerValid_; }
  std::int16_t LastError() const { return lastError_; }
  const std::string& FileName() const { return fileName_; }
  const std::array<std::uint8_t, kDymHeaderSize>& Header() const { return header_; }
  std::int32_t StreamStart(std::uint8_t stream) const;
  std::int32_t CurrentIndex(std::uint8_t stream) const;
  // Size of each shift buffer used by the last insertion.
  std::uint32_t InsertionBufferSize() const { return insertionBufferSize_; }

 private:
  bool Ready() const { return open_ && headerValid_; }
  void ResetHeaderImage();
  std::int32_t Count(std::uint8_t stream) const;
  void SetStart(std::uint8_t stream, std::int32_t value);
  void SetSize(std::uint8_t stream, std::uint16_t value);
  void SetCount(std::uint8_t stream, std::int32_t value);
  // Absolute offset of record `index` of `stream`, or -1 when it lies before
  // the data part or beyond what a file offset can express.
  std::int64_t RecordOffset(std::uint8_t stream, std::int64_t index) const;
  std::int16_t Insert(std::uint8_t stream, std::span<const std::uint8_t> record);
  std::int16_t WriteAt(std::int64_t offset, const std::uint8_t* data, std::size_t length);
  std::int16_t ReadAt(std::int64_t offset, std::uint8_t* data, std::size_t length,
                      std::size_t* got);
  std::int64_t FileSize();
  std::int16_t CloseHandle();

  std::uint32_t insertionBufferSize_ = 0;
  bool open_ = false;
  std::FILE* file_ = nullptr;
  std::string fileName_;
  std::int16_t lastError_ = 0;
  bool headerValid_ = false;
  std::array<std::uint8_t, kDymHeaderSize> header_{};
  std::array<std::int32_t, kDymStreamCount> current_{};
};

}  // namespace tavo
