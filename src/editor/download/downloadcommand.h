#pragma once
// The main window's transfer command ("Download starten"): the download
// dialog, the image of the project, and the download over the serial line
// with the progress window, all on the user interface thread. The user
// interface keeps repainting while the transfer waits; the progress window
// blocks every other window until the transfer has ended.

#include <filesystem>
#include <optional>
#include <vector>

#include "download/comm.h"
#include "download/image/imagebuilder.h"
#include "download/protocol/projektdownload.h"

class QWidget;

namespace tavo {

class MessageBox;
class Workspace;
class t_projekt;

struct DownloadCommandOptions {
  // Device of each port number; unset: the "COMn" keys of section "Port" of
  // the user's settings file, else /dev/ttyS0 .. /dev/ttyS8.
  std::optional<PortDeviceTable> ports;
  // Holds drive_c and drive_d of the image; empty: "temp.$$$" below the
  // base folder.
  std::filesystem::path workFolder;
};

struct DownloadCommandResult {
  // Another transfer was running; nothing was done.
  bool busy = false;
  // How far the image got (Cancelled: the dialog was cancelled).
  ImageStatus image = ImageStatus::Cancelled;
  // Set when the download sequence ran.
  std::optional<DownloadOutcome> outcome;
};

// Runs the whole command; every outcome is reported through `messages`.
// The port is closed and the progress window gone when it returns.
DownloadCommandResult RunDownloadCommand(QWidget* parent, Workspace& workspace,
                                         const t_projekt& project, MessageBox& messages,
                                         const DownloadCommandOptions& options = {});

// The numbers of the ports 1 .. 9 whose devices can be opened now (each is
// opened and closed again).
std::vector<int> OpenablePorts(const PortDeviceTable& ports);

// The port devices as the user's settings file names them.
PortDeviceTable UserPortDevices();

}  // namespace tavo
