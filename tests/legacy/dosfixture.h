#pragma once
// DOS project files composed byte by byte: the record container with its
// 168-byte header and streams 0, 2, 4 and 5, the counted strings of the
// records, and picture files with their key table. Streams and counts can
// be set to anything, so damaged files are as easy to make as sound ones.

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "project/katalog.h"
#include "project/records.h"
#include "support/tempfolder.h"

namespace tavo::testing {

using Bytes = std::vector<std::uint8_t>;

// s[N]: length byte, then N characters (zero behind the counted ones).
inline void PutText(Bytes& out, const std::string& text, std::size_t n) {
  out.push_back(static_cast<std::uint8_t>(std::min(text.size(), n)));
  for (std::size_t i = 0; i < n; ++i)
    out.push_back(i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0);
}
inline void PutU16(Bytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void PutU32(Bytes& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

struct HeadFields {
  std::string name = "Anlage";
  std::string author = "Autor";
  std::string created = "01.02.1996";
  std::string changed = "03.04.1997";
  std::string info1, info2, info3;
  std::uint32_t startPicture = 1;
  std::string terminal = "VTA_Q320.TRM";
  std::uint16_t readBlock = 0, writeBlock = 0, alarmSort = 0;
  std::string coupling = "SPS_SERW.KOP";
};

inline Bytes HeaderRecord(const HeadFields& h) {
  Bytes r;
  PutText(r, h.name, 30);
  PutText(r, h.author, 35);
  PutText(r, h.created, 10);
  PutText(r, h.changed, 10);
  PutText(r, h.info1, 35);
  PutText(r, h.info2, 35);
  PutText(r, h.info3, 35);
  PutU32(r, h.startPicture);
  PutText(r, h.terminal, 12);
  PutText(r, "Terminal", 30);
  PutU16(r, 320);
  PutU16(r, 240);
  r.push_back(16);
  PutU16(r, 0);
  PutU16(r, 0xFFFF);
  PutU16(r, h.readBlock);
  PutU16(r, h.writeBlock);
  r.push_back(0);
  PutU16(r, h.alarmSort);
  PutText(r, h.coupling, 12);
  PutText(r, "Kopplung", 30);
  return r;  // 305 bytes
}

inline Bytes AlarmRecord(std::uint8_t number, const std::string& font,
                         std::array<std::uint8_t, 4> flags, const std::string& text) {
  Bytes r{number};
  PutText(r, font, 12);
  r.insert(r.end(), flags.begin(), flags.end());
  PutText(r, text, 255);
  return r;  // 274 bytes
}

inline Bytes VariableRecord(const std::string& name, std::uint16_t address, std::uint8_t type,
                            std::uint16_t length) {
  Bytes r;
  PutText(r, name, 30);
  PutU16(r, address);
  r.push_back(type);
  PutU16(r, length);
  return r;  // 36 bytes
}

inline Bytes PictureRecord(const std::string& name, const std::string& file, std::uint8_t colour) {
  Bytes r;
  PutText(r, name, 30);
  PutText(r, file, 12);
  r.push_back(colour);
  return r;  // 45 bytes
}

struct KeyEntry {
  std::uint16_t kind = 3;
  std::string name;
  std::uint16_t value = 0;
};

// Magic, name and colour, the 48-entry key table, then `objects` as they stand.
inline Bytes PictureFile(const std::string& name, std::uint8_t colour,
                         const std::map<int, KeyEntry>& keys, const Bytes& objects = {}) {
  const std::string magic = "QVX_Tavo_Bild_File";
  Bytes f(magic.begin(), magic.end());
  PutText(f, name, 30);
  f.push_back(colour);
  for (int k = 1; k <= 48; ++k) {
    auto it = keys.find(k);
    if (it == keys.end()) {
      f.insert(f.end(), 35, 0);
      continue;
    }
    PutU16(f, it->second.kind);
    PutText(f, it->second.name, 30);
    PutU16(f, it->second.value);
  }
  f.insert(f.end(), objects.begin(), objects.end());
  return f;
}

struct Stream {
  std::uint16_t recordSize = 0;
  std::vector<Bytes> records;
  std::optional<std::int32_t> count;  // written instead of records.size()
};

// Header (magic, 16 descriptors of start, size, count), then the streams'
// records back to back in stream order.
inline Bytes Container(const std::map<int, Stream>& streams) {
  Bytes header{'J', 'K', 'H', 'D', '0', '1', '0', '1'};
  Bytes data;
  for (int s = 0; s < 16; ++s) {
    auto it = streams.find(s);
    if (it == streams.end()) {
      PutU32(header, static_cast<std::uint32_t>(data.size()));
      PutU16(header, 0);
      PutU32(header, 0);
      continue;
    }
    PutU32(header, static_cast<std::uint32_t>(data.size()));
    PutU16(header, it->second.recordSize);
    PutU32(header, static_cast<std::uint32_t>(it->second.count.value_or(
                       static_cast<std::int32_t>(it->second.records.size()))));
    for (const Bytes& r : it->second.records) data.insert(data.end(), r.begin(), r.end());
  }
  header.insert(header.end(), data.begin(), data.end());
  return header;
}

inline void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

// A project of one header and the given records in their streams.
struct DosProject {
  HeadFields head;
  std::vector<Bytes> alarms, variables, pictures;
  std::map<int, Stream> Streams() const {
    return {{0, {305, {HeaderRecord(head)}, {}}},
            {2, {45, pictures, {}}},
            {4, {274, alarms, {}}},
            {5, {36, variables, {}}}};
  }
  Bytes File() const { return Container(Streams()); }
};

// Two terminals and two couplings, as the catalogue reads them; the first
// of each is the fallback.
inline void FillCatalog(t_katalog& catalog) {
  const auto terminal = [](const std::string& name, const std::string& dos) {
    auto t = std::make_unique<t_terminal>();
    t->name = t->terminalName = name;
    t->dosVersion = dos;
    return t;
  };
  AppendNode(catalog.terminals, terminal("Erstes", "VTA_2MBM.TRM"));
  AppendNode(catalog.terminals, terminal("Grau", "VTA_Q320.TRM"));
  const auto coupling = [](const std::string& name, const std::string& dos, int format) {
    auto c = std::make_unique<t_steuerung>();
    c->name = c->couplingName = name;
    c->dosVersion = dos;
    c->addressFormat = static_cast<std::uint8_t>(format);
    return c;
  };
  AppendNode(catalog.couplings, coupling("Seriell", "SPS_SERW.KOP", 0));
  AppendNode(catalog.couplings, coupling("Datenbaustein", "SPS_DBW.KOP", 1));
}

}  // namespace tavo::testing
