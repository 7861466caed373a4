// The editor's symbol button: saving the selected objects as a symbol of the
// library, inserting one (the first object selected, one step), and the two
// dialogs with their refusals.

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <fstream>

#include "editor/dialogs/symboldialogs.h"
#include "editor/sheet/edittoolbar.h"
#include "editor/sheet/picturepage.h"
#include "objects/shapes/shapes.h"
#include "sheet_testing.h"
#include "shell/messageboxes.h"
#include "shell/settings.h"
#include "support/tempfolder.h"

namespace tavo {
namespace {

std::unique_ptr<t_rechteck> Rect(const std::string& name, int x) {
  auto r = std::make_unique<t_rechteck>();
  r->name = name;
  r->SetCorners(x, 5, x + 8, 12);
  r->UpdateExtent();
  return r;
}

class SymbolButton : public testing::SheetTesting {
 protected:
  void SetUp() override {
    SheetTesting::SetUp();
    workspace().settings().Folder(FolderKey::Symbol) = FolderText(library_.path());
    page_ = std::make_unique<PicturePage>(workspace());
    auto project = SmallProject();
    t_bild& picture = FirstPicture(*project);
    AppendNode(picture.objects, Rect("A", 2));
    AppendNode(picture.objects, Rect("B", 14));
    document_ = std::make_unique<Document>(std::move(project));
    picture_ = &FirstPicture(document_->Project());
    count_ = CountNodes(picture_->objects.get());
    page_->SetDocument(document_.get());
    page_->OpenPictureInEditor(picture_);
    bar_ = page_->ActionBar();
  }
  void TearDown() override {
    page_.reset();
    document_.reset();
  }
  t_objekt* At(int position) {
    t_liste* n = picture_->objects.get();
    for (int i = 1; i < position && n; ++i) n = n->next();
    return static_cast<t_objekt*>(n);
  }

  std::string Tr(const TextId& id) { return workspace().translator().Tr(id); }

  testing::TempFolder library_;
  int count_ = 0;  // objects of the picture: "A" and "B" are the last two
  std::unique_ptr<PicturePage> page_;
  std::unique_ptr<Document> document_;
  t_bild* picture_ = nullptr;
  EditToolBar* bar_ = nullptr;
};

TEST_F(SymbolButton, SavesTheSelectionAndInsertsItAgainAsOneStep) {
  t_objekt* both[] = {At(count_ - 1), At(count_)};
  document_->SetSelection(both);
  std::string proposed;
  bar_->prompts().symbolName = [&](const std::string& name, const std::filesystem::path&) {
    proposed = name;
    return std::optional<std::string>("Ventil");
  };
  bar_->Symbol();
  EXPECT_EQ(proposed, "A");
  const auto file = library_.path() / "Ventil.txt";
  ASSERT_TRUE(std::filesystem::exists(file));

  document_->DeselectAll();
  std::filesystem::path offered;
  bar_->prompts().chooseSymbol = [&](const std::filesystem::path& folder) {
    offered = folder;
    return std::optional<std::filesystem::path>(file);
  };
  bar_->Symbol();
  EXPECT_EQ(std::filesystem::path(FolderText(offered)),
            std::filesystem::path(FolderText(library_.path())));
  ASSERT_EQ(CountNodes(picture_->objects.get()), count_ + 2);
  const std::vector<t_objekt*> selected = document_->SelectedTopLevel();
  ASSERT_EQ(selected.size(), 1u);
  EXPECT_EQ(selected[0], At(count_ + 1));
  EXPECT_EQ(At(count_ + 1)->name, "A");
  document_->Undo();
  EXPECT_EQ(CountNodes(picture_->objects.get()), count_);
}

TEST_F(SymbolButton, TheSaveDialogRefusesAnEmptyOrTakenName) {
  std::ofstream(library_.path() / "Tank.txt") << "x";
  ScriptedMessageBox box;
  SymbolSaveDialog dialog(workspace().translator(), &box, library_.path(), "Pumpe");
  EXPECT_EQ(dialog.NameField()->text(), "Pumpe");
  dialog.NameField()->setText("   ");
  dialog.Confirm();
  dialog.NameField()->setText(" Tank ");
  dialog.Confirm();
  ASSERT_EQ(box.Calls().size(), 2u);
  EXPECT_EQ(box.Calls()[0].text, Tr(txt::kExKeinSymbolname));
  EXPECT_EQ(box.Calls()[1].text, Tr(txt::kExSymbolnameVergeben));
  EXPECT_EQ(box.Calls()[1].kind, MsgKind::Warnung);
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  dialog.NameField()->setText("  Ventil ");
  dialog.Confirm();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Name(), "Ventil");
}

TEST_F(SymbolButton, TheLoadDialogListsTheLibraryAndDeletesOnRequest) {
  std::ofstream(library_.path() / "a.txt", std::ios::binary)
      << "[Symbol]\r\n-Symbol(\"Tank\")\r\n-Object(1;0;0;0;0;1;0;255;0;\"\";0;0;10;10)\r\n"
         "-SymbolEnd\r\n";
  std::string sym = "QVX_SymFile";
  sym += '\x05';
  sym += "Pumpe" + std::string(25, ' ') + std::string(1, '\0') + "\xFF";
  std::ofstream(library_.path() / "z.sym", std::ios::binary) << sym;
  ScriptedMessageBox box;
  SymbolLoadDialog dialog(workspace(), &box, library_.path());
  ASSERT_EQ(dialog.List()->count(), 2);
  EXPECT_TRUE(dialog.List()->item(0)->text().startsWith("Pumpe"));
  EXPECT_TRUE(dialog.List()->item(1)->text().startsWith("Tank"));
  EXPECT_FALSE(dialog.Preview()->pixmap().isNull());
  box.QueueAnswer(kAnswerJa);
  dialog.DeleteSelected();
  EXPECT_EQ(box.Calls().at(0).text, Tr(txt::kExSymbolLoeschen));
  EXPECT_FALSE(std::filesystem::exists(library_.path() / "z.sym"));
  ASSERT_EQ(dialog.List()->count(), 1);
  dialog.List()->setCurrentRow(0);
  dialog.Confirm();
  EXPECT_EQ(dialog.Chosen(), library_.path() / "a.txt");
}

}  // namespace
}  // namespace tavo
