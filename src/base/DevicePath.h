// The handheld's file system lives under one folder, the device root:
// $KORVANE_ROOT when set, else $XDG_DATA_HOME/korvane. Paths the program names
// itself ("\My Documents\korvane.cfg", "/UpdateMap.txt") resolve under it; the
// full paths a file dialog returns are used as they are.
#pragma once

#include <QString>

QString DeviceRoot();

// True for a path that names a file of the device rather than of this machine.
bool IsDevicePath(const QString& path);

// The path to hand to the file system.
QString NativePath(const QString& path);

// The device's "My Documents" folder, where the user's places and tracks are
// kept, as a native path; made when it is missing, so that a file dialog can
// open in it.
QString MyDocumentsFolder();

// Creates the folders a file about to be written needs.
void MakeParentFolders(const QString& nativePath);

// Whether a path mentions a file kind's extension (".kvp", ".kvt", ".kvf")
// anywhere, in either letter case: "CITY.KVP" is a map as "city.kvp" is.
bool ContainsExtension(const QString& path, const char* extension);
