// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QAbstractListModel>
#include <QStringList>

namespace platform {

// The file names behind a file list: one model row per name, no widget item
// per file, so a folder of 100,000 pictures lists at once. The rows show
// each name as displayPath does; names() are the real ones.
class FileListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    void setNames(QStringList names);
    const QStringList &names() const { return names_; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    QStringList names_;
};

} // namespace platform
