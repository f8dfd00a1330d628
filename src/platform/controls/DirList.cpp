// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/DirList.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QStyle>
#include <QStyledItemDelegate>

#include "platform/files/FolderListing.h"
#include "platform/system/DisplayNames.h"
#include "platform/system/Error.h"
#include "platform/system/Paths.h"

namespace platform {

namespace {

constexpr int FolderRole = Qt::UserRole;
constexpr int LevelRole = Qt::UserRole + 1;
constexpr int IndentPixels = 10;

// Indents each folder by its depth below the volume's root.
class IndentDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyleOptionViewItem indented = option;
        indented.rect.adjust(index.data(LevelRole).toInt() * IndentPixels, 0, 0, 0);
        QStyledItemDelegate::paint(painter, indented, index);
    }
};

QString pathOf(const QString &folder, const std::optional<Volume> &volume)
{
    if (volume && QDir::cleanPath(volume->mountPath) == folder && !folder.endsWith('/'))
        return folder + QLatin1Char('/');
    return folder;
}

} // namespace

DirList::DirList(const Volumes &volumes, const QString &startFolder, QWidget *container)
    : Control(new QListWidget(container)), volumes_(volumes),
      list_(static_cast<QListWidget *>(widget()))
{
    list_->setItemDelegate(new IndentDelegate(list_));
    list_->setUniformItemSizes(true);
    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        emit openRequested(item->data(FolderRole).toString());
    });
    // Shown even if it cannot be listed (an unreadable or deleted folder).
    const QString start = QDir::cleanPath(startFolder);
    QStringList subfolders;
    try {
        subfolders = listSubfolders(start);
    } catch (const Error &) {
    }
    fill(start, subfolders, volumes_.mounted());
}

QString DirList::folderFor(const QString &pathOrDrive, const QList<Volume> &volumes) const
{
    for (const Volume &volume : volumes) {
        if (driveText(volume) != pathOrDrive)
            continue;
        volumes_.ensureReady(volume);
        const QString last = lastFolderOnVolume_.value(volume.mountPath);
        if (!last.isEmpty() && isFolder(last))
            return last;
        return QDir::cleanPath(volume.mountPath);
    }
    // A drive text whose volume is no longer mounted names a device gone.
    const QString folder = pathOrDrive.startsWith(QLatin1Char('/'))
        ? QDir::cleanPath(pathOrDrive)
        : QDir::cleanPath(folder_ + QLatin1Char('/') + pathOrDrive);
    if (leadingPath(pathOrDrive) != pathOrDrive && !isFolder(folder))
        raise(errc::DeviceUnavailable, pathOrDrive);
    return folder;
}

void DirList::setPath(const QString &pathOrDrive)
{
    // The mount table is read once per call: a slow network mount makes
    // each reading cost.
    const QList<Volume> volumes = volumes_.mounted();
    const QString folder = folderFor(pathOrDrive, volumes);
    const QStringList subfolders = listSubfolders(folder);
    const bool changed = folder != folder_;
    fill(folder, subfolders, volumes);
    if (changed)
        emit change();
}

void DirList::refresh()
{
    fill(folder_, listSubfolders(folder_), volumes_.mounted());
}

void DirList::fill(const QString &folder, const QStringList &subfolders,
                   const QList<Volume> &volumes)
{
    const std::optional<Volume> volume = volumeHolding(volumes, folder);
    folder_ = folder;
    path_ = pathOf(folder, volume);
    if (volume)
        lastFolderOnVolume_.insert(volume->mountPath, folder);

    const QIcon open = QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QString root = volume ? QDir::cleanPath(volume->mountPath) : QStringLiteral("/");

    list_->clear();
    // The chain of folders from the volume's root down to the open one.
    QStringList chain{root};
    const QString below = folder.mid(root.size());
    for (const QString &part : below.split(QLatin1Char('/'), Qt::SkipEmptyParts))
        chain << QDir::cleanPath(chain.last() + QLatin1Char('/') + part);
    int level = 0;
    for (const QString &ancestor : chain) {
        const QString name = level == 0 ? root : fileNameOf(ancestor);
        auto *item = new QListWidgetItem(open, displayPath(name), list_);
        item->setData(FolderRole, ancestor);
        item->setData(LevelRole, level++);
    }
    list_->setCurrentRow(int(chain.size()) - 1);
    for (const QString &name : subfolders) {
        auto *item = new QListWidgetItem(closed, displayPath(name), list_);
        item->setData(FolderRole, QDir::cleanPath(folder + QLatin1Char('/') + name));
        item->setData(LevelRole, level);
    }
}

} // namespace platform
