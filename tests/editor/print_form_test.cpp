#include <QComboBox>
#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

#include "editor/mainwindow_fixture.h"
#include "editor/print/printoptionsform.h"
#include "editor/print/printprojectform.h"
#include "project/projectfile.h"

namespace tavo::testing {
namespace {

class PrintFormTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ProjectReadContext context = workspace_->ReadContext(&box_);
    project_ = workspace_->OpenProject(ProjectCopy("Demo.qvx").string(), context).project;
    ASSERT_TRUE(project_);
  }

  std::unique_ptr<TPrintProjectForm> Form(PrintFormHooks hooks = {}) {
    hooks.messages = &box_;
    if (!hooks.saveFile)
      hooks.saveFile = [this](QWidget*, const FileDialogRequest& r) {
        saveRequests_.push_back(r);
        return Next(saveAnswers_);
      };
    return std::make_unique<TPrintProjectForm>(*workspace_, *project_, printer_, std::move(hooks));
  }

  static QByteArray FileBytes(const std::filesystem::path& path) {
    QFile f(QString::fromStdString(path.string()));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  // Page objects of a PDF file ("/Type /Page", not "/Pages").
  static int PdfPages(const QByteArray& pdf) {
    static const QRegularExpression page("/Type\\s*/Page(?!s)");
    return static_cast<int>(QString::fromLatin1(pdf).count(page));
  }

  std::unique_ptr<t_projekt> project_;
  QPrinter printer_;
};

TEST_F(PrintFormTest, BuildsThePagesAndZoomsThem) {
  auto form = Form();
  EXPECT_EQ(form->windowTitle(), "Projekt Druckvorschau");
  ASSERT_GE(form->Pages().pages.size(), 2u);
  ASSERT_EQ(form->PageWidgets().size(), form->Pages().pages.size());
  const int width100 = form->PageWidgets()[0]->width();
  EXPECT_GT(width100, 0);
  EXPECT_EQ(form->findChild<QToolButton*>("tbtnPrint")->toolTip(), "Drucken");
  form->findChild<QToolButton*>("tbtn50")->click();
  EXPECT_EQ(form->ZoomPercent(), 50);
  EXPECT_NEAR(form->PageWidgets()[0]->width(), width100 / 2, 1);
  form->findChild<QToolButton*>("tbtn200")->click();
  EXPECT_NEAR(form->PageWidgets()[0]->width(), width100 * 2, 1);
  // The pages stand one below the other, the gap growing with the zoom.
  const QRect a = form->PageWidgets()[0]->geometry(), b = form->PageWidgets()[1]->geometry();
  EXPECT_EQ(b.top() - a.bottom() - 1, 100);
  EXPECT_EQ(a.left(), b.left());
  // A page draws white paper with its header.
  const QImage page = form->PageWidgets()[0]->Image();
  EXPECT_EQ(page.pixelColor(2, 2), QColor(Qt::white));
}

TEST_F(PrintFormTest, OptionsRebuildAtFullSizeAndBackStoresThem) {
  PrintFormHooks hooks;
  hooks.optionsDialog = [](QWidget*, const PrintOptions& current) {
    PrintOptions o = current;
    o.projectInfo = o.alarms = o.variables = o.textLists = false;
    o.pictures = PictureScope::None;
    return std::optional<PrintOptions>(o);
  };
  auto form = Form(hooks);
  form->SetZoom(25);
  form->findChild<QToolButton*>("tbtnOptions")->click();
  EXPECT_EQ(form->ZoomPercent(), 100);
  EXPECT_EQ(form->Pages().pages.size(), 1u);
  EXPECT_EQ(form->PageWidgets().size(), 1u);
  EXPECT_EQ(workspace_->settings().print.printImages, 2);  // not before "Zurück"
  QTest::keyClick(form.get(), Qt::Key_Escape);
  EXPECT_EQ(workspace_->settings().print.printImages, 4);
  EXPECT_EQ(workspace_->settings().print.printPrjInfo, 1);
  EXPECT_EQ(form->result(), QDialog::Accepted);
}

TEST_F(PrintFormTest, UnusablePageSettingsAreReportedAndA4IsUsed) {
  workspace_->settings().print.paper = "B5";
  auto form = Form();
  ASSERT_EQ(box_.Calls().size(), 1u);
  EXPECT_EQ(box_.Calls()[0].kind, MsgKind::Warnung);
  EXPECT_EQ(box_.Calls()[0].text.rfind(Tr(txt::kDruckSeiteUnbrauchbar), 0), 0u);
  EXPECT_EQ(form->Pages().page.paper, "A4");
  EXPECT_EQ(workspace_->settings().print.paper, "B5");  // the user's setting stays
}

TEST_F(PrintFormTest, ClosingOtherwiseKeepsTheSettings) {
  PrintFormHooks hooks;
  hooks.optionsDialog = [](QWidget*, const PrintOptions& current) {
    PrintOptions o = current;
    o.alarms = false;
    return std::optional<PrintOptions>(o);
  };
  auto form = Form(hooks);
  form->findChild<QToolButton*>("tbtnOptions")->click();
  form->close();
  EXPECT_EQ(workspace_->settings().print.printAlarms, 0);
}

TEST_F(PrintFormTest, PdfExportWritesEveryPageAndAFailureLeavesNothing) {
  auto form = Form();
  const auto pdf = files_.path() / "Demo.pdf";
  saveAnswers_.push_back(QString::fromStdString(pdf.string()));
  form->findChild<QToolButton*>("tbtnPdf")->click();
  ASSERT_EQ(saveRequests_.size(), 1u);
  EXPECT_EQ(saveRequests_[0].defaultSuffix, "pdf");
  const QByteArray bytes = FileBytes(pdf);
  ASSERT_TRUE(bytes.startsWith("%PDF"));
  EXPECT_EQ(PdfPages(bytes), static_cast<int>(form->Pages().pages.size()));
  EXPECT_TRUE(box_.Calls().empty());

  const auto nowhere = files_.path() / "missing" / "Demo.pdf";
  saveAnswers_.push_back(QString::fromStdString(nowhere.string()));
  form->findChild<QToolButton*>("tbtnPdf")->click();
  ASSERT_EQ(box_.Calls().size(), 1u);
  EXPECT_EQ(box_.Calls()[0].kind, MsgKind::Fehler);
  EXPECT_EQ(box_.Calls()[0].text.rfind(Tr(txt::kDruckPdfFehler), 0), 0u);
  EXPECT_FALSE(std::filesystem::exists(nowhere.parent_path()));
}

// What the print dialog's file output receives: the chosen page range.
TEST_F(PrintFormTest, PrintingSendsTheChosenPagesToThePrinter) {
  const auto out = files_.path() / "printed.pdf";
  int dialogPages = 0;
  PrintFormHooks hooks;
  hooks.printDialog = [&](QWidget*, QPrinter& printer, int pages) {
    dialogPages = pages;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(out.string()));
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    return true;
  };
  auto form = Form(hooks);
  ASSERT_GE(form->Pages().pages.size(), 3u);
  QTest::keyClick(form.get(), Qt::Key_Return);
  EXPECT_EQ(dialogPages, static_cast<int>(form->Pages().pages.size()));
  EXPECT_EQ(PdfPages(FileBytes(out)), 2);
  EXPECT_EQ(printer_.docName(), "QVX-Tavo Dex");
}

