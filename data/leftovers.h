#pragma once
// What a save that was cut short leaves in the draw folder, and tidying it away at start.
//
// A save writes a temporary file beside its target and renames it over the target when
// it is complete. A program killed between the two leaves the temporary file behind:
// the target's name, a full stop and six letters or digits ("获奖记录.txt.a1B2c3").
#include "platform/folder.h"
#include "platform/text.h"

// Whether `name`, a file name inside the draw folder (GBK), has exactly the form of such a
// temporary file of a file the program saves there: the winners record, the winners
// detail, the candidate list (written by an import), or a kept copy of one of them
// ("获奖记录-20240203-193000.txt", "获奖记录-20240203-193000-2.txt",
// "获奖明细-20240203-193000.csv", "抽奖名单-20240203-193000.txt").
bool IsSaveLeftover(const Text& name);

// Claims the draw folder for this process and, when the claim holds, removes the
// temporary files that saves of earlier runs left behind. While another copy of the
// program runs in the same folder, its claim stands and nothing is removed (its
// temporary files may belong to a save in progress).
// Nothing here raises an error: a file that cannot be removed stays. The claim is
// returned to be kept for the life of the process; when another copy holds the folder
// (heldElsewhere), this copy must not draw there.
platform::FolderLock ClaimDrawFolder();
