#include "document/exchangeimport.h"

#include <new>

#include "document/edits.h"
#include "document/recordedit.h"
#include "shell/texts.h"

namespace tavo {

namespace {

// Appends the records to the list as part of the open macro.
EditResult AppendAll(Document& document, RecordList list, std::vector<ListPtr>& records,
                     const TextId& name) {
  if (records.empty()) return {};
  auto command = std::make_unique<RecordListEdit>(name, document.Project(), list);
  for (ListPtr& record : records) command->Append(std::move(record));
  records.clear();
  return document.Execute(std::move(command));
}

}  // namespace

EditResult ApplyRecordImport(Document& document, RecordList list, RecordImportPlan& plan,
                             const TextId& name) {
  if (plan.Empty()) return {};
  try {
    auto command = std::make_unique<RecordListEdit>(name, document.Project(), list);
    for (auto& [old, copy] : plan.replaced) command->Replace(*old, std::move(copy));
    for (ListPtr& record : plan.added) command->Append(std::move(record));
    plan.replaced.clear();
    plan.added.clear();
    return document.Execute(std::move(command));
  } catch (const std::bad_alloc&) {
    return EditResult::Failed(txt::kEditNoMemory);
  }
}

EditResult ApplyPictureImport(Document& document, MergePlan& plan) {
  if (plan.pictures.empty() && plan.variables.empty() && plan.textLists.empty()) return {};
  return InMacro(document, txt::kExStepBild, [&]() -> EditResult {
    if (EditResult r = AppendAll(document, RecordList::Variables, plan.variables, txt::kExStepBild);
        !r)
      return r;
    if (EditResult r = AppendAll(document, RecordList::TextLists, plan.textLists, txt::kExStepBild);
        !r)
      return r;
    return AppendAll(document, RecordList::Pictures, plan.pictures, txt::kExStepBild);
  });
}

EditResult InsertSymbol(Document& document, t_bild& picture, MergePlan& plan) {
  if (plan.objects.empty()) return {};
  t_objekt* first = plan.objects.front().get();
  EditResult result = InMacro(document, txt::kExStepSymbol, [&]() -> EditResult {
    if (EditResult r =
            AppendAll(document, RecordList::Variables, plan.variables, txt::kExStepSymbol);
        !r)
      return r;
    if (EditResult r =
            AppendAll(document, RecordList::TextLists, plan.textLists, txt::kExStepSymbol);
        !r)
      return r;
    return AddObjects(document, picture, std::move(plan.objects), txt::kExStepSymbol, false);
  });
  plan.objects.clear();
  if (result && document.OpenPicture() == &picture) {
    t_objekt* selection[] = {first};
    document.SetSelection(selection);
  }
  return result;
}

}  // namespace tavo
