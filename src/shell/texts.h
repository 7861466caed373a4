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
inline constexpr TextId kSheetZoomDouble{
    420, 1,
    "Vergrößern (Zoom x2): danach ein Klick auf das Blatt, um diesen Punkt wird vergrößert"};
inline constexpr TextId kSheetZoomHalve{
    420, 2,
    "Verkleinern (Zoom /2): danach ein Klick auf das Blatt, um diesen Punkt wird verkleinert"};
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
inline constexpr TextId kGridWhite{420, 25, "Weiß"};
inline constexpr TextId kGridRaster{420, 26, "Raster"};
inline constexpr TextId kGridOn{420, 27, "Eingeschaltet"};
inline constexpr TextId kGridDistance{420, 28, "Abstand"};
inline constexpr TextId kGridFang{420, 29, "Fang"};
inline constexpr TextId kGridAccept{420, 30, "Eingaben übernehmen"};
inline constexpr TextId kGridDiscard{420, 31, "Eingaben verwerfen"};
inline constexpr TextId kGridToolBar{420, 32, "Aktionsleiste"};
// Group 471: the sheet's tools (palette hints, context menu, start values).
inline constexpr TextId kPaletteSelect{471, 1, "Sektionsmodus"};
inline constexpr TextId kPaletteLine{471, 2, "Linie "};
inline constexpr TextId kPaletteRect{471, 3, "Rechteck "};
inline constexpr TextId kPaletteCirc{471, 4, "Kreis "};
inline constexpr TextId kPalettePoly{471, 5, "Polygon"};
inline constexpr TextId kPaletteText{471, 6, "Text"};
inline constexpr TextId kPaletteBargraf{471, 7, "Bargraf "};
inline constexpr TextId kPalettePlotgraf{471, 8, "Plotgraf"};
inline constexpr TextId kPaletteEditList{471, 9, "Textlisteneingabefeld"};
inline constexpr TextId kPaletteTextList{471, 10, "Textlistenausgabefeld"};
inline constexpr TextId kPaletteAusgabe{471, 11, "Ausgabefeld"};
inline constexpr TextId kPaletteEingabe{471, 12, "Eingabefeld"};
inline constexpr TextId kPaletteScalAusgabe{471, 13, "skalierbares Ausgabefeld"};
inline constexpr TextId kPaletteScalEingabe{471, 14, "skalierbares Eingabefeld"};
inline constexpr TextId kPaletteBarcode{471, 15, "Barcodeeingabefeld"};
inline constexpr TextId kPaletteClockAus{471, 16, "Uhrzeitausgabefeld"};
inline constexpr TextId kPaletteDateAus{471, 17, "Datumsausgabefeld"};
inline constexpr TextId kPaletteBitmap{471, 18, "Bitmap einfügen"};
inline constexpr TextId kMenuObjekteigenschaften{471, 20, "Objekteigenschaften"};
inline constexpr TextId kMenuSchaltverhalten{471, 21, "Schaltverhalten"};
inline constexpr TextId kNeuerText{471, 22, "neuer Text"};
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
inline constexpr TextId kMenuGrid{400, 216, "Raster und &Darstellung..."};
inline constexpr TextId kMenuInfoOffen{400, 217, "In&fo"};
inline constexpr TextId kHintNeuesProjekt{400, 218, "neues Projekt"};
inline constexpr TextId kHintProjektOeffnen{400, 219, "Projekt öffnen"};
inline constexpr TextId kHintImportDos{400, 220, "Import DOS-Projekte"};
inline constexpr TextId kHintProjektSichern{400, 221, "Projekt sichern"};
inline constexpr TextId kHintSaveAs{400, 222, "Projekt speichern unter"};
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
inline constexpr TextId kColDyn{400, 241, "Dynamisch"};
inline constexpr TextId kColBrk{400, 242, "Unterbrechend"};
inline constexpr TextId kColEin{400, 243, "History Kommen"};
inline constexpr TextId kColAus{400, 244, "History Gehen"};
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

// Group 473: the picture editor's editing operations, their dialogs and the
// picture base data. The hints of the action bar name the steps as well.
inline constexpr TextId kHintGruppieren{473, 1, "Elemente als Gruppe zusammenfassen"};
inline constexpr TextId kHintGruppeAufloesen{473, 2, "Gruppe auflösen"};
inline constexpr TextId kHintVordergrund{473, 3, "Ganz in den Vordergrund Schieben"};
inline constexpr TextId kHintHintergrund{473, 4, "Ganz in den Hintergrund schieben"};
inline constexpr TextId kHintEinsVor{473, 5, "Um ein Element in den Vordergrund schieben"};
inline constexpr TextId kHintEinsZurueck{473, 6, "Um ein Element in den Hintergrund schieben"};
inline constexpr TextId kHintSpiegeln{473, 7, "Element spiegeln"};
inline constexpr TextId kHintKopieren{473, 8, "Element kopieren"};
inline constexpr TextId kHintDrehen{473, 9, "Element drehen"};
inline constexpr TextId kHintLoeschen{473, 10, "Element löschen"};
inline constexpr TextId kHintFuellfarbe{473, 11, "Füllfarbe ändern"};
inline constexpr TextId kHintStiftfarbe{473, 12, "Stiftfarbe ändern"};
inline constexpr TextId kHintStiftmuster{473, 13, "Stiftmuster ändern"};
inline constexpr TextId kHintStiftbreite{473, 14, "Stiftbreite ändern"};
inline constexpr TextId kHintFuellmuster{473, 15, "Füllmuster ändern"};
inline constexpr TextId kHintZeichenoptionen{473, 16, "Zeichenoptionen"};
inline constexpr TextId kMenuEdidieroptionen{473, 17, "Edidieroptonen"};
inline constexpr TextId kLoeschenFrage{473, 18, "Selektierte Objekte wirklich löschen ?"};
inline constexpr TextId kFuellfarbe{473, 19, "Füllfarbe"};
inline constexpr TextId kStiftfarbe{473, 20, "Stiftfarbe"};
inline constexpr TextId kFuellmuster{473, 21, "Füllmuster"};
inline constexpr TextId kStiftbreite{473, 22, "Stiftbreite"};
inline constexpr TextId kStifttyp{473, 23, "Stifttyp"};
inline constexpr TextId kPositionierungen{473, 30, "Positionierungen"};
inline constexpr TextId kOptKopieren{473, 31, "Kopieren"};
inline constexpr TextId kOptVerschiebungX{473, 32, "Verschiebung X"};
inline constexpr TextId kOptVerschiebungY{473, 33, "Verschiebung Y"};
inline constexpr TextId kOptPixel{473, 34, "Pixel"};
inline constexpr TextId kOptSpiegeln{473, 35, "Spiegeln"};
inline constexpr TextId kOptUmXAchse{473, 36, "um X-Mittelachse"};
inline constexpr TextId kOptUmYAchse{473, 37, "um Y-Mittelachse"};
inline constexpr TextId kOptOrginalBeibehalten{473, 38, "Orginal beibehalten"};
inline constexpr TextId kOptDrehen{473, 39, "Drehen"};
inline constexpr TextId kOptWinkel{473, 40, "Winkel"};
inline constexpr TextId kOptGrad{473, 41, "Grad"};
inline constexpr TextId kAlignLeft{473, 50, "Links ausrichten"};
inline constexpr TextId kAlignRight{473, 51, "Rechts ausrichten"};
inline constexpr TextId kAlignTop{473, 52, "Oben ausrichten"};
inline constexpr TextId kAlignBottom{473, 53, "Unten ausrichten"};
inline constexpr TextId kAlignHCentre{473, 54, "Horizontal zentrieren"};
inline constexpr TextId kAlignVCentre{473, 55, "Vertikal zentrieren"};
inline constexpr TextId kDistributeH{473, 56, "Horizontal gleichmäßig verteilen"};
inline constexpr TextId kDistributeV{473, 57, "Vertikal gleichmäßig verteilen"};
inline constexpr TextId kSameWidth{473, 58, "Gleiche Breite"};
inline constexpr TextId kSameHeight{473, 59, "Gleiche Höhe"};
inline constexpr TextId kMenuAusrichten{473, 60, "Ausrichten"};
inline constexpr TextId kMenuReihenfolge{473, 61, "Reihenfolge"};
inline constexpr TextId kEditGroupTooDeep{
    473, 62, "Gruppen lassen sich nicht tiefer als 64 Ebenen schachteln"};
