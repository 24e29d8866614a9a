#include "data/PasswordFileWarning.h"

#include "data/ConnectionStartup.h"
#include "database/ConnectionProfile.h"
#include "settings/SettingsReader.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

constexpr QFileDevice::Permissions OthersMayRead = QFileDevice::ReadGroup | QFileDevice::ReadOther;

// The mode as chmod writes it (0644), from Qt's permission flags.
QString octalMode(QFileDevice::Permissions permissions) {
    struct Bit {
        QFileDevice::Permission flag;
        int value;
    };
    constexpr Bit Bits[] = {
        {QFileDevice::ReadOwner, 0400}, {QFileDevice::WriteOwner, 0200},
        {QFileDevice::ExeOwner, 0100},  {QFileDevice::ReadGroup, 040},
        {QFileDevice::WriteGroup, 020}, {QFileDevice::ExeGroup, 010},
        {QFileDevice::ReadOther, 04},   {QFileDevice::WriteOther, 02},
        {QFileDevice::ExeOther, 01},
    };
    int mode = 0;
    for (const Bit& bit : Bits)
        if (permissions.testFlag(bit.flag))
            mode |= bit.value;
    constexpr int OctalDigits = 4;
    constexpr int Octal = 8;
    return u"%1"_s.arg(mode, OctalDigits, Octal, QChar(u'0'));
}

} // namespace

QString readablePasswordWarning(const QString& filePath) {
    const QFileInfo info(filePath);
    if (!info.isFile() || !(info.permissions() & OthersMayRead))
        return {};
    SettingsReader reader;
    reader.read(filePath);
    const QString password = reader.readValue(
        ConnectionProfile::section(), ConnectionProfile::keyName(ConnectionProfile::Key::Senha));
    if (password.isEmpty())
        return {};
    const QString shown = QDir::toNativeSeparators(info.absoluteFilePath());
    return u"O ficheiro %1 tem a senha da base de dados ([%2] %3) e outros utilizadores podem "
           u"lê-lo (modo %4). Corrija com: chmod 600 %1 (o ficheiro deve pertencer ao utilizador "
           u"que corre o quadro)."_s.arg(shown, ConnectionProfile::section(),
                                         ConnectionProfile::keyName(ConnectionProfile::Key::Senha),
                                         octalMode(info.permissions()));
}

QStringList readablePasswordWarnings(const ConnectionPlan& plan) {
    QStringList warnings;
    for (const QString& file : {plan.settingsFilePath, plan.catalogueFilePath})
        if (const QString warning = readablePasswordWarning(file); !warning.isEmpty())
            warnings << warning;
    return warnings;
}

} // namespace assi
