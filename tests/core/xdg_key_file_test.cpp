#include "platform/xdg_key_file.h"

#include <gtest/gtest.h>

namespace tarvo {
namespace {

TEST(XdgKeyFileTest, FilesTheDesktopsReadersRejectAreNotRead) {
  using namespace std::string_literals;
  for (const std::string& text : {
           std::string("audio/mpeg=a.desktop;\n[Default Applications]\n"),  // key before any group
           std::string("[Default Applications]\njust words\n"),
           std::string("[Default Applications] trailing\n"),
           std::string("[Default Applications]\na=\xC3\n"),  // cut UTF-8
           "[Default Applications]\na=b\0c\n"s,
       }) {
    EXPECT_FALSE(XdgKeyFile::Parse(text)) << text;
  }
  EXPECT_TRUE(XdgKeyFile::Parse(""));
  EXPECT_TRUE(XdgKeyFile::Parse("# only\n\n  [G]  \n  k = v \n"));
}

TEST(XdgKeyFileTest, ChangesTouchOnlyTheirLines) {
  // CR LF lines, blanks around "=", a last line without its end.
  std::optional<XdgKeyFile> file = XdgKeyFile::Parse("#c\r\n[G]\r\nk = v\r\nother=1\r\n\r\n[H]\r\nx=y");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->Value("G", "k"), "v");
  EXPECT_EQ(file->Value("H", "k"), std::nullopt);
  file->Set("G", "k", "w");
  file->Set("G", "new", "1");
  file->Set("Fresh", "a", "b");
  EXPECT_EQ(file->Text(), "#c\r\n[G]\r\nk=w\r\nother=1\r\nnew=1\r\n\r\n[H]\r\nx=y\n[Fresh]\na=b\n");
  file->Erase("Fresh", "a");
  file->Erase("G", "new");
  EXPECT_EQ(file->Text(), "#c\r\n[G]\r\nk=w\r\nother=1\r\n\r\n[H]\r\nx=y\n");
}

// GLib reads the last line of a key given twice, also across two groups of
// the same name; that line is the one changed.
TEST(XdgKeyFileTest, ADuplicatedKeyIsReadAndChangedAtItsLastLine) {
  std::optional<XdgKeyFile> file = XdgKeyFile::Parse("[D]\na=x.desktop;\n[E]\n[D]\na=y.desktop;\n");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->Value("D", "a"), "y.desktop;");
  file->Set("D", "a", "z.desktop;");
  EXPECT_EQ(file->Text(), "[D]\na=x.desktop;\n[E]\n[D]\na=z.desktop;\n");
}

TEST(XdgKeyFileTest, ListsLoseBlanksAndEmptyItems) {
  EXPECT_EQ(SplitKeyFileList(" a.desktop ;;b.desktop"), (std::vector<std::string>{"a.desktop", "b.desktop"}));
  EXPECT_EQ(JoinKeyFileList({"a.desktop", "b.desktop"}), "a.desktop;b.desktop;");
  EXPECT_EQ(JoinKeyFileList({}), "");
}

}  // namespace
}  // namespace tarvo
