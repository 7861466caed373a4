#include "qt/serialport.h"

namespace tavo {

QtSerialDevice::QtSerialDevice() = default;

QtSerialDevice::~QtSerialDevice() {
  Close();
}

bool QtSerialDevice::Open(const std::string& deviceName) {
  error_.clear();
  port_.setPortName(QString::fromStdString(deviceName));
  if (!port_.open(QIODevice::ReadWrite)) {
    error_ = port_.errorString().toStdString();
    return false;
  }
  // What waited in the driver belongs to an earlier exchange; a
  // pseudo-terminal keeps it across close and open.
  port_.clear(QSerialPort::AllDirections);
  port_.readAll();
  return true;
}

void QtSerialDevice::Close() {
  if (port_.isOpen()) port_.close();
}

bool QtSerialDevice::IsOpen() const {
  return port_.isOpen();
}

bool QtSerialDevice::Configure(int baud) {
  const bool ok = port_.setBaudRate(baud) && port_.setDataBits(QSerialPort::Data8) &&
                  port_.setParity(QSerialPort::NoParity) &&
                  port_.setStopBits(QSerialPort::OneStop) &&
                  port_.setFlowControl(QSerialPort::NoFlowControl);
  if (!ok || port_.baudRate() != baud) {
    error_ = port_.errorString().toStdString();
    port_.clearError();
    return false;
  }
  return true;
}

// Lines a device does not have (a pseudo-terminal has none) are no failure.
void QtSerialDevice::SetRts(bool on) {
  port_.setRequestToSend(on);
  port_.clearError();
}

void QtSerialDevice::SetDtr(bool on) {
  port_.setDataTerminalReady(on);
  port_.clearError();
}

SerialStatus QtSerialDevice::ClearErrors() {
  if (!port_.isOpen()) return {};
  // Take in what the driver holds without waiting for the event loop.
  if (port_.bytesAvailable() == 0) port_.waitForReadyRead(0);
  port_.clearError();
  return {static_cast<int>(port_.bytesAvailable()), static_cast<int>(port_.bytesToWrite())};
}

int QtSerialDevice::Read(std::uint8_t* buffer, int count) {
  if (!port_.isOpen() || count <= 0) return 0;
  const qint64 n = port_.read(reinterpret_cast<char*>(buffer), count);
  return n > 0 ? static_cast<int>(n) : 0;
}

int QtSerialDevice::Write(const std::uint8_t* data, int count) {
  if (!port_.isOpen() || count <= 0) return 0;
  const qint64 n = port_.write(reinterpret_cast<const char*>(data), count);
  // Hand the bytes to the driver now rather than at the next event.
  port_.flush();
  return n > 0 ? static_cast<int>(n) : 0;
}

// Opening a device costs milliseconds (QSerialPort takes a lock file and
// syncs it to disk), which the protocol would pay for every frame.
bool QtSerialDevice::DiscardInput() {
  if (!port_.isOpen() || port_.error() != QSerialPort::NoError) return false;
  if (!port_.clear(QSerialPort::Input)) {
    port_.clearError();
    return false;
  }
  port_.readAll();
  return true;
}

std::string QtSerialDevice::ErrorText() const {
  return error_.empty() ? port_.errorString().toStdString() : error_;
}

}  // namespace tavo
