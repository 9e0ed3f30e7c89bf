#include "platform/office/word_server.h"

#include <optional>

#include "platform/office/document_text.h"
#include "platform/office/office_identities.h"
#include "platform/office/server_messages.h"

namespace office {

namespace {

using ole::HRESULT;

enum ApplicationDispid : ole::DISPID { kDocuments = 1, kActiveDocument, kQuit, kVisible };
enum DocumentsDispid : ole::DISPID { kOpen = 1 };
enum DocumentDispid : ole::DISPID { kSaveAs = 1 };

// The plain-text file format of SaveAs.
constexpr std::int32_t kFormatText = 2;

}  // namespace

const ServerInterface& WordDocument::Interface() {
  static const ServerInterface server = Describe("Document",
                                                 {Method(kSaveAs, "SaveAs",
                                                         {{"FileName", ole::VT_BSTR},
                                                          {"FileFormat", ole::VT_I4},
                                                          {"LockComments", ole::VT_BOOL},
                                                          {"Password", ole::VT_BSTR},
                                                          {"AddToRecentFiles", ole::VT_BOOL}})},
                                                 {{kSaveAs, 1}});
  return server;
}

HRESULT WordDocument::Call(const MemberCall& call) {
  std::string path;
  call.arguments.GetBytes(0, &path);
  std::optional<std::int32_t> format;
  if (std::int32_t asked = 0; call.given[1] && ole::SUCCEEDED(call.arguments.GetLong(1, &asked)))
    format = asked;
  if (format != kFormatText)
    return Raise(call.exception, kWordProgId, FormatNotSupported("plain text (FileFormat 2)", format));
  if (std::string problem = text_.SaveTo(path); !problem.empty())
    return Raise(call.exception, kWordProgId, CouldNotSave(path, problem));
  return ole::S_OK;
}

const ServerInterface& WordDocuments::Interface() {
  static const ServerInterface server = Describe("Documents",
                                                 {Method(kOpen, "Open",
                                                         {{"FileName", ole::VT_BSTR},
                                                          {"ConfirmConversions", ole::VT_BOOL},
                                                          {"ReadOnly", ole::VT_BOOL},
                                                          {"AddToRecentFiles", ole::VT_BOOL},
                                                          {"PasswordDocument", ole::VT_BSTR},
                                                          {"PasswordTemplate", ole::VT_BSTR},
                                                          {"Revert", ole::VT_BOOL},
                                                          {"WritePasswordDocument", ole::VT_BSTR}})},
                                                 {{kOpen, 1}});
  return server;
}

HRESULT WordDocuments::Call(const MemberCall& call) {
  std::string path;
  call.arguments.GetBytes(0, &path);
  OpenedDocument document = ReadWordDocument(path);
  if (!document.read) return Raise(call.exception, kWordProgId, CouldNotOpen(path, document.failure));
  const auto opened = ole::MakeObject<WordDocument>(std::move(document.text));
  documents_->Add(opened);
  ReturnObject(call.result, opened);
  return ole::S_OK;
}

const ServerInterface& WordApplication::Interface() {
  static const ServerInterface server = Describe(
      "Application", {Property(kDocuments, "Documents", ole::VT_DISPATCH, true),
                      Property(kActiveDocument, "ActiveDocument", ole::VT_DISPATCH, true),
                      Method(kQuit, "Quit", {}), Property(kVisible, "Visible", ole::VT_BOOL, false)});
  return server;
}

HRESULT WordApplication::Call(const MemberCall& call) {
  if (call.member.id == kQuit) {
    documents_->CloseAll();
    return ole::S_OK;
  }
  if (call.put) return AssignBool(call, visible_);  // Visible
  return GetProperty(call);
}

HRESULT WordApplication::GetProperty(const MemberCall& call) {
  switch (call.member.id) {
    case kDocuments:
      ReturnObject(call.result, ole::MakeObject<WordDocuments>(documents_));
      return ole::S_OK;
    case kActiveDocument:
      if (const auto active = documents_->Active()) {
        ReturnObject(call.result, active);
        return ole::S_OK;
      }
      return Raise(call.exception, kWordProgId, "This command is not available because no document is open.");
    default:  // Visible
      ReturnBool(call.result, visible_);
      return ole::S_OK;
  }
}

}  // namespace office
