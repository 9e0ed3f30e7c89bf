// "Word.Application": an application object whose Documents collection opens word-processor documents
// (.doc), rich text and plain text, converting each to text as it opens, and whose documents save that
// text as plain text (document_text.h says which file is read how).
//
//   Application  Documents (get), ActiveDocument (get: the last opened), Quit (closes every document),
//                Visible (get/put)
//   Documents    Open(FileName, [ConfirmConversions, ReadOnly, AddToRecentFiles, PasswordDocument,
//                PasswordTemplate, Revert, WritePasswordDocument]) -> Document
//   Document     SaveAs(FileName, [FileFormat, LockComments, Password, AddToRecentFiles]); FileFormat 2
//                (plain text) is the only format
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "platform/office/automation_object.h"
#include "platform/office/document_text.h"
#include "platform/office/open_files.h"

namespace office {

class WordDocument final : public AutomationObject<WordDocument> {
 public:
  explicit WordDocument(DocumentText text) : text_(std::move(text)) {}
  static const ServerInterface& Interface();
  ole::HRESULT Call(const MemberCall& call);

 private:
  const DocumentText text_;
};

using OpenDocuments = OpenFiles<WordDocument>;

class WordDocuments final : public AutomationObject<WordDocuments> {
 public:
  explicit WordDocuments(std::shared_ptr<OpenDocuments> documents) : documents_(std::move(documents)) {}
  static const ServerInterface& Interface();
  ole::HRESULT Call(const MemberCall& call);

 private:
  std::shared_ptr<OpenDocuments> documents_;
};

class WordApplication final : public AutomationObject<WordApplication> {
 public:
  static const ServerInterface& Interface();
  ole::HRESULT Call(const MemberCall& call);

 private:
  ole::HRESULT GetProperty(const MemberCall& call);

  std::shared_ptr<OpenDocuments> documents_ = std::make_shared<OpenDocuments>();
  std::atomic<bool> visible_{false};
};

}  // namespace office
