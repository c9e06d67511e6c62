#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

namespace tolvane {

// The interfaces that carry a default route, as the kernel's routing tables show them in
// /proc/net/route (IPv4) and /proc/net/ipv6_route (IPv6). Only routes that are up and not
// reject routes count; the header and lines that cannot be read are passed over.
QStringList ipv4DefaultRouteInterfaces(QStringView routeTable);
QStringList ipv6DefaultRouteInterfaces(QStringView routeTable);

// True when a default route of either family leads through one of the interfaces that are
// up (the caller leaves loopback out of that set).
bool hasDefaultRouteThroughUpInterface(QStringView ipv4RouteTable, QStringView ipv6RouteTable,
                                       const QSet<QString>& upInterfaces);

}  // namespace tolvane
