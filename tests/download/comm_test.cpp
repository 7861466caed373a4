#include "download/comm.h"

#include <gtest/gtest.h>

#include "shell/inifile.h"
#include "virtualline.h"

namespace tavo {
namespace {

using testing::ScriptedDevice;
using testing::VirtualClock;

struct CommFixture : ::testing::Test {
  VirtualClock clock;
  ScriptedDevice* device = nullptr;
  std::unique_ptr<TComm> comm;
  void SetUp() override {
    auto d = std::make_unique<ScriptedDevice>(clock, nullptr);
    device = d.get();
    comm = std::make_unique<TComm>(std::move(d));
  }
};

TEST_F(CommFixture, DefaultsAndPortTable) {
  EXPECT_EQ(comm->Port(), 1);
  EXPECT_EQ(comm->Baud(), 9600);
  EXPECT_FALSE(comm->Active());
  EXPECT_EQ(comm->DeviceName(), "/dev/ttyS0");
  comm->SetPort(9);
  EXPECT_EQ(comm->DeviceName(), "/dev/ttyS8");
  comm->SetPort(10);
  EXPECT_FALSE(comm->Open());
  EXPECT_FALSE(comm->LastError().empty());

  IniFile ini;
  ini.Parse("[Port]\nComport=3\nCOM3=/dev/ttyUSB0\n");
  const PortDeviceTable table = PortDeviceTable::FromSettings(ini);
  EXPECT_EQ(table.DeviceOf(3), "/dev/ttyUSB0");
  EXPECT_EQ(table.DeviceOf(2), "/dev/ttyS1");

  comm->SetDeviceName("/tmp/line");
  EXPECT_EQ(comm->DeviceName(), "/tmp/line");
}

TEST_F(CommFixture, NewRateReopensAndReappliesTheLinesSameRateDoesNot) {
  comm->SetRtsOn(true);
  ASSERT_TRUE(comm->Open());
  EXPECT_EQ(device->configuredBaud, 9600);
  EXPECT_EQ(device->rtsLevels.back(), true);
  EXPECT_EQ(device->dtrLevels.back(), false);
  const int opens = device->opens;
  comm->SetBaud(9600);
  EXPECT_EQ(device->opens, opens);
  comm->SetBaud(28800);
  EXPECT_EQ(device->opens, opens + 1);
  EXPECT_EQ(device->configuredBaud, 28800);
  EXPECT_EQ(device->rtsLevels.size(), 2u);
  EXPECT_TRUE(comm->Active());
}

TEST_F(CommFixture, ReadTakesOnlyWhatWaitsAndClosedPortsRefuse) {
  std::uint8_t buffer[1500] = {};
  EXPECT_FALSE(comm->Write(buffer, 3));
  EXPECT_EQ(comm->Read(buffer, 1500), 0);
  EXPECT_EQ(comm->InCount(), 0);
  ASSERT_TRUE(comm->Open());
  device->Inject(std::vector<std::uint8_t>(10, 0x42));
  EXPECT_EQ(comm->InCount(), 10);
  EXPECT_EQ(comm->Read(buffer, 1500), 10);
  EXPECT_EQ(comm->Read(buffer, 1500), 0);
  EXPECT_FALSE(comm->Write(buffer, -1));
  EXPECT_TRUE(comm->WriteByte(0xAA));
}

TEST_F(CommFixture, RefusedRateIsReportedAndLeavesThePortClosed) {
  device->refusedRates = {14400};
  comm->SetBaud(14400);
  EXPECT_FALSE(comm->Open());
  EXPECT_FALSE(comm->Active());
  EXPECT_NE(comm->LastError().find("14400"), std::string::npos);
  comm->SetDeviceName("/dev/missing");
  comm->SetBaud(9600);
  EXPECT_FALSE(comm->Open());
  EXPECT_NE(comm->LastError().find("/dev/missing"), std::string::npos);
}

}  // namespace
}  // namespace tavo