inline constexpr TextId kHintFTasten{473, 70, "Funktionstastenbelegung"};
inline constexpr TextId kHintSTasten{473, 71, "Sonderstastenbelegung"};
inline constexpr TextId kEditTasten{473, 72, "Tastenbelegung ändern"};
inline constexpr TextId kHintBildGrunddaten{473, 80, "Bild Grunddaten"};
inline constexpr TextId kBildInfo{473, 81, "Bild Info"};
inline constexpr TextId kBildInfoDialog{473, 82, "Bildinfodialog"};
inline constexpr TextId kBildname{473, 83, "Bildname"};
inline constexpr TextId kBildbezeichnung{473, 84, "Bildbezeichnung"};
inline constexpr TextId kBildnummer{473, 85, "Bildnummer"};
inline constexpr TextId kBildnummerReferenz{473, 86, "Bildnummer Refferenz zur Steuerung"};
inline constexpr TextId kHintergrundfarbe{473, 87, "Hintergrundfarbe"};
inline constexpr TextId kBildgrundfarbe{473, 88, "Bildgrundfarbe"};
inline constexpr TextId kBereitsVorhanden{473, 89, "bereits vorhanden !"};
inline constexpr TextId kEingabebereichVerlassen{473, 90, "Eingabebereit verlassen ! [1..65535]"};
inline constexpr TextId kEditBilddaten{473, 91, "Bilddaten ändern"};
// Group 320: the function key dialog; rows F1 ... F16 and the four levels.
inline constexpr TextId kFTastenCaption{320, 1, "Tastenzuweisungen"};
inline constexpr TextId kFTastenOk{320, 3, "Eingaben übernehmen"};
inline constexpr TextId kFTastenCancel{320, 4, "Eingaben verwerfen"};
inline constexpr TextId kFTastenNichts{320, 37, "nichts"};
inline constexpr TextId kFTastenRow[16] = {
    {320, 25, "F1"},  {320, 26, "F2"},  {320, 27, "F3"},  {320, 28, "F4"},
    {320, 29, "F5"},  {320, 30, "F6"},  {320, 31, "F7"},  {320, 32, "F8"},
    {320, 33, "F9"},  {320, 34, "F10"}, {320, 35, "F11"}, {320, 36, "F12"},
    {320, 38, "F13"}, {320, 39, "F14"}, {320, 40, "F15"}, {320, 41, "F16"}};
inline constexpr TextId kFTastenRowHint[16] = {
    {320, 9, "Taste F1"},   {320, 10, "Taste F2"},  {320, 11, "Taste F3"},  {320, 12, "Taste F4"},
    {320, 13, "Taste F5"},  {320, 14, "Taste F6"},  {320, 15, "Taste F7"},  {320, 16, "Taste F8"},
    {320, 17, "Taste F9"},  {320, 18, "Taste F10"}, {320, 19, "Taste F11"}, {320, 20, "Taste F12"},
    {320, 42, "Taste F13"}, {320, 43, "Taste F14"}, {320, 44, "Taste F15"}, {320, 45, "Taste F16"}};
inline constexpr TextId kFTastenLevel[4] = {
    {320, 21, "Normal"}, {320, 22, "Shift"}, {320, 23, "Ctrl"}, {320, 24, "Alt"}};
inline constexpr TextId kFTastenLevelHint[4] = {{320, 5, "Normaler Tastendruck"},
                                                {320, 6, "Taste zusammen mit Shift gedrückt"},
                                                {320, 7, "Taste zusammen mit Ctrl gedrückt"},
                                                {320, 8, "Taste zusammen mit Alt gedrückt"}};
// Group 321: the soft key dialog; rows S1 ... S12 and the four levels.
inline constexpr TextId kSTastenCaption{321, 1, "S-Tasten Zuweisungen"};
inline constexpr TextId kSTastenOk{321, 3, "Eingaben übernehmen"};
inline constexpr TextId kSTastenCancel{321, 4, "Eingaben verwerfen"};
inline constexpr TextId kSTastenNichts{321, 37, "nichts"};
inline constexpr TextId kSTastenRow[12] = {{321, 25, "S1"},  {321, 26, "S2"},  {321, 27, "S3"},
                                           {321, 28, "S4"},  {321, 29, "S5"},  {321, 30, "S6"},
                                           {321, 31, "S7"},  {321, 32, "S8"},  {321, 33, "S9"},
                                           {321, 34, "S10"}, {321, 35, "S11"}, {321, 36, "S12"}};
inline constexpr TextId kSTastenRowHint[12] = {
    {321, 9, "Taste S1"},  {321, 10, "Taste S2"},  {321, 11, "Taste S3"},  {321, 12, "Taste S4"},
    {321, 13, "Taste S5"}, {321, 14, "Taste S6"},  {321, 15, "Taste S7"},  {321, 16, "Taste S8"},
    {321, 17, "Taste S9"}, {321, 18, "Taste S10"}, {321, 19, "Taste S11"}, {321, 20, "Taste S12"}};
