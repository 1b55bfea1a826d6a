#pragma once

#include <QObject>
#include <QPluginLoader>

namespace ui {

// The one object of a plug-in, as the interface it declares: nothing when the plug-in cannot
// be loaded or offers another interface. Qt shares the object among all who load the plug-in
// and deletes it itself, so it is never the caller's.
template <typename Interface>
Interface* pluginInterface(QPluginLoader& loader) {
    return qobject_cast<Interface*>(loader.instance());
}

}  // namespace ui
