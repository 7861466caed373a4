// tavodex-cli image: builds the terminal image of a project without any
// port and lists what the terminal would receive.

#include <CLI/CLI.hpp>
#include <iomanip>
#include <iostream>

#include "app/cli/commands.h"
#include "app/workspace.h"
#include "download/image/imagebuilder.h"
#include "project/projectfile.h"
#include "shell/codepage.h"
#include "shell/messageboxes.h"
#include "shell/progress.h"

namespace tavo::cli {
namespace {

std::string U(const std::string& cp1252) {
  return Cp1252ToUtf8(cp1252);
}

void ListDriveFiles(const char* title, const std::filesystem::path& folder, std::ostream& out) {
  out << title << " (" << folder.string() << ")\n";
  for (const DriveEntry& e : ListDrive(folder)) {
    if (e.directory) {
      out << "  " << std::left << std::setw(14) << e.name << std::right << std::setw(10) << "<DIR>"
          << "\n";
      continue;
    }
    std::uint32_t crc = 0;
    const bool read = FileChecksum(folder / e.name, crc);
    out << "  " << std::left << std::setw(14) << e.name << std::right << std::setw(10) << e.size
        << "  ";
    if (read)
      out << std::hex << std::uppercase << std::setw(8) << std::setfill('0') << crc << std::dec
          << std::setfill(' ');
    else
      out << "unreadable";
    out << "\n";
  }
}

struct ImageOptions {
  std::string project, output;
};

int Image(const ImageOptions& o, CliIo& io) {
  const std::string& output = o.output;
  const OpenedProject opened = OpenProject(o.project, io);
  t_projekt* project = opened.project.get();
  ImageBuildOptions options;
  options.install = &io.install;
  options.translator = &io.workspace->translator();
  if (!output.empty()) options.workFolder = output;
  const DownloadImage image = BuildDownloadImage(*project, options);
  for (const std::string& warning : image.warnings) io.err << "warning: " << U(warning) << "\n";
  switch (image.status) {
    case ImageStatus::NoResourceFolder:
      io.err << "tavodex-cli: the installation has no resource folder\n";
      return 1;
    case ImageStatus::Failed:
      io.err << "tavodex-cli: " << U(image.error) << "\n";
      return 1;
    case ImageStatus::Cancelled:
      return 1;
    case ImageStatus::Built:
      break;
  }
  io.out << "Generation:  " << image.generation
         << (image.generation == 1 ? " (project image 00100000.PRJ)\n"
                                   : " (run file Project.run)\n");
  ListDriveFiles("Drive C", image.driveC, io.out);
  ListDriveFiles("Drive D", image.driveD, io.out);
  io.out << "Total C:     " << image.totalC << "\n"
         << "Total D:     " << image.totalD << "\n"
         << "Checksums:   " << image.checksums.size() << "\n";
  return 0;
}

}  // namespace

CommandRun DefineImage(CLI::App& app) {
  SetHelp(app,
          "usage: tavodex-cli image PROJECT.qvx [--output DIR]\n\n"
          "Builds the download image of the project's terminal (drive_c and drive_d in the\n"
          "base folder's temp.$$$, or in DIR) without any port, and lists every file of both\n"
          "drives with its size and checksum, the totals and the terminal generation.\n"
          "Missing optional files are listed as warnings. Exit code 1 on any file error.\n");
  auto o = std::make_shared<ImageOptions>();
  AddProjectArgument(app, o->project);
  app.add_option("--output", o->output, "the folder to build the image in");
  return [o](CliIo& io) { return Image(*o, io); };
}

}  // namespace tavo::cli
