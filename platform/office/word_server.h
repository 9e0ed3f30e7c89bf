// "Word.Application": an application object whose Documents collection opens word-processor documents
// (.doc), converting each to text as it opens, and whose documents save that text as plain text.
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
#include "platform/office/open_files.h"

namespace office {

class WordDocument final : public AutomationObject<WordDocument> {
 public:
  explicit WordDocument(std::string text) : text_(std::move(text)) {}
  static const ServerInterface& Interface();
  ole::HRESULT Call(const MemberCall& call);

 private:
  const std::string text_;
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
