#pragma once

// The accessible interface of every QLineEdit of the program: Qt's own, but
// for the runs of text attributes. Qt's line edit reports an empty run at
// any offset ([offset, offset)), and Orca 43 then reads a field's line a
// character short ("15" for "159"). A line edit has no attributes, so here
// its text is one run from its start to its end. Qt's line-edit interface is
// private to Qt, hence this one in full, from QLineEdit's public API.

namespace zenalto::qt {

// Makes Qt ask for this interface for every QLineEdit made from now on;
// installed once, however often it is called.
void InstallLineEditAccessible();

}  // namespace zenalto::qt
