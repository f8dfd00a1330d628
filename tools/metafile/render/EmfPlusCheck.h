// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArrayView>

namespace metafile {

// An EMF whose drawing is all in EMF+ records: its first comment is the
// EMF+ header and does not say the plain records draw the same ("dual").
bool isEmfPlusOnly(QByteArrayView bytes);

} // namespace metafile
