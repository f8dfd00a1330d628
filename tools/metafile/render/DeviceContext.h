// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QPainterPath>
#include <QTransform>

#include <optional>
#include <vector>

#include "Objects.h"

namespace metafile {

// Everything SaveDC keeps, with the defaults a new device context has.
struct DcState
{
    int mapMode = gdi::MM_TEXT;
    QPointF windowOrg;
    QSizeF windowExt{1, 1};
    QPointF viewportOrg;
    QSizeF viewportExt{1, 1};
    QTransform world;

    QPointF position; // logical units
    Pen pen;          // BLACK_PEN
    Brush brush;      // WHITE_BRUSH
    Font font;
    QColor textColour = Qt::black;
    QColor bkColour = Qt::white;
    int bkMode = gdi::OPAQUE;
    unsigned textAlign = 0; // TA_TOP | TA_LEFT | TA_NOUPDATECP
    int polyFill = gdi::ALTERNATE;
    int rop2 = gdi::R2_COPYPEN;
    int charExtra = 0;
    bool clockwiseArcs = false;
    std::optional<QPainterPath> clip; // device units
};

// The state of the device a metafile is played on: mapping from logical to
// device units, the selected objects and modes, and the SaveDC stack.
class DeviceContext
{
public:
    static constexpr int MaxSavedStates = 4096;

    // `pixelsPerMm` is the reference device's resolution, for the metric
    // mapping modes.
    explicit DeviceContext(QSizeF pixelsPerMm);

    QSizeF pixelsPerMm() const { return pixelsPerMm_; }
    DcState &state() { return state_; }
    const DcState &state() const { return state_; }

    QTransform toDevice() const; // world, then page transform
    QPointF map(QPointF logical) const { return toDevice().map(logical); }
    double deviceScale() const;  // how long a logical unit is, on average
    bool arcsClockwise() const;  // in logical units, for the direction chosen

    void setMapMode(int mode);
    void setWindowOrg(QPointF org) { state_.windowOrg = org; }
    void setWindowExt(QSizeF ext);
    void setViewportOrg(QPointF org) { state_.viewportOrg = org; }
    void setViewportExt(QSizeF ext);
    void setWorld(const QTransform &world);
    void modifyWorld(const QTransform &by, int mode);

    // Combines the clip with an area in device units (RGN_AND .. RGN_COPY).
    void combineClip(const QPainterPath &device, int mode);
    void resetClip() { state_.clip.reset(); }
    void offsetClip(QPointF device);

    // Makes a pen, brush or font the current one; false for other objects.
    bool select(const GdiObject &object);

    void save();
    void restore(int which); // negative: relative to the top, positive: absolute

    // The path being recorded between BEGINPATH and ENDPATH, device units.
    std::optional<QPainterPath> recording;
    QPainterPath lastPath; // closed by ENDPATH, for FILLPATH and its kin

private:
    bool extentsApply() const;
    QTransform pageTransform() const;

    QSizeF pixelsPerMm_;
    DcState state_;
    std::vector<DcState> saved_;
};

} // namespace metafile
