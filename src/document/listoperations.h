#pragma once
// The operations on the project's variables, alarms, text lists and
// pictures as the list pages ask for them: new records and their numbers,
// copies, deletion with its check of what the pictures still use, renaming,
// renumbering, where a record is used, and the filter of a list's rows.
//
// Objects refer to variables and text lists by number, keys to pictures by
// their position in the picture list. Every operation here that would leave
// such a reference pointing at a record that is gone (or at another one than
// before) changes the references in the same step: the step is a macro of
// the record edit and one object edit per picture (or the keys' edits), so
// that one Undo gives everything back.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "document/document.h"

namespace tavo {

class Translator;
class t_steuerung;

// --- numbering ----------------------------------------------------------------

// Numbers of one list handed out one after the other: the smallest number
// that neither a record of the list nor an earlier Take carries.
class NumberPool {
 public:
  // `fromZero`: alarms count from 0, every other list from 1.
  NumberPool(const t_liste* list, bool fromZero);
  // Picture numbers ("Bildnummer") of the pictures, from 1.
  static NumberPool PictureNumbers(const t_liste* pictures);
  // -1 when every number is taken.
  int Take();

 private:
  NumberPool() = default;
  std::vector<bool> taken_;
  int from_ = 1;
};

// A new text list as the editor makes it: "neue Textliste", value list off,
// the smallest number from 1 upward that the list leaves free.
std::unique_ptr<t_textliste> NewTextList(const t_liste* textLists);

// The value a new text of the list gets: for a bit list the smallest mask
// 1, 2, 4 ... 32768 no text has (0 when all sixteen are used), for a value
// list the smallest number from 0 upward no text has.
std::uint16_t FirstFreeTextValue(const t_textliste& list);

// The bit mask of an alarm number: its bit within its 16-bit word.
std::int32_t AlarmBitMask(std::uint16_t number);

// The highest alarm number the terminal takes.
inline constexpr int kLastAlarmNumber = 239;

// --- references ------------------------------------------------------------------

// One place that refers to a variable, a text list or a picture.
struct Reference {
  t_bild* picture = nullptr;
  // The object that refers (a group member at any depth); null for a key.
  t_objekt* object = nullptr;
  // The groups around the object, outermost first.
  std::vector<const t_objekt*> groups;
  // Only the object's switching rule refers, not its field.
  bool switchingOnly = false;
  // A key (number 1..256) that calls the picture.
  int key = 0;
};

// Every object (variables, text lists) or key (pictures) that refers to the
// record, picture by picture in list order, objects in drawing order with
// members after their group. A group's own switching rule counts for the
// group; a member's references count for the member.
std::vector<Reference> FindReferences(const t_projekt& project, RecordList list,
                                      const t_liste& record);

// Whether an object of a picture uses the variable (text list), as the
// deletion checks it: UsesVariable (UsesTextList) of the top-level objects.
// Pictures are never in use.
bool IsInUse(const t_projekt& project, RecordList list, const t_liste& record);

// «Bild "Start": Ausgabefeld "Temperatur"», «Bild "Start": Gruppe "Pumpe" /
// Text» (a member), « (Schaltverhalten)» when only the switching rule refers,
// «Bild "Start": Taste Shift-F2» for a key. The where-used list and the
// deletion messages say it in these words.
std::string ReferenceText(const Reference& reference, Translator& translator);

// "F1" ... "F16", "S1" ... "S12", with "Shift-", "Ctrl-" or "Alt-" for the
// levels; other key numbers as "#" + number.
std::string KeyName(int number);

// «... und 3 weitere»: the line that counts what a message leaves out.
std::string MoreLine(std::size_t count, Translator& translator);

// The references as lines of a message, at most `limit` of them; the rest
// is counted in a last line.
std::string ReferenceLines(std::span<const Reference> references, Translator& translator,
                           std::size_t limit = 12);

// --- new and edited records ------------------------------------------------------

// Appends the record to the list as one step named `name`.
EditResult AppendRecord(Document& document, RecordList list, ListPtr record, const TextId& name);
// Puts the edited copy in the place of the record as one step.
EditResult ReplaceRecord(Document& document, RecordList list, t_liste& record, ListPtr edited,
                         const TextId& name);

// --- copies ---------------------------------------------------------------------

// A copy of the picture: its own fields, every key and every object, the
// object count and size, at zoom 1.0 and origin 0, 0. Null when an object
// cannot be copied.
std::unique_ptr<t_bild> ClonePicture(const t_bild& picture);

struct CopyOutcome {
  EditResult result;
  // The new records, in the order of the originals.
  std::vector<t_liste*> copies;
  // An alarm copy would have had a number beyond 239: copying stopped there.
  bool rangeError = false;
};

// Copies every record, in the order given, with the next numbers of the
// list's numbering (pictures also the next picture numbers), as one step.
CopyOutcome CopyRecords(Document& document, RecordList list, std::span<t_liste* const> records);

// --- deletion --------------------------------------------------------------------

enum class UsedRecords {
  Keep,                  // variables and text lists an object uses stay
  DeleteWithReferences,  // they go as well, and the objects refer to none
};

struct DeleteOutcome {
  EditResult result;
  std::vector<t_liste*> deleted;
  // Variables and text lists kept because an object uses them.
  std::vector<t_liste*> kept;
};

// Deletes the records as one step. References to a deleted variable or text
// list are cleared in the same step: a switching rule that tests the
// variable is switched off, a field's variable (text list) becomes 0, none.
// With UsedRecords::Keep that touches only switching rules that are off
// already but still name the variable. With DeleteWithReferences, while a
// record numbered 0 stays in the list, nothing is deleted when a field would
// have to be cleared (it would then refer to that record): the result says
// so (txt::kNullVergeben). Keys that call a deleted picture lose their
// function; keys that call a picture further down the list follow it to its
// new position.
DeleteOutcome DeleteRecords(Document& document, RecordList list, std::span<t_liste* const> records,
                            UsedRecords used);

// --- renaming and renumbering ----------------------------------------------------

// Whether another picture has the name, comparing the letters A to Z
// without regard to case (and every other character as it is).
bool PictureNameTaken(const t_projekt& project, const t_bild& renamed, std::string_view name);

// Gives the record a new name as one step (nothing when it has the name).
EditResult RenameRecord(Document& document, RecordList list, t_liste& record, std::string name);

// Gives a variable or text list another number and every object that
// refers to it the new number, as one step. Refused when another record of
// the list has the number already.
EditResult RenumberRecord(Document& document, RecordList list, t_liste& record,
                          std::uint16_t number);

// --- rows shown -------------------------------------------------------------------

// The address as the variable list shows it: "DB10 DW5" with a SIEMENS
// coupling (address format 1), the plain number otherwise.
std::string VariableAddressText(std::int32_t address, const t_steuerung* coupling);

// The typed filter of a list: a row matches when one of its texts contains
// the typed text, without regard to case (umlauts included).
class RowFilter {
 public:
  // One entry per row: the texts the row shows.
  void SetRows(const std::vector<std::vector<std::string>>& rows);
  void AddRow(const std::vector<std::string>& texts);
  void Clear();
  std::size_t RowCount() const { return rows_.size(); }

  // Filters by `typed` (code page 1252); empty matches every row.
  void SetText(std::string_view typed);
  bool Matches(std::size_t row) const { return row < matches_.size() && matches_[row]; }
  std::size_t MatchCount() const { return matchCount_; }

 private:
  void Apply(std::size_t first);

  // Folded texts of a row, separated by a byte no typed text contains.
  std::vector<std::string> rows_;
  std::vector<char> matches_;
  std::string folded_;
  std::size_t matchCount_ = 0;
};

}  // namespace tavo
