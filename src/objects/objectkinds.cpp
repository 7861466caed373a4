#include "objects/objectkinds.h"

#include "objects/gruppe.h"
#include "objects/shapes/shapes.h"

namespace tavo {

namespace {

template <class T>
ObjectPtr Make() {
  return std::make_unique<T>();
}

// Kinds whose types are not built in yet carry a null constructor: readers
// skip them and the factory answers null.
constexpr KindInfo kKinds[] = {
    {kKindGruppe, "", 1, 0, txt::kTypGruppe, &Make<t_gruppe>},
    {kKindLinie, "OLine", 2, 58, txt::kTypLinie, &Make<t_linie>},
    {kKindRechteck, "OBar", 3, 70, txt::kTypRechteck, &Make<t_rechteck>},
    {kKindKreis, "OKreis", 4, 238, txt::kTypKreis, &Make<t_kreis>},
    {kKindPolygon, "OPoly", 5, 256, txt::kTypPolygon, &Make<t_polygon>},
    {kKindText, "OText", 6, 794, txt::kTypText, nullptr},
    {kKindEingabe, "OEingabe", 10, 451, txt::kTypEingabefeld, nullptr},
    {kKindAusgabe, "OAusgabe", 9, 180, txt::kTypAusgabefeld, nullptr},
    {kKindBargraf, "OBargraf", 7, 79, txt::kTypBargraf, nullptr},
    {kKindPlotgraf, "OPlotgraf", 8, 3285, txt::kTypPlotgraf, nullptr},
    {kKindBarcode, "OBarcode", 11, 449, txt::kTypBarcodefeld, nullptr},
    {kKindSkalEingabe, "OSkalEingabe", 15, 374, txt::kTypSkalEingabefeld, nullptr},
    {kKindSkalAusgabe, "OSkalAusgabe", 14, 103, txt::kTypSkalAusgabefeld, nullptr},
    {kKindDatum, "ODatum", 13, 97, txt::kTypDatumausgabe, nullptr},
    {kKindZeit, "OZeit", 12, 105, txt::kTypZeitAusgabe, nullptr},
    {kKindTextListe, "OTextListe", 17, 97, txt::kTypTextlistenausgabe, nullptr},
    {kKindEditListe, "OEditListe", 16, 372, txt::kTypTextlisteneingabe, nullptr},
    {kKindBitmap, "OBitmap", 19, 70, txt::kTypBitmap, nullptr},
};

class ObjektFactory final : public ObjectFactory {
 public:
  ListPtr CreateObject(int kind) override {
    // Groups come from their own lines, never from an object line.
    if (kind == kKindGruppe) return nullptr;
    return CreateObjectOfKind(kind);
  }

  ListPtr CreateGroup() override { return std::make_unique<t_gruppe>(); }

  void ParseFields(t_liste& object, std::string rest) override {
    if (auto* o = dynamic_cast<t_objekt*>(&object)) o->ParseFields(std::move(rest));
  }

  void AppendMember(t_liste& group, ListPtr member) override {
    auto* g = dynamic_cast<t_gruppe*>(&group);
    auto* m = dynamic_cast<t_objekt*>(member.get());
    if (!g || !m) return;  // only objects join a group; anything else is dropped
    member.release();
    g->AppendMember(ObjectPtr(m));
  }

  void UpdateExtent(t_liste& object) override {
    if (auto* o = dynamic_cast<t_objekt*>(&object)) o->UpdateExtent();
  }
};

}  // namespace

const KindInfo* FindKind(int kind) {
  for (const KindInfo& info : kKinds)
    if (info.kind == kind) return &info;
  return nullptr;
}

ObjectPtr CreateObjectOfKind(int kind) {
  const KindInfo* info = FindKind(kind);
  return info && info->create ? info->create() : nullptr;
}

RecordRead ReadObjectRecord(const ByteReader& read) {
  RecordRead result;
  BinaryIn in(read);
  std::uint8_t kind = 0;
  if (!in.U8(kind)) {
    result.endOfData = true;
    return result;
  }
  // Bitmaps write no record; a kind byte above 16 has no body to read.
  if (kind > kKindEditListe) return result;
  result.object = CreateObjectOfKind(kind);
  if (result.object) result.complete = result.object->ReadBinary(read);
  return result;
}

std::unique_ptr<ObjectFactory> MakeObjectFactory() {
  return std::make_unique<ObjektFactory>();
}

}  // namespace tavo
