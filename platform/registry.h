#pragma once
// The program's few settings, kept under key paths as the registry keeps them, in one INI
// file: $XDG_CONFIG_HOME/Brelvonix/registry.ini. Each key path is one settings group; the
// backslashes of a key path separate its levels. The file is read like any other the user
// may have put there: only a regular file below kMaxRegistryFileBytes (platform/regularfile.h);
// one that is not is left unread and untouched, and the program keeps its defaults. It is
// written through the atomic save (platform/atomicfile.h), so a failed write keeps the old
// file and nothing but a regular file is ever replaced.

#include <QString>
#include <optional>

namespace platform {

// The one root the program uses; kept as a parameter so callers read as they are meant.
enum class TRegRoot { LocalMachine };

// The settings file in use. Defaults to registry.ini below $XDG_CONFIG_HOME/Brelvonix.
QString RegistryFile();
// Points the routines at another file (tests); an empty path returns to the default.
void SetRegistryFile(const QString& path);

// Far more than the few values the program keeps.
inline constexpr long long kMaxRegistryFileBytes = 1LL << 20;

// Why the settings file was left unread, for the user, in Chinese: the first time it is
// asked for after a read found the file unreadable, and empty at every other time, so the
// program says it once.
QString TakeRegistryNotice();

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
