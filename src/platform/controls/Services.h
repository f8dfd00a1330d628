// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

namespace platform {

class Dialogs;
class Launcher;
class PictureLoader;
class Registry;
class Volumes;
class Workers;

// The platform services a window works with. The application wires the real
// ones; tests hand in stand-ins where a real one cannot be driven.
struct Services
{
    Dialogs &dialogs;
    PictureLoader &pictures;
    Volumes &volumes;
    Registry &registry;
    Launcher &launcher;
    // The threads that read pictures and check files for the windows.
    Workers &workers;
    // Those that read folders and the mount table: apart, so a folder stuck
    // on a dead share never keeps a picture from loading.
    Workers &folderReaders;
};

} // namespace platform
