// The download dialog and the transfer progress window on the offscreen
// platform.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "editor/download/downloaddialog.h"
#include "editor/download/transferwindow.h"
#include "editor/uitext.h"
#include "shell/language.h"
#include "shell/messageboxes.h"
#include "support/qtapplication.h"

namespace tavo {
namespace {

// The editor tests share one process; each fixture brings an application
// when none is there.
struct QtFixture : ::testing::Test {
  void SetUp() override { testing::TestApplication(); }
};

template <typename T>
T* Child(QWidget& parent, const char* name) {
  T* child = parent.findChild<T*>(name);
  EXPECT_NE(child, nullptr) << name;
  return child;
}

struct DownloadDialog : QtFixture {
  GermanTranslator translator;
  ScriptedMessageBox box;
  PortSettings settings;

  std::unique_ptr<TDialog_Projekt_download> Open(std::vector<int> ports) {
    auto dialog =
        std::make_unique<TDialog_Projekt_download>(settings, std::move(ports), translator, box);
    dialog->show();
    return dialog;
  }
};

TEST_F(DownloadDialog, ShowsItsComponentsTranslated) {
  auto dialog = Open({1, 2});
  EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("Projekt Übertragen"));
  EXPECT_EQ(Child<QLabel>(*dialog, "Label1")->text(), "COM-Schnittstelle");
  EXPECT_EQ(Child<QLabel>(*dialog, "Label2")->text(), "Geschwindigkeit");
  EXPECT_EQ(Child<QLabel>(*dialog, "Label3")->text(), "Slavenummer");
  EXPECT_EQ(Child<QGroupBox>(*dialog, "Umfang")->title(), "Download Umfang");
  EXPECT_EQ(Child<QToolButton>(*dialog, "OKButtom")->toolTip(),
            QString::fromUtf8("Eingaben übernehmen"));
  EXPECT_EQ(Child<QToolButton>(*dialog, "AbbruchButtom")->toolTip(), "Eingaben verwerfen");
  QComboBox* rates = Child<QComboBox>(*dialog, "BaudRate");
  QStringList rateTexts;
  for (int i = 0; i < rates->count(); ++i) rateTexts << rates->itemText(i);
  EXPECT_EQ(rateTexts, (QStringList{"115200", "57600", "38400", "28800", "19200", "14400", "9600",
                                    "4800", "2400", "1200", "600", "300"}));
  EXPECT_EQ(Child<QComboBox>(*dialog, "PortNummer")->count(), 2);
}

struct ShowCase {
  int comport, baudrate, station, umfang;
  std::vector<int> ports;
  const char* port;  // selected entry, "" for none
  const char* rate;
  bool optimal;
};

TEST_F(DownloadDialog, ShowsTheStoredValues) {
  const ShowCase cases[] = {
      {3, 1, 17, 1, {1, 3, 5}, "COM3", "115200", true},
      {9, 12, 255, 0, {1, 3, 5}, "", "300", false},  // port gone: said, none chosen
      {9, 7, 1, 0, {4}, "", "9600", false},          // port gone, one entry: said too
      {2, 5, 1, 1, {}, "", "19200", true},           // no port opens
      {1, 13, 1, 2, {1}, "COM1", "19200", false},    // bad index and scope: defaults
  };
  for (const ShowCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "port " << c.comport << " rate " << c.baudrate);
    settings = PortSettings{c.comport, c.baudrate, c.station, c.umfang};
    auto dialog = Open(c.ports);
    EXPECT_EQ(Child<QComboBox>(*dialog, "PortNummer")->currentText(), c.port);
    EXPECT_EQ(Child<QComboBox>(*dialog, "BaudRate")->currentText(), c.rate);
    EXPECT_EQ(Child<QLineEdit>(*dialog, "SlaveNummer")->text(), QString::number(c.station));
    EXPECT_EQ(Child<QRadioButton>(*dialog, "UmfangOptimal")->isChecked(), c.optimal);
    EXPECT_EQ(Child<QRadioButton>(*dialog, "UmfangAlles")->isChecked(), !c.optimal);
  }
}

TEST_F(DownloadDialog, ConfirmWritesTheFourValuesBack) {
  settings = PortSettings{1, 5, 1, 0};
  auto dialog = Open({1, 4, 6});
  Child<QComboBox>(*dialog, "PortNummer")->setCurrentIndex(2);
  Child<QComboBox>(*dialog, "BaudRate")->setCurrentIndex(0);
  Child<QLineEdit>(*dialog, "SlaveNummer")->setText("42");
  Child<QRadioButton>(*dialog, "UmfangOptimal")->setChecked(true);
  // Nothing reaches the settings before the confirm.
  EXPECT_EQ(settings.comport, 1);
  QTest::mouseClick(Child<QToolButton>(*dialog, "OKButtom"), Qt::LeftButton);
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(settings.comport, 6);
  EXPECT_EQ(settings.baudrate, 1);
  EXPECT_EQ(settings.station, 42);
  EXPECT_EQ(settings.umfang, 1);
  EXPECT_TRUE(box.Calls().empty());
}

