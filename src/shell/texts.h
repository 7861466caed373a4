#pragma once
// The registry of every (group, entry) pair the program translates, with its
// German text (UTF-8 here; converted to code page 1252 when used). Pairs are
// keyed by translators' tables: once shipped, a pair never changes meaning.

#include <cstdint>
#include <span>

namespace tavo {

struct TextId {
  std::uint16_t group;
  std::uint16_t entry;
  const char* german;  // UTF-8
};

namespace txt {
// Group 1: project file.
inline constexpr TextId kProjektfileFehlerhaft{1, 1, "Projektfile fehlerhaft !"};
inline constexpr TextId kProjektfileGruppenfehler{1, 2, "Projektfile fehlerhaft (Gruppenfehler)!"};
inline constexpr TextId kCannotOpenNoQvx{1, 3, "Cannot open - no QVX-Projekt-File !"};
inline constexpr TextId kFehlerBeiDateizugriff{1, 4, "Fehler bei Dateizugriff"};
inline constexpr TextId kImportDialogTitel{1, 5, "Import von 2.xx Projekt"};
inline constexpr TextId kProjektNichtGesichert{1, 6, "Projekt noch nicht gesichert, nun sichern ?"};
inline constexpr TextId kProjektSpeichernUnter{1, 100, "Projekt speichern unter ..."};
inline constexpr TextId kProjektOeffnen{1, 101, "Öffnen eines Projekts"};
inline constexpr TextId kProjektLaden{1, 102, "Projekt laden"};
inline constexpr TextId kProgressProjekt{1, 103, "Projekt"};
inline constexpr TextId kLabelVariables{1, 104, "Variables"};
inline constexpr TextId kLabelAlarms{1, 105, "Alarms"};
inline constexpr TextId kLabelTextlists{1, 106, "Textlists"};
inline constexpr TextId kLabelPictures{1, 107, "Pictures"};
inline constexpr TextId kFilterQvxSave{1, 108, "QVX-Tavo-Dex Datei|*.qvx|Alle Dateien|*.*"};
inline constexpr TextId kFilterQvxOpen{1, 109, "QVX-Tavo-Dex Datei|*.qvx"};
// Group 1, from 20: what the project reader says about a damaged or foreign
// file. "%s" stands for a number.
inline constexpr TextId kMeldungWiederholt{1, 20, "(%s-mal)"};
inline constexpr TextId kUnbekannteObjektart{
    1, 21, "Projektfile fehlerhaft: Objektzeile unbekannter Art %s übersprungen"};
inline constexpr TextId kKeineProjektdatei{
    1, 22,
    "Die Datei ist keine Projektdatei (sie hat keinen Abschnitt wie [Head] oder [Pictures]):"};
inline constexpr TextId kEndeInGruppe{
    1, 23, "Projektfile unvollständig: die Datei endet innerhalb einer Gruppe"};
inline constexpr TextId kEndeInBild{
    1, 24, "Projektfile unvollständig: die Datei endet innerhalb eines Bildes"};
inline constexpr TextId kLetzteZeileAbgeschnitten{
    1, 25, "Projektfile unvollständig: die letzte Zeile ist abgeschnitten"};
inline constexpr TextId kUtf8Umgewandelt{
    1, 26,
    "Die Projektdatei ist in UTF-8 gespeichert (von einem Texteditor?) und wurde in den "
    "Windows-Zeichensatz 1252 umgewandelt."};
inline constexpr TextId kUtf8Ersetzt{
    1, 27, "%s Zeichen ohne Entsprechung in diesem Zeichensatz wurden durch '?' ersetzt."};
inline constexpr TextId kWeitereMeldungen{1, 28, "... und %s weitere Meldungen zu dieser Datei"};

// Group 240: variable type names, entry 50 + type with an "INTEL" coupling,
// 60 + type with a "SIEMENS" coupling. Each name is nine characters long.
inline constexpr TextId kVarTypeIntel0{240, 50, "No Type  "};
inline constexpr TextId kVarTypeIntel1{240, 51, "Bitfeld  "};
inline constexpr TextId kVarTypeIntel2{240, 52, "Integer  "};
inline constexpr TextId kVarTypeIntel3{240, 53, "Word     "};
inline constexpr TextId kVarTypeIntel4{240, 54, "Longint  "};
inline constexpr TextId kVarTypeIntel5{240, 55, "Hex      "};
inline constexpr TextId kVarTypeIntel6{240, 56, "ASCII    "};
inline constexpr TextId kVarTypeIntel7{240, 57, "BCD      "};
inline constexpr TextId kVarTypeIntel8{240, 58, "S5 KT    "};
inline constexpr TextId kVarTypeIntel9{240, 59, "S5 KZ    "};
inline constexpr TextId kVarTypeSiemens0{240, 60, "No Type  "};
inline constexpr TextId kVarTypeSiemens1{240, 61, "KM       "};
inline constexpr TextId kVarTypeSiemens2{240, 62, "KF       "};
inline constexpr TextId kVarTypeSiemens3{240, 63, "KH       "};
inline constexpr TextId kVarTypeSiemens4{240, 64, "KD       "};
inline constexpr TextId kVarTypeSiemens5{240, 65, "KH       "};
inline constexpr TextId kVarTypeSiemens6{240, 66, "KC       "};
inline constexpr TextId kVarTypeSiemens7{240, 67, "BCD      "};
inline constexpr TextId kVarTypeSiemens8{240, 68, "KT       "};
inline constexpr TextId kVarTypeSiemens9{240, 69, "KZ       "};
// Indexed by the variable's type.
inline constexpr TextId kVarTypeNamesIntel[10] = {
    kVarTypeIntel0, kVarTypeIntel1, kVarTypeIntel2, kVarTypeIntel3, kVarTypeIntel4,
    kVarTypeIntel5, kVarTypeIntel6, kVarTypeIntel7, kVarTypeIntel8, kVarTypeIntel9};
inline constexpr TextId kVarTypeNamesSiemens[10] = {
    kVarTypeSiemens0, kVarTypeSiemens1, kVarTypeSiemens2, kVarTypeSiemens3, kVarTypeSiemens4,
    kVarTypeSiemens5, kVarTypeSiemens6, kVarTypeSiemens7, kVarTypeSiemens8, kVarTypeSiemens9};

// Group 400: message box buttons and titles.
inline constexpr TextId kButtonWeiter{400, 64, "Weiter"};
inline constexpr TextId kButtonJa{400, 65, "Ja"};
inline constexpr TextId kButtonNein{400, 66, "Nein"};
inline constexpr TextId kTitleInformation{400, 67, "Information"};
inline constexpr TextId kTitleWarnung{400, 68, "Warnung"};
inline constexpr TextId kTitleFehler{400, 69, "Fehler"};
inline constexpr TextId kTitleAbfrage{400, 70, "Abfrage"};
inline constexpr TextId kButtonAbbruch{400, 74, "Abbruch"};
inline constexpr TextId kButtonJaAlle{400, 75, "Ja Alle"};
inline constexpr TextId kButtonNeinAlle{400, 76, "Nein Alle"};
// Group 200: graphic object type names (the object family).
inline constexpr TextId kTypLinie{200, 101, "Linie"};
inline constexpr TextId kTypRechteck{200, 102, "Rechteck"};
inline constexpr TextId kTypKreis{200, 103, "Kreis"};
inline constexpr TextId kTypPolygon{200, 104, "Polygon"};
inline constexpr TextId kTypText{200, 105, "Text"};
inline constexpr TextId kTypBargraf{200, 106, "Bargraf"};
inline constexpr TextId kTypPlotgraf{200, 107, "Plotgraf"};
inline constexpr TextId kTypEingabefeld{200, 108, "Eingabefeld"};
inline constexpr TextId kTypAusgabefeld{200, 109, "Ausgabefeld"};
inline constexpr TextId kTypBarcodefeld{200, 110, "Barcodefeld"};
inline constexpr TextId kTypZeitAusgabe{200, 111, "ZeitAusgabe"};
inline constexpr TextId kTypDatumausgabe{200, 112, "Datumausgabe"};
inline constexpr TextId kTypTextlisteneingabe{200, 113, "Textlisteneingabe"};
inline constexpr TextId kTypTextlistenausgabe{200, 114, "Textlistenausgabe"};
inline constexpr TextId kTypSkalEingabefeld{200, 115, "SkalEingabefeld"};
inline constexpr TextId kTypSkalAusgabefeld{200, 116, "SkalAusgabefeld"};
inline constexpr TextId kTypGruppe{200, 117, "Gruppe"};
inline constexpr TextId kTypTextliste{200, 118, "Textliste"};
inline constexpr TextId kTypBitmap{200, 119, "Bitmap"};

// Group 400: captions of the download image builder.
inline constexpr TextId kDownloadVorbereiten{400, 40, "Download vorbereiten"};
inline constexpr TextId kTempLoeschen{400, 77, "Temporärverzeichnis löschen"};
inline constexpr TextId kNeueDateienKlassik{400, 78, "Neue Dateien erzeugen"};
inline constexpr TextId kNeueDateien{400, 79, "Neue Dateien erzeugen"};
inline constexpr TextId kDateienKopieren{400, 80, "Benötigte Dateien kopieren"};
inline constexpr TextId kMengeBerechnen{400, 81, "Übertragungsmenge berechnen"};
inline constexpr TextId kPruefsummen{400, 82, "Prüfsummen der Dateien erzeugen"};

// Group 400: download sequence and transfer.
inline constexpr TextId kDownloadErfolgreich{400, 41, "Download erfolgreich."};
inline constexpr TextId kKeinTerminalGefunden{400, 42, "kein Terminal gefunden !"};
inline constexpr TextId kDownloadFehlerhaft{400, 71, "Download fehlerhaft, Bitte wiederholen."};
inline constexpr TextId kFehlerBeiDownloadWiederholen{400, 72,
                                                      "Fehler bei Download ! Wiederholen ?"};
inline constexpr TextId kOeffnenDerSchnittstelle{400, 83, "Öffnen der Schnittstelle"};
inline constexpr TextId kPruefenDerDateien{400, 84, "Prüfen der Dateien im Terminal"};
inline constexpr TextId kUeberfluessigeDateienLoeschen{400, 85,
                                                       "Überflüssige Dateien im Terminal löschen"};
inline constexpr TextId kNotwendigeDateienUebertragen{400, 86,
                                                      "notwendige Dateien ins Terminal übertragen"};
inline constexpr TextId kProTerminalErwartet{400, 87, "VTA VGA PRO Terminal erwartet !!"};
inline constexpr TextId kDateinameNicht83{400, 150,
                                          "Dateiname passt nicht ins 8.3-Format des Terminals:"};
inline constexpr TextId kEinstellungenNichtGesichert{
    400, 160,
    "Die Einstellungen des Terminals konnten nicht gesichert werden. Am Terminal wurde nichts geändert, bitte wiederholen."};

// Group 400: main window menus.
inline constexpr TextId kMenuDatei{400, 200, "&Datei"};
inline constexpr TextId kMenuOeffnen{400, 201, "Ö&ffnen..."};

// Group 420: the editor sheet, its tool buttons and the display dialog.
inline constexpr TextId kSheetZoomDouble{420, 1, "Sichtbereich vergrößern"};
inline constexpr TextId kSheetZoomHalve{420, 2, "Sichtbereich verkleinern"};
inline constexpr TextId kSheetCentre{420, 3, "Bild zentrieren"};
inline constexpr TextId kSheetGrid{420, 4, "Raster Ein/Aus"};
inline constexpr TextId kSheetRuler{420, 5, "Skala Ein/Aus"};
inline constexpr TextId kSheetToolPanel{420, 6, "Toolbereich Ein/Aus"};
inline constexpr TextId kSheetColourGrey{420, 7, "Farbe-/Graustufen Darstellung"};
inline constexpr TextId kSheetDisplayOptions{420, 8, "Darstellungsoptinen"};
inline constexpr TextId kGridDialogCaption{420, 20, "Darstellungs-Dialog"};
inline constexpr TextId kGridUmriss{420, 21, "Umriss"};
inline constexpr TextId kGridSoftkeyRect{420, 22, "Softkey Bereich sichtbar"};
inline constexpr TextId kGridSoftkeyText{420, 23, "Nummerierung sichtbar"};
inline constexpr TextId kGridBlack{420, 24, "Schwarz"};
inline constexpr TextId kGridWhite{420, 25, "Weiss"};
inline constexpr TextId kGridRaster{420, 26, "Raster"};
inline constexpr TextId kGridOn{420, 27, "Eingeschaltet"};
inline constexpr TextId kGridDistance{420, 28, "Abstand"};
inline constexpr TextId kGridFang{420, 29, "Fang"};
inline constexpr TextId kGridAccept{420, 30, "Eingaben übernehmen"};
inline constexpr TextId kGridDiscard{420, 31, "Eingaben verwerfen"};
inline constexpr TextId kGridToolBar{420, 32, "Aktionsleiste"};
// Group 430: the editor's dialogs (message box, program options, terminal
// and coupling choice).
inline constexpr TextId kEingabenUebernehmen{430, 1, "Eingaben übernehmen"};
inline constexpr TextId kEingabenVerwerfen{430, 2, "Eingaben verwerfen"};
inline constexpr TextId kAktionsleiste{430, 3, "Aktionsleiste"};
inline constexpr TextId kKeinIntegerwert{430, 4, "'%s' ist kein gültiger Integerwert"};
inline constexpr TextId kNichtImByteBereich{430, 5, "'%s' liegt nicht im Bereich 0..255"};
inline constexpr TextId kProgrammoptionen{430, 10, "Programmoptionen"};
inline constexpr TextId kSprachauswahl{430, 11, "Sprachauswahl"};
inline constexpr TextId kEingabeUebernehmen{430, 12, "Eingabe übernehmen"};
inline constexpr TextId kEingabeVerwerfen{430, 13, "Eingabe verwerfen"};
inline constexpr TextId kSprachcodeZuLang{
    430, 14, "Nicht wählbar: der Sprachcode hat mehr als drei Zeichen"};
inline constexpr TextId kTerminalDialog{430, 20, "Terminal-Dialog"};
inline constexpr TextId kTerminalauswahl{430, 21, "Terminalauswahl"};
inline constexpr TextId kKopplungsDialog{430, 30, "Ankopplungs-Dialog"};
inline constexpr TextId kAnkopplung{430, 31, "Ankopplung"};
inline constexpr TextId kVorschau{430, 32, "Vorschau"};
inline constexpr TextId kInfo{430, 33, "Info"};
inline constexpr TextId kTransferblock{430, 34, "Transferblock"};
inline constexpr TextId kLesen{430, 35, "Lesen"};
inline constexpr TextId kSchreiben{430, 36, "Schreiben"};
inline constexpr TextId kDB{430, 37, "DB"};
inline constexpr TextId kDW{430, 38, "DW"};
inline constexpr TextId kAdresse{430, 39, "Adresse"};
inline constexpr TextId kStoerbitsortierung{430, 40, "Störbitsortierung"};
inline constexpr TextId kSortErst{430, 41, "Erst"};
inline constexpr TextId kSortNeu{430, 42, "Neu"};
inline constexpr TextId kSortPrioritaet{430, 43, "Priroität"};
// Download dialog (group 285), transfer progress window (group 360) and
// further download texts (group 440).
inline constexpr TextId kDlgParameterPanel{285, 1, "Übertragungsparameter"};
inline constexpr TextId kDlgAktionsleiste{285, 2, "Aktionsleiste"};
inline constexpr TextId kDlgEingabenUebernehmen{285, 3, "Eingaben übernehmen"};
inline constexpr TextId kDlgEingabenVerwerfen{285, 4, "Eingaben verwerfen"};
inline constexpr TextId kDlgPortHint{285, 5,
                                     "das Terminal ist an COM-Schnittstelle ... angeschlossen"};
inline constexpr TextId kDlgRateHint{285, 6, "Übertagungsgeschwindigkeit einstellen"};
inline constexpr TextId kDlgStationHint{285, 7, "Stationsnummer des Terminals eingeben"};
inline constexpr TextId kDlgPortLabel{285, 8, "COM-Schnittstelle"};
inline constexpr TextId kDlgRateLabel{285, 9, "Geschwindigkeit"};
inline constexpr TextId kDlgStationLabel{285, 10, "Slavenummer"};
inline constexpr TextId kDlgUngueltigeEingabe{285, 11, "Ungültige Eingabe !"};
inline constexpr TextId kDlgUmfangHint{285, 12, "Opimierung des Downloads ein-/ausschalten"};
inline constexpr TextId kDlgUmfang{285, 13, "Download Umfang"};
inline constexpr TextId kDlgUmfangAlles{285, 14, "Alles"};
inline constexpr TextId kDlgUmfangOptimal{285, 15, "Optimal"};
inline constexpr TextId kTransferTitle{360, 0, "Übertagungsfortschritt"};
inline constexpr TextId kTransferFileHint{360, 1, "Fortschritt bein Dateiübertragung"};
inline constexpr TextId kTransferTotalHint{360, 2, "Gesammtfortschritt der Übertragung"};
inline constexpr TextId kTransferTotalLabel{360, 3, "Gesamtfortschritt"};
inline constexpr TextId kDlgDownloadTitle{440, 1, "Projekt Übertragen"};
inline constexpr TextId kDlgKeinePorts{440, 2, "Keine COM-Schnittstelle lässt sich öffnen !"};
// Group 400 and 410: main window (menus, tool bars, pages, status bar).
inline constexpr TextId kMenuNeu{400, 202, "&Neu"};
inline constexpr TextId kMenuDruckereinrichtung{400, 203, "Drucker&einrichtung..."};
inline constexpr TextId kMenuOptionen{400, 204, "&Optionen"};
inline constexpr TextId kMenuBeenden{400, 205, "&Beenden"};
inline constexpr TextId kMenuInfoStart{400, 206, "&Info"};
inline constexpr TextId kMenuSpeichern{400, 207, "&Speichern"};
inline constexpr TextId kMenuSpeichernUnter{400, 208, "Speichern &unter..."};
inline constexpr TextId kMenuSchliessen{400, 209, "Schließen"};
inline constexpr TextId kMenuDrucken{400, 210, "&Drucken..."};
inline constexpr TextId kMenuAnsicht{400, 211, "Ansicht"};
inline constexpr TextId kVariablen{400, 212, "Variablen"};
inline constexpr TextId kAlarme{400, 213, "Alarme"};
inline constexpr TextId kBilder{400, 214, "Bilder"};
inline constexpr TextId kMenuEinstellungen{400, 215, "Einstellungen"};
inline constexpr TextId kMenuGrid{400, 216, "Grid"};
inline constexpr TextId kMenuInfoOffen{400, 217, "In&fo"};
inline constexpr TextId kHintNeuesProjekt{400, 218, "neues Projekt"};
inline constexpr TextId kHintProjektOeffnen{400, 219, "Projekt öffnen"};
inline constexpr TextId kHintImportDos{400, 220, "Import DOS-Projekte"};
inline constexpr TextId kHintProjektSichern{400, 221, "Projekt sichern"};
inline constexpr TextId kHintSaveAs{400, 222, "Save As"};
inline constexpr TextId kHintProjektansicht{400, 223, "Projektansicht ändern"};
inline constexpr TextId kHintDownload{400, 224, "Download starten"};
inline constexpr TextId kTabProjektInfo{400, 225, "ProjektInfo"};
inline constexpr TextId kTabTexte{400, 226, "Texte"};
inline constexpr TextId kTabBildEditor{400, 227, "BildEditor"};
inline constexpr TextId kNodeProjektinfo{400, 228, "Projektinfo"};
inline constexpr TextId kStatusNichtGeladen{400, 229, "nicht geladen"};
inline constexpr TextId kStatusVeraendert{400, 230, "Verändert"};
inline constexpr TextId kStatusImSpeicher{400, 231, "im Speicher"};
inline constexpr TextId kWirklichBeenden{400, 232, "wirklich beenden?"};
inline constexpr TextId kProgrammInfo{400, 233, "Programm Info"};
inline constexpr TextId kColName{400, 234, "Name"};
inline constexpr TextId kColIndex{400, 235, "Index"};
inline constexpr TextId kColAdresse{400, 236, "Adresse"};
inline constexpr TextId kColLaenge{400, 237, "Länge"};
inline constexpr TextId kColTyp{400, 238, "Typ"};
inline constexpr TextId kColNummer{400, 239, "Nummer"};
inline constexpr TextId kColText{400, 240, "Text"};
inline constexpr TextId kColDyn{400, 241, "Dyn"};
inline constexpr TextId kColBrk{400, 242, "Brk"};
inline constexpr TextId kColEin{400, 243, "Ein"};
inline constexpr TextId kColAus{400, 244, "Aus"};
inline constexpr TextId kColArt{400, 245, "Art"};
inline constexpr TextId kArtWert{400, 246, "Wert"};
inline constexpr TextId kArtBit{400, 247, "Bit"};
inline constexpr TextId kColHgFarbe{400, 248, "HG-Farbe"};
inline constexpr TextId kColGroesse{400, 249, "Größe"};
inline constexpr TextId kColAnzObjekte{400, 250, "anz. Objekte"};
inline constexpr TextId kHintBildAendern{400, 251, "Bild ändern"};
inline constexpr TextId kHintDrucken{410, 1, "Projekt drucken"};
inline constexpr TextId kHintBildInZwischenablage{410, 2, "Bild in die Zwischenablage kopieren"};
inline constexpr TextId kHintBildAnsicht{410, 3, "Bildliste: Symbole oder Tabelle"};
inline constexpr TextId kLabelProjektname{410, 4, "Projektname"};
inline constexpr TextId kLabelAutor{410, 5, "Autor"};
inline constexpr TextId kLabelInfo{410, 6, "Info"};
inline constexpr TextId kLabelErstellt{410, 7, "erstellt am"};
inline constexpr TextId kLabelGeaendert{410, 8, "geändert am"};
inline constexpr TextId kLabelTerminal{410, 9, "Terminal"};
inline constexpr TextId kLabelAufloesung{410, 10, "Auflösung"};
inline constexpr TextId kLabelFarbtiefe{410, 11, "Farbtiefe"};
inline constexpr TextId kLabelHauptspeicher{410, 12, "Hauptspeicher"};
inline constexpr TextId kLabelFlashspeicher{410, 13, "Flashspeicher"};
inline constexpr TextId kLabelSteuerung{410, 14, "Steuerung"};
inline constexpr TextId kHintTerminalAendern{410, 15, "Terminal ändern"};
inline constexpr TextId kHintSteuerungAendern{410, 16, "Steuerung ändern"};
inline constexpr TextId kLabelProjekt{410, 17, "Projekt"};
inline constexpr TextId kKeineDefinitionen{410, 18,
                                           "Keine Terminal- oder Steuerungsdefinition installiert: "
                                           "das neue Projekt erhält Standardwerte."};
inline constexpr TextId kProjektNichtLesbar{410, 19,
                                            "Die Projektdatei kann nicht geöffnet werden:"};
inline constexpr TextId kBitmapsNichtKopiert{
    410, 20, "Diese Bitmap-Dateien konnten nicht in den Projektordner kopiert werden:"};
// Group 284: the DOS project import's progress window.
inline constexpr TextId kImportHintGesamt{284, 1, "Anzeige des gesammten Übertragungsfortschritts"};
inline constexpr TextId kImportHintTeil{284, 2, "Anzeige des Übertragungsfortschritts"};
inline constexpr TextId kImportProzent100{284, 3, "100 %"};
inline constexpr TextId kImportProjekt{284, 4, "Projekt"};
inline constexpr TextId kImportKopf{284, 11, "Kopf "};
inline constexpr TextId kImportAlarme{284, 12, "Alarme"};
inline constexpr TextId kImportVariablen{284, 13, "Variablen"};
inline constexpr TextId kImportBilder{284, 14, "Bilder"};
// Group 450: DOS project import (command, open failures, damaged files).
inline constexpr TextId kImportFensterTitel{450, 1, "Projekt importieren"};
inline constexpr TextId kImportFilter{450, 3, "QVX-Tavo 2.x File|*.prj"};
inline constexpr TextId kImportDosProjekte{450, 4, "Import DOS-Projekte"};
inline constexpr TextId kOsErrorFunction{450, 11, "OS-Error : Invalid function number !"};
inline constexpr TextId kOsErrorFileNotFound{450, 12, "OS-Error : File not found !"};
inline constexpr TextId kOsErrorPathNotFound{450, 13, "OS-Error : Path nit found !"};
inline constexpr TextId kOsErrorTooManyFiles{450, 14, "OS-Error : Too many open files !"};
inline constexpr TextId kOsErrorAccessDenied{450, 15, "OS-Error : File access denied !"};
inline constexpr TextId kOsErrorHandle{450, 16, "OS-Error : Invalid file handle !"};
inline constexpr TextId kOsErrorAccessMode{450, 17, "OS-Error : Invalid file access mode !"};
inline constexpr TextId kOsErrorDrive{450, 18, "OS-Error : Invalid drive number !"};
inline constexpr TextId kImportKeinDosProjekt{450, 20, "Die Datei ist kein DOS-Projekt"};
inline constexpr TextId kImportNichtLesbar{450, 21, "Die Projektdatei kann nicht gelesen werden"};
inline constexpr TextId kImportKopfFehlt{
    450, 22, "Der Projektkopf fehlt oder ist beschädigt, Import abgebrochen"};
inline constexpr TextId kImportAbschnittKurz{
    450, 23, "Abschnitt beschädigt, nicht alle Datensätze sind vorhanden"};
inline constexpr TextId kImportAbschnittGroesse{
    450, 24, "Abschnitt beschädigt, falsche Datensatzgröße; er wird übersprungen"};
inline constexpr TextId kImportBilddateiFehlt{450, 25, "Bilddatei fehlt, das Bild bleibt leer"};
inline constexpr TextId kImportKeineBilddatei{450, 26, "Keine Bilddatei, das Bild bleibt leer"};
// 450/27 is retired: its text said the rest of the file is not read.
inline constexpr TextId kImportArtUebersprungen{
    450, 33,
    "Bilddatei beschädigt: unbekannte Objektart übersprungen, die folgenden Objekte können "
    "fehlerhaft sein"};
inline constexpr TextId kImportObjektAbgeschnitten{
    450, 28, "Bilddatei unvollständig: ein Objekt ist abgeschnitten"};
inline constexpr TextId kImportKeineBildnummer{
    450, 29, "Dateiname ohne Bildnummer, das Bild erhält eine freie Nummer"};
inline constexpr TextId kImportUngueltigerName{450, 30,
                                               "Ungültiger Bilddateiname, das Bild bleibt leer"};
inline constexpr TextId kImportKopfAbgeschnitten{
    450, 31, "Bilddatei unvollständig: Kopf oder Tastentabelle abgeschnitten"};
inline constexpr TextId kImportWeitereBilder{450, 32,
                                             "Weitere Bilder beschädigt, nicht einzeln gemeldet"};

// Group 470: editing (undo history, names of the steps, edit failures).
inline constexpr TextId kEditUndo{470, 1, "Rückgängig"};
inline constexpr TextId kEditRedo{470, 2, "Wiederholen"};
inline constexpr TextId kEditUndoStep{470, 3, "Rückgängig: %s"};
inline constexpr TextId kEditRedoStep{470, 4, "Wiederholen: %s"};
inline constexpr TextId kEditMove{470, 10, "Verschieben"};
inline constexpr TextId kEditResize{470, 11, "Größe ändern"};
inline constexpr TextId kEditDelete{470, 12, "Löschen"};
inline constexpr TextId kEditRename{470, 13, "Umbenennen"};
inline constexpr TextId kEditCreate{470, 14, "Objekt erzeugen"};
inline constexpr TextId kEditPaste{470, 15, "Einfügen"};
inline constexpr TextId kEditCut{470, 16, "Ausschneiden"};
inline constexpr TextId kEditHead{470, 17, "Projektdaten ändern"};
inline constexpr TextId kEditTerminal{470, 18, "Terminal ändern"};
inline constexpr TextId kEditCoupling{470, 19, "Steuerung ändern"};
inline constexpr TextId kMenuBearbeiten{470, 20, "Bearbeiten"};
inline constexpr TextId kMenuAusschneiden{470, 21, "Ausschneiden"};
inline constexpr TextId kMenuKopieren{470, 22, "Kopieren"};
inline constexpr TextId kMenuEinfuegen{470, 23, "Einfügen"};
inline constexpr TextId kMenuAllesMarkieren{470, 24, "Alles markieren"};
inline constexpr TextId kEditBitmapRegistryFull{
    470, 40, "Alle Bitmap-Nummern sind vergeben, die Änderung ist nicht möglich"};
inline constexpr TextId kEditNoMemory{470, 41,
                                      "Nicht genug Speicher, die Änderung ist nicht möglich"};
inline constexpr TextId kPasteFehlendeVariablen{
    470, 43, "Im Projekt fehlen Variablen, auf die eingefügte Objekte verweisen:"};
inline constexpr TextId kPasteFehlendeTextlisten{
    470, 44, "Im Projekt fehlen Textlisten, auf die eingefügte Objekte verweisen:"};
inline constexpr TextId kPasteUebergangen{
    470, 45, "Die Zwischenablage enthält Zeilen, die keine Objekte sind; sie wurden übergangen."};
inline constexpr TextId kEditCannotCopy{
    470, 42, "Das Objekt lässt sich nicht kopieren, die Änderung ist nicht möglich"};

// Group 472: the object tree of the picture editor.
inline constexpr TextId kObjektliste{472, 1, "Objektliste"};
inline constexpr TextId kObjekteigenschaften{472, 2, "Objekteigenschaften"};
inline constexpr TextId kSchaltverhalten{472, 3, "Schaltverhalten"};

// Group 1000: the project printout, its preview window and its options.
inline constexpr TextId kDruckvorschau{1000, 1, "Projekt Druckvorschau"};
inline constexpr TextId kDruckZurueck{1000, 2, "Zurück"};
inline constexpr TextId kDruckumfangFestlegen{1000, 3, "Druckumfang festlegen"};
inline constexpr TextId kDruckDrucken{1000, 4, "Drucken"};
inline constexpr TextId kDruckZoom25{1000, 5, "Darstellung auf 25% skalieren"};
inline constexpr TextId kDruckZoom50{1000, 6, "Darstellung auf 50% skalieren"};
inline constexpr TextId kDruckZoom100{1000, 7, "Darstellung auf 100% skalieren"};
inline constexpr TextId kDruckZoom200{1000, 8, "Darstellung auf 200% skalieren"};
inline constexpr TextId kDruckSeite{1000, 12, "Seite:"};
inline constexpr TextId kDruckDatum{1000, 13, "Datum:"};
inline constexpr TextId kDruckProjekt{1000, 14, "Projekt"};
inline constexpr TextId kDruckProjektname{1000, 15, "Projektname        :"};
inline constexpr TextId kDruckAutor{1000, 16, "Autor              :"};
inline constexpr TextId kDruckErstellt{1000, 17, "Erstellt           :"};
inline constexpr TextId kDruckLetzteAenderung{1000, 18, "Letzte Änderung    :"};
inline constexpr TextId kDruckInfo{1000, 19, "Info               :"};
inline constexpr TextId kDruckTerminal{1000, 20, "Terminal"};
// The labels of the terminal and coupling blocks end in a character the
// printout drops before it pads them.
inline constexpr TextId kDruckTerminalBezeichnung{1000, 21, "Bezeichnung:"};
inline constexpr TextId kDruckDisplay{1000, 22, "Display"};
inline constexpr TextId kDruckAufloesung{1000, 23, "Auflösung:"};
inline constexpr TextId kDruckFarben{1000, 24, "Farben:"};
inline constexpr TextId kDruckAnkopplung{1000, 25, "Ankopplung"};
inline constexpr TextId kDruckAnkopplungBezeichnung{1000, 26, "Bezeichnung:"};
inline constexpr TextId kDruckTransferblock{1000, 27, "Transferblock"};
inline constexpr TextId kDruckLesen{1000, 28, "Lesen:"};
inline constexpr TextId kDruckSchreiben{1000, 29, "Schreiben:"};
inline constexpr TextId kDruckBilder{1000, 30, "Bilder"};
inline constexpr TextId kDruckBilderKopf{1000, 31, "Nummer   Name"};
inline constexpr TextId kDruckVariablen{1000, 32, "Variablen"};
inline constexpr TextId kDruckVariablenKopf{1000, 33, "Adresse Länge  Typ       Name"};
inline constexpr TextId kDruckAlarme{1000, 34, "Alarme"};
inline constexpr TextId kDruckAlarmKopf{1000, 35, "Nummer   Dyn Brk Ein Aus"};
inline constexpr TextId kDruckTextlisten{1000, 37, "Textlisten"};
inline constexpr TextId kDruckTextlisteBezeichnung{1000, 38, "Bezeichnung        :"};
inline constexpr TextId kDruckBitvergleich{1000, 39, "Vergleichsart      : Bitvergleich"};
inline constexpr TextId kDruckWertevergleich{1000, 40, "Vergleichsart      : Wertevergleich"};
inline constexpr TextId kDruckTextlisteKopf{1000, 41, "Vergleich      Text"};
inline constexpr TextId kDruckBildinfo{1000, 42, "Bildinfo"};
inline constexpr TextId kDruckBild{1000, 45, "Bild"};
inline constexpr TextId kDruckVerwendeteVariablen{1000, 46, "Im Bild verwendete Variablen"};
inline constexpr TextId kDruckBildaufruf{1000, 48, "Bildaufruf"};
inline constexpr TextId kDruckTastenbelegung{1000, 49, "Tastenbelegung"};
inline constexpr TextId kDruckTastenKopf{1000, 50, "Taste     Belegung   Inhalt"};
inline constexpr TextId kDruckKeineAusdrucke{1000, 100, "Keine Ausdrucke vorhanden."};
inline constexpr TextId kDruckerBeschaeftigt{1000, 101, "Es läuft gerade eine Druckerausgabe!"};
inline constexpr TextId kDruckeinstellungen{1000, 150, "Druckeinstellungen"};
inline constexpr TextId kDruckumfang{1000, 151, "Druckumfang"};
inline constexpr TextId kDruckOptProjektinfo{1000, 152, "&Projektinfo"};
inline constexpr TextId kDruckOptBilder{1000, 153, "&Bilder"};
inline constexpr TextId kDruckOptAlarme{1000, 154, "&Alarme"};
inline constexpr TextId kDruckOptVariablen{1000, 155, "&Variablenliste"};
inline constexpr TextId kDruckOptTextlisten{1000, 156, "&Textlisten"};
inline constexpr TextId kDruckOptJa{1000, 157, "Ja"};
inline constexpr TextId kDruckOptNein{1000, 158, "Nein"};
inline constexpr TextId kDruckOptAlle{1000, 159, "Alle"};
inline constexpr TextId kDruckOptAuswahl{1000, 160, "Auswahl"};
inline constexpr TextId kDruckOptKeines{1000, 161, "Keines"};
inline constexpr TextId kDruckOptBildnummer{1000, 162, "Bildnummer"};
inline constexpr TextId kDruckOptUebernehmen{1000, 163, "Eingaben übernehmen"};
inline constexpr TextId kDruckOptVerwerfen{1000, 164, "Eingaben verwerfen"};

// Group 475: what the printout says beyond the page layout. "%s" stands
// for a value.
inline constexpr TextId kDruckKennung{475, 1, "Projektdokumentation"};
inline constexpr TextId kDruckBildNichtDarstellbar{475, 2, "Bild nicht darstellbar"};
inline constexpr TextId kDruckTerminalbreite{
    475, 3, "Terminalbreite %s Pixel: gedruckt werden Bilder der Breiten 320, 640 und 800"};
inline constexpr TextId kDruckKeinTerminal{475, 4, "Das Projekt hat kein Terminal"};
inline constexpr TextId kDruckBitmapFehlt{475, 5, "Bitmap nicht gefunden: %s"};
inline constexpr TextId kDruckBitmapDefekt{475, 6, "Bitmap nicht lesbar: %s"};
inline constexpr TextId kDruckWeitereBitmaps{475, 7, "... und %s weitere"};
inline constexpr TextId kDruckPdfExport{475, 8, "Als PDF-Datei speichern"};
inline constexpr TextId kDruckPdfFilter{475, 9, "PDF-Datei|*.pdf|Alle Dateien|*.*"};
inline constexpr TextId kDruckPdfFehler{475, 10, "Die PDF-Datei konnte nicht geschrieben werden:"};
inline constexpr TextId kDruckSeiteUnbrauchbar{
    475, 11,
    "Die Seiteneinstellungen (Abschnitt Print) sind nicht verwendbar, gedruckt wird auf A4:"};
}  // namespace txt

// Every registered text, for the language table check and the tools.
std::span<const TextId> AllTexts();

}  // namespace tavo
