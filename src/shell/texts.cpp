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
      txt::kProTerminalErwartet, txt::kDateinameNicht83, txt::kEinstellungenNichtGesichert,
      // Group 400: main window menus.
      txt::kMenuDatei, txt::kMenuOeffnen,
      // Group 420: the editor sheet and the display dialog.
      txt::kSheetZoomDouble, txt::kSheetZoomHalve, txt::kSheetCentre, txt::kSheetGrid,
      txt::kSheetRuler, txt::kSheetToolPanel, txt::kSheetColourGrey, txt::kSheetDisplayOptions,
      txt::kGridDialogCaption, txt::kGridUmriss, txt::kGridSoftkeyRect, txt::kGridSoftkeyText,
      txt::kGridBlack, txt::kGridWhite, txt::kGridRaster, txt::kGridOn, txt::kGridDistance,
      txt::kGridFang, txt::kGridAccept, txt::kGridDiscard, txt::kGridToolBar,
      // Group 430: the editor's dialogs.
      txt::kEingabenUebernehmen, txt::kEingabenVerwerfen, txt::kAktionsleiste,
      txt::kKeinIntegerwert, txt::kNichtImByteBereich, txt::kProgrammoptionen,
      txt::kSprachauswahl, txt::kEingabeUebernehmen, txt::kEingabeVerwerfen,
      txt::kSprachcodeZuLang, txt::kTerminalDialog, txt::kTerminalauswahl, txt::kKopplungsDialog,
      txt::kAnkopplung, txt::kVorschau, txt::kInfo, txt::kTransferblock, txt::kLesen,
      txt::kSchreiben, txt::kDB, txt::kDW, txt::kAdresse, txt::kStoerbitsortierung,
      txt::kSortErst, txt::kSortNeu, txt::kSortPrioritaet,
      // Download dialog, transfer progress window, further download texts.
      txt::kDlgParameterPanel, txt::kDlgAktionsleiste, txt::kDlgEingabenUebernehmen,
      txt::kDlgEingabenVerwerfen, txt::kDlgPortHint, txt::kDlgRateHint, txt::kDlgStationHint,
      txt::kDlgPortLabel, txt::kDlgRateLabel, txt::kDlgStationLabel, txt::kDlgUngueltigeEingabe,
      txt::kDlgUmfangHint, txt::kDlgUmfang, txt::kDlgUmfangAlles, txt::kDlgUmfangOptimal,
      txt::kTransferTitle, txt::kTransferFileHint, txt::kTransferTotalHint,
      txt::kTransferTotalLabel, txt::kDlgDownloadTitle, txt::kDlgKeinePorts,
      // Group 400 and 410: main window.
      txt::kMenuNeu, txt::kMenuDruckereinrichtung, txt::kMenuOptionen, txt::kMenuBeenden,
      txt::kMenuInfoStart, txt::kMenuSpeichern, txt::kMenuSpeichernUnter, txt::kMenuSchliessen,
      txt::kMenuDrucken, txt::kMenuAnsicht, txt::kVariablen, txt::kAlarme, txt::kBilder,
      txt::kMenuEinstellungen, txt::kMenuGrid, txt::kMenuInfoOffen, txt::kHintNeuesProjekt,
      txt::kHintProjektOeffnen, txt::kHintImportDos, txt::kHintProjektSichern, txt::kHintSaveAs,
      txt::kHintProjektansicht, txt::kHintDownload, txt::kTabProjektInfo, txt::kTabTexte,
      txt::kTabBildEditor, txt::kNodeProjektinfo, txt::kStatusNichtGeladen, txt::kStatusVeraendert,
      txt::kStatusImSpeicher, txt::kWirklichBeenden, txt::kProgrammInfo, txt::kColName,
      txt::kColIndex, txt::kColAdresse, txt::kColLaenge, txt::kColTyp, txt::kColNummer,
      txt::kColText, txt::kColDyn, txt::kColBrk, txt::kColEin, txt::kColAus, txt::kColArt,
      txt::kArtWert, txt::kArtBit, txt::kColHgFarbe, txt::kColGroesse, txt::kColAnzObjekte,
      txt::kHintBildAendern, txt::kHintDrucken, txt::kHintBildInZwischenablage,
      txt::kHintBildAnsicht, txt::kLabelProjektname, txt::kLabelAutor, txt::kLabelInfo,
      txt::kLabelErstellt, txt::kLabelGeaendert, txt::kLabelTerminal, txt::kLabelAufloesung,
      txt::kLabelFarbtiefe, txt::kLabelHauptspeicher, txt::kLabelFlashspeicher,
      txt::kLabelSteuerung, txt::kHintTerminalAendern, txt::kHintSteuerungAendern,
      txt::kLabelProjekt, txt::kKeineDefinitionen, txt::kProjektNichtLesbar,
      txt::kBitmapsNichtKopiert,
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
