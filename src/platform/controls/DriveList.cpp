// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/DriveList.h"

#include <QComboBox>
#include <QDir>

#include "platform/system/Error.h"

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

DriveList::DriveList(const Volumes &volumes, const QString &startFolder, QWidget *container)
    : Control(new VolumeCombo([this] { fill(); }, container)), volumes_(volumes),
      combo_(static_cast<QComboBox *>(widget()))
{
    fill();
    if (const auto current = volumeHolding(shown_, startFolder))
        combo_->setCurrentIndex(int(shown_.indexOf(*current)));
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
    const QString current = combo_->currentText();
    const QList<Volume> volumes = volumes_.mounted();
    if (volumes == shown_)
        return;
    // Refilling is no change of drive: keep the choice and stay quiet.
    const QSignalBlocker quiet(combo_);
    shown_ = volumes;
    combo_->clear();
    for (const Volume &volume : shown_)
        combo_->addItem(driveText(volume));
    combo_->setCurrentIndex(combo_->findText(current));
}

} // namespace platform
