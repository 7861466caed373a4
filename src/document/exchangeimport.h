#pragma once
// Imports of exchange files and symbols as steps of the document: whatever
// an import adds or overwrites is one step, so one Undo takes the whole
// import back and Redo brings it again. The files are read and the
// questions asked before (exchange/), so nothing here can fail half way.

#include "document/document.h"
#include "exchange/listexchange.h"
#include "exchange/pictureexchange.h"

namespace tavo {

// Applies the plan of an alarm, variable or text list import to `list` as
// one step named `name`: overwritten records are replaced by their copies,
// new ones appended. Nothing is recorded for an empty plan. The plan's
// records move into the step.
EditResult ApplyRecordImport(Document& document, RecordList list, RecordImportPlan& plan,
                             const TextId& name);

// Appends the merged variables, text lists and pictures as one step.
EditResult ApplyPictureImport(Document& document, MergePlan& plan);

// Appends the merged variables and text lists and the symbol's objects at
// the end of the picture's objects as one step; the first of the objects
// becomes the selection.
EditResult InsertSymbol(Document& document, t_bild& picture, MergePlan& plan);

}  // namespace tavo
