// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include "platform/pictures/MetafileConverter.h"
#include "platform/pictures/Picture.h"

namespace platform {

// A standard WMF does not say how large it is; it is shown with one of its
// units per pixel at 96 DPI, as the converter lays it out.
inline constexpr double StandardWmfTwipsPerUnit = 15.0;

// Turns a metafile into a vector picture: the helper converts it to SVG,
// the header gives its size.
PicturePtr loadMetafile(const QByteArray &bytes, MetafileType type, const QString &helper,
                        const ConverterLimits &limits = {});

} // namespace platform
