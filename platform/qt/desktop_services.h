// What the desktop asks of the user's desktop environment: a beep, a document opened with its default
// application, a file opened in the user's text editor. Programs are started with an argument vector,
// never through a shell, so any file name works.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

namespace qtplatform {

void Beep();

// Opens `path` with the desktop's default application for its type, through the desktop's launcher
// (xdg-open). False at once when there is no launcher; when the launcher then finds no application for
// the document, DocumentLaunches::NotOpened tells so.
bool OpenDocument(const QString& path);

// Tells what became of the documents OpenDocument handed to the launcher.
class DocumentLaunches : public QObject {
  Q_OBJECT

 signals:
  // The launcher ended without opening `path`: the desktop has no application for it.
  void NotOpened(const QString& path);
};
DocumentLaunches& Launches();

// The program and arguments that open `path` in the user's editor: $VISUAL, else $EDITOR (each may hold
// a program with its own arguments, split on blanks), else the desktop's default application (nullopt:
// use OpenDocument).
std::optional<QStringList> EditorCommand(const QString& path);

// Opens `path` in the user's editor; false when no editor could be started.
bool OpenInEditor(const QString& path);

}  // namespace qtplatform
