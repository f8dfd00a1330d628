// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace platform {

// Makes sure the process starts in a folder it can list, and returns it.
// That is the current folder, unless it is gone (deleted after the shell
// entered it) or its path is beyond the system's length limit: then the
// nearest ancestor of the path the shell gave (PWD) that can be entered,
// else the root. The process's current folder is moved there, so every
// list of the picker opens on it.
QString enterStartFolder();

} // namespace platform
