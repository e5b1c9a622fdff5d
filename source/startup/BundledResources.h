// Where the program finds its own files (font, icon, shipped text screens, sounds) at run time.
// One search for every kind of copy: an app bundle, files beside the program, an install, a build.
#pragma once

#include <QString>

#include <functional>

// Called with each path the search is about to look at, before it looks. Tests use it to see the
// order of the search and that refused names are never looked up; the program passes none.
using ResourceProbeObserver = std::function<void(const QString& path)>;

// The absolute path of the existing file for a relative, '/'-separated resource name such as
// "fonts/Apple_II.ttf" or "textscreens/Welcome.txt"; a null string when there is none.
// Searched beside the running executable.
QString orvelBundledResourcePath(const QString& name);

// The same search starting from the given executable directory.
QString orvelBundledResourcePathFrom(const QString& executableDir, const QString& name,
                                     const ResourceProbeObserver& observer = {});

// The decoded screen text of a shipped text screen ("textscreens/Welcome.txt"), UTF-8 name; a null
// string when the file cannot be found or read, an empty (non-null) one for an empty file.
QString loadBundledTextScreen(const char* name);
