#pragma once
// TComm: the serial line to the terminal. One numbered port, opened
// exclusively, 8 data bits, no parity, one stop bit, no flow control; RTS
// and DTR follow two properties. Writes are handed on at once, reads take
// only what has arrived, and the caller polls InCount().
//
// The device itself sits behind SerialDevice, so the core stays free of any
// platform library: the program uses QtSerialPort, tests a scripted line.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace tavo {

class IniFile;

// What the line's driver reports and clears in one call.
struct SerialStatus {
  int inCount = 0;   // received bytes waiting
  int outCount = 0;  // bytes not yet sent
};

class SerialDevice {
 public:
  virtual ~SerialDevice() = default;
  // Opens `deviceName` for reading and writing, not shared. Input that was
  // waiting in the driver is discarded.
  virtual bool Open(const std::string& deviceName) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // 8N1 without flow control at `baud`; false when the device refuses any of
  // it (ErrorText() says what).
  virtual bool Configure(int baud) = 0;
  // The escape functions for the modem lines.
  virtual void SetRts(bool on) = 0;
  virtual void SetDtr(bool on) = 0;
  // Counts of the driver; clears pending line errors (framing, overrun).
  virtual SerialStatus ClearErrors() = 0;
  // Reads at most `count` bytes of what has arrived; never waits.
  virtual int Read(std::uint8_t* buffer, int count) = 0;
  // Hands `count` bytes to the driver; returns how many it took.
  virtual int Write(const std::uint8_t* data, int count) = 0;
  virtual std::string ErrorText() const = 0;
  // Drops the input that has arrived and not been read, keeping the device
  // open. False when the device cannot (or is in trouble): the caller then
  // closes and opens it, which drops the input too.
  virtual bool DiscardInput() { return false; }
};

// Device names of the ports 1 .. 9. The defaults are /dev/ttyS0 .. /dev/ttyS8;
// the settings file's section "Port" may name any device instead, e.g.
// "COM3=/dev/ttyUSB0".
class PortDeviceTable {
 public:
  static constexpr int kPorts = 9;
  PortDeviceTable();
  // Reads the "COM1" .. "COM9" keys of section "Port"; missing keys keep
  // their defaults.
  static PortDeviceTable FromSettings(const IniFile& ini);
  // "" for a number outside 1 .. 9.
  std::string DeviceOf(int port) const;
  void SetDevice(int port, std::string device);

 private:
  std::array<std::string, kPorts> devices_;
};

class TComm {
 public:
  explicit TComm(std::unique_ptr<SerialDevice> device, PortDeviceTable ports = PortDeviceTable());
  ~TComm();
  TComm(const TComm&) = delete;
  TComm& operator=(const TComm&) = delete;

  int Port() const { return port_; }
  void SetPort(int port);
  // A device path used instead of the port table ("" returns to the table).
  // Reopens an open port when it changes.
  void SetDeviceName(std::string device);
  // The device the port opens.
  std::string DeviceName() const;

  int Baud() const { return baud_; }
  void SetBaud(int baud);
  bool RtsOn() const { return rtsOn_; }
  void SetRtsOn(bool on);
  bool DtrOn() const { return dtrOn_; }
  void SetDtrOn(bool on);

  bool Active() const;
  int InCount();
  int OutCount();

  // Closes an open port first. False when the device cannot be opened or
  // refuses the bit rate; LastError() then tells why and the port stays
  // closed: a line at the wrong rate only produces garbage.
  bool Open();
  void Close();
  // What a close and open would do for the next exchange, without letting
  // go of the device where it allows: input still waiting is dropped and
  // the rate and lines are applied again. Opens a closed port.
  bool Restart();
  bool WriteByte(std::uint8_t byte);
  bool Write(const std::uint8_t* data, int count);
  int Read(std::uint8_t* buffer, int count);

  // Why the last Open() failed ("" after a good one).
  const std::string& LastError() const { return lastError_; }

 private:
  void Reopen();

  std::unique_ptr<SerialDevice> device_;
  PortDeviceTable ports_;
  std::string deviceOverride_;
  int port_ = 1;
  int baud_ = 9600;
  bool rtsOn_ = false;
  bool dtrOn_ = false;
  std::string lastError_;
};

}  // namespace tavo