inline constexpr TextId kSTastenLevel[4] = {
    {321, 21, "Normal"}, {321, 22, "Shift"}, {321, 23, "Ctrl"}, {321, 24, "Alt"}};
inline constexpr TextId kSTastenLevelHint[4] = {{321, 5, "Normaler Tastendruck"},
                                                {321, 6, "Taste zusammen mit Shift gedrückt"},
                                                {321, 7, "Taste zusammen mit Ctrl gedrückt"},
                                                {321, 8, "Taste zusammen mit Alt gedrückt"}};
// Group 474: the list pages of variables, alarms, text lists and pictures,
// their dialogs, the where-used list and the names of their steps.
inline constexpr TextId kListBild{474, 1, "Bild"};
inline constexpr TextId kListTaste{474, 2, "Taste"};
inline constexpr TextId kListWeitere{474, 3, "... und %s weitere"};
inline constexpr TextId kStepVariableNeu{474, 10, "Variable anlegen"};
inline constexpr TextId kStepVariableAendern{474, 11, "Variable ändern"};
inline constexpr TextId kStepVariablenKopieren{474, 12, "Variablen kopieren"};
inline constexpr TextId kStepVariablenLoeschen{474, 13, "Variablen löschen"};
inline constexpr TextId kStepAlarmNeu{474, 14, "Alarm anlegen"};
inline constexpr TextId kStepAlarmAendern{474, 15, "Alarm ändern"};
inline constexpr TextId kStepAlarmeKopieren{474, 16, "Alarme kopieren"};
inline constexpr TextId kStepAlarmeLoeschen{474, 17, "Alarme löschen"};
inline constexpr TextId kStepTextlisteNeu{474, 18, "Textliste anlegen"};
inline constexpr TextId kStepTextlisteAendern{474, 19, "Textliste ändern"};
inline constexpr TextId kStepTextlistenKopieren{474, 20, "Textlisten kopieren"};
inline constexpr TextId kStepTextlistenLoeschen{474, 21, "Textlisten löschen"};
inline constexpr TextId kStepBildNeu{474, 22, "Bild anlegen"};
inline constexpr TextId kStepBilderKopieren{474, 23, "Bilder kopieren"};
inline constexpr TextId kStepBilderLoeschen{474, 24, "Bilder löschen"};
inline constexpr TextId kStepNummerAendern{474, 25, "Nummer ändern"};
inline constexpr TextId kStepMitVerweisenLoeschen{474, 26, "Mit allen Verweisen löschen"};
inline constexpr TextId kNummerVergeben{474, 27, "Die Nummer %s ist bereits vergeben"};
inline constexpr TextId kNullVergeben{
    474, 28,
    "Die Verweise können nicht entfernt werden, da die Nummer 0 (kein Verweis) vergeben ist"};
inline constexpr TextId kFrageVariablenLoeschen{474, 40,
                                                "Selektierte Variablen wirklich löschen ?"};
inline constexpr TextId kFrageAlarmeLoeschen{474, 41, "Selektierte Alarm(e) wirklich löschen ?"};
inline constexpr TextId kFrageTextlistenLoeschen{474, 42,
                                                 "Selektierte Textlisten wirklich löschen ?"};
inline constexpr TextId kFrageBilderLoeschen{474, 43, "Selektierte Bilder wirklich löschen ?"};
inline constexpr TextId kDieTexliste{474, 44, "Die Texliste"};
inline constexpr TextId kKannNichtGeloeschtWerden{474, 45,
                                                  "kann nicht gelöcht werden, da sie in Bild"};
inline constexpr TextId kVerwendetWird{474, 46, "verwendet wird"};
inline constexpr TextId kVariablenKonnten{474, 47,
                                          "Eine oder mehrere selektierte Variablen konnten"};
inline constexpr TextId kTexlistenKonnten{474, 48,
                                          "Eine oder mehrere selektierte Texlisten konnten"};
inline constexpr TextId kNichtGeloeschtInBildern{
    474, 49, "nicht gelöcht werden, da sie in Bildern verwendet"};
inline constexpr TextId kWerden{474, 50, "werden"};
inline constexpr TextId kRangeError{474, 51, "Range Error ! [0..239]"};
inline constexpr TextId kDlgVariable{474, 60, "Variable"};
inline constexpr TextId kDlgAlarm{474, 61, "Alarm"};
inline constexpr TextId kNummerText{474, 62, "Nummer/Text"};
inline constexpr TextId kZeichensatz{474, 63, "Zeichensatz"};
inline constexpr TextId kAlarmverhalten{474, 64, "Alarmverhalten"};
inline constexpr TextId kDynamisch{474, 65, "Dynamisch"};
inline constexpr TextId kUnterbrechend{474, 66, "Unterbrechend"};
inline constexpr TextId kHistoryeintrag{474, 67, "Historyeintrag"};
inline constexpr TextId kBeimKommen{474, 68, "beim Kommen"};
inline constexpr TextId kBeimGehen{474, 69, "beim Gehen"};
inline constexpr TextId kAlarmVorschau{474, 70, "Alarm Vorschau"};
inline constexpr TextId kDlgTextListe{474, 71, "TextListe"};
inline constexpr TextId kBezeichnung{474, 72, "Bezeichnung"};
inline constexpr TextId kAuswertung{474, 73, "Auswertung"};
inline constexpr TextId kBitOrientiert{474, 74, "BIT-Orientiert"};
inline constexpr TextId kWertOrientiert{474, 75, "Wert-Orientiert"};
inline constexpr TextId kNeuenTextAnlegen{474, 76, "neuen Text anlegen"};
inline constexpr TextId kTextBearbeiten{474, 77, "Text bearbeiten"};
inline constexpr TextId kTextLoeschen{474, 78, "Text löschen"};
inline constexpr TextId kTextKopieren{474, 79, "Text kopieren"};
inline constexpr TextId kBitzuweisung{474, 80, "Bitzuweisung"};
inline constexpr TextId kNichtImWortBereich{474, 81, "'%s' liegt nicht im Bereich 0..65535"};
inline constexpr TextId kVerwendung{474, 90, "Verwendung"};
inline constexpr TextId kNichtVerwendet{474, 91, "nicht verwendet"};
inline constexpr TextId kFilter{474, 92, "Filter"};
inline constexpr TextId kMitAllenVerweisenLoeschen{474, 93, "mit allen Verweisen löschen ?"};
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
// Group 477: the project check. "%s" stand for values, in order.
inline constexpr TextId kPruefVariableFehlt{477, 1, "Variable %s gibt es nicht"};
inline constexpr TextId kPruefTextlisteFehlt{477, 2, "Textliste %s gibt es nicht"};
inline constexpr TextId kPruefTextlisteLeer{
    477, 3, "Textliste %s hat keine Texte: das Terminal erhält sie nicht"};
