#include "shell/texts.h"

namespace tavo {

std::span<const TextId> AllTexts() {
  static const TextId kAll[] = {
      txt::kProjektfileFehlerhaft, txt::kProjektfileGruppenfehler, txt::kCannotOpenNoQvx,
      txt::kFehlerBeiDateizugriff, txt::kProjektNichtGesichert,   txt::kProjektSpeichernUnter,
      txt::kProjektOeffnen,        txt::kProjektLaden,             txt::kProgressProjekt,
      txt::kLabelVariables,        txt::kLabelAlarms,              txt::kLabelTextlists,
      txt::kLabelPictures,         txt::kFilterQvxSave,            txt::kFilterQvxOpen,
      // Group 240: variable type names.
      txt::kVarTypeIntel0, txt::kVarTypeIntel1, txt::kVarTypeIntel2, txt::kVarTypeIntel3,
      txt::kVarTypeIntel4, txt::kVarTypeIntel5, txt::kVarTypeIntel6, txt::kVarTypeIntel7,
      txt::kVarTypeIntel8, txt::kVarTypeIntel9, txt::kVarTypeSiemens0, txt::kVarTypeSiemens1,
      txt::kVarTypeSiemens2, txt::kVarTypeSiemens3, txt::kVarTypeSiemens4, txt::kVarTypeSiemens5,
      txt::kVarTypeSiemens6, txt::kVarTypeSiemens7, txt::kVarTypeSiemens8, txt::kVarTypeSiemens9,
      // Group 400: message box.
      txt::kButtonWeiter, txt::kButtonJa, txt::kButtonNein, txt::kTitleInformation,
      txt::kTitleWarnung, txt::kTitleFehler, txt::kTitleAbfrage, txt::kButtonAbbruch,
      txt::kButtonJaAlle, txt::kButtonNeinAlle,
      // Group 200: graphic object type names.
      txt::kTypLinie, txt::kTypRechteck, txt::kTypKreis, txt::kTypPolygon, txt::kTypText,
      txt::kTypBargraf, txt::kTypPlotgraf, txt::kTypEingabefeld, txt::kTypAusgabefeld,
      txt::kTypBarcodefeld, txt::kTypZeitAusgabe, txt::kTypDatumausgabe,
      txt::kTypTextlisteneingabe, txt::kTypTextlistenausgabe, txt::kTypSkalEingabefeld,
      txt::kTypSkalAusgabefeld, txt::kTypGruppe, txt::kTypTextliste, txt::kTypBitmap,
      // Group 400: download image builder captions.
      txt::kDownloadVorbereiten, txt::kTempLoeschen, txt::kNeueDateienKlassik, txt::kNeueDateien,
      txt::kDateienKopieren, txt::kMengeBerechnen, txt::kPruefsummen,
      // Group 400: download sequence and transfer.
      txt::kDownloadErfolgreich, txt::kKeinTerminalGefunden, txt::kDownloadFehlerhaft,
      txt::kFehlerBeiDownloadWiederholen, txt::kOeffnenDerSchnittstelle, txt::kPruefenDerDateien,
      txt::kUeberfluessigeDateienLoeschen, txt::kNotwendigeDateienUebertragen,
      txt::kProTerminalErwartet, txt::kDateinameNicht83,
      // Group 400: main window menus.
      txt::kMenuDatei, txt::kMenuOeffnen,
      // Groups 284 and 450: DOS project import.
      txt::kImportHintGesamt, txt::kImportHintTeil, txt::kImportProzent100, txt::kImportProjekt,
      txt::kImportKopf, txt::kImportAlarme, txt::kImportVariablen, txt::kImportBilder,
      txt::kImportFensterTitel, txt::kImportDialogTitel, txt::kImportFilter,
      txt::kImportDosProjekte, txt::kOsErrorFunction, txt::kOsErrorFileNotFound,
      txt::kOsErrorPathNotFound, txt::kOsErrorTooManyFiles, txt::kOsErrorAccessDenied,
      txt::kOsErrorHandle, txt::kOsErrorAccessMode, txt::kOsErrorDrive, txt::kImportKeinDosProjekt,
      txt::kImportNichtLesbar, txt::kImportKopfFehlt, txt::kImportAbschnittKurz,
      txt::kImportAbschnittGroesse, txt::kImportBilddateiFehlt, txt::kImportKeineBilddatei,
      txt::kImportUnbekannteArt, txt::kImportObjektAbgeschnitten, txt::kImportKeineBildnummer,
      txt::kImportUngueltigerName, txt::kImportKopfAbgeschnitten, txt::kImportWeitereBilder,
  };
  return kAll;
}

}  // namespace tavo
