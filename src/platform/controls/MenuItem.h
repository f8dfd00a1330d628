// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>

class QAction;

namespace platform {

// A menu command. Its check mark changes only when the program sets it;
// choosing the item raises click() and nothing else.
class MenuItem : public QObject
{
    Q_OBJECT

public:
    explicit MenuItem(QAction *action);

    QString caption() const;
    bool isChecked() const { return checked_; }
    void setChecked(bool checked);

signals:
    void click();

private:
    QAction *action_;
    bool checked_ = false;
};

} // namespace platform
