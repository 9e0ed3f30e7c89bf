#include "control/automation/zarn_type_library.h"

#include "control/automation/zarn_identities.h"

namespace zarn {

namespace {

using ole::MemberDescription;
using ole::MemberKind;
using ole::ParameterDescription;

MemberDescription Property(ole::DISPID id, const char* name, ole::VARTYPE type, bool read_only,
                           const char* help = "") {
  return MemberDescription{id, name, MemberKind::kProperty, type, "", read_only, {}, help};
}

MemberDescription Method(ole::DISPID id, const char* name, ole::VARTYPE result,
                         std::vector<ParameterDescription> parameters, const char* help = "") {
  return MemberDescription{id, name, MemberKind::kMethod, result, "", false, std::move(parameters), help};
}

ole::EnumDescription ThreadPriorities() {
  return {"ThreadPriorities",
          {{"Idle", 0, "Idle (0)"},
           {"Lowest", 1, "Lowest (1)"},
           {"Normal", 2, "Normal (2)"},
           {"Highest", 3, "Highest (3)"},
           {"TimeCritical", 4, "Time Critical (4)"}}};
}

// The help strings as the library has always carried them, spelling and all.
constexpr const char* kCaseSensitiveHelp =
    "When TRUE: Finds all occurrences with the exact combination of uppercase and lowercase letters "
    "specified "
    "in the SearchString property.  When FALSE: Finds all occurrences of the string specified in the "
    "SearchString property ignoring of the case of individ";

ole::InterfaceDescription DispatchInterface() {
  MemberDescription thread_priority =
      Property(kDispidThreadPriority, "ThreadPriority", ole::VT_I4, false,
               "The search engine's thread priority may be set via this property.");
  thread_priority.type_name = "ThreadPriorities";
  return {
      "_DZarn",
      IID__DZarn,
      true,
      "Dispatch interface for Zarn Control",
      {
          Property(kDispidDefaultSearchString, "_SearchString", ole::VT_BSTR, false),
          Property(kDispidSearchCount, "SearchCount", ole::VT_I4, true, "Number of matches found (ReadOnly)"),
          Property(kDispidCaseSensitive, "CaseSensitive", ole::VT_BOOL, false, kCaseSensitiveHelp),
          Property(kDispidLookInSubfolders, "LookInSubfolders", ole::VT_BOOL, false,
                   "Set this property to true to have the search extend to those directories under the "
                   "specified SearchPath"),
          Property(
              kDispidWholeWordOnly, "WholeWordOnly", ole::VT_BOOL, false,
              "When set to TRUE: Searches for the full word by itself and not as part of a larger word.  "
              "When set to FALSE:  Searches for the SearchString regardless of it's neighboring text."),
          Property(kDispidSearchPath, "SearchPath", ole::VT_BSTR, false,
                   "Specifies what directory to begin the text search."),
          Property(kDispidSearchExt, "SearchExt", ole::VT_BSTR, false,
                   "This specifies what file extension to use when searching for text.  Wild cards are "
                   "acceptable (i.e. *.*)"),
          Property(
              kDispidSearchString, "SearchString", ole::VT_BSTR, false,
              "Specifies what text to search for.  Set CaseSensitive to TRUE to enforce case sensitivity."),
          Property(kDispidRegularExpression, "RegularExpression", ole::VT_BOOL, false,
                   " Set this property to true to have the search engine use regular expressions detailed in "
                   "the SearchString."),
          Property(kDispidSearchActive, "SearchActive", ole::VT_BOOL, true,
                   "While the search is active, this property will be TRUE.  If the user does not want to "
                   "have the an active search interrupted, this method will be useful.  Users can use the "
                   "ScanCompleted() event to determine when the current search is complete."),
          Property(kDispidSearchTime, "SearchTime", ole::VT_I4, true,
                   "This read only property returns the duration the last search took in milliseconds.  The "
                   "ScanCompleted() event signifies when this parameter is valid."),
          thread_priority,
          Property(kDispidSupportOfficeDocs, "SupportOfficeDocs", ole::VT_BOOL, false),
          Method(kDispidAbort, "Abort", ole::VT_EMPTY, {},
                 "Call this to terminate a currently executing search. "),
          Method(kDispidGetFileData, "GetFileData", ole::VT_BOOL,
                 {{"RecordNumber", ole::VT_I4},
                  {"FilePath", ole::VT_BSTR, true},
                  {"LineNumber", ole::VT_I4, true},
                  {"ColumnNumber", ole::VT_I4, true},
                  {"TextFound", ole::VT_BSTR, true}},
                 "This method allows read access to the data found from the Kestrix Begin() method."),
          Method(kDispidSaveDataToTabFile, "SaveDataToTabFile", ole::VT_BOOL, {{"FileName", ole::VT_BSTR}},
                 "The data received by Zarn may be saved to a tab delimited text file, as specified by the "
                 "FileName parameter."),
          Method(kDispidBegin, "Begin", ole::VT_BOOL, {}),
          Method(kDispidSaveOfficeDocAsText, "SaveOfficeDocAsText", ole::VT_BOOL,
                 {{"SourceFile", ole::VT_BSTR}, {"TargetFile", ole::VT_BSTR}}),
          Method(kDispidAboutBox, "AboutBox", ole::VT_EMPTY, {}),
      }};
}

ole::InterfaceDescription EventInterface() {
  return {"_DZarnEvents",
          IID__DZarnEvents,
          false,
          "Event interface for Zarn Control",
          {
              Method(kDispidScanStarted, "ScanStarted", ole::VT_EMPTY, {}),
              Method(kDispidScanCompleted, "ScanCompleted", ole::VT_EMPTY, {}),
              Method(kDispidOnError, "OnError", ole::VT_EMPTY,
                     {{"ErrorCode", ole::VT_I4}, {"ErrorString", ole::VT_BSTR, true}}),
          }};
}

ole::TypeLibraryDescription Build() {
  ole::TypeLibraryDescription library;
  library.name = "ZARNLib";
  library.guid = LIBID_ZARNLib;
  library.control_library = true;
  library.help_file = "KESTRIX.HLP";
  library.help = "Kestrix ActiveX Control module";
  library.enumerations = {ThreadPriorities()};
  library.interfaces = {DispatchInterface(), EventInterface()};
  library.classes = {{"Zarn", CLSID_Zarn, "Zarn Control", IID__DZarn, IID__DZarnEvents, true}};
  return library;
}

}  // namespace

const ole::TypeLibraryDescription& ZarnTypeLibrary() {
  static const ole::TypeLibraryDescription library = Build();
  return library;
}

const ole::InterfaceDescription& ZarnDispatchInterface() {
  return ZarnTypeLibrary().interfaces[0];
}
const ole::InterfaceDescription& ZarnEventInterface() {
  return ZarnTypeLibrary().interfaces[1];
}

}  // namespace zarn
