// SPDX-License-Identifier: GPL-2.0-or-later
#include "picker/frmFilePicker.h"

#include "main_window/Texts.h"
#include "picker/stepping_rules.h"
#include "platform/controls/Dialogs.h"
#include "platform/controls/FileList.h"

using namespace platform;

namespace {

// Keeps blnLoadOnClick false while a step moves the selection itself, so
// the selection event does not load the picture a second time; true again
// on every way out.
class LoadOnClickOff
{
public:
    explicit LoadOnClickOff(bool &flag) : flag_(flag) { flag_ = false; }
    ~LoadOnClickOff() { flag_ = true; }
    LoadOnClickOff(const LoadOnClickOff &) = delete;
    LoadOnClickOff &operator=(const LoadOnClickOff &) = delete;

private:
    bool &flag_;
};

} // namespace

QString frmFilePicker::NextFile()
{
    return stepTo(nextIndex);
}

QString frmFilePicker::PreviousFile()
{
    return stepTo(previousIndex);
}

QString frmFilePicker::SelectedFile()
{
    return fleFile->fileName();
}

QString frmFilePicker::FileAfterStep(int direction) const
{
    const int count = fleFile->listCount();
    if (count == 0)
        return {};
    const int selected = fleFile->listIndex();
    return fullPath(direction > 0 ? nextIndex(selected, count) : previousIndex(selected, count));
}

QString frmFilePicker::stepTo(int (*rule)(int selected, int count))
{
    LoadOnClickOff off(blnLoadOnClick);
    const int count = fleFile->listCount();
    if (count == 0) {
        services_.dialogs.message(QStringLiteral("В выбранной папке нет рисунков!"), texts::Title,
                                  Buttons::Ok, Icon::None);
        return {};
    }
    fleFile->setListIndex(rule(fleFile->listIndex(), count));
    return fullPath(fleFile->listIndex());
}
