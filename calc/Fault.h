#pragma once

#include <QString>

#include <QtGlobal>

namespace calc {

// Why a routine stopped. Routines stop at the first fault and leave everything they have not
// written yet as it was; the command handlers that must report one show "Error : " followed
// by description().
enum class FaultKind { NotANumber, Overflow, DivisionByZero, InvalidOperation };

class Fault {
public:
    explicit Fault(FaultKind kind) : kind_(kind) {}
    FaultKind kind() const { return kind_; }
    QString description() const;

private:
    FaultKind kind_;
};

// Checked arithmetic: an infinity or not-a-number result is a fault, never a stored value.
double checked(double value);
double divide(double dividend, double divisor);
// Narrows to single precision; a value beyond the float range is an overflow.
float toSingle(double value);
// Rounds to the nearest whole number (a tie goes to the even one) within -32768 to 32767.
qint16 toInt16(double value);

}  // namespace calc