TEST_F(DownloadDialog, CancelKeepsTheSettings) {
  settings = PortSettings{1, 5, 7, 0};
  auto dialog = Open({1, 2});
  Child<QComboBox>(*dialog, "PortNummer")->setCurrentIndex(1);
  Child<QLineEdit>(*dialog, "SlaveNummer")->setText("99");
  QTest::mouseClick(Child<QToolButton>(*dialog, "AbbruchButtom"), Qt::LeftButton);
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(settings.comport, 1);
  EXPECT_EQ(settings.station, 7);
}

// A bad station never reaches the settings; the dialog puts the previous
// one back and waits for the user.
TEST_F(DownloadDialog, RejectsStationsOutsideOneTo255) {
  for (const char* text : {"0", "256", "abc", "", "-3", "12x"}) {
    SCOPED_TRACE(text);
    box = ScriptedMessageBox();
    settings = PortSettings{1, 5, 17, 0};
    auto dialog = Open({1});
    QLineEdit* station = Child<QLineEdit>(*dialog, "SlaveNummer");
    station->setText(text);
    dialog->OKButtomClick();
    ASSERT_EQ(box.Calls().size(), 1u);
    EXPECT_EQ(box.Calls()[0].kind, MsgKind::Fehler);
    EXPECT_EQ(box.Calls()[0].text, "Ung\xFCltige Eingabe !");
    EXPECT_EQ(station->text(), "17");
    EXPECT_EQ(dialog->focusWidget(), station);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(settings.station, 17);
  }
  // The limits themselves are stations.
  for (const char* text : {"1", "255"}) {
    settings = PortSettings{1, 5, 17, 0};
    auto dialog = Open({1});
    Child<QLineEdit>(*dialog, "SlaveNummer")->setText(text);
    dialog->OKButtomClick();
    EXPECT_EQ(dialog->result(), QDialog::Accepted) << text;
    EXPECT_EQ(settings.station, QByteArray(text).toInt());
  }
}

// A stored port that no longer exists is said, and no other port takes
// its place unasked: another port may lead to another terminal.
TEST_F(DownloadDialog, AStoredPortThatIsGoneIsSaidAndNotReplaced) {
  settings = PortSettings{3, 5, 1, 0};
  auto dialog = Open({1, 2});
  QLabel* missing = Child<QLabel>(*dialog, "PortFehlt");
  EXPECT_TRUE(missing->isVisible());
  EXPECT_EQ(missing->text().toStdString(),
            "Die gespeicherte Schnittstelle COM3 gibt es nicht. Bitte eine Schnittstelle wählen.");
  dialog->OKButtomClick();
  ASSERT_EQ(box.Calls().size(), 1u);
  EXPECT_EQ(box.Calls()[0].kind, MsgKind::Fehler);
  EXPECT_EQ(box.Calls()[0].text, S(missing->text()));
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(settings.comport, 3);

  // The user's choice is taken.
  Child<QComboBox>(*dialog, "PortNummer")->setCurrentIndex(1);
  EXPECT_FALSE(missing->isVisible());
  dialog->OKButtomClick();
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(settings.comport, 2);
}

TEST_F(DownloadDialog, WithoutAnyPortConfirmIsRefused) {
  settings = PortSettings{3, 5, 1, 0};
  auto dialog = Open({});
  dialog->OKButtomClick();
  ASSERT_EQ(box.Calls().size(), 1u);
  EXPECT_EQ(box.Calls()[0].kind, MsgKind::Fehler);
  EXPECT_EQ(box.Calls()[0].text,
            "Keine COM-Schnittstelle l\xE4sst sich \xF6"
            "ffnen !");
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(settings.comport, 3);
}

