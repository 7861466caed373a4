#pragma once
// The large project the benchmarks share: 5,000 variables, 240 alarms, 300
// text lists of 16 texts, 200 pictures with ten rectangles each (`scale`
// multiplies every count; `objectsPerPicture` replaces the ten), as the
// text of a project file.

#include <string>

namespace tavo::bench {

inline std::string LargeProjectText(int scale, int objectsPerPicture = 10) {
  std::string t;
  auto line = [&](const std::string& l) { t += l + "\r\n"; };
  line("[Head]");
  line("-Name         = \"Grossanlage\"");
  line("[Terminal]");
  line("-DOSVersion    = \"VTA_640C.TRM\"");
  line("[PLC]");
  line("-DOSVersion    = \"SPS_DBW.KOP\"");
  line("[Variables]");
  for (int i = 1; i <= 5000 * scale; ++i)
    line("-Variable(" + std::to_string(i % 65536) + ";" + std::to_string(i % 200) + "," +
         std::to_string(i % 256) + ";3;2;1;\"Variable Nummer " + std::to_string(i) + "\")");
  line("[Alarms]");
  for (int i = 0; i < 240 * scale; ++i)
    line("-Alarm(" + std::to_string(i % 240) + ";\"S008X016.FON\";" +
         std::to_string(1 << (i % 16)) + ";5;\"Alarmtext mit \334berlauf " + std::to_string(i) +
         "\")");
  line("[TextList]");
  for (int i = 1; i <= 300 * scale; ++i) {
    line("-TextList(\"Liste " + std::to_string(i) + "\";" + std::to_string(i % 65536) + ";Wert)");
    for (int k = 0; k < 16; ++k)
      line("-Text(\"Zustand " + std::to_string(k) + "\";" + std::to_string(k) + ")");
    line("-TextListEnd");
  }
  line("[Pictures]");
  for (int i = 1; i <= 200 * scale; ++i) {
    line("-Picture(" + std::to_string(i) + ";" + std::to_string(i) + ";\"Bild " +
         std::to_string(i) + "\";15)");
    line("-Key(1;2;\"\")");
    for (int k = 0; k < objectsPerPicture; ++k)
      line("-Object(2;0;0;0;0;1;0;14;" + std::to_string(k % 12) +
           ";\"\";10;20;110.5;20;110.5;80;10;80)");
    line("-PictureEnd");
    line("");
  }
  return t;
}

}  // namespace tavo::bench
