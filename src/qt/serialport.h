#pragma once
// The serial line on QSerialPort: any device path (a UART, a USB adapter,
// a pseudo-terminal). Bit rates outside the operating system's fixed list
// (14400, 28800) are set as custom rates; a rate the device refuses makes
// Configure() fail.

#include <QSerialPort>

#include "download/comm.h"

namespace tavo {

class QtSerialDevice : public SerialDevice {
 public:
  QtSerialDevice();
  ~QtSerialDevice() override;

  bool Open(const std::string& deviceName) override;
  void Close() override;
  bool IsOpen() const override;
  bool Configure(int baud) override;
  void SetRts(bool on) override;
  void SetDtr(bool on) override;
  SerialStatus ClearErrors() override;
  int Read(std::uint8_t* buffer, int count) override;
  int Write(const std::uint8_t* data, int count) override;
  std::string ErrorText() const override;
  bool DiscardInput() override;

 private:
  QSerialPort port_;
  std::string error_;
};

}  // namespace tavo