inline constexpr TextId kPruefTasteBildFehlt{
    477, 4, "Taste %s ruft Bild %s auf, das Projekt hat nur %s Bilder"};
inline constexpr TextId kPruefStartbildFehlt{
    477, 5, "Startbild %s gibt es nicht: kein Bild hat diese Bildnummer"};
inline constexpr TextId kPruefTasteFehltAmTerminal{477, 6,
                                                   "Taste %s gibt es am Terminal %s nicht"};
inline constexpr TextId kPruefTasteErsteGeneration{
    477, 7,
    "Taste %s: dieses Terminal ruft das Bild mit der Nummer %s auf, nicht das %s. Bild der Liste"};
inline constexpr TextId kPruefVariablennummerDoppelt{477, 8,
                                                     "Variablennummer %s ist mehrfach vergeben"};
inline constexpr TextId kPruefTextlistennummerDoppelt{
    477, 9, "Textlistennummer %s ist mehrfach vergeben"};
inline constexpr TextId kPruefBildnummerDoppelt{
    477, 10, "Bildnummer %s ist mehrfach vergeben: die Bilddatei %s wird überschrieben"};
inline constexpr TextId kPruefKeinTerminal{477, 11, "Das Projekt hat kein Terminal"};
inline constexpr TextId kPruefAusserhalb{477, 12,
                                         "Objekt liegt ganz außerhalb des Displays (%s x %s)"};
inline constexpr TextId kPruefTeilweiseAusserhalb{
    477, 13, "Objekt ragt über den Rand des Displays (%s x %s)"};
inline constexpr TextId kPruefNullgroesse{477, 14, "Objekt hat keine Größe"};
inline constexpr TextId kPruefFeldZuGross{
    477, 15, "Das Feld ist in der Schrift %s %s x %s Pixel groß, das Display nur %s x %s"};
inline constexpr TextId kPruefBitmapZuGross{
    477, 16, "Die Bitmap ist %s x %s Pixel groß, das Display nur %s x %s"};
inline constexpr TextId kPruefSchriftFehlt{477, 17, "Schrift %s ist nicht installiert"};
inline constexpr TextId kPruefBitmapFehlt{477, 18, "Bitmapdatei nicht gefunden: %s"};
inline constexpr TextId kPruefBitmapUnlesbar{477, 19, "Bitmapdatei nicht lesbar: %s (%s)"};
inline constexpr TextId kPruefBitmapBeschaedigt{477, 20, "Bitmapdatei beschädigt: %s (%s)"};
inline constexpr TextId kPruefKein83Name{
    477, 21, "Dateiname %s ist kein 8.3-Name: das Terminal nimmt die Datei nicht an"};
inline constexpr TextId kPruefZuVieleDateien{
    477, 22, "Laufwerk D würde %s Dateien enthalten, das Terminal nimmt höchstens %s"};
inline constexpr TextId kPruefAdresseDoppelt{
    477, 23, "Variable hat dieselbe Adresse %s wie Variable %s"};
inline constexpr TextId kPruefVariableUnbenutzt{477, 24,
                                                "Variable wird von keinem Objekt verwendet"};
inline constexpr TextId kPruefTextlisteUnbenutzt{477, 25,
                                                 "Textliste wird von keinem Objekt verwendet"};
inline constexpr TextId kPruefEingabeOhneTyp{
    477, 26, "Eingabefeld auf Variable %s vom Typ %s: das Terminal kann sie nicht schreiben"};
inline constexpr TextId kPruefZahlInText{
    477, 27, "Zahleneingabe auf die Textvariable %s: das Terminal schreibt keine Zahl hinein"};
inline constexpr TextId kPruefTextInZahl{
    477, 28, "Texteingabe auf Variable %s vom Typ %s: erwartet ist eine Textvariable (ASCII)"};
inline constexpr TextId kPruefTextlisteOhneTexte{
    477, 29, "Textliste hat keine Texte: sie wird weder gespeichert noch übertragen"};
inline constexpr TextId kPruefAlarmZuLang{
    477, 30, "Alarmtext hat %s Zeichen, das Terminal zeigt höchstens %s"};
inline constexpr TextId kPruefAlarmZeile{
    477, 31, "Alarmtext hat %s Zeichen, eine Zeile der Alarmanzeige nur %s: er wird umbrochen"};
inline constexpr TextId kPruefAlarmLeer{477, 32, "Alarm hat keinen Text"};
inline constexpr TextId kPruefAlarmnummer{477, 33, "Alarmnummer %s liegt außerhalb von 0 bis 239"};
inline constexpr TextId kPruefAlarmnummerDoppelt{477, 34, "Alarmnummer %s ist mehrfach vergeben"};
// Severities, places and the summary.
inline constexpr TextId kPruefFehler{477, 50, "Fehler"};
inline constexpr TextId kPruefWarnung{477, 51, "Warnung"};
inline constexpr TextId kPruefHinweis{477, 52, "Hinweis"};
inline constexpr TextId kPruefOrtProjekt{477, 60, "Projekt"};
inline constexpr TextId kPruefOrtBild{477, 61, "Bild %s \"%s\""};
inline constexpr TextId kPruefOrtTaste{477, 62, "Taste %s"};
inline constexpr TextId kPruefOrtVariable{477, 63, "Variable %s \"%s\""};
inline constexpr TextId kPruefOrtAlarm{477, 64, "Alarm %s"};
inline constexpr TextId kPruefOrtTextliste{477, 65, "Textliste %s \"%s\""};
inline constexpr TextId kPruefZusammenfassung{477, 70, "%s Fehler, %s Warnungen, %s Hinweise"};
// The editor's command, its result list and the question before a download.
inline constexpr TextId kPruefBefehl{477, 80, "Projekt prüfen"};
inline constexpr TextId kPruefErgebnis{477, 81, "Prüfergebnis"};
inline constexpr TextId kPruefSpalteCode{477, 82, "Code"};
inline constexpr TextId kPruefSpalteArt{477, 83, "Art"};
inline constexpr TextId kPruefSpalteOrt{477, 84, "Ort"};
inline constexpr TextId kPruefSpalteMeldung{477, 85, "Meldung"};
inline constexpr TextId kPruefVeraltet{477, 86, "nicht mehr aktuell, F7 prüft erneut"};
inline constexpr TextId kPruefVorDownload{477, 87, "Die Projektprüfung hat Fehler gefunden:"};
inline constexpr TextId kPruefWeitere{477, 88, "... und %s weitere"};
inline constexpr TextId kPruefTrotzdemUebertragen{477, 89, "Trotzdem übertragen?"};

