#pragma once

#include "site/site_settings.h"

#include <QtGlobal>

// The site's server lives in a module of its own, which the program loads when the site is
// first needed: the network libraries it brings are then not loaded at every start.
extern "C" {
// Starts the site on a thread of its own unless it runs; the port it listens on, or 0 when it
// could have none. The settings are copied.
Q_DECL_EXPORT quint16 tolvaneStartSite(const tolvane::SiteSettings* settings);
// Stops the site and ends its thread, before the application object goes.
Q_DECL_EXPORT void tolvaneStopSite();
}

namespace tolvane {

// The module's base name, "libtolvane_site.so" on disk.
inline constexpr char kSiteModuleName[] = "tolvane_site";
using StartSiteFunction = decltype(&tolvaneStartSite);
using StopSiteFunction = decltype(&tolvaneStopSite);

}  // namespace tolvane
