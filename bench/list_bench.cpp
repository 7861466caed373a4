// The list pages' work on the large project (5,000 variables, 200 pictures,
// here with ten output fields per picture bound to variables): filtering the
// variable rows by a typed text, where-used of one variable over every
// picture, and deleting a variable in use with its references, then undoing
// that. Each is to be compared against a 16.7 ms frame.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/listoperations.h"
#include "large_project.h"
#include "objects/fields/fields.h"
#include "objects/objectkinds.h"
#include "project/katalog.h"
#include "project/projectfile.h"
#include "project/projekt.h"
#include "project/records.h"

namespace {

constexpr int kFieldsPerPicture = 10;
constexpr std::int16_t kUsedVariable = 7;

struct ListFixture {
  ListFixture() {
    auto t = std::make_unique<tavo::t_terminal>();
    t->dosVersion = "VTA_640C.TRM";
    tavo::AppendNode(catalog.terminals, std::move(t));
    context.catalog = &catalog;
    context.objects = factory.get();
  }
  // A fresh document: every picture gets output fields on variables 1..50,
  // so that each of those is used by 40 fields on 40 pictures.
  std::unique_ptr<tavo::Document> MakeDocument() {
    auto project = tavo::ReadProjectText(tavo::bench::LargeProjectText(1), context).project;
    int n = 0;
    for (tavo::t_liste* p = project->pictures.get(); p; p = p->next()) {
      auto& picture = static_cast<tavo::t_bild&>(*p);
      for (int k = 0; k < kFieldsPerPicture; ++k, ++n) {
        auto field = std::make_unique<tavo::tausobj>();
        field->SetVariable(static_cast<std::int16_t>(1 + n % 50));
        field->MoveBy(static_cast<std::int16_t>(20 + 40 * k), 300);
        field->UpdateExtent();
        tavo::AppendNode(picture.objects, std::move(field));
      }
    }
    return std::make_unique<tavo::Document>(std::move(project));
  }
  tavo::t_katalog catalog;
  std::unique_ptr<tavo::ObjectFactory> factory = tavo::MakeObjectFactory();
  tavo::ProjectReadContext context;
};

ListFixture& Fixture() {
  static ListFixture f;
  return f;
}

// The rows as the variable page shows them: number, name, address, type.
std::vector<std::vector<std::string>> VariableRows(const tavo::t_projekt& project) {
  std::vector<std::vector<std::string>> rows;
  for (const tavo::t_liste* v = project.variables.get(); v; v = v->next()) {
    const auto& variable = static_cast<const tavo::t_variable&>(*v);
    rows.push_back({std::to_string(variable.number), variable.name,
                    tavo::VariableAddressText(variable.address, project.coupling.get()), "Word"});
  }
  return rows;
}

tavo::t_liste* VariableNumbered(tavo::t_projekt& project, int number) {
  for (tavo::t_liste* v = project.variables.get(); v; v = v->next())
    if (static_cast<tavo::t_variable&>(*v).number == number) return v;
  return nullptr;
}

void BM_ListFilterVariables(benchmark::State& state) {
  auto document = Fixture().MakeDocument();
  tavo::RowFilter filter;
  filter.SetRows(VariableRows(document->Project()));
  // Typed one character after the other, as a user narrows the list.
  const std::string typed = "nummer 12";
  std::size_t shown = 0;
  for (auto _ : state) {
    for (std::size_t i = 1; i <= typed.size(); ++i) filter.SetText(typed.substr(0, i));
    shown = filter.MatchCount();
    filter.SetText("");
  }
  state.counters["rows"] = static_cast<double>(filter.RowCount());
  state.counters["shown"] = static_cast<double>(shown);
  state.counters["keystrokes"] = static_cast<double>(typed.size());
}
BENCHMARK(BM_ListFilterVariables)->Unit(benchmark::kMillisecond);

void BM_ListWhereUsedVariable(benchmark::State& state) {
  auto document = Fixture().MakeDocument();
  tavo::t_liste* variable = VariableNumbered(document->Project(), kUsedVariable);
  std::size_t found = 0;
  for (auto _ : state) {
    found =
        tavo::FindReferences(document->Project(), tavo::RecordList::Variables, *variable).size();
    benchmark::DoNotOptimize(found);
  }
  state.counters["references"] = static_cast<double>(found);
}
BENCHMARK(BM_ListWhereUsedVariable)->Unit(benchmark::kMillisecond);

// One iteration: delete the variable with its references, then undo.
void BM_ListDeleteUsedVariableAndUndo(benchmark::State& state) {
  auto document = Fixture().MakeDocument();
  for (auto _ : state) {
    tavo::t_liste* variable = VariableNumbered(document->Project(), kUsedVariable);
    tavo::t_liste* const one[] = {variable};
    const tavo::DeleteOutcome outcome = tavo::DeleteRecords(
        *document, tavo::RecordList::Variables, one, tavo::UsedRecords::DeleteWithReferences);
    if (!outcome.result) state.SkipWithError("delete failed");
    document->Undo();
  }
}
BENCHMARK(BM_ListDeleteUsedVariableAndUndo)->Unit(benchmark::kMillisecond);

}  // namespace