// Group 476: the object property dialogs and the switching behaviour dialog.
inline constexpr TextId kObjVariable{476, 1, "Variable"};
inline constexpr TextId kObjZeichensatzwahl{476, 2, "Zeichensatzwahl"};
inline constexpr TextId kObjZeichensatz{476, 3, "Zeichensatz"};
inline constexpr TextId kObjVorschau{476, 4, "Vorschau"};
inline constexpr TextId kObjKeinGleitkommawert{476, 5, "'%s' ist kein gültiger Gleitkommawert"};
inline constexpr TextId kObjListenindex{476, 6, "Listenindex überschreitet das Maximum (%d)"};
inline constexpr TextId kObjArt{476, 7, "Art"};
inline constexpr TextId kObjArtText{476, 8, "Text"};
inline constexpr TextId kObjArtWert{476, 9, "Wert"};
inline constexpr TextId kObjWertanzeige{476, 10, "Wertanzeige"};
inline constexpr TextId kObjVorkomma{476, 11, "Vorkomma"};
inline constexpr TextId kObjNachkomma{476, 12, "Nachkomma"};
inline constexpr TextId kObjPruefungAuf{476, 13, "Prüfung auf"};
inline constexpr TextId kObjTextanzeige{476, 14, "Textanzeige"};
inline constexpr TextId kObjAnzahlZeichen{476, 15, "Anzahl Zeichen"};
inline constexpr TextId kObjAbZeichen{476, 16, "Ab Zeichen"};
inline constexpr TextId kObjFaktor{476, 17, "Faktor (m)"};
inline constexpr TextId kObjOffset{476, 18, "Offset (b)"};
inline constexpr TextId kObjEinstellungen{476, 19, "Einstellungen"};
inline constexpr TextId kObj12Stunden{476, 20, "12 Stunden"};
inline constexpr TextId kObj24Stunden{476, 21, "24 Stunden"};
inline constexpr TextId kObjVormittag{476, 22, "00:00-11:59"};
inline constexpr TextId kObjNachmittag{476, 23, "12:00-23:59"};
inline constexpr TextId kObjTrennzeichen{476, 24, "Trennzeichen"};
inline constexpr TextId kObjOhneNull{476, 25, " 9:15"};
inline constexpr TextId kObjMitNull{476, 26, "09:15"};
inline constexpr TextId kObjFuehrendeNull{476, 27, "Führende Null"};
inline constexpr TextId kObjFormat{476, 28, "Format"};
inline constexpr TextId kObjMonatTagJahr{476, 29, "Monat Tag Jahr"};
inline constexpr TextId kObjTagMonatJahr{476, 30, "Tag Monat Jahr"};
inline constexpr TextId kObjJahrMonatTag{476, 31, "Jahr Monat Tag"};
inline constexpr TextId kObjTagMitNull{476, 32, "Tag mit führender Null"};
inline constexpr TextId kObjMonatMitNull{476, 33, "Monat mit führender Null"};
inline constexpr TextId kObjJahrhundert{476, 34, "Jahrhundertangabe"};
inline constexpr TextId kObjTextliste{476, 35, "Textliste"};
inline constexpr TextId kObjSchalteigenschaften{476, 36, "Schalteigenschaften"};
inline constexpr TextId kObjAktion{476, 37, "Aktion"};
inline constexpr TextId kObjKeine{476, 38, "keine"};
inline constexpr TextId kObjBitorientiert{476, 39, "Bitorientiert"};
inline constexpr TextId kObjWertorientiert{476, 40, "Wertorientiert"};
inline constexpr TextId kObjBitmaske{476, 41, "Bitmaske"};
inline constexpr TextId kObjVergleichswert{476, 42, "Vergleichswert"};
inline constexpr TextId kObjTexteingabe{476, 43, "Texteingabe"};
inline constexpr TextId kObjTextEingeben{476, 44, "Text eingeben/ändern"};
inline constexpr TextId kObjZeichensatzWaehlen{476, 45, "Zeichensatz wählen"};
inline constexpr TextId kObjErgebnistext{476, 46, "Ergebnistext"};
inline constexpr TextId kObjWertebereich{476, 47, "Wertebereich"};
inline constexpr TextId kObjObererWert{476, 48, "Oberer Wert"};
inline constexpr TextId kObjMaximalWert{476, 49, "maximal Wert"};
inline constexpr TextId kObjUntererWert{476, 50, "Unterer Wert"};
inline constexpr TextId kObjMinimalerWert{476, 51, "minimaler Wert"};
inline constexpr TextId kObjVariableFestlegen{476, 52, "Variable festlegen"};
inline constexpr TextId kObjLaufrichtung{476, 53, "Laufrichtung"};
inline constexpr TextId kObjLaufrichtungBestimmen{476, 54, "Laufrichtung bestimmen"};
inline constexpr TextId kObjNachRechts{476, 55, "Laufrichtung nach rechts"};
inline constexpr TextId kObjNachUnten{476, 56, "Laufrichtung nach unten"};
inline constexpr TextId kObjNachLinks{476, 57, "Laufrichtung nach links"};
inline constexpr TextId kObjNachOben{476, 58, "Laufrichtung nach oben"};
inline constexpr TextId kObjWert{476, 59, "Wert"};
inline constexpr TextId kObjVariableDesWertes{476, 60, "Variable des Wertes wählen"};
inline constexpr TextId kObjProzessvariablen{476, 61, "Prozessvariablen wählen"};
inline constexpr TextId kObjStatus{476, 62, "Status"};
inline constexpr TextId kObjVariableDesStatus{476, 63, "Variable des Status wählen"};
inline constexpr TextId kObjWertebereichWaehlen{476, 64, "Wertebereich wählen"};
inline constexpr TextId kObjMaximalwert{476, 65, "Maximalwert"};
inline constexpr TextId kObjMinimalwert{476, 66, "Minimalwert"};
inline constexpr TextId kObjAusrichtung{476, 67, "Ausrichtung"};
inline constexpr TextId kObjLaufrichtungWaehlen{476, 68, "Laufrichtung wählen"};
inline constexpr TextId kObjLinksNachRechts{476, 69, "von links nach rechts"};
inline constexpr TextId kObjObenNachUnten{476, 70, "von oben nach unten"};
inline constexpr TextId kObjZeitProPixel{476, 71, "Zeit pro Pixel"};
inline constexpr TextId kObjZeitbasis{476, 72, "Auswahl der Zeitbasis"};
inline constexpr TextId kObjZeit1s{476, 73, "  1 s"};
inline constexpr TextId kObjZeit10s{476, 74, "10 s"};
inline constexpr TextId kObjZeit5min{476, 75, "  5 min"};
inline constexpr TextId kObjZeit2s{476, 76, "  2 s"};
inline constexpr TextId kObjZeit30s{476, 77, "30 s"};
inline constexpr TextId kObjZeit10min{476, 78, "10 min"};
inline constexpr TextId kObjZeit5s{476, 79, "  5 s"};
inline constexpr TextId kObjZeit1min{476, 80, "  1 min"};
inline constexpr TextId kObjZeit30min{476, 81, "30 min"};
inline constexpr TextId kObjZeitachse{476, 82, "Zeitachse"};
inline constexpr TextId kObjArtDerZeitachse{476, 83, "Art der Zeitachse "};
inline constexpr TextId kObjOhne{476, 84, "Ohne"};
inline constexpr TextId kObjKeineZeitachse{476, 85, "Keine Zeitachse"};
inline constexpr TextId kObjUhrzeit{476, 86, "Uhrzeit"};
inline constexpr TextId kObjZeitachseUhrzeit{476, 87, "Zeitachse mit Uhrzeit"};
inline constexpr TextId kObjLaufzeit{476, 88, "Laufzeit"};
inline constexpr TextId kObjZeitachseLaufzeit{476, 89, "Zeitachse mit Laufzeit"};
inline constexpr TextId kObjSkalenfarbe{476, 90, "Skalenfarbe"};
inline constexpr TextId kObjSkalafarbe{476, 91, "Skalafarbe"};
inline constexpr TextId kObjDialogBitmap{476, 92, "Dialog Bitmap"};
inline constexpr TextId kObjBmpImportieren{476, 93, "BMP-File importieren/auswählen"};
inline constexpr TextId kObjOrginalgroesse{476, 94, "Orginalgröße beibehalten"};
inline constexpr TextId kObjGroesseFestlegen{476, 95, "festlegen ob Größenänderungen erlaubt sind"};
inline constexpr TextId kObjTransparentdarstellung{476, 96, "Transparentdarstellung"};
inline constexpr TextId kObjTransparentFestlegen{476, 97,
                                                 "festlegen ob Transparentmodus aktiv ist"};
