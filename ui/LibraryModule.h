#pragma once

#include <QLibrary>

#include <memory>

namespace ui {

// Creates the object a library of the program hands out through its one entry point:
// nothing when the library cannot be loaded or lacks the entry point.
template <typename Interface>
std::unique_ptr<Interface> createFromLibrary(QLibrary& library, const char* entryPoint) {
    using Create = Interface* (*)();
    const auto create = reinterpret_cast<Create>(library.resolve(entryPoint));
    return std::unique_ptr<Interface>(create ? create() : nullptr);
}

}  // namespace ui
