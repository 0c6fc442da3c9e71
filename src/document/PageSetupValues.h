#pragma once

// The ten page-setup values as the program shows, stores and checks them: one row each with
// the control's component name, its ranges, decimals, caption and hint, and where the value
// lives in the template's page-setup row and in the settings file. The windows build their
// controls from it, the template and the settings read and write through it, and printing
// refuses a value outside its template range.

#include "data/PageSetup.h"

#include <array>

namespace etikor {

struct TPageValueRange {
    double Min = 0;
    double Max = 0;
};

struct TPageValueInfo {
    TPageValue Value;
    const char* Name;       // component name of its control on the page and label tabs
    const char* DialogName; // the same in the settings dialog and the label wizard
    // What the page and label tabs take, and so what a template may print with.
    TPageValueRange Template;
    // What the settings dialog and the wizard take; the template's range applies when their
    // values reach a template.
    TPageValueRange Dialogs;
    int Decimals;        // 0: a whole number without a unit; otherwise millimetres
    const char* Caption; // beside the control (UTF-8)
    const char* Hint;    // the control's hint; it names the value in messages (UTF-8)
    const char* Field;   // its field in the template's page-setup row
    const char* IniKey;  // its key in the settings file's page section
};

// Every value, in TPageValue's order (the settings file's).
const std::array<TPageValueInfo, kPageValueCount>& PageSetupValues();
const TPageValueInfo& PageValueInfo(TPageValue value);

} // namespace etikor
