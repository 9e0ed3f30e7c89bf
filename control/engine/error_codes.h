// The error codes the control raises, from the engine and from the control object alike, each with the
// message it carries to the host. The text of an error is its message followed by a detail text (see
// control/object/error_messages.h).
#pragma once

#include <cstdint>
#include <string_view>

namespace zarn {

inline constexpr std::int32_t kErrorWritingSettingsFile = 500;
inline constexpr std::int32_t kErrorSettingsFileName = 501;
inline constexpr std::int32_t kErrorSearchInProcess = 502;
inline constexpr std::int32_t kErrorInvalidParameters = 503;
inline constexpr std::int32_t kErrorUnableToOpenFile = 504;
inline constexpr std::int32_t kErrorLineTooLong = 505;
inline constexpr std::int32_t kErrorInvalidRecordNumber = 506;
inline constexpr std::int32_t kErrorInvalidSearchString = 507;
inline constexpr std::int32_t kErrorInvalidSearchPath = 508;
inline constexpr std::int32_t kErrorSearchFileType = 509;

struct ErrorCodeMessage {
  std::int32_t code;
  std::string_view message;
};

// Every code with its message. The trailing blanks and the spellings are part of the messages.
inline constexpr ErrorCodeMessage kErrorCodeMessages[] = {
    {kErrorWritingSettingsFile, "An error ocurred while writing to Kestrix initialization file. "},
    {kErrorSettingsFileName,
     "An error ocurred while creating a fully qualified path name to the Kestrix initialization file."},
    {kErrorSearchInProcess, "Search is in process, abort current search first."},
    {kErrorInvalidParameters, "The parameters sent are not valid."},
    {kErrorUnableToOpenFile, "Unable to open file:  "},
    {kErrorLineTooLong, "Binary File Encountered (Line Exceeded 2048 characters)"},
    {kErrorInvalidRecordNumber, "RecordNumber argument is invalid"},
    {kErrorInvalidSearchString, "Invalid Search String:  "},
    {kErrorInvalidSearchPath, "Invalid Search Folder/Path: "},
    {kErrorSearchFileType, "Invalid Search File Type: "},
};

}  // namespace zarn
