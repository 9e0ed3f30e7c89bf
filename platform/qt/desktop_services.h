// What the desktop asks of the user's desktop environment: a beep, a document opened with its default
// application, a file opened in the user's text editor. Programs are started with an argument vector,
// never through a shell, so any file name works.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kestrix {

void Beep();

// Opens `path` with the desktop's default application for its type; false when that cannot be started.
bool OpenDocument(const QString& path);

// The program and arguments that open `path` in the user's editor: $VISUAL, else $EDITOR (each may hold
// a program with its own arguments, split on blanks), else the desktop's default application (nullopt:
// use OpenDocument).
std::optional<QStringList> EditorCommand(const QString& path);

// Opens `path` in the user's editor; false when no editor could be started.
bool OpenInEditor(const QString& path);

}  // namespace kestrix
