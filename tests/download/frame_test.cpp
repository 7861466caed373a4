#include "download/protocol/frame.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "download/progress.h"
#include "download/protocol/fileinfo.h"

namespace tavo {
namespace {

std::span<const std::uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TEST(FrameCrc, KnownValuesAndSelfCheck) {
  EXPECT_EQ(FrameCrc(Bytes("abc")), 0x15F4);
  const std::uint8_t code = kReqVersion;
  const std::vector<std::uint8_t> frame = BuildFrame(1, std::span<const std::uint8_t>(&code, 1));
  EXPECT_EQ(frame, (std::vector<std::uint8_t>{0x01, 0x00, 0x01, 0x00, 0xB5, 0x54}));
  // Continued over its own check bytes, an intact frame gives 0.
  EXPECT_EQ(FrameCrc(frame), 0);
  std::vector<std::uint8_t> damaged = frame;
  damaged[3] ^= 0x01;
  EXPECT_NE(FrameCrc(damaged), 0);
}

TEST(FrameCrc, LengthIsHighByteFirst) {
  const std::vector<std::uint8_t> data(0x123, 0x5A);
  const std::vector<std::uint8_t> frame = BuildFrame(7, data);
  ASSERT_EQ(frame.size(), 0x123u + 5);
  EXPECT_EQ(frame[1], 0x01);
  EXPECT_EQ(frame[2], 0x23);
}

TEST(FileInfoRecord, EncodesTheTwentyTwoBytesLittleEndian) {
  FileInfoRecord r;
  r.attribute = kAttrArchive;
  r.time = 0x11223344;
  r.size = 70000;
  r.name = "PROJECT.RUN";
  std::uint8_t bytes[kFileInfoSize];
  EncodeFileInfo(r, bytes);
  const std::uint8_t expected[kFileInfoSize] = {0x20, 0x44, 0x33, 0x22, 0x11, 0x70, 0x11, 0x01,
                                                0x00, 11,   'P',  'R',  'O',  'J',  'E',  'C',
                                                'T',  '.',  'R',  'U',  'N',  0};
  EXPECT_EQ(0, std::memcmp(bytes, expected, kFileInfoSize));
  const FileInfoRecord back = DecodeFileInfo(bytes);
  EXPECT_EQ(back.name, "PROJECT.RUN");
  EXPECT_EQ(back.size, 70000);
  EXPECT_EQ(back.time, 0x11223344u);
  // A length byte beyond the field never reads past it.
  bytes[9] = 200;
  EXPECT_EQ(DecodeFileInfo(bytes).name.size(), 12u);
}

TEST(FileInfoRecord, ShortNames) {
  struct Case {
    const char* name;
    bool fits;
  } cases[] = {{"PROJECT.RUN", true},
               {"Files.LST", true},
               {"A", true},
               {"ABCDEFGH.IJK", true},
               {"ABCDEFGHI.TXT", false},
               {"PIC.HCDX", false},
               {"two.dots.x", false},
               {"", false},
               {".hidden", false},
               {"end.", false},
               {"with space.txt", false},
               {"a*b.txt", false}};
  for (const Case& c : cases) EXPECT_EQ(FitsShortName(c.name), c.fits) << c.name;
}

TEST(NormalisePath, BareDrivesGetTheirRootOtherPathsLoseTheTrailingSeparator) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {{"c:", "c:\\"},        {"c:\\", "c:\\"}, {"d:\\pics\\", "d:\\pics"},
               {"/tmp/x/", "/tmp/x"}, {"pics", "pics"}, {"", ""}};
  for (const Case& c : cases) EXPECT_EQ(NormalisePath(c.in), c.out) << c.in;
}

TEST(LineTime, TenBitsPerByteRoundedUp) {
  EXPECT_EQ(LineTimeMs(1060, 9600), 1105);
  EXPECT_EQ(LineTimeMs(6, 115200), 1);
  EXPECT_EQ(LineTimeMs(1060, 300), 35334);
  EXPECT_EQ(RateOfIndex(4), 28800);
  EXPECT_EQ(RateOfIndex(13), 0);
  EXPECT_EQ(IndexOfRate(14400), 6);
}

TEST(DosPattern, StarDotStarTakesNamesWithoutDot) {
  EXPECT_TRUE(MatchesDosPattern("Makefile", "*.*"));
  EXPECT_TRUE(MatchesDosPattern("IP01.SET", "ip*.set"));
  EXPECT_FALSE(MatchesDosPattern("S1.INI", "ip*.set"));
}

}  // namespace
}  // namespace tavo
