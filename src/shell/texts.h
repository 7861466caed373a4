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
inline constexpr TextId kProjektNichtGesichert{1, 5, "Projekt noch nicht gesichert, nun sichern ?"};
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
inline constexpr TextId kFehlerBeiDownloadWiederholen{400, 72, "Fehler bei Download ! Wiederholen ?"};
inline constexpr TextId kOeffnenDerSchnittstelle{400, 83, "Öffnen der Schnittstelle"};
inline constexpr TextId kPruefenDerDateien{400, 84, "Prüfen der Dateien im Terminal"};
inline constexpr TextId kUeberfluessigeDateienLoeschen{400, 85, "Überflüssige Dateien im Terminal löschen"};
inline constexpr TextId kNotwendigeDateienUebertragen{400, 86, "notwendige Dateien ins Terminal übertragen"};
inline constexpr TextId kProTerminalErwartet{400, 87, "VTA VGA PRO Terminal erwartet !!"};
inline constexpr TextId kDateinameNicht83{400, 150, "Dateiname passt nicht ins 8.3-Format des Terminals:"};

// Group 400: main window menus.
inline constexpr TextId kMenuDatei{400, 200, "&Datei"};
inline constexpr TextId kMenuOeffnen{400, 201, "Ö&ffnen..."};

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
inline constexpr TextId kKeineDefinitionen{410, 18, "Keine Terminal- oder Steuerungsdefinition installiert: das neue Projekt erhält Standardwerte."};
inline constexpr TextId kProjektNichtLesbar{410, 19, "Die Projektdatei kann nicht geöffnet werden:"};
inline constexpr TextId kBitmapsNichtKopiert{410, 20, "Diese Bitmap-Dateien konnten nicht in den Projektordner kopiert werden:"};
}  // namespace txt

// Every registered text, for the language table check and the tools.
std::span<const TextId> AllTexts();

}  // namespace tavo
