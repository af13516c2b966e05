// The media types the restore tool gives back, and the identifier it keeps pointing at the
// installed program.
#pragma once

#include "AssociationRegistry.h"

inline constexpr char kRestoreProgramId[] = "Vistrane+";
inline constexpr char kRestoreProgramFile[] = "Vistrane.exe";
inline constexpr int kRestoreRowCount = 32;
extern const assoc::AssociationRow kRestoreTable[kRestoreRowCount + 1];
