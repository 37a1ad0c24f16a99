// SPDX-License-Identifier: GPL-3.0-or-later
// Edits made to a generated unit outside Kestrix, taken back into the definition it came from.
//
// Three texts are compared, each read back into a definition by the unit import: the unit as
// it is now, the unit the definition generates now, and the unit generation last wrote (its
// record, GeneratedRecordPath, when there is one). An item's code that changed only in the unit
// is taken; one that changed on both sides since the last generation keeps the definition's
// version with the unit's beside it as a commented block marked as a conflict; one that
// changed only in the definition stays. Without a record every difference counts as an edit
// of the unit. Members added to the class become items; members removed are reported (or
// deleted when asked). What generation composes from many items (AutoInitialize, AutoDestroy,
// Notification, Register, the header comment, comments above routines and declarations other
// than a method's) cannot be placed: it is listed with its line, so that nobody regenerates
// over it unawares.
//
//   UnitSync sync = SyncUnit(def, unit_bytes, ReadGeneratedRecord(unit_path), options);
//   if (!sync.error.empty()) fail(sync.error);
//   else if (sync.Changed()) { def = sync.def; save(def); }
//   show(SyncSummary(sync));
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/code_target.h"
#include "model/component_def.h"

namespace kx::commands {

struct SyncOptions {
  model::CodeTarget target = model::CodeTarget::kDelphi;
  bool full_comments = true;
  bool runtime_only = false;  // the unit is a run-time package's, without Register
  bool remove = false;        // delete the items whose members were removed from the unit
};

struct UnitSync {
  std::string error;                   // why the unit could not be compared; empty on success
  model::ComponentDef def;             // the definition with the unit's edits
  std::vector<std::string> changed;    // "line 40: the write method of Active"
  std::vector<std::string> added;      // "line 12: method Flash"
  std::vector<std::string> removed;    // "Execute": reported, deleted with SyncOptions::remove
  std::vector<std::string> conflicts;  // "line 40: the write method of Active"
  std::vector<std::string> unplaced;   // "line 98: AutoInitialize ..."
  bool Changed() const {
    return !changed.empty() || !added.empty() || !conflicts.empty() || RemovedDeleted();
  }
  // What regeneration would lose or undo: the unit holds edits the definition lacks.
  bool HoldsEdits() const { return Changed() || !unplaced.empty() || !removed.empty(); }
  bool RemovedDeleted() const { return deleted && !removed.empty(); }
  bool deleted = false;
};

// record: the text generation last wrote to the unit; nothing when it is not known.
UnitSync SyncUnit(const model::ComponentDef& def, std::string_view unit_bytes,
                  const std::optional<std::string>& record, const SyncOptions& options);

// The summary a person reads: counts, then each list under its heading; "No edits to take:
// the unit is what the definition generates." when nothing differs.
std::string SyncSummary(const UnitSync& sync);

// The first line of the commented block that carries the unit's version of a conflicting item.
inline constexpr std::string_view kConflictStart =
    "// Conflict: the unit's version, changed there as well since the last generation:";
inline constexpr std::string_view kConflictEnd = "// End of the unit's version.";

}  // namespace kx::commands
