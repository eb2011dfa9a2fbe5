#include <QtGlobal>

// The resources live in an object library that Qt links into every user of this target;
// this file only gives the static library something to hold.
void Kv521ResourcesAnchor() {}
