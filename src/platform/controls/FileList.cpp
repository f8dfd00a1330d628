// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/FileList.h"

#include <QDir>
#include <QListView>

#include "platform/controls/FileListModel.h"
#include "platform/system/Error.h"

namespace platform {

FileList::FileList(const QString &startFolder, QWidget *container)
    : Control(new QListView(container)), path_(QDir::cleanPath(startFolder)),
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
}

void FileList::setPath(const QString &folder, QStringList names)
{
    held_.reset();
    path_ = folder;
    model_->setNames(std::move(names));
    selected_ = -1;
}

void FileList::hold()
{
    if (!held_)
        held_ = Held{model_->names(), selected_};
    model_->setNames({});
    selected_ = -1;
}

void FileList::release()
{
    if (!held_)
        return;
    const Held held = std::move(*held_);
    held_.reset();
    model_->setNames(held.names);
    // Back as it was, which is no new choice of the user's: no click.
    selected_ = held.selected;
    if (held.selected >= 0)
        select(held.selected);
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
    select(index);
}

void FileList::select(int index)
{
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
