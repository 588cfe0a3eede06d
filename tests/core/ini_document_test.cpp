#include "settings/ini_document.h"

#include <gtest/gtest.h>

namespace tarvo {
namespace {

TEST(IniDocument, ReadsWhatCanBeReadAmongGarbage) {
  const IniDocument ini(
      "orphan=outside any section\n"
      "; Volume=1\n"
      "# Volume=2\n"
      "[General\n"  // no "]": garbage, starts nothing
      "garbage line without equals\n"
      "=no key\n"
      "\x01\x02\xff binary\n"
      "[ General ] trailing text\n"
      "  Volume =  700  \n"
      "Empty=\n"
      "Url=http://host/a=b\n");
  EXPECT_FALSE(ini.Value("", "orphan"));
  EXPECT_EQ(ini.Value("general", "VOLUME"), "700");
  EXPECT_EQ(ini.Value("General", "Empty"), "");
  EXPECT_EQ(ini.Value("General", "Url"), "http://host/a=b");
  EXPECT_FALSE(ini.Value("General", "Missing"));
  EXPECT_FALSE(ini.Value("Other", "Volume"));
  EXPECT_TRUE(ini.HasSection("GENERAL"));
}

TEST(IniDocument, FirstOfDuplicatesWinsAndDuplicateSectionsAreOne) {
  const IniDocument ini(
      "[A]\nkey=first\nKEY=second\n"
      "[B]\nkey=b\n"
      "[a]\nkey=third\nonly=in second copy\n");
  EXPECT_EQ(ini.Value("A", "key"), "first");
  EXPECT_EQ(ini.Value("A", "only"), "in second copy");
  EXPECT_EQ(ini.Value("B", "key"), "b");
}

TEST(IniDocument, AcceptsEveryLineEndAndWritesCrLf) {
  const IniDocument ini("[A]\r\none=1\ntwo=2\rthree=3\r\n\r\nlast=no line end");
  EXPECT_EQ(ini.Value("A", "one"), "1");
  EXPECT_EQ(ini.Value("A", "two"), "2");
  EXPECT_EQ(ini.Value("A", "three"), "3");
  EXPECT_EQ(ini.Value("A", "last"), "no line end");
  EXPECT_EQ(ini.Text(), "[A]\r\none=1\r\ntwo=2\r\nthree=3\r\n\r\nlast=no line end\r\n");
  EXPECT_FALSE(ini.Modified());
}

TEST(IniDocument, KeepsTheByteOrderMark) {
  IniDocument ini("\xEF\xBB\xBF[General]\nName=\xEC\x9D\x8C\xEC\x95\x85\n");
  EXPECT_EQ(ini.Value("General", "Name"), "\xEC\x9D\x8C\xEC\x95\x85");
  ini.Set("General", "Volume", "5");
  EXPECT_EQ(ini.Text(), "\xEF\xBB\xBF[General]\r\nName=\xEC\x9D\x8C\xEC\x95\x85\r\nVolume=5\r\n");
  EXPECT_EQ(IniDocument("[A]\nx=1\n").Text().substr(0, 3), "[A]");
}

TEST(IniDocument, SetKeepsEveryOtherLine) {
  IniDocument ini(
      "; my settings\n"
      "[Window]\n"
      "width=1\n"
      "  junk without equals\n"
      "Width=duplicate\n"
      "\n"
      "[General]\n"
      "Volume=3\n");
  ini.Set("WINDOW", "Width", "640");   // first line of the key, its spelling kept
  ini.Set("Window", "Height", "480");  // after the section's last non-blank line
  ini.Set("Tweak", "x", "1");          // new section at the end
  EXPECT_EQ(ini.Text(),
            "; my settings\r\n"
            "[Window]\r\n"
            "width=640\r\n"
            "  junk without equals\r\n"
            "Width=duplicate\r\n"
            "Height=480\r\n"
            "\r\n"
            "[General]\r\n"
            "Volume=3\r\n"
            "\r\n"
            "[Tweak]\r\n"
            "x=1\r\n");
  EXPECT_TRUE(ini.Modified());

  IniDocument empty("");
  empty.Set("A", "k", "v");
  EXPECT_EQ(empty.Text(), "[A]\r\nk=v\r\n");
}

TEST(IniDocument, SettingTheSameValueChangesNothing) {
  IniDocument ini("[A]\nk = v\n");
  EXPECT_TRUE(ini.Set("a", "K", "v"));
  EXPECT_FALSE(ini.Modified());
  EXPECT_EQ(ini.Text(), "[A]\r\nk = v\r\n");
}

TEST(IniDocument, RefusesWhatWouldNotReadBack) {
  IniDocument ini("[A]\nk=old\n");
  EXPECT_FALSE(ini.Set("A", "k", "two\nlines"));
  EXPECT_FALSE(ini.Set("A", "k", "cr\rinside"));
  EXPECT_FALSE(ini.Set("A", "a=b", "v"));
  EXPECT_FALSE(ini.Set("A", ";k", "v"));
  EXPECT_FALSE(ini.Set("A]", "k", "v"));
  EXPECT_FALSE(ini.Set("", "k", "v"));
  EXPECT_FALSE(ini.Set("A", "", "v"));
  EXPECT_FALSE(ini.Modified());
  EXPECT_EQ(ini.Value("A", "k"), "old");
}

TEST(IniDocument, EraseRemovesEveryCopyOfTheKey) {
  IniDocument ini("[A]\nk=1\nk=2\nother=x\n[B]\nk=b\n[a]\nK=3\n");
  ini.Erase("a", "k");
  EXPECT_FALSE(ini.Value("A", "k"));
  EXPECT_EQ(ini.Value("A", "other"), "x");
  EXPECT_EQ(ini.Value("B", "k"), "b");
  EXPECT_EQ(ini.Text(), "[A]\r\nother=x\r\n[B]\r\nk=b\r\n[a]\r\n");
}

TEST(IniDocument, EraseSectionKeepsItsUnknownLines) {
  IniDocument ini("[Root media]\n; my music\npath0=/a/\npath1=/b/\nnonsense\n\n[DirBox]\nLastOpenedDir=/a/\n");
  ini.EraseSection("root MEDIA");
  ini.Set("Root media", "path0", "/c/");
  EXPECT_EQ(ini.Text(),
            "[Root media]\r\n; my music\r\nnonsense\r\npath0=/c/\r\n\r\n[DirBox]\r\nLastOpenedDir=/a/\r\n");
  IniDocument untouched("[A]\nk=1\n");
  untouched.EraseSection("Missing");
  untouched.Erase("A", "missing");
  EXPECT_FALSE(untouched.Modified());
}

}  // namespace
}  // namespace tarvo
