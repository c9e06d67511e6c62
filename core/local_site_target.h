#pragma once

#include <QString>

namespace tolvane {

// Whether a target (an address as the program writes them, "http:\\host" included) is a page
// of the program's own site at its usual host.
bool namesLocalSite(const QString& target, const QString& usualHost);

// The target with the usual host of the program's own site replaced by the host it actually
// listens on, which differs when another program held the usual port.
QString retargetLocalSite(const QString& target, const QString& usualHost,
                          const QString& actualHost);

}  // namespace tolvane
