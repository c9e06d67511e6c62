#include "core/kernel_routes.h"

#include <algorithm>
#include <optional>

namespace tolvane {
namespace {

// Route flags of the kernel's tables.
constexpr unsigned kRouteUp = 0x0001;
constexpr unsigned kRouteReject = 0x0200;

std::optional<unsigned> readHex(const QString& field) {
    bool ok = false;
    const unsigned value = field.toUInt(&ok, 16);
    return ok ? std::optional<unsigned>(value) : std::nullopt;
}

bool isUsableRoute(const QString& flagsField) {
    const auto flags = readHex(flagsField);
    return flags && (*flags & kRouteUp) != 0 && (*flags & kRouteReject) == 0;
}

// The tables' columns are separated by runs of blanks or tabs.
QList<QStringList> rowsOf(QStringView table) {
    QList<QStringList> rows;
    for (const QStringView line : table.split(u'\n'))
        rows.append(line.toString().simplified().split(u' ', Qt::SkipEmptyParts));
    return rows;
}

void addOnce(QStringList& interfaces, const QString& name) {
    if (!interfaces.contains(name))
        interfaces.append(name);
}

}  // namespace

QStringList ipv4DefaultRouteInterfaces(QStringView routeTable) {
    // Iface Destination Gateway Flags RefCnt Use Metric Mask MTU Window IRTT
    QStringList interfaces;
    for (const QStringList& row : rowsOf(routeTable)) {
        if (row.size() >= 8 && readHex(row.at(1)) == 0u && readHex(row.at(7)) == 0u &&
            isUsableRoute(row.at(3)))
            addOnce(interfaces, row.at(0));
    }
    return interfaces;
}

QStringList ipv6DefaultRouteInterfaces(QStringView routeTable) {
    // Destination PrefixLength Source SourcePrefixLength NextHop Metric RefCnt Use Flags Device
    static const QString anyAddress(32, u'0');
    QStringList interfaces;
    for (const QStringList& row : rowsOf(routeTable)) {
        if (row.size() >= 10 && row.at(0) == anyAddress && readHex(row.at(1)) == 0u &&
            isUsableRoute(row.at(8)))
            addOnce(interfaces, row.at(9));
    }
    return interfaces;
}

bool hasDefaultRouteThroughUpInterface(QStringView ipv4RouteTable, QStringView ipv6RouteTable,
                                       const QSet<QString>& upInterfaces) {
    const QStringList interfaces =
        ipv4DefaultRouteInterfaces(ipv4RouteTable) + ipv6DefaultRouteInterfaces(ipv6RouteTable);
    return std::any_of(interfaces.begin(), interfaces.end(),
                       [&](const QString& name) { return upInterfaces.contains(name); });
}

}  // namespace tolvane
