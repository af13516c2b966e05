// The media types the player registers itself for, in check-box order.
#pragma once

#include "AssociationRegistry.h"

inline constexpr char kPlayerProgramId[] = "Tesmaro Player";
inline constexpr int kAssociationRowCount = 32;
// 32 rows and the empty end row.
extern const assoc::AssociationRow kAssociationTable[kAssociationRowCount + 1];

// Whether the very first start checks the row: every row but ".dat" and two free slots.
bool IsFirstRunRow(int row);