TEST_F(PrintFormTest, PageKeysAndTheWheelScroll) {
  auto form = Form();
  form->resize(800, 600);
  form->show();
  QScrollBar* bar = form->ScrollBox()->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 300);
  QTest::keyClick(form.get(), Qt::Key_PageDown);
  EXPECT_EQ(bar->value(), 100);
  QWheelEvent down(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(form->ScrollBox()->viewport(), &down);
  EXPECT_EQ(bar->value(), 140);
  QTest::keyClick(form.get(), Qt::Key_PageUp);
  EXPECT_EQ(bar->value(), 40);

  // Pages far out of sight keep no image.
  const auto& pages = form->PageWidgets();
  for (TPreviewPage* page : pages) page->Image();
  bar->setValue(bar->maximum());
  EXPECT_FALSE(pages.front()->HasImage());
  EXPECT_TRUE(pages.back()->HasImage());
}

TEST_F(PrintFormTest, OptionsFormShowsThePictureNumberOnlyForASelection) {
  PrintOptions start;
  TPrintOptionsForm form(workspace_->translator(), *project_, start);
  form.show();
  EXPECT_EQ(form.windowTitle(), "Druckeinstellungen");
  EXPECT_FALSE(form.PictureNumber()->isVisible());
  form.Pictures()->setCurrentIndex(1);
  EXPECT_TRUE(form.PictureNumber()->isVisible());
  ASSERT_GE(form.PictureNumber()->count(), 2);
  EXPECT_EQ(form.PictureNumber()->currentIndex(), 0);
  form.PictureNumber()->setCurrentIndex(1);
  const int chosen = form.PictureNumber()->currentText().toInt();
  form.Alarms()->setCurrentIndex(1);
  QTest::keyClick(&form, Qt::Key_Return);
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_EQ(form.Options().pictures, PictureScope::Selection);
  EXPECT_EQ(form.Options().selectedPicture, chosen);
  EXPECT_FALSE(form.Options().alarms);
  EXPECT_TRUE(form.Options().variables);

  // "Alle" and "Keines" select no number.
  TPrintOptionsForm again(workspace_->translator(), *project_, form.Options());
  again.Pictures()->setCurrentIndex(2);
  QTest::keyClick(&again, Qt::Key_Return);
  EXPECT_EQ(again.Options().selectedPicture, 0);
  EXPECT_EQ(again.Options().pictures, PictureScope::None);
}

TEST_F(PrintFormTest, MainWindowPrintCommandOpensThePreview) {
  EditorHooks hooks = Hooks();
  int calls = 0;
  hooks.print = [&](QWidget*, Workspace&, t_projekt& p, QPrinter&) {
    ++calls;
    EXPECT_FALSE(p.pictures == nullptr);
  };
  MakeWindow(std::move(hooks));
  EXPECT_FALSE(Action("Drucken2")->isEnabled());  // no project
  ASSERT_TRUE(window_->OpenProjectFile(QString::fromStdString(ProjectCopy("Demo.qvx").string())));
  EXPECT_TRUE(Action("Drucken2")->isEnabled());
  EXPECT_TRUE(Action("ToolButton8")->isEnabled());
  Action("ToolButton8")->trigger();
  Action("Drucken2")->trigger();
  EXPECT_EQ(calls, 2);
  EXPECT_TRUE(static_cast<bool>(DefaultEditorHooks().print));
}

}  // namespace
}  // namespace tavo::testing
