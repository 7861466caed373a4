#pragma once
// Runs tavodex-cli in the test's process, as scripts and CI call it:
// arguments in, exit code and the two output streams out. Every run works
// on an installation of the test's own, populated from data/, never on the
// repository's files.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/commands.h"
#include "support/tempfolder.h"

namespace tavo::cli {

namespace fs = std::filesystem;
using tavo::testing::TempFolder;

struct CliRun {
  int code = -1;
  std::string out, err;
};

inline std::ostream& operator<<(std::ostream& os, const CliRun& run) {
  return os << "exit " << run.code << "\n--- stdout\n" << run.out << "--- stderr\n" << run.err;
}

inline std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void Write(const fs::path& file, const std::string& content) {
  std::ofstream(file, std::ios::binary) << content;
}

// Puts std::cout and std::cerr into strings for one run and back afterwards,
// even when an assertion leaves the scope early.
class CaptureStreams {
 public:
  CaptureStreams()
      : out_(std::cout.rdbuf(outText_.rdbuf())), err_(std::cerr.rdbuf(errText_.rdbuf())) {}
  ~CaptureStreams() {
    std::cout.rdbuf(out_);
    std::cerr.rdbuf(err_);
  }
  CaptureStreams(const CaptureStreams&) = delete;
  CaptureStreams& operator=(const CaptureStreams&) = delete;
  std::string Out() const { return outText_.str(); }
  std::string Err() const { return errText_.str(); }

 private:
  std::ostringstream outText_, errText_;
  std::streambuf* out_;
  std::streambuf* err_;
};

class CliTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    home_ = std::make_unique<TempFolder>();
    // The installation comes from this checkout's data/; settings and the
    // per-user copy stay inside the test's folder.
    setenv("TAVODEX_DATA", TAVO_DATA_DIR, 1);
    setenv("XDG_DATA_HOME", home_->File("data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", home_->File("config").c_str(), 1);
  }
  static void TearDownTestSuite() { home_.reset(); }

  static fs::path Base() { return home_->path() / "base"; }

  // tavodex-cli --base <own installation> --populate ARGS...
  static CliRun Run(const std::vector<std::string>& args) {
    std::vector<std::string> all = {"tavodex-cli", "--base", Base().string(), "--populate"};
    all.insert(all.end(), args.begin(), args.end());
    return RunExactly(all);
  }
  static CliRun RunExactly(std::vector<std::string> all) {
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    CaptureStreams capture;
    CliRun run;
    run.code = RunCli(static_cast<int>(all.size()), argv.data());
    run.out = capture.Out();
    run.err = capture.Err();
    return run;
  }

  // A copy of a shipped file (relative to data/) in the test's own folder.
  fs::path Copy(const std::string& dataFile, const std::string& as = {}) {
    const fs::path source = fs::path(TAVO_DATA_DIR) / dataFile;
    const fs::path target = files_ / (as.empty() ? source.filename().string() : as);
    fs::create_directories(target.parent_path());
    fs::copy_file(source, target, fs::copy_options::overwrite_existing);
    return target;
  }

  inline static std::unique_ptr<TempFolder> home_;
  TempFolder files_;
};

}  // namespace tavo::cli