inline constexpr TextId kObjTransparentfarbe{476, 98, "Transparentfarbe"};
inline constexpr TextId kObjGewaehlteTransparentfarbe{476, 99, "gewählte Transparentfarbe"};
inline constexpr TextId kObjFarbeUnterMaus{476, 100, "Farbe unter Mauscursor"};
inline constexpr TextId kObjFarbwertUnterMaus{476, 101, "Farbwert unter Mauscursor"};
inline constexpr TextId kObjVorschaubereich{476, 102, "Vorschaubereich"};
inline constexpr TextId kObjEigenschaften{476, 103, "Eigenschaften"};
inline constexpr TextId kObjDarstellungsEinstellungen{476, 104, "Darstellungs - Einstellungen"};
inline constexpr TextId kObjBitmapFilter{476, 105, "Bitmaps (*.bmp)|*.bmp"};
inline constexpr TextId kObjBitmapNichtLesbar{476, 106, "Die Bitmap kann nicht gelesen werden:"};
inline constexpr TextId kObjVorschauHinweis{476, 107, "So zeigt das Terminal das Objekt"};

// Group 479: exchange files (alarms, variables, text lists, pictures) and
// the symbol library.
inline constexpr TextId kExAlarmExport{479, 1, "Alarmmeldungen Export"};
inline constexpr TextId kExAlarmImport{479, 2, "Alarmmeldungen Import"};
inline constexpr TextId kExVariablenExport{479, 3, "Variablen Export"};
inline constexpr TextId kExVariablenImport{479, 4, "Variablen Import"};
inline constexpr TextId kExTextlistenExport{479, 5, "Textlisten Export"};
inline constexpr TextId kExTextlistenImport{479, 6, "Texlisten Import"};
inline constexpr TextId kExFilterText{479, 7, "Text Datei|*.txt|Alle Dateien|*.*"};
inline constexpr TextId kExNameAlarme{479, 8, " Alarme"};
inline constexpr TextId kExNameVariablen{479, 9, "Variablen"};
inline constexpr TextId kExNameTextlisten{479, 10, " Textlisten"};
inline constexpr TextId kExFileVorhanden{479, 11, "File bereits vorhanden !"};
inline constexpr TextId kExUeberschreiben{479, 12, "Überschreiben ?"};
inline constexpr TextId kExAlarmeExportiert{479, 13, "Alarm(e) erfolgreich Exportiert"};
inline constexpr TextId kExVariablenExportiert{479, 14, "Variablen erfolgreich Exportiert"};
inline constexpr TextId kExTextlistenExportiert{479, 15, "Textlisten erfolgreich exportiert"};
inline constexpr TextId kExSollAlarmNummer{479, 16, "Soll Alarm Nummer"};
inline constexpr TextId kExMitAlarmNummer{479, 17, " mit Alarm Nummer"};
inline constexpr TextId kExUeberschriebenWerden{479, 18, "überschrieben werden ?"};
inline constexpr TextId kExDieVariable{479, 19, "Die Variable"};
inline constexpr TextId kExMitDerVariable{479, 20, "mit der Variable"};
inline constexpr TextId kExBildExport{479, 21, "Bild Export"};
inline constexpr TextId kExBildImport{479, 22, "Bild Import"};
inline constexpr TextId kExBildExportiert{479, 23, "Bild erfolgreich exportiert"};
inline constexpr TextId kExSymbolSichern{479, 24, "Symbol sichern"};
inline constexpr TextId kExSymbolname{479, 25, "Symbolname"};
inline constexpr TextId kExKeinSymbolname{479, 26, "Sie haben keinen Symbolname angegeben !"};
inline constexpr TextId kExSymbolnameVergeben{479, 27, "Symbolname ist bereits vergeben !"};
inline constexpr TextId kExSymbolLaden{479, 28, "Symbol-Laden Dialog"};
inline constexpr TextId kExSymbolauswahl{479, 29, "Symbolauswahl"};
inline constexpr TextId kExVorschau{479, 30, "Vorschau"};
inline constexpr TextId kExSymbolLoeschen{479, 31, "Symbol wirklich löschen ?"};
// Our own: what the readers say about lines, and the steps' names.
inline constexpr TextId kExZeile{479, 40, "Zeile %s: "};
inline constexpr TextId kExZeilenumbruch{
    479, 41, "ein Zeilenumbruch im Text wurde durch ein Leerzeichen ersetzt"};
inline constexpr TextId kExZuWenigFelder{479, 42, "zu wenige Felder, die Zeile wurde übersprungen"};
inline constexpr TextId kExVariablendatei{
    479, 43, "Die Datei ist eine Variablendatei, keine Alarmdatei: nichts importiert"};
