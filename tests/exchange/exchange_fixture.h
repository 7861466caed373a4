#pragma once
// Small projects for the exchange tests, read from project-file text as the
// editor reads a file, and helpers to look at their lists.

#include <memory>
#include <string>
#include <vector>

#include "project/projekt.h"
#include "support/demoprojects.h"

namespace tavo::testing {

// «[PLC]» with the SIEMENS data block coupling or the INTEL serial one.
inline std::string ProjectText(const std::string& coupling, const std::string& variables,
                               const std::string& alarms, const std::string& textLists,
                               const std::string& pictures) {
  return "[Head]\r\n-Name         = \"Anlage\"\r\n"
         "[Terminal]\r\n-DOSVersion    = \"VTA_640C.TRM\"\r\n"
         "[PLC]\r\n-DOSVersion    = \"" +
         coupling + "\"\r\n[Variables]\r\n" + variables + "[Alarms]\r\n" + alarms +
         "[TextList]\r\n" + textLists + "[Pictures]\r\n" + pictures;
}

inline constexpr const char* kSiemens = "SPS_DBW.KOP";
inline constexpr const char* kIntel = "SPS_SERW.KOP";

template <class T>
std::vector<const T*> Records(const ListPtr& list) {
  std::vector<const T*> records;
  for (const t_liste* n = list.get(); n; n = n->next()) records.push_back(static_cast<const T*>(n));
  return records;
}

inline std::vector<std::string> CollectLines(const std::function<void(const LineSink&)>& write) {
  std::vector<std::string> lines;
  write([&](const std::string& line) { lines.push_back(line); });
  return lines;
}

}  // namespace tavo::testing
