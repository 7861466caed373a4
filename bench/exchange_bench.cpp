// The exchange files on the large project (5,000 variables, 240 alarms):
// exporting the variables and the alarms, importing them into an empty
// project and into the project itself (every variable a conflict, answered
// "Ja Alle"), and importing a picture of 2,000 output fields on 500
// variables with merging into the large project. Each should stay well
// under a second.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/exchangeimport.h"
#include "exchange/listexchange.h"
#include "exchange/pictureexchange.h"
#include "large_project.h"
#include "objects/fields/fields.h"
#include "objects/objectkinds.h"
#include "project/katalog.h"
#include "project/projectfile.h"
#include "shell/language.h"
#include "shell/messagebox.h"

namespace {

struct AllYes final : tavo::MessageBox {
  int Show(tavo::MsgKind, tavo::ButtonSet, const std::string&) override {
    return tavo::kAnswerJaAlle;
  }
};

struct ExchangeFixture {
  ExchangeFixture() {
    auto t = std::make_unique<tavo::t_terminal>();
    t->dosVersion = "VTA_640C.TRM";
    tavo::AppendNode(catalog.terminals, std::move(t));
    context.catalog = &catalog;
    context.objects = factory.get();
  }
  std::unique_ptr<tavo::t_projekt> Large() {
    return tavo::ReadProjectText(tavo::bench::LargeProjectText(1), context).project;
  }
  std::unique_ptr<tavo::t_projekt> Empty() {
    return tavo::ReadProjectText("[Head]\r\n[Variables]\r\n", context).project;
  }
  template <class T>
  static std::vector<const T*> All(const tavo::ListPtr& list) {
    std::vector<const T*> records;
    for (const tavo::t_liste* n = list.get(); n; n = n->next())
      records.push_back(static_cast<const T*>(n));
    return records;
  }
  std::string VariableFile(const tavo::t_projekt& p) {
    std::string text;
    tavo::WriteVariableFile(All<tavo::t_variable>(p.variables), p.coupling.get(),
                            [&](const std::string& l) { text += l + "\r\n"; });
    return text;
  }
  std::string AlarmFile(const tavo::t_projekt& p) {
    std::string text;
    tavo::WriteAlarmFile(All<tavo::t_alarme>(p.alarms),
                         [&](const std::string& l) { text += l + "\r\n"; });
    return text;
  }
  // A picture of 2,000 output fields on variables 1..500, as its file.
  std::string PictureFile() {
    auto source = Large();
    auto& picture = static_cast<tavo::t_bild&>(*source->pictures);
    for (int k = 0; k < 2000; ++k) {
      auto field = std::make_unique<tavo::tausobj>();
      field->SetVariable(static_cast<std::int16_t>(1 + k % 500));
      field->UpdateExtent();
      tavo::AppendNode(picture.objects, std::move(field));
    }
    std::string text;
    tavo::WritePictureExchange(*source, picture, [&](const std::string& l) { text += l + "\r\n"; });
    return text;
  }

  tavo::t_katalog catalog;
  std::unique_ptr<tavo::ObjectFactory> factory = tavo::MakeObjectFactory(&catalog);
  tavo::ProjectReadContext context;
  tavo::GermanTranslator german;
};

void BM_ExportVariablesAndAlarms(benchmark::State& state) {
  ExchangeFixture f;
  auto project = f.Large();
  for (auto _ : state) {
    benchmark::DoNotOptimize(f.VariableFile(*project));
    benchmark::DoNotOptimize(f.AlarmFile(*project));
  }
}
BENCHMARK(BM_ExportVariablesAndAlarms)->Unit(benchmark::kMillisecond);

void BM_ImportVariablesAndAlarmsIntoEmpty(benchmark::State& state) {
  ExchangeFixture f;
  auto large = f.Large();
  const std::string variables = f.VariableFile(*large), alarms = f.AlarmFile(*large);
  AllYes yes;
  for (auto _ : state) {
    state.PauseTiming();
    tavo::Document document(f.Empty());
    state.ResumeTiming();
    auto v = tavo::PlanVariableImport(document.Project(), variables, yes, f.german);
    tavo::ApplyRecordImport(document, tavo::RecordList::Variables, v, tavo::txt::kExStepVariablen);
    auto a = tavo::PlanAlarmImport(document.Project(), alarms, yes, f.german);
    tavo::ApplyRecordImport(document, tavo::RecordList::Alarms, a, tavo::txt::kExStepAlarme);
  }
}
BENCHMARK(BM_ImportVariablesAndAlarmsIntoEmpty)->Unit(benchmark::kMillisecond);

void BM_ImportVariablesOverwritingEveryOne(benchmark::State& state) {
  ExchangeFixture f;
  auto large = f.Large();
  const std::string variables = f.VariableFile(*large);
  AllYes yes;
  for (auto _ : state) {
    state.PauseTiming();
    tavo::Document document(f.Large());
    state.ResumeTiming();
    auto v = tavo::PlanVariableImport(document.Project(), variables, yes, f.german);
    tavo::ApplyRecordImport(document, tavo::RecordList::Variables, v, tavo::txt::kExStepVariablen);
  }
}
BENCHMARK(BM_ImportVariablesOverwritingEveryOne)->Unit(benchmark::kMillisecond);

void BM_ImportPictureOf2000ObjectsWithMerging(benchmark::State& state) {
  ExchangeFixture f;
  const std::string file = f.PictureFile();
  for (auto _ : state) {
    state.PauseTiming();
    tavo::Document document(f.Large());
    state.ResumeTiming();
    tavo::MergePlan plan =
        tavo::PlanMerge(document.Project(), tavo::ReadPictureExchange(file, *f.factory));
    tavo::ApplyPictureImport(document, plan);
  }
}
BENCHMARK(BM_ImportPictureOf2000ObjectsWithMerging)->Unit(benchmark::kMillisecond);

}  // namespace
