#include "calc/Fault.h"

#include <cmath>
#include <limits>

namespace calc {

QString Fault::description() const {
    switch (kind_) {
        case FaultKind::NotANumber:
            return QStringLiteral("Type mismatch");
        case FaultKind::Overflow:
            return QStringLiteral("Overflow");
        case FaultKind::DivisionByZero:
            return QStringLiteral("Division by zero");
        case FaultKind::InvalidOperation:
            return QStringLiteral("Invalid procedure call or argument");
    }
    return {};
}

double checked(double value) {
    if (std::isnan(value)) throw Fault(FaultKind::InvalidOperation);
    if (std::isinf(value)) throw Fault(FaultKind::Overflow);
    return value;
}

double divide(double dividend, double divisor) {
    if (divisor == 0.0) throw Fault(FaultKind::DivisionByZero);
    return checked(dividend / divisor);
}

float toSingle(double value) {
    checked(value);
    const auto single = static_cast<float>(value);
    if (std::isinf(single)) throw Fault(FaultKind::Overflow);
    return single;
}

qint16 toInt16(double value) {
    checked(value);
    // nearbyint follows the current rounding mode, which is to-nearest-even by default.
    const double whole = std::nearbyint(value);
    if (whole < std::numeric_limits<qint16>::min() || whole > std::numeric_limits<qint16>::max())
        throw Fault(FaultKind::Overflow);
    return static_cast<qint16>(whole);
}

}  // namespace calc
