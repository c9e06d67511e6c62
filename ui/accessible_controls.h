#pragma once

namespace tolvane {

// Makes the forms' own controls known to assistive technology: a link area as a link that can
// be followed, a simple combo as a combo box with its text as its value, a progress strip as a
// progress bar in percent. The controls call it themselves; only the first call does anything.
void installAccessibleControls();

}  // namespace tolvane
