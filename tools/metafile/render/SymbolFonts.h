// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace metafile {

// The fonts of the symbol character set whose codes have a reading in
// Unicode: the Symbol font's Greek letters and signs, the Wingdings and
// Webdings pictures, the equation editor's extra signs.
enum class SymbolFont { None, Symbol, Wingdings, Wingdings2, Wingdings3, Webdings, MtExtra };

SymbolFont symbolFontNamed(const QString &face);

// The characters a run's codes show in `font`, one per UTF-16 unit: codes
// 0x20 to 0xFF, or the same at U+F020 to U+F0FF as Unicode text of these
// fonts keeps them. 0 where Unicode has nothing like what a code shows;
// other codes stand for themselves.
QList<char32_t> symbolCharacters(SymbolFont font, const QString &codes);

} // namespace metafile
