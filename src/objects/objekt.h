#pragma once
// The graphic object: a record of the record list extended by drawing
// attributes, a switching rule, an extent in terminal coordinates and the
// editor's selection frame and handles. Every kind derives from t_objekt;
// the group (t_gruppe) is a container of members.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "objects/binary.h"
#include "objects/tview.h"
#include "project/liste.h"
#include "shell/language.h"

namespace tavo {

enum ObjectKind : std::uint8_t {
  kKindGruppe = 0,
  kKindLinie = 1,
  kKindRechteck = 2,
  kKindKreis = 3,
  kKindPolygon = 4,
  kKindText = 5,
  kKindEingabe = 6,
  kKindAusgabe = 7,
  kKindBargraf = 8,
  kKindPlotgraf = 9,
  kKindBarcode = 10,
  kKindSkalEingabe = 11,
  kKindSkalAusgabe = 12,
  kKindDatum = 13,
  kKindZeit = 14,
  kKindTextListe = 15,
  kKindEditListe = 16,
  kKindBitmap = 20,
};

// Modes of Draw.
enum DrawMode : int { kDrawNormal = 0, kDrawDrag = 1, kDrawOutline = 2 };

// Handle codes of HandleAt and DragHandle: row (1 top, 2 middle, 3 bottom)
// times ten plus column (1 left, 2 middle, 3 right).
enum HandleCode : std::int16_t {
  kHandleNone = 0,
  kHandleTopLeft = 11,
  kHandleTopMiddle = 12,
  kHandleTopRight = 13,
  kHandleMiddleLeft = 21,
  kHandleMiddleRight = 23,
  kHandleBottomLeft = 31,
  kHandleBottomMiddle = 32,
  kHandleBottomRight = 33,
};

// Slots of the handle array, in the object's order.
enum HandleSlot : int {
  kSlotTopLeft = 0,
  kSlotTopMiddle,
  kSlotTopRight,
  kSlotMiddleLeft,
  kSlotMiddleRight,
  kSlotBottomLeft,
  kSlotBottomMiddle,
  kSlotBottomRight,
};

// The rule by which the terminal switches an object on a variable.
struct t_schaltung {
  // 0 none; 1 "<", 2 "<=", 3 "=", 4 "=>", 5 ">", 6 "<>"; 7 bit test for 0,
  // 8 bit test for 1 (value then holds the bit mask 2^b).
  std::int16_t action = 0;
  double value = 0;
  std::int16_t variable = 0;
  bool operator==(const t_schaltung&) const = default;
};

struct HandlePoint {
  std::int16_t x = 0;
  std::int16_t y = 0;
  bool operator==(const HandlePoint&) const = default;
};

struct TermRect {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};

struct FrameRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  bool operator==(const FrameRect&) const = default;
};

class t_objekt : public t_liste {
 public:
  ~t_objekt() override;

  // --- record operations the objects replace -------------------------------
  // "-Object" + FormatFields.
  void WriteProjectLines(const LineSink& sink) const override;
  // The kind's run line; the base writes nothing.
  void WriteRunLines(RunWriter& out) const override;
  void Done() override;

