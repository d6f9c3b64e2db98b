#pragma once

#include <QString>

// The changes that a kill stopped (creations, volume moves, quick formats), each recorded in a
// file of its own in the program folder, and settled at start and whenever a new change is
// about to begin.
namespace vornelix::UnfinishedChanges {

// At start: settles every recorded change and tells, for each, what it did or what stays; a
// record that is no state its change writes is dropped untouched, and said so.
void settleAtStart();

// Before a new change of the profile's volume (a creation when creation is true, else a move
// or a quick format): tries every recorded change again, silently. What still stays of a
// change of that profile refuses the new one: the refusal, or the empty text.
QString refusalFor(const QString& profile, bool creation);

}  // namespace vornelix::UnfinishedChanges
