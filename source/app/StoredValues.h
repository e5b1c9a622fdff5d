// Reading values back from the settings store without trusting them: a value the program's own
// commands could not have written (wrong type, out of range, absurdly long) counts as missing.
#pragma once

#include <QStringList>
#include <QVariant>

#include <initializer_list>

// A stored bool as the store gives it back (a bool, or the text "true"/"false"); else `fallback`.
bool storedBool(const QVariant& value, bool fallback);

// A stored integer that is one of `allowed`; else `fallback`.
int storedChoice(const QVariant& value, std::initializer_list<int> allowed, int fallback);

// A stored directory or path: a string of sensible length; else empty.
QString storedPath(const QVariant& value);

// The sensible paths of a stored list, in order: an entry that is not one is left out and the
// others kept. A list longer than the program keeps is taken whole (its next addition trims
// it), up to kMostStoredPaths entries, past which nothing the program wrote could reach.
constexpr int kMostStoredPaths = 1000;
QStringList storedPathList(const QVariant& value);
