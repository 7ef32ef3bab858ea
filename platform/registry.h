#pragma once
// The program's few settings, kept under key paths as the registry keeps them, in one INI
// file: $XDG_CONFIG_HOME/Brelvonix/registry.ini. Each key path is one settings group; the
// backslashes of a key path separate its levels.

#include <QString>
#include <optional>

namespace platform {

// The one root the program uses; kept as a parameter so callers read as they are meant.
enum class TRegRoot { LocalMachine };

// The settings file in use. Defaults to registry.ini below $XDG_CONFIG_HOME/Brelvonix.
QString RegistryFile();
// Points the routines at another file (tests); an empty path returns to the default.
void SetRegistryFile(const QString& path);

// The string value Name under Key; empty when the key or the value does not exist.
QString ReadRegString(TRegRoot root, const QString& key, const QString& name);
// Stores Value as Name under Key, creating the key. An empty Value writes nothing, so no
// stored value can be cleared through this routine.
void WriteRegString(TRegRoot root, const QString& key, const QString& name, const QString& value);

// A 32-bit integer value: absent when the key or the value does not exist, and also when
// the stored text is not a whole decimal number in the 32-bit range (a value of another type).
std::optional<int32_t> ReadRegInteger(TRegRoot root, const QString& key, const QString& name);
void WriteRegInteger(TRegRoot root, const QString& key, const QString& name, int32_t value);

}  // namespace platform
