// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/FileList.h"

#include <QDir>
#include <QListView>

#include "platform/controls/FileListModel.h"
#include "platform/files/FolderListing.h"
#include "platform/system/Error.h"

namespace platform {

FileList::FileList(const QString &pattern, const QString &startFolder, QWidget *container)
    : Control(new QListView(container)), pattern_(pattern),
      view_(static_cast<QListView *>(widget())), model_(new FileListModel(view_))
{
    view_->setModel(model_);
    view_->setUniformItemSizes(true);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The selected entry, not Qt's current one, is the list's index: focus
    // arriving makes the first entry current without choosing it.
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] {
                const int selected = listIndex();
                if (selected != selected_) {
                    selected_ = selected;
                    if (selected >= 0)
                        emit click();
                }
            });
    try {
        read(QDir::cleanPath(startFolder));
    } catch (const Error &) {
        path_ = QDir::cleanPath(startFolder);
    }
}

void FileList::setPath(const QString &folder)
{
    read(folder);
}

void FileList::read(const QString &folder)
{
    QStringList names = listMatchingFiles(folder, pattern_);
    path_ = folder;
    model_->setNames(std::move(names));
    selected_ = -1;
}

int FileList::listCount() const
{
    return int(model_->names().size());
}

int FileList::listIndex() const
{
    const QModelIndexList rows = view_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.constFirst().row();
}

void FileList::setListIndex(int index)
{
    if (index < -1 || index >= listCount())
        raise(errc::InvalidPropertyValue);
    if (index == -1) {
        view_->selectionModel()->clear();
        return;
    }
    const QModelIndex target = model_->index(index);
    view_->setCurrentIndex(target);
    view_->scrollTo(target);
}

QString FileList::list(int index) const
{
    if (index < 0 || index >= listCount())
        raise(errc::InvalidPropertyValue);
    return model_->names().at(index);
}

QString FileList::fileName() const
{
    const int index = listIndex();
    return index < 0 ? QString() : model_->names().at(index);
}

} // namespace platform
