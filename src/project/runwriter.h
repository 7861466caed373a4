#pragma once
// Output of the run form: the lines for the terminal plus what writing them
// collects on the way (the resource files the terminal will need).

#include <string>
#include <utility>

#include "project/liste.h"
#include "project/usedfiles.h"

namespace tavo {

class t_bild;

class RunWriter {
 public:
  RunWriter(LineSink sink, UsedFileTable& usedFiles)
      : sink_(std::move(sink)), usedFiles_(usedFiles) {}
  virtual ~RunWriter() = default;

  void Line(const std::string& text) { sink_(text); }
  // An emptied buffer to build the next line in: its room is kept from line
  // to line, so writing thousands of objects does not allocate per line.
  std::string& StartLine() {
    line_.clear();
    return line_;
  }
  const LineSink& Sink() const { return sink_; }
  UsedFileTable& UsedFiles() { return usedFiles_; }

  // Called by every picture right after its "-(Picture;" line: a writer
  // for the terminal compiles the picture into its own files here. The
  // plain writer wants the run file only.
  virtual void CompilePicture(const t_bild& /*picture*/, const std::string& /*pictureLine*/) {}

  // Folder (with trailing separator) that receives the per-picture files
  // written while the run file is written; empty when none are wanted.
  std::string pictureFolder;

 private:
  LineSink sink_;
  UsedFileTable& usedFiles_;
  std::string line_;
};

}  // namespace tavo
