#pragma once
// Excel workbooks (.xlsx, as Excel, WPS and LibreOffice save them): the first sheet's
// rows. The zip container is read with minizip (zlib's own zip reader), the XML parts with
// QXmlStreamReader.
#include "data/stafflist.h"
#include "platform/text.h"

#include <string_view>

// The first sheet of the workbook in `bytes` (the file at `ansiPath`, named in errors):
// shared and inline strings are text cells; numbers, truth values, dates and formula
// results are cells that are not text, written as the sheet stores them (10023, not
// 10023.0). Throws EImportError when the bytes are no workbook.
Sheet SheetFromXlsxBytes(const Text& ansiPath, std::string_view bytes);
