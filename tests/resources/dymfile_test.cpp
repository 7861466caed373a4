#include "resources/dymfile.h"

#include <gtest/gtest.h>

#include <numeric>

#include "resources/tempdir.h"

namespace tavo {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

using Bytes = std::vector<std::uint8_t>;

Bytes Fresh168() {
  Bytes b(168, 0);
  const char magic[] = "JKHD0101";
  std::copy(magic, magic + 8, b.begin());
  return b;
}

// Writes the stream descriptor s into a header by hand.
void Descriptor(Bytes& header, int s, std::uint32_t start, std::uint16_t size,
                std::uint32_t count) {
  for (int i = 0; i < 4; ++i) header[8 + 10 * s + i] = std::uint8_t(start >> (8 * i));
  header[12 + 10 * s] = std::uint8_t(size);
  header[13 + 10 * s] = std::uint8_t(size >> 8);
  for (int i = 0; i < 4; ++i) header[14 + 10 * s + i] = std::uint8_t(count >> (8 * i));
}

// Opens or creates `path` the way writers do.
void OpenOrCreate(t_dymfile& f, const std::string& path) {
  if (f.Open(path) != 0) {
    ASSERT_EQ(f.Create(), 0);
  }
}

Bytes Record(std::size_t size, std::uint8_t seed) {
  Bytes r(size);
  for (std::size_t i = 0; i < size; ++i) r[i] = std::uint8_t(seed + i * 7);
  return r;
}

TEST(Dymfile, MissingFileThenCreateWritesCleanHeader) {
  TempDir dir;
  t_dymfile f;
  EXPECT_EQ(f.Open(dir.File("new.prj")), kOsFileNotFound);
  EXPECT_FALSE(f.IsOpen());
  EXPECT_EQ(f.Open(dir.File("nofolder/new.prj")), kOsPathNotFound);
  f.Init();
  f.Open(dir.File("new.prj"));
  EXPECT_EQ(f.Create(), 0);
  EXPECT_TRUE(f.IsOpen());
  EXPECT_TRUE(f.HeaderValid());
  f.Close();
  EXPECT_EQ(ReadBytes(dir.File("new.prj")), Fresh168());
}

TEST(Dymfile, WritesHeaderAndRecordsInTheDocumentedLayout) {
  TempDir dir;
  const std::string path = dir.File("a.dym");
  {
    t_dymfile f;
    OpenOrCreate(f, path);
    EXPECT_EQ(f.SetRecordSize(0, 3), 0);
    EXPECT_EQ(f.SetRecordSize(2, 2), 0);
    const Bytes s2a = {0xA1, 0xA2}, s2b = {0xB1, 0xB2};
    const Bytes s0 = {1, 2, 3};
    EXPECT_EQ(f.WriteRecord(2, s2a), 0);
    EXPECT_EQ(f.WriteRecord(2, s2b), 0);
    EXPECT_EQ(f.WriteRecord(0, s0), 0);
    EXPECT_EQ(f.Close(), 0);
  }
  Bytes expected = Fresh168();
  Descriptor(expected, 0, 0, 3, 1);
  Descriptor(expected, 1, 3, 0, 0);
  Descriptor(expected, 2, 3, 2, 2);
  for (int s = 3; s < 16; ++s) Descriptor(expected, s, 7, 0, 0);
  expected.insert(expected.end(), {1, 2, 3, 0xA1, 0xA2, 0xB1, 0xB2});
  EXPECT_EQ(ReadBytes(path), expected);

  t_dymfile f;
  ASSERT_EQ(f.Open(path), 0);
  EXPECT_EQ(f.GetCount(2), 2);
  EXPECT_EQ(f.GetRecordSize(2), 2);
  Bytes buf(2);
  EXPECT_EQ(f.SetPosition(2, 1), 0);
  EXPECT_EQ(f.ReadRecord(2, buf), 0);
  EXPECT_EQ(buf, (Bytes{0xB1, 0xB2}));
  // Overwriting an existing record keeps the file size.
  EXPECT_EQ(f.SetPosition(2, 0), 0);
  EXPECT_EQ(f.WriteRecord(2, Bytes{0xC1, 0xC2}), 0);
  f.Close();
  EXPECT_EQ(ReadBytes(path).size(), expected.size());
  EXPECT_EQ(ReadBytes(path)[171], 0xC1);
}

TEST(Dymfile, AppendingToAnEarlierStreamMovesTheLaterStreams) {
  TempDir dir;
  const std::string path = dir.File("a.dym");
  t_dymfile f;
  OpenOrCreate(f, path);
  f.SetRecordSize(0, 5);
  f.SetRecordSize(2, 4);
  f.WriteRecord(2, Record(4, 10));
  f.WriteRecord(2, Record(4, 20));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(f.WriteRecord(0, Record(5, std::uint8_t(i))), 0);
  EXPECT_EQ(f.StreamStart(2), 15);
  EXPECT_EQ(f.GetCount(0), 3);
  Bytes buf(4);
  f.SetPosition(2, 0);
  f.ReadRecord(2, buf);
  EXPECT_EQ(buf, Record(4, 10));
  f.ReadRecord(2, buf);
  EXPECT_EQ(buf, Record(4, 20));
  // An index beyond the count is pulled back: the record lands at the end.
  f.SetPosition(0, 40);
  EXPECT_EQ(f.WriteRecord(0, Record(5, 99)), 0);
  EXPECT_EQ(f.CurrentIndex(0), 4);
  Bytes five(5);
  f.SetPosition(0, 3);
  f.ReadRecord(0, five);
  EXPECT_EQ(five, Record(5, 99));
  f.Close();
  EXPECT_EQ(ReadBytes(path).size(), 168u + 4 * 5 + 2 * 4);
}

// Insertion shifts everything behind the insertion point through two
// buffers; data larger than one piece must survive byte for byte, also when
// one record is larger than a piece.
TEST(Dymfile, InsertionPreservesDataAcrossShiftPieces) {
  struct Case {
    std::uint16_t insertedSize;
    std::uint16_t laterSize;
    int laterCount;
  };
  for (const Case c : {Case{10, 1000, 70}, Case{40000, 30000, 3}}) {
    SCOPED_TRACE(c.insertedSize);
    TempDir dir;
    const std::string path = dir.File("big.dym");
    t_dymfile f;
    OpenOrCreate(f, path);
    f.SetRecordSize(0, c.insertedSize);
    f.SetRecordSize(1, c.laterSize);
    for (int i = 0; i < c.laterCount; ++i) f.WriteRecord(1, Record(c.laterSize, std::uint8_t(i)));
    ASSERT_EQ(f.WriteRecord(0, Record(c.insertedSize, 200)), 0);
    EXPECT_GE(f.InsertionBufferSize(), std::min<std::uint32_t>(32768, c.insertedSize));
    ASSERT_EQ(f.WriteRecord(0, Record(c.insertedSize, 201)), 0);
    f.Close();

    ASSERT_EQ(f.Open(path), 0);
    EXPECT_EQ(f.StreamStart(1), 2 * c.insertedSize);
    Bytes buf(c.laterSize);
    for (int i = 0; i < c.laterCount; ++i) {
      ASSERT_EQ(f.ReadRecord(1, buf), 0);
      ASSERT_EQ(buf, Record(c.laterSize, std::uint8_t(i))) << "record " << i;
    }
    Bytes first(c.insertedSize);
    f.ReadRecord(0, first);
    EXPECT_EQ(first, Record(c.insertedSize, 200));
  }
}

TEST(Dymfile, ReadAtCountReadsOnIntoTheNextStream) {
  TempDir dir;
  t_dymfile f;
  OpenOrCreate(f, dir.File("a.dym"));
  f.SetRecordSize(0, 2);
  f.SetRecordSize(3, 2);
  f.WriteRecord(0, Bytes{1, 2});
  f.WriteRecord(3, Bytes{7, 8});
  Bytes buf(2, 0xEE);
  f.SetPosition(0, 1);
  EXPECT_EQ(f.ReadRecord(0, buf), 0);
  EXPECT_EQ(buf, (Bytes{7, 8}));
  EXPECT_EQ(f.CurrentIndex(0), 2);
  // Past the end of the file: a short read, no error, the index advances.
  buf = {0xEE, 0xEE};
  EXPECT_EQ(f.ReadRecord(0, buf), 0);
  EXPECT_EQ(buf, (Bytes{0xEE, 0xEE}));
  EXPECT_EQ(f.CurrentIndex(0), 3);
}

TEST(Dymfile, RecordSizeIsSetOnce) {
  TempDir dir;
  t_dymfile f;
  OpenOrCreate(f, dir.File("a.dym"));
  EXPECT_EQ(f.SetRecordSize(1, 9), 0);
  EXPECT_EQ(f.SetRecordSize(1, 31), 0);
  EXPECT_EQ(f.GetRecordSize(1), 9);
  f.Close();
  ASSERT_EQ(f.Open(dir.File("a.dym")), 0);
  EXPECT_EQ(f.GetRecordSize(1), 9);
}

TEST(Dymfile, DamagedOrForeignFilesGiveCodes) {
  TempDir dir;
  Bytes shortFile = Fresh168();
  shortFile.resize(100);
  WriteBytes(dir.File("short.dym"), shortFile);
  Bytes foreign = Fresh168();
  foreign[7] = '2';
  WriteBytes(dir.File("foreign.dym"), foreign);

  t_dymfile f;
  EXPECT_EQ(f.Open(dir.File("short.dym")), kOsReadError);
  EXPECT_EQ(f.Open(dir.File("foreign.dym")), kDymNotContainer);
  EXPECT_TRUE(f.IsOpen());
  EXPECT_FALSE(f.HeaderValid());
  const Bytes fresh = Fresh168();
  EXPECT_TRUE(std::equal(fresh.begin(), fresh.end(), f.Header().begin()));
  Bytes buf(4);
  EXPECT_EQ(f.ReadRecord(0, buf), kDymNotOpen);
  EXPECT_EQ(f.GetCount(0), 0);
  EXPECT_EQ(f.LastError(), kDymNotOpen);
  f.Close();
  EXPECT_EQ(ReadBytes(dir.File("foreign.dym")), foreign);
}

// A header from a damaged file may claim any start, size and count; no
// operation may read or write outside the data part or overflow.
TEST(Dymfile, AbsurdDescriptorsAreRefusedNotFollowed) {
  TempDir dir;
  Bytes header = Fresh168();
  Descriptor(header, 0, 0x80000000u, 0xFFFF, 0x7FFFFFFF);   // start far before the data
  Descriptor(header, 1, 0x7FFFFFF0u, 0xFFFF, 0xFFFFFFFFu);  // negative count
  Descriptor(header, 2, 0, 4, 0x7FFFFFFF);
  WriteBytes(dir.File("bad.dym"), header);

  t_dymfile f;
  ASSERT_EQ(f.Open(dir.File("bad.dym")), 0);
  Bytes buf(16);
  EXPECT_EQ(f.ReadRecord(0, buf), kDymBadPosition);
  EXPECT_EQ(f.WriteRecord(0, buf), kDymBadPosition);
  EXPECT_EQ(f.WriteRecord(1, buf), kDymBadPosition);
  EXPECT_EQ(f.SetPosition(2, 0x7FFFFFFF), 0);
  EXPECT_EQ(f.WriteRecord(2, buf), kDymBadPosition);
  EXPECT_EQ(f.SetPosition(2, -1), kDymBadPosition);
  EXPECT_EQ(f.SetPosition(16, 0), kDymBadPosition);
  EXPECT_EQ(f.ReadRecord(200, buf), kDymBadPosition);
  EXPECT_EQ(f.GetRecordSize(16), 0);
  // Stream 3 claims records 1 GB behind the header; writing there would
  // turn a tiny damaged file into a huge one.
  Bytes far = Fresh168();
  Descriptor(far, 3, 0x40000000u, 4, 2);
  WriteBytes(dir.File("far.dym"), far);
  ASSERT_EQ(f.Open(dir.File("far.dym")), 0);
  EXPECT_EQ(f.WriteRecord(3, buf), kDymBadPosition);
  f.SetPosition(3, 2);
  EXPECT_EQ(f.WriteRecord(3, buf), kDymBadPosition);
  EXPECT_EQ(f.ReadRecord(3, buf), 0);  // reading there is a harmless short read
  f.Close();
  EXPECT_EQ(ReadBytes(dir.File("far.dym")), far);
  EXPECT_EQ(ReadBytes(dir.File("bad.dym")), header);
}

TEST(Dymfile, ClosedObjectRefusesRecordOperations) {
  TempDir dir;
  t_dymfile f;
  OpenOrCreate(f, dir.File("a.dym"));
  f.SetRecordSize(0, 2);
  f.Close();
  Bytes buf(2);
  EXPECT_EQ(f.SetPosition(0, 0), kDymNotOpen);
  EXPECT_EQ(f.ReadRecord(0, buf), kDymNotOpen);
  EXPECT_EQ(f.WriteHeader(), kDymNotOpen);
  EXPECT_EQ(f.GetCount(0), 0);
  // WriteRecord answers the previous code and writes nothing.
  EXPECT_EQ(f.WriteRecord(0, buf), kDymNotOpen);
  EXPECT_EQ(ReadBytes(dir.File("a.dym")).size(), 168u);
}

TEST(Dymfile, ShortSourceIsPaddedAndShortDestinationIsNotOverrun) {
  TempDir dir;
  t_dymfile f;
  OpenOrCreate(f, dir.File("a.dym"));
  f.SetRecordSize(0, 4);
  f.WriteRecord(0, Bytes{9});
  Bytes two(2, 0xEE);
  f.SetPosition(0, 0);
  EXPECT_EQ(f.ReadRecord(0, two), 0);
  EXPECT_EQ(two, (Bytes{9, 0}));
  f.Close();
  const Bytes file = ReadBytes(dir.File("a.dym"));
  EXPECT_EQ(Bytes(file.begin() + 168, file.end()), (Bytes{9, 0, 0, 0}));
}

TEST(Dymfile, ObjectOwnsItsHandleAcrossMoves) {
  TempDir dir;
  t_dymfile a;
  OpenOrCreate(a, dir.File("a.dym"));
  t_dymfile b = std::move(a);
  EXPECT_FALSE(a.IsOpen());
  EXPECT_TRUE(b.IsOpen());
  EXPECT_EQ(b.SetRecordSize(0, 1), 0);
  EXPECT_EQ(b.WriteRecord(0, Bytes{5}), 0);
}

}  // namespace
}  // namespace tavo
