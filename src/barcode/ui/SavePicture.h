#pragma once

// The windows' side of the barcode's picture files: the save dialog and the messages go through
// the modal seam; the engine itself only writes to the path it is given.

#include "barcode/Ean.h"

#include <cstdint>
#include <string>

namespace etikor {

class IModal;

// What a picture save dialog offers: every format the engine writes, or one of them.
enum class TPictureDialog : uint8_t { pdAny, pdBitmap, pdWmf, pdEmf, pdGif };

// A picture of the barcode at `fileName`, its format by the extension; a .gif only says
// "Sorry, not supported.". True when a file was written.
bool SaveBarcodePicture(TCustomEAN& ean, const std::string& fileName, IModal& modal);

// Asks for the file with the format's filter (a name without an extension gets the format's
// default), then writes it: by its extension for `pdAny` and `pdBitmap`, as a metafile for
// `pdWmf`/`pdEmf`; a GIF is chosen but not supported. False when cancelled or not written.
bool AskAndSaveBarcodePicture(TCustomEAN& ean, TPictureDialog format, IModal& modal);

// The symbology catalogue page (ExportHtml), saying once that GIF pictures are not supported.
bool ExportHtmlPage(TCustomEAN& barcode, const std::string& fileName, int pictureFormat, IModal& modal);

} // namespace etikor