  // --- object operations, in their fixed order ----------------------------
  // Reads the record body behind the kind byte; false when the data ran out
  // before the record was complete (the fields read so far are kept).
  virtual bool ReadBinary(const ByteReader& read);
  // Reads the rest of a project-file line behind its kind field.
  virtual void ParseFields(std::string_view rest);
  virtual void Draw(tview& view, int mode) const;
  std::uint8_t Kind() const { return kind_; }
  virtual std::string FormatFields() const;
  virtual void UseNormalStyle(tview& view) const;
  virtual void UseOutlineStyle(tview& view) const;
  virtual void UseDragStyle(tview& view) const;
  virtual std::string FontFile() const;
  virtual bool HitTest(std::int16_t x, std::int16_t y) const;
  virtual void UpdateExtent();
  // Moves the geometry; the caller updates the extent.
  virtual void MoveBy(std::int16_t dx, std::int16_t dy);
  // Extent edges truncated to whole numbers.
  double ExtentLeft() const;
  double ExtentTop() const;
  double ExtentRight() const;
  double ExtentBottom() const;
  // True when the extent lies strictly inside the rectangle A-B.
  bool InsideRect(double ax, double ay, double bx, double by) const;
  virtual std::string TypeName(Translator& translator) const;
  TermRect GetExtent() const { return extent_; }
  virtual bool IsGroup() const;
  std::string DisplayName(Translator& translator) const;
  virtual int TerminalSize() const;
  std::int16_t TreeIcon() const { return treeIcon_; }
  t_schaltung GetSwitching() const { return switching_; }
  virtual void SetSwitching(const t_schaltung& rule);
  virtual void SetPenColour(std::uint8_t value);
  virtual void SetPenStyle(std::uint8_t value);
  virtual void SetPenWidth(std::uint8_t value);
  virtual void SetFillColour(std::uint8_t value);
  virtual void SetFillPattern(std::uint8_t value);
  void SetFrame(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom);
  // Inverts the frame and the shown handles; a second call erases them.
  void DrawFrame(tview& view) const;
  // Handle code under the terminal point for the given zoom; 0 when none
  // or when the object is not selected.
  std::int16_t HandleAt(std::int16_t x, std::int16_t y, double zoom) const;
  // Resizes the frame (not the geometry) by dragging a handle, redrawing
  // the frame through the view.
  void DragHandle(std::int16_t dx, std::int16_t dy, std::int16_t code, tview& view);
  void SetSelected(bool selected);
  bool IsSelected() const { return selected_; }
  virtual void FitToFrame();
  virtual std::unique_ptr<t_objekt> Clone() const;
  virtual std::int16_t ObjectCount() const;
  virtual bool HasSwitching() const;
  void Mirror(bool vertical, bool horizontal);
  // Appends the whole binary record, kind byte first.
  virtual void WriteBinary(ByteSink& out) const;
  void WriteSwitching(ByteSink& out) const;
  bool ReadSwitching(BinaryIn& in);
  void WriteAttributes(ByteSink& out) const;
  bool ReadAttributes(BinaryIn& in);
  virtual bool UsesVariable(std::int16_t variable) const;
  virtual bool UsesTextList(std::int16_t list) const;
  // Appends the numbers of the variables and text lists the object refers
  // to (members included; a number may come more than once). The same
  // references as UsesVariable and UsesTextList answer for.
  virtual void CollectReferences(std::vector<std::int16_t>& variables,
                                 std::vector<std::int16_t>& textLists) const;
  virtual std::string CollectFonts() const;
  virtual std::string BitmapFile() const;
  virtual void Rotate(double centreX, double centreY, int degrees);
  virtual void RenumberVariable(std::int16_t from, std::int16_t to);
  virtual void RenumberTextList(std::int16_t from, std::int16_t to);

  // --- field access -----------------------------------------------------------
  std::uint8_t penColour() const { return penColour_; }
  std::uint8_t penWidth() const { return penWidth_; }
  std::uint8_t penStyle() const { return penStyle_; }
  std::uint8_t fillColour() const { return fillColour_; }
  std::uint8_t fillPattern() const { return fillPattern_; }
  HandlePoint Handle(int slot) const { return handles_[slot]; }
  void SetHandle(int slot, HandlePoint point) { handles_[slot] = point; }
  // How FitToFrame maps the extent onto the frame between the top-left and
  // bottom-right handles; a side of zero length keeps its scale 1.
  struct FrameMapping {
    double left = 0, top = 0, sx = 1, sy = 1, x0 = 0, y0 = 0;
    double X(double x) const { return (x - left) * sx + x0; }
    double Y(double y) const { return (y - top) * sy + y0; }
  };
  // The mapping for the current extent (call UpdateExtent first).
  FrameMapping ExtentToFrame() const;
  FrameRect Frame() const { return frame_; }
  bool edgeHandlesShown() const { return edgeHandlesShown_; }
  bool cornerHandlesShown() const { return cornerHandlesShown_; }
  // The editor switches the handle marks off while it drags.
  void SetHandleFlags(bool edgeHandles, bool cornerHandles);
  bool fixedSize() const { return fixedSize_; }
  void SetFixedSize(bool fixed) { fixedSize_ = fixed; }

 protected:
  explicit t_objekt(std::uint8_t kind);

  // The common prefix of the project-file fields: kind, switching rule,
  // attributes and the quoted name, without the brackets.
  std::string FormatCommonFields() const;
  void ParseCommonFields(std::string_view& rest);
  // "(" + fields + ")": the bracketed field list of the project-file line.
  static std::string Bracketed(const std::string& fields);
  // The common prefix of a run line: "-(" keyword ";" action ";" variable ";" value.
  std::string RunLinePrefix() const;
  void AppendRunLinePrefix(std::string& line) const;
  // Copies the common fields (attributes, switching, name, extent; not the
  // selection) into a new object of the same kind.
  void CopyCommonTo(t_objekt& copy) const;
  void SetExtent(const TermRect& extent) { extent_ = extent; }
  TermRect& extent() { return extent_; }

 private:
  std::uint8_t penColour_ = 15;
  std::uint8_t penWidth_ = 1;
  std::uint8_t penStyle_ = 1;
  std::uint8_t fillColour_ = 0;
  std::uint8_t fillPattern_ = 1;
  t_schaltung switching_;
  TermRect extent_;
  std::int16_t treeIcon_;
  std::uint8_t kind_;
  std::array<HandlePoint, 8> handles_{};
  FrameRect frame_;
  bool edgeHandlesShown_ = true;
  bool cornerHandlesShown_ = true;
  bool fixedSize_ = false;
  bool selected_ = false;
};

using ObjectPtr = std::unique_ptr<t_objekt>;

}  // namespace tavo
