#pragma once

#include <QString>
#include <QStringView>

namespace tolvane {

// The site Tolvane serves itself on the loopback interface, and its pages.
namespace site_paths {
inline constexpr QStringView kHome = u"/";
inline constexpr QStringView kSupport = u"/cp/support.html";
inline constexpr QStringView kContact = u"/cp/contact.html";
inline constexpr QStringView kConverter = u"/converter/classic";
inline constexpr QStringView kDictionary = u"/cgi-bin/trans.cgi";
}  // namespace site_paths

// Tried first; a free port is taken when another program holds it.
inline constexpr quint16 kDefaultSitePort = 52731;

// "127.0.0.1:52731", the host part of the site's addresses.
QString siteHost(quint16 port);
// "http://127.0.0.1:52731/cp/support.html".
QString siteAddress(quint16 port, QStringView path);

}  // namespace tolvane
