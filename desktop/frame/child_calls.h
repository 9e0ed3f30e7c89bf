// Calling a child window's operation by its name (one of its Qt invokable methods), as the main window
// does for the active child. A missing window, or one without that operation, is passed over silently:
// the call does nothing and shows nothing.
#pragma once

class QObject;

namespace kestrix {

// True when the operation was there and ran.
bool CallChild(QObject* child, const char* operation);
bool CallChild(QObject* child, const char* operation, bool argument);
bool CallChild(QObject* child, const char* operation, int argument);

}  // namespace kestrix
