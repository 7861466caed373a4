// The exchange and symbol readers on arbitrary bytes: they must never crash
// or hang, and a plan or merge built from what they read must be complete
// (every record it adds has a number the project does not use).
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "exchange/listexchange.h"
#include "exchange/pictureexchange.h"
#include "objects/objectkinds.h"
#include "shell/language.h"
#include "shell/messageboxes.h"

namespace {

// Answers conflicts by the data's own bytes, so every answer is taken.
class ByteAnswers : public tavo::MessageBox {
 public:
  explicit ByteAnswers(std::string_view data) : data_(data) {}
  int Show(tavo::MsgKind, tavo::ButtonSet, const std::string&) override {
    static constexpr int kAnswers[] = {tavo::kAnswerJa, tavo::kAnswerJaAlle, tavo::kAnswerNein,
                                       tavo::kAnswerNeinAlle, tavo::kAnswerAbbruch};
    const unsigned char byte =
        data_.empty() ? 0 : static_cast<unsigned char>(data_[at_++ % data_.size()]);
    return kAnswers[byte % 5];
  }

 private:
  std::string_view data_;
  std::size_t at_ = 0;
};

void CheckNumbers(const tavo::t_liste* list, const std::vector<tavo::ListPtr>& added) {
  std::set<int> taken;
  for (const tavo::t_liste* n = list; n; n = n->next()) taken.insert(n->number);
  for (const tavo::ListPtr& r : added)
    if (!taken.insert(r->number).second) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto factory = tavo::MakeObjectFactory();
  tavo::GermanTranslator german;
  tavo::t_projekt project;
  for (int i = 1; i <= 3; ++i) {
    auto v = std::make_unique<tavo::t_variable>();
    v->number = static_cast<std::uint16_t>(i);
    v->name = "v" + std::to_string(i);
    tavo::AppendNode(project.variables, std::move(v));
    auto a = std::make_unique<tavo::t_alarme>();
    a->number = static_cast<std::uint16_t>(i);
    tavo::AppendNode(project.alarms, std::move(a));
  }

  ByteAnswers answers(bytes);
  tavo::RecordImportPlan alarms = tavo::PlanAlarmImport(project, bytes, answers, german);
  CheckNumbers(project.alarms.get(), alarms.added);
  for (const tavo::ListPtr& a : alarms.added)
    if (a->number > 239) std::abort();
  tavo::RecordImportPlan variables = tavo::PlanVariableImport(project, bytes, answers, german);
  CheckNumbers(project.variables.get(), variables.added);
  tavo::RecordImportPlan lists = tavo::PlanTextListImport(project, bytes);
  CheckNumbers(project.textLists.get(), lists.added);
  for (const tavo::ExchangeMessage& m : alarms.messages) tavo::ExchangeMessageText(m, german);

  tavo::MergePlan picture =
      tavo::PlanMerge(project, tavo::ReadPictureExchange(bytes, *factory), 800, 600);
  CheckNumbers(project.variables.get(), picture.variables);
  tavo::PlanMerge(project, tavo::ReadSymbolText(bytes, *factory));
  tavo::PlanMerge(project, tavo::ReadSymbolBinary(bytes, german));
  tavo::DetectExchangeKind(bytes);
  return 0;
}
