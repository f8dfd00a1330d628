// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/DirList.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QStyle>
#include <QStyledItemDelegate>

#include "platform/system/DisplayNames.h"
#include "platform/system/Error.h"
#include "platform/system/Paths.h"
#include "platform/system/TimeBox.h"

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

DirList::DirList(const Volumes &volumes, Workers &workers, const QString &filePatterns,
                 const QString &startFolder, QWidget *container)
    : Control(new QListWidget(container)), volumes_(volumes), patterns_(filePatterns),
      list_(static_cast<QListWidget *>(widget())), opening_(workers, this)
{
    list_->setItemDelegate(new IndentDelegate(list_));
    list_->setUniformItemSizes(true);
    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        emit openRequested(item->data(FolderRole).toString());
    });
    folder_ = QDir::cleanPath(startFolder);
    path_ = folder_;
    open(folder_, Purpose::Start);
}

void DirList::setPath(const QString &pathOrDrive)
{
    open(pathOrDrive, Purpose::Open);
}

void DirList::refresh()
{
    // A folder on its way is as fresh as a refresh would be.
    if (!listing_)
        open(folder_, Purpose::Refresh);
}

void DirList::open(const QString &pathOrDrive, Purpose purpose)
{
    const FolderRequest request{pathOrDrive, folder_, lastFolderOnVolume_, patterns_};
    auto work = [&volumes = volumes_, request](const std::atomic_bool &) {
        Opening opening;
        try {
            openFolder(volumes, request, opening.opened);
        } catch (...) {
            opening.failure = currentError();
        }
        return opening;
    };
    auto refused = [pathOrDrive] { return Opening{{}, errorOf(errc::PathNotFound, pathOrDrive)}; };
    waiting_ = true;
    opening_.start(work, [this, purpose](Opening opening) {
        if (waiting_)
            prompt_ = std::move(opening);
        else
            finish(std::move(opening), purpose, true);
    }, refused);
    const bool inTime = opening_.waitFor(ListingTimeBox);
    waiting_ = false;
    if (!inTime) {
        if (purpose == Purpose::Refresh)
            return;
        listing_ = true;
        list_->clear();
        emit listingStarted();
        return;
    }
    Opening opening = std::move(*prompt_);
    prompt_.reset();
    finish(std::move(opening), purpose, false);
}

void DirList::finish(Opening opening, Purpose purpose, bool late)
{
    // An opening that was still on its way ends here too when another one
    // came in time: that one was dropped.
    const bool wasListing = std::exchange(listing_, false);
    bool startAgain = false;
    if (!opening.failure) {
        apply(opening.opened, purpose);
    } else if (purpose == Purpose::Start) {
        // Shown even if it cannot be read.
        apply(OpenedFolder{folder_, {}, opening.opened.volumes}, purpose);
    } else if (wasListing) {
        // The list as it was; the start folder's first reading, dropped for
        // this one, is needed again.
        startAgain = !listed_;
        fill(folder_, mounted_);
    }
    if (startAgain)
        open(folder_, Purpose::Start); // ends the listing when it comes in time
    if (wasListing && !listing_)
        emit listingEnded();
    if (opening.failure && purpose == Purpose::Open) {
        if (late)
            emit failed(*opening.failure);
        else
            throw *opening.failure;
    }
}

void DirList::apply(const OpenedFolder &opened, Purpose purpose)
{
    // The first reading of the start folder is news to the file list too.
    const bool changed = opened.folder != folder_ || !listed_;
    listed_ = true;
    if (purpose == Purpose::Refresh)
        contents_.subfolders = opened.contents.subfolders;
    else
        contents_ = opened.contents;
    mounted_ = opened.volumes;
    fill(opened.folder, mounted_);
    if (changed && purpose != Purpose::Refresh)
        emit change();
}

void DirList::fill(const QString &folder, const QList<Volume> &volumes)
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
    for (const QString &name : contents_.subfolders) {
        auto *item = new QListWidgetItem(closed, displayPath(name), list_);
        item->setData(FolderRole, QDir::cleanPath(folder + QLatin1Char('/') + name));
        item->setData(LevelRole, level);
    }
}

} // namespace platform
