#include "document/propertyedits.h"

#include <cmath>
#include <new>

#include "document/edits.h"
#include "document/objectedit.h"
#include "objects/bitmap/bmpfile.h"
#include "objects/bitmap/tqvxbitmap.h"
#include "objects/fields/fields.h"
#include "objects/gruppe.h"
#include "objects/rounding.h"

namespace tavo {

namespace {

ByteSink BinaryOf(const t_objekt& object) {
  ByteSink bytes;
  object.WriteBinary(bytes);
  return bytes;
}

// True when the object and, for a group, every member at any depth has the rule.
bool HasRuleEverywhere(const t_objekt& object, const t_schaltung& rule) {
  if (!(object.GetSwitching() == rule)) return false;
  if (!object.IsGroup()) return true;
  const auto& group = static_cast<const t_gruppe&>(object);
  for (const t_liste* m = group.FirstMember(); m; m = m->next())
    if (!HasRuleEverywhere(static_cast<const t_objekt&>(*m), rule)) return false;
  return true;
}

// The highest of the bits 0..15 set in the value; -1 when none is.
int HighestBit(double value) {
  const auto bits = static_cast<std::uint32_t>(RoundToI32(value)) & 0xFFFFu;
  for (int bit = 15; bit >= 0; --bit)
    if (bits & (1u << bit)) return bit;
  return -1;
}

}  // namespace

bool SameObjectContent(const t_objekt& a, const t_objekt& b) {
  return a.Kind() == b.Kind() && a.FormatFields() == b.FormatFields() &&
         BinaryOf(a) == BinaryOf(b) && a.fixedSize() == b.fixedSize() &&
         a.penColour() == b.penColour() && a.penWidth() == b.penWidth() &&
         a.penStyle() == b.penStyle() && a.fillColour() == b.fillColour() &&
         a.fillPattern() == b.fillPattern() && a.GetSwitching() == b.GetSwitching() &&
         a.name == b.name;
}

EditResult ReplaceObject(Document& document, t_bild& picture, t_objekt& object, ObjectPtr edited,
                         const TextId& name, bool* changed) {
  if (changed) *changed = false;
  if (!edited) return {};
  try {
    const ObjectPlace place = PlaceOf(picture, object);
    if (!place.top) return {};
    edited->UpdateExtent();
    // Text list fields are as wide as the longest text of their list.
    UpdateTextListExtents(*edited, document.Project().textLists.get());
    if (SameObjectContent(object, *edited)) return {};
    auto command = std::make_unique<ObjectEdit>(name, document.Project(), picture);
    command->Replace(place, object, std::move(edited));
    EditResult result = document.Execute(std::move(command));
    if (changed) *changed = result.done;
    return result;
  } catch (const std::bad_alloc&) {
    return EditResult::Failed(txt::kEditNoMemory);
  }
}

EditResult SetObjectSwitching(Document& document, t_bild& picture, t_objekt& object,
                              const t_schaltung& rule, bool* changed) {
  if (changed) *changed = false;
  if (HasRuleEverywhere(object, rule)) return {};
  t_objekt* one[] = {&object};
  EditResult result = EditObjects(document, picture, one, txt::kMenuSchaltverhalten,
                                  [&](t_objekt& copy) { copy.SetSwitching(rule); });
  if (changed) *changed = result.done;
  return result;
}

// --- switching form ------------------------------------------------------------------

int BitItemOfBit(int bit) {
  return bit < 8 ? 2 * bit : 2 * (bit - 8) + 1;
}

int BitOfBitItem(int item) {
  return item % 2 == 0 ? item / 2 : (item - 1) / 2 + 8;
}

void SwitchingForm::ChooseAction(int chosen) {
  action = chosen;
  if (action != kBitTest) return;
  // A value without any of the sixteen bits (0, or nonsense from a file)
  // starts at bit 0, so that what is shown is what OK stores.
  int bit = HighestBit(value);
  if (bit < 0) {
    bit = 0;
    value = 1;
  }
  bitItem = BitItemOfBit(bit);
}

void SwitchingForm::ChooseBit(int item) {
  if (item < 0 || item >= kBitItems) return;
  bitItem = item;
  value = std::ldexp(1.0, BitOfBitItem(item));
}

std::int32_t SwitchingForm::ShownValue() const {
  return RoundToI32(value);
}

SwitchingForm SwitchingFormOf(const t_schaltung& rule) {
  SwitchingForm form;
  form.value = rule.value;
  form.comparison = rule.action >= 1 && rule.action <= 6 ? rule.action - 1 : 2;  // "="
  form.bitTest = rule.action == 7 || rule.action == 8 ? rule.action - 7 : 1;
  int action = SwitchingForm::kNone;
  if (rule.action >= 1 && rule.action <= 6) action = SwitchingForm::kComparison;
  if (rule.action == 7 || rule.action == 8) action = SwitchingForm::kBitTest;
  form.ChooseAction(action);
  return form;
}

t_schaltung SwitchingRuleOf(const SwitchingForm& form, std::int16_t variable,
                            std::int32_t typedValue) {
  t_schaltung rule;
  switch (form.action) {
    case SwitchingForm::kBitTest:
      rule.action = static_cast<std::int16_t>(7 + (form.bitTest == 0 ? 0 : 1));
      rule.value = std::ldexp(1.0, BitOfBitItem(form.bitItem));
      rule.variable = variable;
      break;
    case SwitchingForm::kComparison:
      rule.action = static_cast<std::int16_t>(1 + form.comparison);
      rule.value = typedValue;
      rule.variable = variable;
      break;
    default:
      break;
  }
  return rule;
}

// --- plot graph scale colour ---------------------------------------------------------

int PickerColourOfScale(std::uint8_t scaleColour) {
  return (scaleColour + 255) % 256;
}

std::uint8_t ScaleColourOfPicker(int pickerColour) {
  return static_cast<std::uint8_t>((pickerColour + 1) & 0xFF);
}

// --- bitmap ------------------------------------------------------------------------------

bool TakeNaturalSize(tqvxbitmap& bitmap, const std::filesystem::path& file, std::string* error) {
  Image16 image;
  if (file.empty() || !LoadBmp16(file, image, error)) {
    if (error && error->empty()) *error = "no file";
    return false;
  }
  bitmap.x2 = bitmap.x1 + image.width;
  bitmap.y2 = bitmap.y1 + image.height;
  return true;
}

}  // namespace tavo
