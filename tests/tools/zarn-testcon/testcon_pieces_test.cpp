// The test container's pieces without a control: which classes it lists, how typed texts become a call's
// arguments (and by-reference values come back), and how events, values and failures are written down.
#include <gtest/gtest.h>

#include <QRegularExpression>

#include "tests/support/temp_folder.h"
#include "tools/zarn-testcon/call_outcome.h"
#include "tools/zarn-testcon/control_catalog.h"
#include "tools/zarn-testcon/event_log.h"
#include "tools/zarn-testcon/invocation.h"
#include "tools/zarn-testcon/member_table.h"
#include "tools/zarn-testcon/variant_text.h"

namespace testcon {
namespace {

constexpr const char* kA = "{0000000A-0000-0000-0000-000000000000}";
constexpr const char* kB = "{0000000B-0000-0000-0000-000000000000}";
constexpr const char* kC = "{0000000C-0000-0000-0000-000000000000}";
constexpr const char* kM = "{0000000D-0000-0000-0000-000000000000}";

std::vector<std::string> ProgIDs(const std::vector<KnownControl>& controls) {
  std::vector<std::string> ids;
  for (const KnownControl& known : controls) {
    ids.push_back(known.prog_id + (known.source == ControlSource::kManifest    ? "*"
                                   : known.source == ControlSource::kInstalled ? "+"
                                                                               : ""));
  }
  return ids;
}

TEST(ControlCatalog, ListsTheManifestsClassesThenTheRegisteredControlsThenTheInstalledOnesOnce) {
  ole::Registry registry;
  registry.SetValue(std::string("CLSID\\") + kA, "", std::string("Control A"));
  registry.SetValue(std::string("CLSID\\") + kA + "\\ProgID", "", std::string("A.Ctl.1"));
  registry.CreateKey(std::string("CLSID\\") + kA + "\\Control");
  registry.SetValue(std::string("CLSID\\") + kB + "\\ProgID", "", std::string("B.NotAControl.1"));
  registry.CreateKey(std::string("CLSID\\") + kC + "\\Control");
  registry.CreateKey("CLSID\\not-a-guid\\Control");
  const ole::ClassManifest manifest(std::string(kM) + " M.Prog.1 m.so\n" + kA + " - a.so\n", "/lib");
  const ole::ClassManifest installed(std::string(kC) + " C.Installed.1 c.so\n" + kB + " B.Installed b.so\n",
                                     "/usr/lib/kestrix");
  const std::vector<KnownControl> controls = KnownControls(registry, manifest, installed);
  EXPECT_EQ(ProgIDs(controls), (std::vector<std::string>{"M.Prog.1*", "*", "", "B.Installed+"}));
  EXPECT_EQ(controls[1].DisplayText(), QString("(no ProgID) - Control A ") + kA + " (manifest)");
  EXPECT_EQ(controls[2].DisplayText(), QString("(no ProgID) ") + kC);
  EXPECT_EQ(controls[3].DisplayText(), QString("B.Installed ") + kB + " (installed)");
}

TEST(ControlCatalog, NamesAClassByIdentityOrByProgID) {
  kx::test::TempFolder folder;
  kx::test::ScopedEnv config("XDG_CONFIG_HOME", folder / "config");
  kx::test::ScopedEnv classes("KESTRIX_CLASSES",
                              folder.Write("kestrix.classes", std::string(kM) + " M.Prog.1 m.so\n"));
  EXPECT_EQ(ClassNamed(" m.prog.1 "), ole::GUIDFromString(kM));
  EXPECT_EQ(ClassNamed(QString(kB).toLower()), ole::GUIDFromString(kB));
  EXPECT_EQ(ClassNamed("{0000000B-0000}"), std::nullopt);
  EXPECT_EQ(ClassNamed("Unknown.Prog.1"), std::nullopt);
  EXPECT_EQ(ClassNamed(""), std::nullopt);
}

ole::MemberDescription FileData() {
  return {15,
          "GetFileData",
          ole::MemberKind::kMethod,
          ole::VT_BOOL,
          "",
          false,
          {{"RecordNumber", ole::VT_I4},
           {"FilePath", ole::VT_BSTR, true},
           {"LineNumber", ole::VT_I4, true},
           {"Flag", ole::VT_BOOL},
           {"Anything", ole::VT_VARIANT, true}},
          ""};
}

TEST(Invocation, PassesTextsLastToFirstWithByReferenceSlotsThatComeBack) {
  const ole::MemberDescription member = FileData();
  Invocation call;
  QString error;
  ASSERT_TRUE(call.Prepare(member, SplitArguments("4 | old |  | true", "|"), &error)) << error.toStdString();
  EXPECT_EQ(call.CallText(), "GetFileData(4, \"old\", 0, True, Empty)");
  ole::DISPPARAMS& params = call.Params();
  ASSERT_EQ(params.cArgs, 5u);
  EXPECT_EQ(params.cNamedArgs, 0u);
  const ole::VARIANT* arguments = params.rgvarg;
  EXPECT_EQ(arguments[4].vt, ole::VT_I4);
  EXPECT_EQ(arguments[4].lVal, 4);
  EXPECT_EQ(arguments[1].vt, ole::VT_BOOL);
  ASSERT_EQ(arguments[3].vt, ole::VT_BYREF | ole::VT_BSTR);
  ASSERT_EQ(arguments[2].vt, ole::VT_BYREF | ole::VT_I4);
  ASSERT_EQ(arguments[0].vt, ole::VT_BYREF | ole::VT_VARIANT);
  // What a callee does with the references: replaces the string, writes the number and the variant.
  ole::SysFreeString(*arguments[3].pbstrVal);
  *arguments[3].pbstrVal = ole::BstrFromBytes("/new/path");
  *arguments[2].plVal = 42;
  *arguments[0].pvarVal = ole::Variant(2.5).Detach();
  EXPECT_EQ(call.ReturnedValues(), (QStringList{"FilePath=\"/new/path\"", "LineNumber=42", "Anything=2.5"}));
}

TEST(Invocation, RefusesTooManyTextsAndTextsOfTheWrongType) {
  const ole::MemberDescription member = FileData();
  Invocation call;
  QString error;
  EXPECT_FALSE(call.Prepare(member, SplitArguments("1,2,3,4,5,6", ","), &error));
  EXPECT_EQ(error, "GetFileData takes 5 argument(s), 6 given");
  EXPECT_FALSE(call.Prepare(member, {"1", "", "many"}, &error));
  EXPECT_EQ(error, "LineNumber: \"many\" is not a Long: 0x80020005 DISP_E_TYPEMISMATCH");
  EXPECT_FALSE(call.Prepare(member, {"1", "", "", "maybe"}, &error));
  EXPECT_TRUE(error.startsWith("Flag: \"maybe\" is not a Boolean")) << error.toStdString();
  EXPECT_EQ(SplitArguments("   ", ","), QStringList());
  EXPECT_EQ(SplitArguments("a b\t c", "\t"), (QStringList{"a b", "c"}));
}

TEST(EventText, NamesTheEventAndItsArgumentsFromTheSourceInterface) {
  const ole::InterfaceDescription events{"_Events",
                                         ole::GUID_NULL,
                                         false,
                                         "",
                                         {{3,
                                           "OnError",
                                           ole::MemberKind::kMethod,
                                           ole::VT_EMPTY,
                                           "",
                                           false,
                                           {{"ErrorCode", ole::VT_I4}, {"ErrorString", ole::VT_BSTR, true}},
                                           ""}}};
  ole::BSTR text = ole::BstrFromBytes("No file types");
  std::int32_t code = 509;
  ole::VARIANT arguments[2];  // last to first, both by reference
  arguments[0].vt = ole::VT_BYREF | ole::VT_BSTR;
  arguments[0].pbstrVal = &text;
  arguments[1].vt = ole::VT_BYREF | ole::VT_I4;
  arguments[1].plVal = &code;
  const ole::DISPPARAMS params{arguments, nullptr, 2, 0};
  EXPECT_EQ(EventText(&events, 3, params), "OnError(ErrorCode=509, ErrorString=\"No file types\")");
  EXPECT_EQ(EventText(&events, 7, params), "DISPID 7(#1=509, #2=\"No file types\")");
  EXPECT_EQ(EventText(nullptr, 1, ole::DISPPARAMS{}), "DISPID 1()");
  ole::SysFreeString(text);
}

TEST(EventLog, StampsEachEntryWithTheTimeAndKeepsItOnOneLine) {
  EventLog log;
  log.Add("first\nsecond");
  ASSERT_EQ(log.Lines(), QStringList{"first\\nsecond"});
  EXPECT_TRUE(log.toPlainText().contains(QRegularExpression(R"(^\d\d:\d\d:\d\d\.\d\d\d  first)")));
}

TEST(CallOutcome, SaysWhatTheControlReported) {
  ole::EXCEPINFO info;
  info.bstrDescription = ole::BstrFromBytes("Property is read-only");
  info.bstrSource = ole::BstrFromBytes("Zarn");
  info.scode = ole::CTL_E_SETNOTSUPPORTED;
  CallOutcome outcome;
  outcome.result = ole::DISP_E_EXCEPTION;
  outcome.TakeException(info);
  EXPECT_EQ(info.bstrDescription, nullptr);
  EXPECT_EQ(OutcomeText(outcome),
            "0x80020009 DISP_E_EXCEPTION: Property is read-only (Zarn; code 0x800A017F)");
  const ole::MemberDescription member = FileData();
  const CallOutcome mismatch{ole::DISP_E_TYPEMISMATCH, ole::S_OK, {}, {}, 3};  // 3 from the last: FilePath
  EXPECT_EQ(OutcomeText(mismatch, &member), "0x80020005 DISP_E_TYPEMISMATCH in parameter FilePath");
  EXPECT_EQ(ResultText(static_cast<ole::HRESULT>(0x80041234u)), "0x80041234");
}

TEST(VariantText, ShowsValuesByValueAndByReference) {
  std::int32_t number = -7;
  ole::VARIANT by_reference;
  by_reference.vt = ole::VT_BYREF | ole::VT_I4;
  by_reference.plVal = &number;
  EXPECT_EQ(VariantText(by_reference), "-7");
  EXPECT_EQ(VariantText(*ole::Variant::Bool(true).get()), "True");
  EXPECT_EQ(QuotedVariantText(*ole::Variant::FromBytes("").get()), "\"\"");
  EXPECT_EQ(VariantText(*ole::Variant().get()), "Empty");
  ole::VARIANT error;
  error.vt = ole::VT_ERROR;
  error.scode = ole::DISP_E_PARAMNOTFOUND;
  EXPECT_EQ(VariantText(error), "Error 0x80020004");
  ole::Variant converted;
  EXPECT_EQ(VariantFromText("-12", ole::VT_I4, converted), ole::S_OK);
  EXPECT_EQ(converted.get()->lVal, -12);
  EXPECT_EQ(VariantFromText("12", ole::VT_VARIANT, converted), ole::S_OK);
  EXPECT_EQ(converted.type(), ole::VT_BSTR);  // a variant parameter keeps the text
}

TEST(MemberTable, ShowsEnumerationNamesAndFailuresButEditsOnlyValuesRead) {
  ole::TypeLibraryDescription library;
  library.enumerations = {{"Speeds", {{"Slow", 0, ""}, {"Fast", 1, ""}}}};
  ole::InterfaceDescription members{"_D", ole::GUID_NULL, false, "", {}};
  members.members.push_back({4, "Speed", ole::MemberKind::kProperty, ole::VT_I4, "speeds", false, {}, ""});
  MemberTable table;
  table.Show(&library, &members);
  const QModelIndex value = table.index(0, MemberTable::kValue);
  table.SetValue(0, "1");
  EXPECT_EQ(table.data(value, Qt::DisplayRole).toString(), "1 (Fast)");
  EXPECT_EQ(table.data(table.index(0, MemberTable::kType), Qt::ToolTipRole).toString(), "0 Slow, 1 Fast");
  EXPECT_EQ(table.EditText(0), "1");
  table.SetValue(0, "9");
  EXPECT_EQ(table.data(value, Qt::DisplayRole).toString(), "9");
  table.SetValueFailure(0, "0x80004005 E_FAIL");
  EXPECT_EQ(table.data(value, Qt::DisplayRole).toString(), "0x80004005 E_FAIL");
  EXPECT_EQ(table.EditText(0), "");
  EXPECT_EQ(table.RowOf(4), 0);
  EXPECT_EQ(table.RowOf(5), -1);
}

}  // namespace
}  // namespace testcon
