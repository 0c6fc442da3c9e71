#pragma once

// The symbology catalogue as an HTML page: one table per symbology with its facts and a
// picture of its sample (with the 2- and 5-digit add-ons where it takes them).

#include "barcode/Ean.h"

#include <string>

namespace etikor {

// Picture formats of the page by index.
enum THtmlPictureFormat : int { hpBmp = 0, hpWmf = 1, hpEmf = 2, hpJpg = 3, hpGif = 4 };

// Writes the page to `fileName` and the pictures beside it, creating the folder when missing.
// The pictures are drawn by a barcode object of their own in the engine's standard look; the
// barcode the export was started from is left as it is.
// GIF pictures cannot be written: the page refers to them all the same (the window says so,
// ExportHtmlPage in barcode/ui/SavePicture.h).
// True when the page was written.
bool ExportHtml(TCustomEAN& barcode, const std::string& fileName, int pictureFormat);

} // namespace etikor
