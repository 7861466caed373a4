// What the commands share about files: why one cannot be opened, writing an
// image without ever leaving half a file, and telling about resource files a
// picture could not use.

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>
#include <ostream>

#include "app/cli/commands.h"
#include "shell/codepage.h"
#include "shell/safefile.h"

namespace tavo::cli {

std::string CannotOpen(const std::string& path) {
  std::string why = WhyUnreadable(path);
  // The file opens, yet the reader got nothing from it.
  if (why.empty()) why = "it cannot be read";
  return "cannot open " + path + ": " + why;
}

bool SavePng(const QImage& image, const std::string& path, std::string* error) {
  // Encoded in memory first: a file is only written once the whole image is
  // there, and it replaces the target in one step.
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "PNG");
  if (!writer.write(image)) {
    if (error) *error = "cannot encode " + path + ": " + writer.errorString().toStdString();
    return false;
  }
  return WriteFileSafely(path, std::string_view(bytes.constData(), std::size_t(bytes.size())),
                         error);
}

ProblemReport::ProblemReport(std::ostream& err) : err_(err) {}

ResourceProblemSink ProblemReport::Sink() {
  return [this](const std::string& file, const std::string& problem) {
    if (!told_.insert(file + "\n" + problem).second) return;
    err_ << "warning: " << Cp1252ToUtf8(file) << ": " << problem << "\n";
  };
}

}  // namespace tavo::cli