inline constexpr TextId kExAlarmdatei{
    479, 44, "Die Datei ist eine Alarmdatei, keine Variablendatei: nichts importiert"};
inline constexpr TextId kExKeineKopfzeile{
    479, 45, "Die Datei hat nicht die erwartete erste Zeile: nichts importiert"};
inline constexpr TextId kExUtf8{
    479, 46,
    "Die Datei ist in UTF-8 gespeichert (von einer Tabellenkalkulation?) und wurde in den "
    "Windows-Zeichensatz 1252 umgewandelt."};
inline constexpr TextId kExTasteGeloescht{
    479, 47, "Bild \"%s\": eine Taste rief ein Bild, das nicht mit importiert wurde; ihre "
             "Funktion wurde gelöscht:"};
inline constexpr TextId kExAlarmnummerZuGross{479, 48, "Alarmnummer %s: Range Error ! [0..239]"};
inline constexpr TextId kExKeineFreieNummer{479, 49, "keine Nummer mehr frei, die Zeile wurde übersprungen"};
inline constexpr TextId kExSymbolUngueltig{479, 50, "Die Datei ist kein Symbol"};
inline constexpr TextId kExNichtLesbar{479, 51, "Die Datei kann nicht gelesen werden"};
inline constexpr TextId kExNichtsImportiert{
    479, 52, "Die Datei enthält nichts zu importieren"};
inline constexpr TextId kExStepAlarme{479, 60, "Alarme importieren"};
inline constexpr TextId kExStepVariablen{479, 61, "Variablen importieren"};
inline constexpr TextId kExStepTextlisten{479, 62, "Textlisten importieren"};
inline constexpr TextId kExStepBild{479, 63, "Bild importieren"};
inline constexpr TextId kExStepSymbol{479, 64, "Symbol einfügen"};
inline constexpr TextId kExHintExport{479, 70, "Markierte Einträge exportieren"};
inline constexpr TextId kExHintImport{479, 71, "Einträge aus einer Datei importieren"};
inline constexpr TextId kExHintSymbol{479, 72, "Symbol sichern (Objekte markiert) oder einfügen"};
// Group 478: the main window's conventions and what it says beyond its
// commands, the download's steps in words and its cancel. "%s" stands for a
// value, each in turn.
inline constexpr TextId kMenuZuletztGeoeffnet{478, 1, "&Zuletzt geöffnet"};
inline constexpr TextId kDownloadAbgebrochen{
    478, 2, "Download abgebrochen. Das Projekt auf dem Terminal ist unverändert."};
inline constexpr TextId kDownloadAbgebrochenTeil{
    478, 3,
    "Download abgebrochen. Das Terminal hat jetzt nur einen Teil des Projekts: bitte den Download "
    "wiederholen."};
inline constexpr TextId kTerminalPruefen{
    478, 4,
    "Bitte prüfen: Kabel an %s, Terminal eingeschaltet und zum Download bereit, Stationsnummer %s, "
    "Geschwindigkeit %s Bit/s."};
inline constexpr TextId kPortFehlt{
    478, 5, "Die gespeicherte Schnittstelle COM%s gibt es nicht. Bitte eine Schnittstelle wählen."};
inline constexpr TextId kTransferAbbruchHint{
    478, 6, "Bricht die Übertragung beim nächsten sicheren Schritt ab"};
inline constexpr TextId kTransferWirdAbgebrochen{478, 7, "Wird abgebrochen ..."};
inline constexpr TextId kTransferBytes{478, 8, "%s von %s Bytes"};
inline constexpr TextId kSchrittTerminalSuchen{478, 9, "Terminal wird gesucht ..."};
inline constexpr TextId kSchrittGeschwindigkeit{478, 10,
                                                "Geschwindigkeit wird eingestellt: %s Bit/s"};
inline constexpr TextId kSchrittEinstellungenSichern{
    478, 11, "Einstellungen des Terminals werden gesichert"};
inline constexpr TextId kSchrittFormatieren{478, 12, "Laufwerk %s wird formatiert"};
inline constexpr TextId kSchrittEinstellungenZurueck{
    478, 13, "Einstellungen des Terminals werden zurückgeschrieben"};
inline constexpr TextId kSchrittDatei{478, 14, "Datei %s wird übertragen"};
inline constexpr TextId kSchrittBeenden{478, 15, "Übertragung wird beendet"};
inline constexpr TextId kSchrittTerminalPruefen{478, 16, "Terminal wird geprüft"};
inline constexpr TextId kMenuHilfe{478, 17, "&Hilfe"};
inline constexpr TextId kMenuHandbuch{478, 18, "&Handbuch"};
inline constexpr TextId kHandbuchFehlt{478, 19, "Das Handbuch wurde nicht gefunden:"};
inline constexpr TextId kMenuImportDos{478, 20, "&DOS-Projekt importieren..."};
inline constexpr TextId kImportZusammenfassung{
    478, 21,
    "Import abgeschlossen: %s Alarme, %s Variablen, %s Textlisten, %s Bilder mit %s Objekten."};
inline constexpr TextId kImportBeschaedigt{478, 22, "Beschädigte Bilder: %s"};
inline constexpr TextId kImportMeldungen{478, 23, "Meldungen: %s"};
inline constexpr TextId kObjekteAusserhalb{478, 24,
                                           "Die Anzeige des neuen Terminals ist %s Pixel groß. %s "
                                           "Objekte liegen jetzt ganz oder teilweise außerhalb:"};
inline constexpr TextId kObjekteAusserhalbBild{478, 25, "Bild %s \"%s\": %s Objekte"};
inline constexpr TextId kDateiSchrittAnzahl{478, 26, "Datei %s von %s"};
inline constexpr TextId kHintAlarmDynamisch{478, 27, "Dynamischer Alarm (Alarmverhalten)"};
inline constexpr TextId kHintAlarmUnterbrechend{
    478, 28, "Unterbrechend: das Terminal wechselt bei diesem Alarm in die Alarmanzeige"};
