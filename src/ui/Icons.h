#pragma once

// The program's own icons (SVG, resources/icons), drawn at the sizes buttons ask for.

#include <QIcon>

namespace etikor {

// The icon of that name ("print", "barcode", ...); a null icon for a name the set lacks.
QIcon ProgramIcon(const char* name);

} // namespace etikor
