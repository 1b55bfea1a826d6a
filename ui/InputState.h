#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

namespace ui {

// What the counter boxes remember between edits, per counter A (innermost) to D.
struct CounterInput {
    // 1 = the next change of the value box comes from code and must not rebuild the listing
    // or refresh the delay value; the value box's change handling clears it.
    qint16 QuietValue = 0;
    qint16 LastValue = 0;  // last value accepted, 0 to 255
    QString LastName;      // last accepted name, put back when a new name is refused
};

struct InputState {
    std::array<CounterInput, 4> counter;
    // The name being checked. Shared by nested runs of the name handling on purpose: a run
    // that restores the last name leaves that name here for the run it is nested in.
    QString TrimmedName;
};

}  // namespace ui
