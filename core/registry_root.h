#pragma once

#include <QtGlobal>

namespace tolvane {

// The predefined roots a value can live under; every caller uses the machine root.
enum class RegistryRoot : quint32 { LocalMachine = 0x80000002 };

}  // namespace tolvane
