#pragma once
// The main window's "Simulieren": the project's download image is built
// into a work folder of its own (no port, no download dialog) and the
// simulator window shows its drive D. Build and reader problems are shown
// in the message box.

#include <filesystem>

class QWidget;

namespace tavo {

class MessageBox;
class SimulatorWindow;
class Workspace;
class t_projekt;

struct SimulateCommandOptions {
  // Holds drive_c and drive_d of the image; empty: SimulatorWorkFolder().
  std::filesystem::path workFolder;
};

// "simulator" below the user's base folder in the user's data folder (never
// in the installation, which may be a source tree); a folder below the
// system's temporary folder when there is no data folder.
std::filesystem::path SimulatorWorkFolder();

// Builds and shows. The window belongs to `parent` (one per parent: a second
// call shows the new image in the same window) and is deleted when closed.
// Null when the image could not be built or read.
SimulatorWindow* RunSimulateCommand(QWidget* parent, Workspace& workspace, const t_projekt& project,
                                    MessageBox& messages,
                                    const SimulateCommandOptions& options = {});

}  // namespace tavo
