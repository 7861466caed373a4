// tavodex-cli check: the project check for scripts and CI, as lines or as
// JSON, with an exit code that fails a build on findings of a chosen
// severity.

#include <iostream>

#include "app/cli/commands.h"
#include "app/workspace.h"
#include "check/projectcheck.h"
#include "project/projekt.h"
#include "shell/codepage.h"

namespace tavo::cli {
namespace {

std::string U(const std::string& cp1252) {
  return Cp1252ToUtf8(cp1252);
}

// A JSON string of UTF-8 text.
std::string Json(const std::string& utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      static const char* hex = "0123456789abcdef";
      out += "\\u00";
      out += hex[byte >> 4];
      out += hex[byte & 15];
    } else {
      out += c;
    }
  }
  return out + "\"";
}

const char* SeverityKey(Severity severity) {
  switch (severity) {
    case Severity::Error:
      return "error";
    case Severity::Warning:
      return "warning";
    case Severity::Note:
      break;
  }
  return "note";
}

const char* PlaceKey(PlaceKind kind) {
  switch (kind) {
    case PlaceKind::Project:
      break;
    case PlaceKind::Picture:
      return "picture";
    case PlaceKind::Object:
      return "object";
    case PlaceKind::Key:
      return "key";
    case PlaceKind::Variable:
      return "variable";
    case PlaceKind::Alarm:
      return "alarm";
    case PlaceKind::TextList:
      return "textList";
  }
  return "project";
}

// The place as fields a script can follow: picture numbers, the object's
// positions from the picture down through groups (counted from 0), record
// numbers.
std::string JsonPlace(const FindingPlace& place) {
  std::string out = "{\"kind\": " + Json(PlaceKey(place.kind));
  switch (place.kind) {
    case PlaceKind::Project:
      break;
    case PlaceKind::Object:
    case PlaceKind::Key:
    case PlaceKind::Picture:
      out += ", \"picture\": " + std::to_string(place.pictureNumber) +
             ", \"pictureName\": " + Json(U(place.pictureName));
      if (place.kind == PlaceKind::Key) out += ", \"key\": " + std::to_string(place.key);
      if (place.kind == PlaceKind::Object) {
        out += ", \"objectPath\": [";
        for (std::size_t i = 0; i < place.object.size(); ++i)
          out += (i ? ", " : "") + std::to_string(place.object[i]);
        out += "], \"objectName\": " + Json(U(place.objectName));
      }
      break;
    case PlaceKind::Variable:
    case PlaceKind::Alarm:
    case PlaceKind::TextList:
      out += ", \"number\": " + std::to_string(place.number) + ", \"name\": " + Json(U(place.name));
      break;
  }
  return out + "}";
}

int Usage(std::ostream& out, int code) {
  out << "usage: tavodex-cli check PROJECT.qvx [--format text|json] [--fail-on error|warning]\n\n"
         "Checks the project as the terminal will receive it: references to variables,\n"
         "text lists and pictures, objects on the display, fonts, bitmap files, file\n"
         "names and the number of files on drive D, input fields, alarm texts, unused\n"
         "variables and text lists. Prints one line per finding (code, severity, place,\n"
         "message) and a summary, or the same as one JSON object.\n"
         "Exit code 0 when nothing at or above the --fail-on severity (default: error)\n"
         "was found, 1 otherwise, 2 for a usage error or a file that cannot be read or\n"
         "is no project file. The reader's messages about damaged lines go to stderr.\n";
  return code;
}

}  // namespace

int CmdCheck(const Args& argsIn, CliIo& io) {
  Args args = argsIn;
  if (WantsHelp(args)) return Usage(io.out, 0);
  std::string format = "text", failOn = "error";
  if (!TakeOption(args, "--format", format) || !TakeOption(args, "--fail-on", failOn) ||
      args.size() != 1 || (format != "text" && format != "json") ||
      (failOn != "error" && failOn != "warning"))
    return Usage(io.err, 2);
  const Severity threshold = failOn == "warning" ? Severity::Warning : Severity::Error;

  auto project = OpenProject(args[0], io);
  if (!project) return 2;
  const std::vector<Finding> findings =
      CheckProject(*project, {io.workspace->catalog().fonts.get(), &io.install});
  Translator& tr = io.workspace->translator();
  const bool failed = CountAtLeast(findings, threshold) > 0;

  if (format == "text") {
    for (const Finding& f : findings) io.out << U(FindingLine(f, tr)) << "\n";
    io.out << U(CheckSummary(findings, tr)) << "\n";
    return failed ? 1 : 0;
  }
  io.out << "{\n  \"project\": " << Json(args[0]) << ",\n  \"findings\": [";
  for (std::size_t i = 0; i < findings.size(); ++i) {
    const Finding& f = findings[i];
    io.out << (i ? ",\n" : "\n") << "    {\"code\": " << Json(f.code())
           << ", \"severity\": " << Json(SeverityKey(f.severity()))
           << ", \"place\": " << Json(U(PlaceText(f.place, tr)))
           << ", \"message\": " << Json(U(FindingMessage(f, tr)))
           << ", \"where\": " << JsonPlace(f.place) << "}";
  }
  io.out << (findings.empty() ? "],\n" : "\n  ],\n")
         << "  \"summary\": {\"errors\": " << CountAtLeast(findings, Severity::Error)
         << ", \"warnings\": "
         << CountAtLeast(findings, Severity::Warning) - CountAtLeast(findings, Severity::Error)
         << ", \"notes\": "
         << CountAtLeast(findings, Severity::Note) - CountAtLeast(findings, Severity::Warning)
         << ", \"text\": " << Json(U(CheckSummary(findings, tr))) << "},\n"
         << "  \"failOn\": " << Json(failOn) << ",\n  \"failed\": " << (failed ? "true" : "false")
         << "\n}\n";
  return failed ? 1 : 0;
}

}  // namespace tavo::cli
