#pragma once

#include <QObject>
#include <QPluginLoader>

#include <memory>

namespace ui {

// The one object a plug-in of the program hands out, as the interface it declares: nothing
// when the plug-in cannot be loaded or offers another interface. The object is the caller's,
// so it goes before the program does; the library itself stays loaded.
template <typename Interface>
struct PluginObject {
    std::unique_ptr<QObject> object;
    Interface* interface = nullptr;

    explicit operator bool() const { return interface != nullptr; }
};

template <typename Interface>
PluginObject<Interface> pluginObject(QPluginLoader& loader) {
    PluginObject<Interface> plugin;
    plugin.object.reset(loader.instance());
    plugin.interface = qobject_cast<Interface*>(plugin.object.get());
    return plugin;
}

}  // namespace ui
