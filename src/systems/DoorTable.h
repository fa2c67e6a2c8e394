#pragma once

#include "engine/DoorCylinder.h"
#include "engine/GenerationState.h"
#include "engine/ScheduledKey.h"
#include "systems/Door.h"
#include "systems/DoorSchedule.h"

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnholt::systems {

// How a row of the door table stands: good; usable but worth a look (a chamber that cannot be
// pinned, keys let in by accident); or refused, so that the system is not saved with it.
enum class DoorRowState { Good, Warning, Refused };

struct DoorRowCheck {
    DoorRowState state = DoorRowState::Good;
    std::string reason; // empty for a good row
};

// The doors of one system as the user edits them, each row checked as it changes. A row keeps
// what it was keyed to as typed when that names no key in any form the key lists print, so that
// nothing typed is lost. Only a row whose targets change is pinned and searched again; the door
// numbers given twice are counted, so a change of number touches no other row.
class DoorTable {
public:
    DoorTable(const GenerationState& system, std::vector<Door> doors);

    std::size_t Size() const { return rows.size(); }
    const Door& At(std::size_t row) const { return rows.at(row).door; }
    // The Keyed To text: as typed where it could not be read, else the targets as the lists print them.
    std::string KeyedToText(std::size_t row) const;
    DoorRowCheck Check(std::size_t row) const;
    const DoorVerdict& Verdict(std::size_t row) const { return rows.at(row).checked.verdict; }

    void SetNumber(std::size_t row, std::string number);
    void SetLocation(std::size_t row, std::string location);
    void SetKeyedTo(std::size_t row, std::string_view text);
    void SetCylinders(std::size_t row, int cylinders);
    void SetNotes(std::size_t row, std::string notes);
    // A new door before that row (Size() for the end), numbered after the highest number so far.
    void Insert(std::size_t row);
    void Remove(std::size_t row);
    // Every row anew, e.g. from an imported list.
    void Assign(std::vector<Door> doors);

    std::vector<Door> Doors() const;
    // The first refused row and why, as a sentence naming the door; nothing when every row may be saved.
    std::optional<std::string> FirstRefusal() const;

    const KeyDirectory& Keys() const { return context->keys; }
    const KeySchedule& Schedule() const { return context->schedule; }
    const KeySystemRequest& Request() const { return context->request; }

private:
    struct Row {
        Door door;
        std::optional<std::string> unreadable; // the Keyed To text as typed, when it is no target list
        CheckedDoor checked;
    };
    // What every row is checked against; shared so that the table moves and copies cheaply and
    // its references stay put.
    struct Context {
        explicit Context(const GenerationState& system);
        KeySystemRequest request;
        KeySchedule schedule;
        KeyDirectory keys;
        DoorChecker checker;
    };

    void Recheck(Row& row) const;
    void Count(const std::string& number, int change);

    std::shared_ptr<const Context> context;
    std::vector<Row> rows;
    std::map<std::string, int, std::less<>> numbers; // door number -> rows that have it
};

// The doors a verdict lets in by accident, in words: "It opens to AA 2 and AB 1 as well, which
// are not meant to open it." Up to eight keys are named, the rest counted.
std::string UnintendedKeysText(const DoorVerdict& verdict, const KeyDirectory& keys);

} // namespace varnholt::systems
