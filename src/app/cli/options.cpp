// How the commands declare their arguments: help texts, the project
// argument, and values checked while the command line is parsed, so that a
// wrong value is a usage error before any file is touched.

#include <CLI/CLI.hpp>
#include <cctype>
#include <cmath>
#include <sstream>

#include "app/cli/commands.h"

namespace tavo::cli {
namespace {

// A whole text that is a number; "2x", " 2", "" and "nan" are not.
bool ParseWhole(const std::string& text, double& value) {
  if (text.empty() || std::isspace(static_cast<unsigned char>(text.front()))) return false;
  try {
    std::size_t used = 0;
    value = std::stod(text, &used);
    return used == text.size() && std::isfinite(value);
  } catch (const std::exception&) {
    return false;
  }
}

std::string Quoted(const std::string& text) {
  return "'" + text + "'";
}

}  // namespace

void SetHelp(CLI::App& app, const char* text) {
  app.description(text);
}

void AddProjectArgument(CLI::App& app, std::string& path, const char* name) {
  app.add_option(name, path, "the project file")->required();
}

void AddInteger(CLI::App& app, const std::string& name, int& value, int low, int high,
                const std::string& description) {
  // The value is written back in decimal: the parser would otherwise read
  // "010" as octal.
  app.add_option(name, value, description)
      ->transform(CLI::Validator(
          [low, high](std::string& text) -> std::string {
            // Digits only: "2e2" and "1.0" are no whole numbers as written.
            const bool digits =
                text.find_first_not_of("0123456789", text[0] == '-' ? 1 : 0) == std::string::npos;
            double v = 0;
            if (!digits || !ParseWhole(text, v) || v < low || v > high)
              return Quoted(text) + " is not a whole number in " + std::to_string(low) + " .. " +
                     std::to_string(high);
            text = std::to_string(static_cast<int>(v));
            return {};
          },
          "INTEGER"));
}

void AddNumber(CLI::App& app, const std::string& name, double& value, double low, double high,
               const std::string& description) {
  app.add_option(name, value, description)
      ->transform(CLI::Validator(
          [low, high](std::string& text) -> std::string {
            double v = 0;
            if (!ParseWhole(text, v) || v <= low || v > high) {
              std::ostringstream range;
              range << "(" << low << ", " << high << "]";
              return Quoted(text) + " is not a number in " + range.str();
            }
            std::ostringstream exact;
            exact.precision(17);
            exact << v;
            text = exact.str();
            return {};
          },
          "NUMBER"));
}

void AddChoice(CLI::App& app, const std::string& name, std::string& value,
               const std::vector<std::string>& choices, const std::string& description) {
  AddChecked(
      app, name, value,
      [choices](const std::string& text) -> std::string {
        std::string list;
        for (const std::string& choice : choices) {
          if (text == choice) return {};
          list += (list.empty() ? "" : ", ") + choice;
        }
        return Quoted(text) + " is not one of " + list;
      },
      description);
}

void AddChecked(CLI::App& app, const std::string& name, std::string& value,
                std::function<std::string(const std::string&)> check,
                const std::string& description) {
  app.add_option(name, value, description)
      ->check(CLI::Validator([check = std::move(check)](std::string& text) { return check(text); },
                             "VALUE"));
}

std::string PictureNameOrNumber(const std::string& text) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return {};
  const std::size_t digits = text.find_first_not_of('0');
  if (digits == std::string::npos || text.size() - digits > 5 || std::stoi(text) > 65535)
    return Quoted(text) + " is no picture number (1 .. 65535)";
  return {};
}

}  // namespace tavo::cli
