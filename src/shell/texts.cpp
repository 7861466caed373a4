#include "shell/texts.h"

namespace tavo {

std::span<const TextId> AllTexts() {
  static const TextId kAll[] = {
      txt::kProjektfileFehlerhaft, txt::kProjektfileGruppenfehler, txt::kCannotOpenNoQvx,
      txt::kFehlerBeiDateizugriff, txt::kProjektNichtGesichert,   txt::kProjektSpeichernUnter,
      txt::kProjektOeffnen,        txt::kProjektLaden,             txt::kProgressProjekt,
      txt::kLabelVariables,        txt::kLabelAlarms,              txt::kLabelTextlists,
      txt::kLabelPictures,         txt::kFilterQvxSave,            txt::kFilterQvxOpen,
  };
  return kAll;
}

}  // namespace tavo
