#pragma once
// The group: a container of members that acts as one object. Members are
// drawn in list order; later members lie on top and are hit first.

#include "objects/objekt.h"
#include "project/objectfactory.h"  // kMaxGroupDepth

namespace tavo {

class t_gruppe : public t_objekt {
 public:
  t_gruppe();

  // "-Group(...)", the members' lines, "-GroupEnd".
  void WriteProjectLines(const LineSink& sink) const override;
  // The members' run lines only: the run form knows no groups.
  void WriteRunLines(RunWriter& out) const override;
  void Done() override;
  // The member records up to the byte 255 or the end of the data. False
  // when the data ended first or the records nest deeper than
  // kMaxGroupDepth; the members read so far are kept.
  bool ReadBinary(const ByteReader& read) override;
  // Switching rule and name; the reader appends the members.
  void ParseFields(std::string_view rest) override;
  void Draw(tview& view, int mode) const override;
  std::string FormatFields() const override;
  bool HitTest(std::int16_t x, std::int16_t y) const override;
  void UpdateExtent() override;
  void MoveBy(std::int16_t dx, std::int16_t dy) override;
  bool IsGroup() const override;
  int TerminalSize() const override;
  void SetSwitching(const t_schaltung& rule) override;
  void SetPenColour(std::uint8_t value) override;
  void SetPenStyle(std::uint8_t value) override;
  void SetPenWidth(std::uint8_t value) override;
  void SetFillColour(std::uint8_t value) override;
  void SetFillPattern(std::uint8_t value) override;
  void FitToFrame() override;
  std::unique_ptr<t_objekt> Clone() const override;
  std::int16_t ObjectCount() const override;
  bool HasSwitching() const override;
  void WriteBinary(ByteSink& out) const override;
  bool UsesVariable(std::int16_t variable) const override;
  bool UsesTextList(std::int16_t list) const override;
  void CollectReferences(std::vector<std::int16_t>& variables,
                         std::vector<std::int16_t>& textLists) const override;
  std::string CollectFonts() const override;
  std::string BitmapFile() const override;
  void Rotate(double centreX, double centreY, int degrees) override;
  void RenumberVariable(std::int16_t from, std::int16_t to) override;
  void RenumberTextList(std::int16_t from, std::int16_t to) override;

  // Appends at the end of the member list and widens the extent by it.
  void AppendMember(ObjectPtr member);
  // First member (the list's head); null when empty.
  t_objekt* FirstMember() { return static_cast<t_objekt*>(members_.get()); }
  const t_objekt* FirstMember() const { return static_cast<const t_objekt*>(members_.get()); }
  int MemberCount() const { return CountNodes(members_.get()); }
  // Hands the member list over (ungrouping); the group is empty afterwards.
  ListPtr TakeMembers();
  // The member list itself, for commands that relink members in place; each
  // relink must be followed by MembersRelinked() (and by UpdateExtent once
  // the members are final).
  ListPtr& MemberList() { return members_; }
  void MembersRelinked() noexcept { lastMember_ = static_cast<t_objekt*>(LastNode(members_.get())); }

 private:
  bool ReadMembers(const ByteReader& read, int depth, bool& aborted);
  template <class Fn>
  void EachMember(Fn&& fn) const;

  ListPtr members_;
  t_objekt* lastMember_ = nullptr;
};

}  // namespace tavo
