#include "platform/FileList.h"

#include <QDir>
#include <QListView>

#include "platform/Error.h"
#include "platform/FileListModel.h"
#include "platform/FolderListing.h"

namespace platform {

FileList::FileList(const QString &pattern, QWidget *container)
    : Control(new QListView(container)), pattern_(pattern),
      view_(static_cast<QListView *>(widget())), model_(new FileListModel(view_))
{
    view_->setModel(model_);
    view_->setUniformItemSizes(true);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                // Focus arriving makes the first entry current without
                // selecting it; that is no choice of a file.
                if (current.isValid() && view_->selectionModel()->isSelected(current))
                    emit click();
            });
    try {
        read(QDir::cleanPath(QDir::currentPath()));
    } catch (const Error &) {
        path_ = QDir::cleanPath(QDir::currentPath());
    }
}

void FileList::setPath(const QString &folder)
{
    read(folder);
}

void FileList::refresh()
{
    read(path_);
}

void FileList::read(const QString &folder)
{
    QStringList names = listMatchingFiles(folder, pattern_);
    path_ = folder;
    model_->setNames(std::move(names));
}

int FileList::listCount() const
{
    return int(model_->names().size());
}

int FileList::listIndex() const
{
    const QModelIndex current = view_->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void FileList::setListIndex(int index)
{
    if (index < -1 || index >= listCount())
        raise(errc::InvalidPropertyValue);
    if (index == -1) {
        view_->setCurrentIndex({});
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
