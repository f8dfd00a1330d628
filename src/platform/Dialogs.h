#pragma once

#include <QString>

namespace platform {

enum class Buttons { Ok, YesNo };
enum class Icon { None, Stop, Exclamation };
enum class Answer { Ok, Yes, No };

// The program's caption for message boxes that name none of their own.
inline const QString ProgramTitle = QStringLiteral("Lumarin");

// Every modal question and notice of the program goes through here, so tests
// can read what was asked and answer it.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // Shows a modal message box and waits for it. With Yes/No, Yes is the
    // default button.
    virtual Answer message(const QString &text, const QString &caption,
                           Buttons buttons, Icon icon) = 0;
};

} // namespace platform
