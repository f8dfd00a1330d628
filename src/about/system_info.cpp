// SPDX-License-Identifier: GPL-2.0-or-later
#include "about/frmAbout.h"

#include "platform/system/Launcher.h"
#include "platform/system/Paths.h"
#include <QFileInfo>
#include "main_window/Texts.h"

using namespace platform;

namespace {

// Where the system-information tool is registered: its full path, or the
// folder that holds it.
const QString SysInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString SysInfoValue = QStringLiteral("PATH");
const QString SysInfoLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString SysInfoLocationValue = QStringLiteral("MSINFO");
const QString SysInfoProgram = QStringLiteral("/MSINFO32.EXE");

constexpr unsigned BufferSize = 1024;

// Closes an opened key on every way out of the lookup.
class OpenKey
{
public:
    explicit OpenKey(Registry &registry) : registry_(registry) {}
    ~OpenKey() { registry_.closeKey(key); }
    OpenKey(const OpenKey &) = delete;
    OpenKey &operator=(const OpenKey &) = delete;

    Registry::Key key = 0;

private:
    Registry &registry_;
};

} // namespace

void frmAbout::StartSysInfo()
{
    try {
        if (const std::optional<QString> program = findSysInfo()) {
            launcher_.start(*program);
            return;
        }
    } catch (...) {
        // Every way this fails ends in the one message below.
    }
    dialogs_.message(QStringLiteral("System Information Is Unavailable At This Time"),
                     texts::Title, Buttons::Ok, Icon::None);
}

std::optional<QString> frmAbout::findSysInfo()
{
    Registry::Key root = Registry::HKeyLocalMachine;
    QString key = SysInfoKey;
    QString value = SysInfoValue;
    QString path;
    // The registered full path is taken as it is, without looking for it.
    if (GetKeyValue(root, key, value, path))
        return path;
    key = SysInfoLocationKey;
    value = SysInfoLocationValue;
    if (GetKeyValue(root, key, value, path) && pathKind(path + SysInfoProgram) == PathKind::File)
        return path + SysInfoProgram;
    return std::nullopt;
}

bool frmAbout::GetKeyValue(Registry::Key &KeyRoot, QString &KeyName, QString &SubKeyRef,
                           QString &KeyVal)
{
    OpenKey hKey(registry_);
    // Opened for reading only: these machine-wide keys refuse writing to
    // every user without administrator rights.
    if (registry_.openKey(KeyRoot, KeyName.toLocal8Bit(), 0, Registry::KeyRead, hKey.key)
        != Registry::Success) {
        KeyVal.clear();
        return false;
    }

    QByteArray buffer(BufferSize, '\0');
    unsigned type = 0;
    unsigned size = BufferSize;
    if (registry_.queryValue(hKey.key, SubKeyRef.toLocal8Bit(), type, buffer.data(), size)
        != Registry::Success) {
        KeyVal.clear();
        return false;
    }
    // Data of size 0 has no last character to look at: an error of the
    // lookup itself.
    if (size == 0)
        raise(errc::InvalidProcedureCall, QStringLiteral("пустое значение"));

    // Drop the terminating zero if the value was stored with one.
    const QByteArray kept = buffer.left(buffer.at(size - 1) == '\0' ? size - 1 : size);
    if (type == Registry::TypeString) {
        KeyVal = QString::fromLocal8Bit(kept);
    } else if (type == Registry::TypeDword) {
        QString digits;
        for (qsizetype i = kept.size() - 1; i >= 0; --i)
            digits += QString::number(uchar(kept.at(i)), 16).toUpper();
        KeyVal += digits;
        KeyVal = QStringLiteral("&h") + KeyVal;
    }
    return true;
}
