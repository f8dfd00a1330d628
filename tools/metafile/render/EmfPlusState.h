// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QPainterPath>
#include <QSizeF>
#include <QTransform>

#include <optional>
#include <vector>

namespace metafile::emfplus {

// The device the drawing was made for, as the EMF+ header tells it.
struct ReferenceDevice
{
    QSizeF dpi{96, 96}; // pixels per inch across and down
    bool video = true;  // a screen, whose display unit is a pixel
};

// What Save and BeginContainer keep.
struct GraphicsState
{
    QTransform world;
    int pageUnit = 1; // display
    double pageScale = 1;
    std::optional<QPainterPath> clip; // device units
};

// The graphics state of EMF+ playback: transforms from world units to the
// reference device's pixels, and the saved states.
class PlusState
{
public:
    // Saved states and containers deeper than this are not kept: real
    // drawings nest a few levels, and each keeps a clip.
    static constexpr size_t MaxSaved = 256;

    explicit PlusState(const ReferenceDevice &device);

    GraphicsState &current() { return state_; }
    const GraphicsState &current() const { return state_; }

    QTransform toDevice() const; // world, then page
    // Device pixels one `unit` covers, along x and y.
    QSizeF pixelsPer(int unit) const;
    // A length in `unit` (a pen's width, a font's em) in world units.
    double toWorld(double length, int unit) const;
    // How long a world unit is on the device, on average.
    double deviceScale() const;

    void setPage(int unit, double scale);
    // Multiplies the world transform; `append` applies it after the
    // current one instead of before.
    void transform(const QTransform &by, bool append);

    void save(quint32 index);
    // Back to the state saved under `index`, dropping those saved after it;
    // nothing for an index never saved.
    void restore(quint32 index);

private:
    ReferenceDevice device_;
    GraphicsState state_;
    std::vector<std::pair<quint32, GraphicsState>> saved_;
};

} // namespace metafile::emfplus
