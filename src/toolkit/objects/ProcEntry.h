// Procedure pointers kept in a PtrList; shared between the toolkit's files, not for users of the toolkit.
#pragma once

// Function pointers go through void * here only, so the conversion is written once.
template <class Proc> void *ProcToEntry(Proc proc) { return reinterpret_cast<void *>(proc); }
template <class Proc> Proc EntryToProc(void *entry) { return reinterpret_cast<Proc>(entry); }
