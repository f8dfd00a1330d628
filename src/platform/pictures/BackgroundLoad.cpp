// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/BackgroundLoad.h"

namespace platform {

void BackgroundLoad::start(const QString &path, Work work, Arrived arrived, std::function<void()> alsoCancel)
{
    auto refusedRead = [path] { return LoadOutcome{{}, {}, errorOf(errc::PathFileAccess, path)}; };
    task_.start(std::move(work), std::move(arrived), refusedRead, std::move(alsoCancel));
}

} // namespace platform
