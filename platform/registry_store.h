#pragma once

#include "core/registry_root.h"

#include <QString>

#include <optional>

namespace tolvane {

// Named string values under hierarchical, backslash-separated key paths. None of the
// operations reports a failure: a failed write leaves the store as it was.
class RegistryStore {
public:
    virtual ~RegistryStore() = default;

    // Writes the value, creating the key and every missing key above it.
    virtual void savestring(RegistryRoot root, const QString& path, const QString& name,
                            const QString& text) = 0;
    // The value's text up to its first NUL, or nothing when it is missing or not a string.
    virtual std::optional<QString> getstring(RegistryRoot root, const QString& path,
                                             const QString& name) = 0;
    // Removes the value; a missing value or key is silently ignored and nothing is created.
    virtual void DeleteValue(RegistryRoot root, const QString& path, const QString& name) = 0;
};

// Callers test a read only against the empty text: missing, unreadable and empty are alike.
inline bool isPresent(const std::optional<QString>& value) {
    return value && !value->isEmpty();
}

}  // namespace tolvane
