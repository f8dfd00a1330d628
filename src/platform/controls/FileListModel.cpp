// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/FileListModel.h"

#include "platform/system/DisplayNames.h"

namespace platform {

void FileListModel::setNames(QStringList names)
{
    beginResetModel();
    names_ = std::move(names);
    endResetModel();
}

int FileListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(names_.size());
}

QVariant FileListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= names_.size())
        return {};
    return displayPath(names_.at(index.row()));
}

} // namespace platform
