// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>

namespace metafile {

// The code page a font's character set chooses for 8-bit text, as iconv
// names it; the Windows ANSI page for sets without one.
const char *codePageOf(int charset);

// 8-bit text of a font with `charset`, as Unicode. Symbol text keeps its
// codes: what they show depends on the font.
QString decodeText(QByteArrayView bytes, int charset);

} // namespace metafile