TEST_F(DownloadDialog, EnterConfirmsAndEscapeCancels) {
  settings = PortSettings{1, 5, 1, 0};
  {
    auto dialog = Open({1, 2});
    QLineEdit* station = Child<QLineEdit>(*dialog, "SlaveNummer");
    station->setText("8");
    QTest::keyClick(station, Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(settings.station, 8);
  }
  {
    auto dialog = Open({1, 2});
    QLineEdit* station = Child<QLineEdit>(*dialog, "SlaveNummer");
    station->setText("9");
    QTest::keyClick(station, Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(settings.station, 8);
  }
  {
    // Enter on a bad station is the confirm with its message.
    auto dialog = Open({1, 2});
    QLineEdit* station = Child<QLineEdit>(*dialog, "SlaveNummer");
    station->setText("300");
    QTest::keyClick(station, Qt::Key_Enter);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(box.Calls().size(), 1u);
    EXPECT_EQ(station->text(), "8");
  }
}

using TransferWindow = QtFixture;

TEST_F(TransferWindow, ShowsWhatTheTransferReports) {
  GermanTranslator translator;
  TransferProgressWindow window(translator);
  EXPECT_EQ(window.objectName(), "TDownloadConnect");
  window.SetClosable(false);
  window.Start();
  EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Übertagungsfortschritt"));
  EXPECT_EQ(Child<QLabel>(window, "GesammtLabel")->text(), "Gesamtfortschritt");

  TransferDisplay& display = window;
  display.SetCommandLabel(
      "Pr\xFC"
      "fen");  // code page 1252
  EXPECT_EQ(Child<QLabel>(window, "befehllabel")->text(), QString::fromUtf8("Prüfen"));
  display.SetFileProgress(512, 2048);
  QProgressBar* file = Child<QProgressBar>(window, "statusbar");
  EXPECT_EQ(file->maximum(), 2048);
  EXPECT_EQ(file->value(), 512);
  display.SetTotalMaximum(10000);
  display.SetTotalProgress(2500);
  QProgressBar* total = Child<QProgressBar>(window, "bearbeitet");
  EXPECT_EQ(total->maximum(), 10000);
  EXPECT_EQ(total->value(), 2500);
  // Sizes beyond a gauge's int keep their proportion.
  display.SetTotalMaximum(6'000'000'000LL);
  display.SetTotalProgress(3'000'000'000LL);
  EXPECT_NEAR(double(total->value()) / total->maximum(), 0.5, 1e-6);
  // The image builder's steps land in the same label.
  ProgressDisplay& steps = window;
  steps.SetLabel("Download vorbereiten");
  EXPECT_EQ(Child<QLabel>(window, "befehllabel")->text(), "Download vorbereiten");

  // A running transfer keeps its window; closing it asks for the stop.
  EXPECT_FALSE(window.CancelRequested());
  window.close();
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(window.CancelRequested());
  window.SetClosable(true);
  window.close();
  EXPECT_FALSE(window.isVisible());
}

// Each gauge shows its figures, consistent with each other: never more done
// than there is, also when the total grows on the way.
TEST_F(TransferWindow, GaugesShowTheirFiguresInBytes) {
  GermanTranslator translator;
  TransferProgressWindow window(translator);
  window.SetClosable(false);
  window.Start();
  TransferDisplay& display = window;
  display.SetFileProgress(512, 2048);
  EXPECT_EQ(window.FileGauge()->text(), "512 von 2048 Bytes");
  display.SetTotalMaximum(9096);
  display.SetTotalProgress(9000);
  EXPECT_EQ(window.TotalGauge()->text(), "9000 von 9096 Bytes");
  display.SetTotalProgress(9109);
  EXPECT_EQ(window.TotalGauge()->text(), "9096 von 9096 Bytes");
  display.SetTotalMaximum(9113);  // settings files going back count on top
  EXPECT_EQ(window.TotalGauge()->text(), "9109 von 9113 Bytes");
  // The image builder's steps are a share.
  ProgressDisplay& steps = window;
  steps.SetPercent(40);
  EXPECT_EQ(window.FileGauge()->text(), "40 %");
}

// "Abbruch" is there only while a transfer runs; pressed (or Escape), it
// asks the transfer to stop and says that it is stopping.
TEST_F(TransferWindow, AbbruchAsksTheRunningTransferToStop) {
  GermanTranslator translator;
  TransferProgressWindow window(translator);
  window.Start();
  QPushButton* abbruch = Child<QPushButton>(window, "AbbruchButton");
  EXPECT_EQ(abbruch->text(), "Abbruch");
  EXPECT_FALSE(abbruch->isEnabled());  // nothing runs

  window.SetClosable(false);
  ASSERT_TRUE(abbruch->isEnabled());
  QTest::mouseClick(abbruch, Qt::LeftButton);
  EXPECT_TRUE(window.CancelRequested());
  EXPECT_FALSE(abbruch->isEnabled());
  EXPECT_EQ(abbruch->text(), "Wird abgebrochen ...");
  EXPECT_TRUE(window.isVisible());

  // The next transfer starts afresh; Escape asks as the button does.
  window.Start();
  EXPECT_FALSE(window.CancelRequested());
  EXPECT_EQ(abbruch->text(), "Abbruch");
  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_TRUE(window.CancelRequested());
  EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace tavo
