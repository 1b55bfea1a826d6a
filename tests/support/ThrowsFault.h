#pragma once

#include <optional>

#include "calc/Fault.h"

// The kind of fault a call throws, or nothing when it returns normally.
template <typename Call>
std::optional<calc::FaultKind> faultOf(Call&& call) try {
    call();
    return std::nullopt;
} catch (const calc::Fault& fault) {
    return fault.kind();
}

#define QVERIFY_FAULT(expression) QVERIFY(faultOf([&] { expression; }).has_value())
