#include "site/site_addresses.h"

namespace tolvane {

QString siteHost(quint16 port) {
    return QStringLiteral("127.0.0.1:") + QString::number(port);
}

QString siteAddress(quint16 port, QStringView path) {
    return QStringLiteral("http://") + siteHost(port) + path.toString();
}

}  // namespace tolvane
