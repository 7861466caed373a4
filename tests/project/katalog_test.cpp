#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "project/katalog.h"
#include "shell/folders.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

class DefinitionFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("tavo_def_" +
           std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string Write(const std::string& name, const std::string& content) {
    const fs::path p = dir / name;
    std::ofstream(p, std::ios::binary) << content;
    return p.string();
  }
  fs::path dir;
};

TEST_F(DefinitionFiles, TerminalIniWithDefaultsAndKeyAreas) {
  t_terminal t;
  t.Load(Write("t.def",
               "[Kopf]\r\nTerminalname=VT Test\r\nTypnummer=VT-0A07-0001\r\nDOSVersion=X.TRM\r\n"
               "[display]\r\nAufl\xF6sungX=320\r\nGraustufen=1\r\nFarbtiefe=abc\r\n"
               "[SoftKeyAreas]\r\nCount=2\r\nF01=1,2,30,40\r\n"
               "[SpecialKeyAreas]\r\nCount=1\r\nS01=5, 6 ,7,8\r\n"));
  EXPECT_EQ(t.name, "VT Test");
  EXPECT_EQ(t.terminalName, "VT Test");
  EXPECT_EQ(t.typeNumber, "VT-0A07-0001");
  EXPECT_EQ(t.width, 320);
  EXPECT_EQ(t.height, 480);
  EXPECT_EQ(t.colourDepth, 16);  // unreadable: the default
  EXPECT_TRUE(t.greyScale);
  EXPECT_EQ(t.bitmap, "VTA_VGA.BMP");
  struct Area {
    const char* name;
    int l, t, r, b;
  } expected[] = {{"F01", 1, 2, 30, 40}, {"F02", 0, 0, 5, 25}, {"S01", 5, 6, 7, 8}};
  int i = 0;
  ForEach<t_tastenfeld>(t.keyAreas, [&](const t_tastenfeld& a) {
    ASSERT_LT(i, 3);
    EXPECT_EQ(a.name, expected[i].name);
    EXPECT_EQ(a.left, expected[i].l);
    EXPECT_EQ(a.top, expected[i].t);
    EXPECT_EQ(a.right, expected[i].r);
    EXPECT_EQ(a.bottom, expected[i].b);
    ++i;
  });
  EXPECT_EQ(i, 3);

  t_terminal missing;
  missing.Load((dir / "none.def").string());
  EXPECT_EQ(missing.dosVersion, "VTA_BMXC.TRM");  // the definition defaults
  EXPECT_FALSE(missing.greyScale);
  EXPECT_EQ(missing.typeNumber.substr(0, 7), "VT-0A06");
}

TEST_F(DefinitionFiles, CouplingKeywordsAnywhereInTheLine) {
  t_steuerung c;
  c.Load(Write("c.def",
               "NAME = \"Serial\"\r\nINFO2 = \"Anschluss NAME\"\r\nFORMAT = siemens\r\n"
               "ADRESSTYPE = byte\r\nMAXBLOCKWORTE = 64\r\nMINADRESS = 256\r\n"
               "PFAD = \"RESOURCE\\S5\\\"\r\nKENNUNG= S5A\r\nTIMEOUTMSEKPROT=99999\r\n"));
  EXPECT_EQ(c.info[1], "Anschluss NAME");
  EXPECT_EQ(c.couplingName, "Anschluss NAME");  // the INFO2 line also holds NAME
  EXPECT_EQ(c.name, c.couplingName);
  EXPECT_EQ(c.addressFormat, 1);
  EXPECT_EQ(c.addressType, 1);
  EXPECT_EQ(c.blockWords1, 64);
  EXPECT_EQ(c.blockWords2, 64);
  EXPECT_EQ(c.lowestAddress, 256);
  EXPECT_EQ(c.path, "RESOURCE\\S5\\");
  EXPECT_EQ(c.identifier, " S5A");
  EXPECT_EQ(c.protocolTimeout, 32767);

  t_steuerung motorola;
  motorola.Load(Write("m.def", "FORMAT=SIEMENS\r\nFORMAT=Motorola\r\nsome line\r\n"));
  EXPECT_EQ(motorola.addressFormat, 1);  // an unknown format changes nothing
  EXPECT_EQ(motorola.name, "none");

  t_steuerung empty;
  empty.Load(Write("e.def", ""));
  EXPECT_EQ(empty.name, "");
}

TEST(Catalogue, ShippedDefinitionsLoadInFileNameOrder) {
  Installation install(TAVO_DATA_DIR);
  t_katalog catalog;
  catalog.LoadDefinitions(install);
  ASSERT_GE(CountNodes(catalog.terminals.get()), 4);
  ASSERT_GE(CountNodes(catalog.couplings.get()), 2);
  bool generations[2] = {false, false};
  bool formats[2] = {false, false};
  ForEach<t_terminal>(catalog.terminals, [&](const t_terminal& t) {
    EXPECT_NE(t.terminalName, "VTA VGA") << t.dosVersion;  // every key was found
    EXPECT_TRUE(fs::exists(install.Resolve("system\\Terminals\\" + t.bitmap))) << t.bitmap;
    const std::string model = t.typeNumber.substr(0, 7);
    generations[model == "VT-0A01" || model == "VT-0A02" || model == "VT-0A03" ? 0 : 1] = true;
  });
  ForEach<t_steuerung>(catalog.couplings, [&](const t_steuerung& c) {
    EXPECT_FALSE(c.dosVersion.empty());
    formats[c.addressFormat & 1] = true;
    EXPECT_TRUE(fs::exists(install.Resolve("system\\kopplungen\\" + c.bitmap))) << c.bitmap;
  });
  EXPECT_TRUE(generations[0] && generations[1]);
  EXPECT_TRUE(formats[0] && formats[1]);
  EXPECT_TRUE(fs::exists(install.Resolve("system\\kopplungen\\none.bmp")));
  EXPECT_EQ(catalog.TerminalOrFirst("nope"), catalog.terminals.get());
  EXPECT_NE(catalog.FindTerminal("VTA_2MBM.TRM"), nullptr);
  EXPECT_EQ(catalog.FindCoupling("nope"), nullptr);
}

}  // namespace
}  // namespace tavo
