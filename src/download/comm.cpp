#include "download/comm.h"

#include <utility>

#include "shell/inifile.h"

namespace tavo {

PortDeviceTable::PortDeviceTable() {
  for (int i = 0; i < kPorts; ++i) devices_[i] = "/dev/ttyS" + std::to_string(i);
}

PortDeviceTable PortDeviceTable::FromSettings(const IniFile& ini) {
  PortDeviceTable table;
  for (int port = 1; port <= kPorts; ++port) {
    const std::string key = "COM" + std::to_string(port);
    std::string device = ini.ReadString("Port", key, "");
    if (!device.empty()) table.SetDevice(port, std::move(device));
  }
  return table;
}

std::string PortDeviceTable::DeviceOf(int port) const {
  return port >= 1 && port <= kPorts ? devices_[port - 1] : std::string();
}

void PortDeviceTable::SetDevice(int port, std::string device) {
  if (port >= 1 && port <= kPorts) devices_[port - 1] = std::move(device);
}

TComm::TComm(std::unique_ptr<SerialDevice> device, PortDeviceTable ports)
    : device_(std::move(device)), ports_(std::move(ports)) {}

TComm::~TComm() {
  Close();
}

std::string TComm::DeviceName() const {
  return deviceOverride_.empty() ? ports_.DeviceOf(port_) : deviceOverride_;
}

void TComm::Reopen() {
  if (Active()) Open();
}

void TComm::SetPort(int port) {
  if (port == port_) return;
  port_ = port;
  Reopen();
}

void TComm::SetDeviceName(std::string device) {
  if (device == deviceOverride_) return;
  deviceOverride_ = std::move(device);
  Reopen();
}

void TComm::SetBaud(int baud) {
  if (baud == baud_) return;
  baud_ = baud;
  Reopen();
}

void TComm::SetRtsOn(bool on) {
  rtsOn_ = on;
  if (Active()) device_->SetRts(on);
}

void TComm::SetDtrOn(bool on) {
  dtrOn_ = on;
  if (Active()) device_->SetDtr(on);
}

bool TComm::Active() const {
  return device_->IsOpen();
}

int TComm::InCount() {
  return Active() ? device_->ClearErrors().inCount : 0;
}

int TComm::OutCount() {
  return Active() ? device_->ClearErrors().outCount : 0;
}

bool TComm::Open() {
  Close();
  lastError_.clear();
  const std::string name = DeviceName();
  if (name.empty()) {
    lastError_ = "port " + std::to_string(port_) + " has no device";
    return false;
  }
  if (!device_->Open(name)) {
    lastError_ = name + ": " + device_->ErrorText();
    return false;
  }
  if (!device_->Configure(baud_)) {
    lastError_ = name + ": " + std::to_string(baud_) + " bit/s refused: " + device_->ErrorText();
    device_->Close();
    return false;
  }
  device_->SetRts(rtsOn_);
  device_->SetDtr(dtrOn_);
  return true;
}

bool TComm::Restart() {
  if (Active() && device_->DiscardInput() && device_->Configure(baud_)) {
    device_->SetRts(rtsOn_);
    device_->SetDtr(dtrOn_);
    return true;
  }
  return Open();
}

void TComm::Close() {
  if (device_->IsOpen()) device_->Close();
}

bool TComm::WriteByte(std::uint8_t byte) {
  return Write(&byte, 1);
}

bool TComm::Write(const std::uint8_t* data, int count) {
  if (!Active() || count < 0) return false;
  if (count == 0) return true;
  return device_->Write(data, count) == count;
}

int TComm::Read(std::uint8_t* buffer, int count) {
  if (!Active() || count <= 0) return 0;
  const int waiting = InCount();
  if (waiting <= 0) return 0;
  return device_->Read(buffer, waiting < count ? waiting : count);
}

}  // namespace tavo