inline constexpr TextId kHintAlarmKommen{478, 29, "Historyeintrag, wenn der Alarm kommt"};
inline constexpr TextId kHintAlarmGehen{478, 30, "Historyeintrag, wenn der Alarm geht"};
inline constexpr TextId kEinheitBytes{478, 31, "%s Bytes"};
inline constexpr TextId kEinheitKB{478, 32, "%s KB"};
inline constexpr TextId kEinheitMB{478, 33, "%s MB"};
inline constexpr TextId kStartbild{478, 34, "Startbild"};
inline constexpr TextId kHintAlarmNummer{478, 35, "Nummer des Alarms"};
inline constexpr TextId kHintAlarmText{478, 36, "Text des Alarms"};
// Entries 40 to 66: the texts of the toolkit's own file dialog and buttons.
inline constexpr TextId kQtSuchenIn{478, 40, "Suchen in:"};
inline constexpr TextId kQtDateiname{478, 41, "Datei&name:"};
inline constexpr TextId kQtDateityp{478, 42, "Dateityp:"};
inline constexpr TextId kQtOeffnenMnemonic{478, 43, "Ö&ffnen"};
inline constexpr TextId kQtSpeichernMnemonic{478, 44, "&Speichern"};
inline constexpr TextId kQtZurueck{478, 45, "Zurück"};
inline constexpr TextId kQtVor{478, 46, "Vor"};
inline constexpr TextId kQtUebergeordnet{478, 47, "Übergeordneter Ordner"};
inline constexpr TextId kQtNeuerOrdnerHint{478, 48, "Neuen Ordner anlegen"};
inline constexpr TextId kQtListe{478, 49, "Liste"};
inline constexpr TextId kQtDetails{478, 50, "Details"};
inline constexpr TextId kQtNeuerOrdner{478, 51, "&Neuer Ordner"};
inline constexpr TextId kQtUmbenennen{478, 52, "&Umbenennen"};
inline constexpr TextId kQtLoeschen{478, 53, "&Löschen"};
inline constexpr TextId kQtVersteckte{478, 54, "&Versteckte Dateien zeigen"};
inline constexpr TextId kQtAlleDateien{478, 55, "Alle Dateien (*)"};
inline constexpr TextId kQtName{478, 56, "Name"};
inline constexpr TextId kQtGroesse{478, 57, "Größe"};
inline constexpr TextId kQtTyp{478, 58, "Typ"};
inline constexpr TextId kQtGeaendert{478, 59, "Geändert"};
inline constexpr TextId kQtComputer{478, 60, "Computer"};
inline constexpr TextId kQtAbbrechen{478, 61, "Abbrechen"};
inline constexpr TextId kQtOK{478, 62, "OK"};
inline constexpr TextId kQtOeffnen{478, 63, "Öffnen"};
inline constexpr TextId kQtSpeichern{478, 64, "Speichern"};
inline constexpr TextId kQtOrdner{478, 65, "Ordner"};
inline constexpr TextId kQtLaufwerk{478, 66, "Laufwerk"};
// Entries 100 to 115: the names of the sixteen palette colours.
inline constexpr TextId kFarbe0{478, 100, "Schwarz"};
inline constexpr TextId kFarbe1{478, 101, "Blau"};
inline constexpr TextId kFarbe2{478, 102, "Grün"};
inline constexpr TextId kFarbe3{478, 103, "Petrol"};
inline constexpr TextId kFarbe4{478, 104, "Rotbraun"};
inline constexpr TextId kFarbe5{478, 105, "Violett"};
inline constexpr TextId kFarbe6{478, 106, "Olivgrün"};
inline constexpr TextId kFarbe7{478, 107, "Hellgrau"};
inline constexpr TextId kFarbe8{478, 108, "Grau"};
inline constexpr TextId kFarbe9{478, 109, "Hellblau"};
inline constexpr TextId kFarbe10{478, 110, "Hellgrün"};
inline constexpr TextId kFarbe11{478, 111, "Türkis"};
inline constexpr TextId kFarbe12{478, 112, "Hellrot"};
inline constexpr TextId kFarbe13{478, 113, "Pink"};
inline constexpr TextId kFarbe14{478, 114, "Gelb"};
inline constexpr TextId kFarbe15{478, 115, "Weiß"};

// Group 490: the terminal simulator's window and the editor's command that
// opens it. "%s" stands for a value.
inline constexpr TextId kSimFenster{490, 1, "Terminal-Simulator"};
inline constexpr TextId kSimBefehl{490, 2, "Simulieren"};
inline constexpr TextId kSimBefehlHinweis{490, 3, "Projekt bauen und im Terminal-Simulator zeigen"};
inline constexpr TextId kSimBild{490, 4, "Bild"};
inline constexpr TextId kSimVariablen{490, 5, "Variablen"};
inline constexpr TextId kSimSpalteWert{490, 6, "Wert"};
inline constexpr TextId kSimAktiveAlarme{490, 7, "Aktive Alarme"};
inline constexpr TextId kSimAlarmbits{490, 8, "Alarmbits"};
inline constexpr TextId kSimUhr{490, 9, "Uhr"};
inline constexpr TextId kSimUhrLaeuft{490, 10, "Uhr läuft"};
inline constexpr TextId kSimJetzt{490, 11, "Jetzt"};
inline constexpr TextId kSimJetztHinweis{490, 12, "Uhr auf die Zeit des Computers stellen"};
inline constexpr TextId kSimEbene{490, 13, "Ebene"};
inline constexpr TextId kSimEingabe{490, 14, "Eingabe"};
inline constexpr TextId kSimEingabeWert{490, 15, "Wert eingeben (%s):"};
inline constexpr TextId kSimNichtGelesen{490, 16,
                                         "Das Terminalabbild konnte nicht gelesen werden:"};
inline constexpr TextId kSimLesemeldungen{490, 17, "Beim Lesen des Terminalabbilds:"};
inline constexpr TextId kSimWertAbgelehnt{490, 18, "Der Wert wurde nicht übernommen:"};
inline constexpr TextId kSimTasteOhneFunktion{490, 19,
                                              "Die Taste %s hat in diesem Bild keine Funktion"};
inline constexpr TextId kSimNichtGebaut{
    490, 20, "Das Projekt konnte nicht für den Simulator gebaut werden:"};
inline constexpr TextId kSimSondertaste{490, 21, "Sondertaste (im Simulator ohne Funktion)"};
inline constexpr TextId kSimNeuLaden{490, 22, "Neu laden"};
inline constexpr TextId kSimNeuLadenHinweis{490, 23, "Den Ordner des Terminalabbilds neu lesen"};
inline constexpr TextId kSimVergroesserung{490, 24, "Vergrößerung"};
inline constexpr TextId kSimEmpfangen{490, 25, "Übertragung empfangen, neu geladen"};
inline constexpr TextId kSimEingabeHinweis{490, 26,
                                           "Eingabefeld: anklicken, um einen Wert einzugeben"};
inline constexpr TextId kSimKeinResourceOrdner{
    490, 27, "Die Installation hat keinen Ordner resource: das Abbild kann nicht gebaut werden."};

}  // namespace txt

// Every registered text, for the language table check and the tools.
std::span<const TextId> AllTexts();

}  // namespace tavo
