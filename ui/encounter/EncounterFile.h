#pragma once

// An encounter kept in a file, so that a fight can be put away and resumed:
//
//   {"format": "vorn-foe-encounter", "version": 1, "entries": [
//     {"foe": "Bandit", "category": "Superior", "tallies": {"Init": 0, ...},
//      "count": 3, "hp": [25, 18, 25], "last": {...}}]}
//
// Each entry holds what the game master chose (foe, category, tallies), its
// creatures' current HP, and under "last" the stat block it showed when
// saved, the command line's JSON object: an entry whose foe has left the
// bestiary shows those numbers. Everything else is asked of the bestiary
// again when the file is opened. Keys this version does not know are
// passed over; a file of a later version is refused, since its entries
// may mean more than this version would keep.

#include "Encounter.h"

#include <QByteArray>
#include <QString>

#include <optional>

inline constexpr int kEncounterFileVersion = 1;

// The entries of an encounter file's text; nothing, with `problem` saying
// why in a sentence, when it is not an encounter this version can read.
// Each entry's block holds the numbers saved with it, and `stale` is empty:
// the caller asks the bestiary.
std::optional<Encounter> encounterFromJson(const QByteArray& json, QString& problem);
QByteArray encounterJson(const Encounter& encounter);

// The file's entries, or nothing with `problem` naming the file and the fault.
std::optional<Encounter> readEncounterFile(const QString& file, QString& problem);
// Writes a new file and renames it over the old one, so that a crash or a
// full disk leaves the old file whole. Returns why it failed, or "".
QString writeEncounterFile(const Encounter& encounter, const QString& file);
