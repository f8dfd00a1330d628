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

// UTF-16 text of a Symbol font (codes 0x20..0xFF, or the same codes at
// U+F020..U+F0FF) as the characters the font shows.
QString symbolToUnicode(const QString &text);

} // namespace metafile
