#include "objects/objectkinds.h"

#include <array>

#include "objects/bitmap/tqvxbitmap.h"
#include "objects/fields/fields.h"
#include "objects/gruppe.h"
#include "objects/shapes/shapes.h"
#include "project/katalog.h"

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
    {kKindText, "OText", 6, 794, txt::kTypText, &Make<ttext>},
    {kKindEingabe, "OEingabe", 10, 451, txt::kTypEingabefeld, &Make<t_eingabe>},
    {kKindAusgabe, "OAusgabe", 9, 180, txt::kTypAusgabefeld, &Make<tausobj>},
    {kKindBargraf, "OBargraf", 7, 79, txt::kTypBargraf, &Make<t_bargraf>},
    {kKindPlotgraf, "OPlotgraf", 8, 3285, txt::kTypPlotgraf, &Make<t_plotgraf>},
    {kKindBarcode, "OBarcode", 11, 449, txt::kTypBarcodefeld, &Make<t_barcode>},
    {kKindSkalEingabe, "OSkalEingabe", 15, 374, txt::kTypSkalEingabefeld, &Make<t_skaleingabe>},
    {kKindSkalAusgabe, "OSkalAusgabe", 14, 103, txt::kTypSkalAusgabefeld, &Make<tSkalAus>},
    {kKindDatum, "ODatum", 13, 97, txt::kTypDatumausgabe, &Make<tDatumObj>},
    {kKindZeit, "OZeit", 12, 105, txt::kTypZeitAusgabe, &Make<tZeitObj>},
    {kKindTextListe, "OTextListe", 17, 97, txt::kTypTextlistenausgabe, &Make<tTeLiObj>},
    {kKindEditListe, "OEditListe", 16, 372, txt::kTypTextlisteneingabe, &Make<tEdLiObj>},
    {kKindBitmap, "OBitmap", 19, 70, txt::kTypBitmap, &Make<tqvxbitmap>},
};

class ObjektFactory final : public ObjectFactory {
 public:
  explicit ObjektFactory(const t_katalog* catalog) : catalog_(catalog) {}

  ListPtr CreateObject(int kind) override {
    // Groups come from their own lines, never from an object line.
    if (kind == kKindGruppe) return nullptr;
    return CreateObjectOfKind(kind);
  }

  ListPtr CreateGroup() override { return std::make_unique<t_gruppe>(); }

  void ParseFields(t_liste& object, std::string_view rest) override {
    // Made by CreateObject or CreateGroup above: an object for sure, and a
    // cast that checks costs more than many a line's fields.
    // Fields take their cell size from the catalogue's font list.
    ParseObjectFields(static_cast<t_objekt&>(object), rest,
                      catalog_ ? catalog_->fonts.get() : nullptr);
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

  void CollectBitmaps(t_liste& object, std::vector<BitmapUse>& out) override {
    // Asked for every object of every picture when a project is read: the
    // objects of a picture are graphic objects, no cast needs to check.
    CollectBitmapUses(static_cast<t_objekt&>(object), out);
  }

 private:
  const t_katalog* catalog_;
};

}  // namespace

const KindInfo* FindKind(int kind) {
  // Asked for every object written or drawn: a table by code, made once.
  static const auto byCode = [] {
    std::array<const KindInfo*, 256> table{};
    for (const KindInfo& info : kKinds) table[info.kind] = &info;
    return table;
  }();
  return kind >= 0 && kind < 256 ? byCode[static_cast<std::size_t>(kind)] : nullptr;
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

std::unique_ptr<ObjectFactory> MakeObjectFactory(const t_katalog* catalog) {
  return std::make_unique<ObjektFactory>(catalog);
}

}  // namespace tavo
