#include "qt/serialport.h"

#include <gtest/gtest.h>
#include <QCoreApplication>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>

#include "download/comm.h"

namespace tavo {
namespace {

// A pseudo-terminal whose master the test holds.
struct Pty {
  int master = -1;
  int slave = -1;
  std::string name;
  Pty() {
    master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return;
    name = ptsname(master);
    slave = ::open(name.c_str(), O_RDWR | O_NOCTTY);
    termios tio{};
    tcgetattr(slave, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave, TCSANOW, &tio);
  }
  ~Pty() {
    if (slave >= 0) ::close(slave);
    if (master >= 0) ::close(master);
  }
};

int WaitFor(TComm& comm, int count) {
  for (int i = 0; i < 200 && comm.InCount() < count; ++i) usleep(5000);
  return comm.InCount();
}

TEST(QtSerialDevice, RatesOfTheTableIncludingTheUnusualOnes) {
  Pty pty;
  ASSERT_FALSE(pty.name.empty());
  TComm comm(std::make_unique<QtSerialDevice>());
  comm.SetDeviceName(pty.name);
  for (int rate : {115200, 28800, 14400, 300}) {
    comm.SetBaud(rate);
    EXPECT_TRUE(comm.Open()) << rate << ": " << comm.LastError();
  }
  comm.Close();
  EXPECT_FALSE(comm.Active());
}

TEST(QtSerialDevice, BytesBothWaysAndReopeningDropsWhatWaited) {
  Pty pty;
  ASSERT_FALSE(pty.name.empty());
  TComm comm(std::make_unique<QtSerialDevice>());
  comm.SetDeviceName(pty.name);
  comm.SetBaud(14400);
  ASSERT_TRUE(comm.Open()) << comm.LastError();
  const std::uint8_t frame[] = {0x01, 0x00, 0x01, 0x00, 0xB5, 0x54};
  ASSERT_TRUE(comm.Write(frame, sizeof frame));
  std::uint8_t got[16] = {};
  usleep(20000);
  EXPECT_EQ(::read(pty.master, got, sizeof got), 6);
  EXPECT_EQ(got[4], 0xB5);

  ASSERT_EQ(::write(pty.master, "0123456789", 10), 10);
  EXPECT_EQ(WaitFor(comm, 10), 10);
  std::uint8_t buffer[1500];
  EXPECT_EQ(comm.Read(buffer, 4), 4);
  // What is still waiting belongs to an old exchange once the port reopens.
  ASSERT_TRUE(comm.Open());
  usleep(20000);
  EXPECT_EQ(comm.InCount(), 0);
  ASSERT_EQ(::write(pty.master, "ab", 2), 2);
  EXPECT_EQ(WaitFor(comm, 2), 2);
  EXPECT_EQ(comm.Read(buffer, 1500), 2);
  EXPECT_EQ(buffer[0], 'a');
}

// Every attempt of an exchange restarts the line: stale reply bytes must not
// survive it, with or without a real close.
TEST(QtSerialDevice, RestartDropsWhatWaitedAndOpensAClosedPort) {
  Pty pty;
  ASSERT_FALSE(pty.name.empty());
  TComm comm(std::make_unique<QtSerialDevice>());
  comm.SetDeviceName(pty.name);
  comm.SetBaud(115200);
  EXPECT_TRUE(comm.Restart()) << comm.LastError();
  ASSERT_TRUE(comm.Active());
  ASSERT_EQ(::write(pty.master, "0123456789", 10), 10);
  EXPECT_EQ(WaitFor(comm, 10), 10);
  std::uint8_t buffer[64];
  EXPECT_EQ(comm.Read(buffer, 3), 3);
  ASSERT_TRUE(comm.Restart());
  usleep(20000);
  EXPECT_EQ(comm.InCount(), 0);
  ASSERT_EQ(::write(pty.master, "ab", 2), 2);
  EXPECT_EQ(WaitFor(comm, 2), 2);
  ASSERT_EQ(comm.Read(buffer, sizeof buffer), 2);
  EXPECT_EQ(buffer[0], 'a');
  // Frames still go out after it.
  const std::uint8_t frame[] = {0x01, 0x00, 0x01, 0x00, 0xB5, 0x54};
  ASSERT_TRUE(comm.Write(frame, sizeof frame));
  usleep(20000);
  EXPECT_EQ(::read(pty.master, buffer, sizeof buffer), 6);
}

TEST(QtSerialDevice, MissingDeviceIsReported) {
  TComm comm(std::make_unique<QtSerialDevice>());
  comm.SetDeviceName("/nonexistent/ttyX");
  EXPECT_FALSE(comm.Open());
  EXPECT_NE(comm.LastError().find("/nonexistent/ttyX"), std::string::npos);
  std::uint8_t b = 0;
  EXPECT_FALSE(comm.WriteByte(b));
}

}  // namespace
}  // namespace tavo
