#include "document/editbuffers.h"

#include "objects/bitmap/tqvxbitmap.h"
#include "objects/fields/fields.h"
#include "objects/objectkinds.h"

namespace tavo {
namespace {

constexpr std::uint8_t kStartCellHeight = 16;
constexpr std::uint8_t kStartCellWidth = 8;

void StartField(t_feldobjekt& field, double y = 0) {
  field.SetPosition(0, y);
  field.SetFont(EditBuffers::kStartFont);
  field.SetCell(kStartCellHeight, kStartCellWidth);
}

// The field kinds start without a name and without a switching rule; the
// text and the graphs keep theirs (the bar graph and the text the rule of
// the object last edited).
void ForgetIdentity(t_objekt& object) {
  object.name.clear();
  object.SetSwitching({});
}

}  // namespace

EditBuffers::EditBuffers() {
  for (int kind = 0; kind <= kKindBitmap; ++kind)
    if (HasBuffer(kind)) buffers_[kind] = CreateObjectOfKind(kind);
}

EditBuffers::~EditBuffers() = default;

t_objekt* EditBuffers::Buffer(int kind) const {
  return kind >= 0 && kind <= kKindBitmap ? buffers_[kind].get() : nullptr;
}

bool EditBuffers::Load(const t_objekt& object) {
  if (!HasBuffer(object.Kind())) return false;
  ObjectPtr copy = object.Clone();
  if (!copy) return false;
  buffers_[object.Kind()] = std::move(copy);
  return true;
}

bool EditBuffers::Store(ObjectPtr object) {
  if (!object || !HasBuffer(object->Kind())) return false;
  object->SetSelected(false);
  buffers_[object->Kind()] = std::move(object);
  return true;
}

t_objekt* EditBuffers::Reset(int kind, const DrawingAttributes& attributes,
                             Translator& translator) {
  t_objekt* buffer = Buffer(kind);
  if (!buffer) return nullptr;
  attributes.ApplyTo(*buffer);
  switch (kind) {
    case kKindText: {
      auto& text = static_cast<ttext&>(*buffer);
      StartField(text);
      text.SetText(translator.Tr(txt::kNeuerText));
      break;
    }
    case kKindEingabe:
    case kKindAusgabe:
    case kKindBarcode: {
      auto& field = static_cast<tausobj&>(*buffer);
      ForgetIdentity(field);
      StartField(field);
      // A barcode is read as text, the numeric fields show a value.
      field.SetDisplay(kind == kKindBarcode, 4, 0);
      field.SetFactorCode(4);  // x 1
      break;
    }
    case kKindSkalEingabe:
    case kKindSkalAusgabe: {
      auto& field = static_cast<tSkalAus&>(*buffer);
      ForgetIdentity(field);
      StartField(field);
      field.SetVariable(0);
      field.SetDigits(3, 2);
      field.SetConversion(1.0, 0.0);
      break;
    }
    case kKindZeit: {
      auto& field = static_cast<tZeitObj&>(*buffer);
      ForgetIdentity(field);
      StartField(field);
      field.SetFormat(tZeitObj::k24Hours | tZeitObj::kLeadingZero, " AM", " PM", ":");
      break;
    }
    case kKindDatum: {
      auto& field = static_cast<tDatumObj&>(*buffer);
      ForgetIdentity(field);
      StartField(field);
      field.SetFormat(tDatumObj::kDayMonthYear | tDatumObj::kMonthZero | tDatumObj::kCentury |
                          tDatumObj::kDayZero,
                      ".");
      break;
    }
    case kKindTextListe:
    case kKindEditListe: {
      auto& field = static_cast<tTeLiObj&>(*buffer);
      ForgetIdentity(field);
      StartField(field, 10.0);
      field.SetTextLength(0);
      field.SetTextList(0);
      field.SetVariable(0);
      break;
    }
    case kKindBargraf: {
      auto& graph = static_cast<t_bargraf&>(*buffer);
      graph.SetCorners(0, 10, 0, 10);
      graph.SetRange(0, 100);
      graph.SetDirection(3);  // upwards
      break;
    }
    case kKindPlotgraf: {
      auto& graph = static_cast<t_plotgraf&>(*buffer);
      ForgetIdentity(graph);
      graph.SetCorners(0, 10, 0, 10);
      graph.SetRange(0, 100);
      // Orientation 3 is none the dialog offers; it shows and stores 0.
      graph.SetAxis(3, 1, 1, 1);
      graph.SetVariables(0, 0);
      break;
    }
    case kKindBitmap: {
      auto& bitmap = static_cast<tqvxbitmap&>(*buffer);
      bitmap.SetCorners(0, 10, 0, 10);
      bitmap.SetFixedSize(false);
      bitmap.file.clear();
      break;
    }
    default:
      break;
  }
  buffer->UpdateExtent();
  return buffer;
}

}  // namespace tavo
