#include <QCheckBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "editor/sheet/gridsettings.h"
#include "editor/uitext.h"
#include "sheet_testing.h"

namespace tavo {
namespace {

class DisplayDialog : public testing::SheetTesting {
 protected:
  void SetUp() override {
    SheetTesting::SetUp();
    dialog_ = std::make_unique<TGridSettings>(workspace().translator());
  }
  void TearDown() override { dialog_.reset(); }
  template <class T = QCheckBox>
  T* Child(const char* name) {
    T* child = dialog_->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  std::unique_ptr<TGridSettings> dialog_;
};

TEST_F(DisplayDialog, EnablesEachControlOnlyWithWhatItDependsOn) {
  struct Case {
    bool rect, text, raster, fang;
    bool textEnabled, coloursEnabled, rasterEnabled, fangEnabled;
  };
  const Case cases[] = {
      {true, true, true, true, true, true, true, true},
      {true, false, true, false, true, false, true, false},
      {false, true, false, true, false, false, false, true},
      {false, false, false, false, false, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.rect << c.text << c.raster << c.fang);
    Child("softkeyrect")->setChecked(c.rect);
    Child("softkeytext")->setChecked(c.text);
    Child("RasterEin")->setChecked(c.raster);
    Child("FangEin")->setChecked(c.fang);
    EXPECT_EQ(Child("softkeytext")->isEnabled(), c.textEnabled);
    EXPECT_EQ(Child<QRadioButton>("softkeycolorblack")->isEnabled(), c.coloursEnabled);
    EXPECT_EQ(Child<QRadioButton>("softkeycolorwhite")->isEnabled(), c.coloursEnabled);
    EXPECT_EQ(Child<QSpinBox>("RasterAbstand")->isEnabled(), c.rasterEnabled);
    EXPECT_EQ(Child<QSpinBox>("FangAbstand")->isEnabled(), c.fangEnabled);
  }
}

TEST_F(DisplayDialog, LoadsAndStoresEverySetting) {
  PictureSettings in;
  in.style = 1;
  in.softkeyrect = 0;
  in.softkeytext = 1;
  in.softkeytextcolor = 0;
  in.gridStyle = 0;
  in.gridSize = 25;
  in.fangStyle = 1;
  in.fangSize = 5;
  dialog_->Load(in);
  EXPECT_TRUE(Child("Darstellung")->isChecked());
  EXPECT_FALSE(Child("softkeytext")->isEnabled());
  EXPECT_TRUE(Child<QRadioButton>("softkeycolorblack")->isChecked());
  PictureSettings out;
  dialog_->Store(out);
  EXPECT_EQ(out.style, 1);
  EXPECT_EQ(out.softkeyrect, 0);
  EXPECT_EQ(out.softkeytext, 1);
  EXPECT_EQ(out.softkeytextcolor, 0);
  EXPECT_EQ(out.gridStyle, 0);
  EXPECT_EQ(out.gridSize, 25);
  EXPECT_EQ(out.fangStyle, 1);
  EXPECT_EQ(out.fangSize, 5);
}

// Values other than 0 and 1 leave the controls as the dialog was created;
// distances outside 1..100 are brought into the range.
TEST_F(DisplayDialog, OddValuesKeepTheCreatedState) {
  PictureSettings in;
  in.style = 3;
  in.softkeyrect = -1;
  in.softkeytext = 2;
  in.softkeytextcolor = 9;
  in.gridStyle = 5;
  in.fangStyle = 7;
  in.gridSize = 0;
  in.fangSize = 500;
  dialog_->Load(in);
  PictureSettings out;
  dialog_->Store(out);
  const PictureSettings defaults;
  EXPECT_EQ(out.style, defaults.style);
  EXPECT_EQ(out.softkeyrect, defaults.softkeyrect);
  EXPECT_EQ(out.softkeytext, defaults.softkeytext);
  EXPECT_EQ(out.softkeytextcolor, defaults.softkeytextcolor);
  EXPECT_EQ(out.gridStyle, defaults.gridStyle);
  EXPECT_EQ(out.fangStyle, defaults.fangStyle);
  EXPECT_EQ(out.gridSize, 1);
  EXPECT_EQ(out.fangSize, 100);
}

TEST_F(DisplayDialog, EnterTakesOverEscapeDiscards) {
  for (const auto& [key, accepted] :
       {std::pair{Qt::Key_Return, true}, std::pair{Qt::Key_Enter, true},
        std::pair{Qt::Key_Escape, false}}) {
    PictureSettings settings;
    const QString caption = Tr(workspace().translator(), txt::kGridDialogCaption);
    QTimer::singleShot(0, [key = key, caption] {
      auto* dialog = qobject_cast<TGridSettings*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->windowTitle(), caption);
      dialog->findChild<QSpinBox*>("RasterAbstand")->setValue(42);
      QTest::keyClick(dialog, key);
    });
    EXPECT_EQ(TGridSettings::Edit(nullptr, workspace().translator(), settings), accepted);
    EXPECT_EQ(settings.gridSize, accepted ? 42 : 10);
  }
}

}  // namespace
}  // namespace tavo
