// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/DriveList.h"

#include <QComboBox>
#include <QDir>

#include "platform/system/Error.h"
#include "platform/system/TimeBox.h"

namespace platform {

namespace {

// Re-reads the volumes each time the list opens, so a disc put in or a
// stick plugged in since shows up.
class VolumeCombo : public QComboBox
{
public:
    VolumeCombo(std::function<void()> refresh, QWidget *parent)
        : QComboBox(parent), refresh_(std::move(refresh))
    {
    }

    void showPopup() override
    {
        refresh_();
        QComboBox::showPopup();
    }

private:
    std::function<void()> refresh_;
};

} // namespace

DriveList::DriveList(const Volumes &volumes, Workers &workers, const QString &startFolder, QWidget *container)
    : Control(new VolumeCombo([this] { fill(); }, container)), volumes_(volumes), startFolder_(startFolder),
      combo_(static_cast<QComboBox *>(widget())), mountTable_(workers, this)
{
    fill();
    connect(combo_, &QComboBox::currentIndexChanged, this, &DriveList::change);
}

QString DriveList::drive() const
{
    return combo_->currentText();
}

void DriveList::setDrive(const QString &text)
{
    fill();
    const auto volume = volumeHolding(shown_, text);
    if (!volume)
        raise(errc::DeviceUnavailable, text);
    combo_->setCurrentIndex(int(shown_.indexOf(*volume)));
}

void DriveList::fill()
{
    mountTable_.start([&volumes = volumes_](const std::atomic_bool &) { return volumes.mounted(); },
                      [this](const QList<Volume> &volumes) { show(volumes); },
                      [shown = shown_] { return shown; });
    mountTable_.waitFor(ListingTimeBox);
}

void DriveList::show(const QList<Volume> &volumes)
{
    if (volumes == shown_)
        return;
    // Refilling is no change of drive: keep the choice and stay quiet.
    const QSignalBlocker quiet(combo_);
    const QString current = combo_->currentText();
    shown_ = volumes;
    combo_->clear();
    for (const Volume &volume : shown_)
        combo_->addItem(driveText(volume));
    int chosen = combo_->findText(current);
    // The first table read: the list opens on the start folder's volume.
    if (current.isEmpty()) {
        if (const auto start = volumeHolding(shown_, startFolder_))
            chosen = int(shown_.indexOf(*start));
    }
    combo_->setCurrentIndex(chosen);
}

} // namespace platform
