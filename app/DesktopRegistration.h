#pragma once

namespace curvix {

// The running program as the desktop knows it: its file types, icons,
// desktop entry and the entry's id, each in the way of the desktop the
// program runs on.

// Names the program's desktop entry to the desktop, before the first window
// shows, so that the windows are matched to the entry.
void IdentifyToDesktop();

// Makes the desktop know this program file and its .cvx documents for this
// user. Silent on failure and cheap when nothing changed.
void RegisterWithDesktop();

// Takes back what RegisterWithDesktop wrote, and the settings file.
void UnregisterFromDesktop();

} // namespace curvix
