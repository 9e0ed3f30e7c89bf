#include "control/engine/extension_filter.h"
#include "control/engine/office_document.h"

#include <gtest/gtest.h>

#include <string_view>

namespace zarn {
namespace {

TEST(ExtensionFilter, DotStarSelectsEveryName) {
  for (std::string_view list : {"*.*", ".*", "*.TXT;*.*", "x.*y", "*.txt .*"}) {
    EXPECT_TRUE(ExtensionFilter("A.TXT", list)) << list;
    EXPECT_TRUE(ExtensionFilter("README", list)) << list;
    EXPECT_TRUE(ExtensionFilter("", list)) << list;
  }
}

TEST(ExtensionFilter, EmptyListOrNameSelectsNothing) {
  EXPECT_FALSE(ExtensionFilter("a.txt", ""));
  EXPECT_FALSE(ExtensionFilter("", "*.TXT"));
  EXPECT_FALSE(ExtensionFilter("", ""));
}

TEST(ExtensionFilter, NameWithoutDotIsNotSelected) {
  EXPECT_FALSE(ExtensionFilter("README", "*.TXT"));
  EXPECT_FALSE(ExtensionFilter("TXT", "*.TXT"));
  EXPECT_FALSE(ExtensionFilter("a.txt", "*"));
}

TEST(ExtensionFilter, ExtensionMatchesInEitherCase) {
  EXPECT_TRUE(ExtensionFilter("A.TXT", "*.TXT"));
  EXPECT_TRUE(ExtensionFilter("b.txt", "*.TXT"));
  EXPECT_TRUE(ExtensionFilter("b.TxT", "*.txt"));
  EXPECT_TRUE(ExtensionFilter("report.doc", "*.DOC"));
  EXPECT_TRUE(ExtensionFilter("REPORT.DOC", "*.DOC"));
  EXPECT_FALSE(ExtensionFilter("a.htm", "*.TXT"));
}

TEST(ExtensionFilter, ExtensionIsAnySubstringOfTheList) {
  EXPECT_FALSE(ExtensionFilter("report.docx", "*.DOC"));
  for (std::string_view name : {"a.T", "a.TX", "a.tx", "a."})
    EXPECT_TRUE(ExtensionFilter(name, "*.TXT")) << name;
  for (std::string_view name : {"x.d", "x.Do"}) EXPECT_TRUE(ExtensionFilter(name, "*.DOC")) << name;
  EXPECT_FALSE(ExtensionFilter("a.XT", "*.TXT"));  // the dot belongs to the extension
}

TEST(ExtensionFilter, ListNeedsNoSyntax) {
  for (std::string_view list : {"*.TXT;*.HTM", "*.TXT *.HTM", "*.TXT,*.HTM", ".txt.htm"}) {
    EXPECT_TRUE(ExtensionFilter("a.txt", list)) << list;
    EXPECT_TRUE(ExtensionFilter("b.HTM", list)) << list;
    EXPECT_FALSE(ExtensionFilter("c.css", list)) << list;
  }
}

TEST(ExtensionFilter, OnlyTheLastExtensionCounts) {
  EXPECT_TRUE(ExtensionFilter("archive.tar.gz", "*.GZ"));
  EXPECT_FALSE(ExtensionFilter("archive.tar.gz", "*.TAR"));
  EXPECT_TRUE(ExtensionFilter("archive.tar.gz", "*.GZIP"));
  EXPECT_TRUE(ExtensionFilter(".profile", "*.PROFILE"));
}

TEST(ExtensionFilter, OnlyAsciiLettersAreUpperCased) {
  EXPECT_FALSE(ExtensionFilter("a.\xE9", "*.\xC9"));
  EXPECT_TRUE(ExtensionFilter("a.\xE9", "*.\xE9"));
  EXPECT_FALSE(ExtensionFilter("a.{", "*.["));
}

}  // namespace
}  // namespace zarn

namespace zarn {
namespace {

TEST(OfficeApplicationOf, WordFirstThenExcelByTheFiltersRule) {
  EXPECT_EQ(OfficeApplicationOf("report.doc"), OfficeApplication::kWord);
  EXPECT_EQ(OfficeApplicationOf("B.DO"), OfficeApplication::kWord);
  EXPECT_EQ(OfficeApplicationOf("c.xls"), OfficeApplication::kExcel);
  EXPECT_EQ(OfficeApplicationOf("notes.docx"), std::nullopt);
  EXPECT_EQ(OfficeApplicationOf("e.xlsx"), std::nullopt);
  EXPECT_EQ(OfficeApplicationOf("report.txt"), std::nullopt);
  EXPECT_EQ(OfficeApplicationOf("README"), std::nullopt);
}

}  // namespace
}  // namespace zarn
