#include "settingsstore.h"

#include "hekiraerror.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace {

QString key(const QString &section, const QString &name)
{
    return section + u'/' + name;
}

} // namespace

SettingsStore::SettingsStore(const QString &path) : m_path(path)
{
}

QString SettingsStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/hekira/settings.ini");
}

int SettingsStore::readInteger(const QString &section, const QString &name, int fallback) const
{
    const QString text = readText(section, name, QString());
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : fallback;
}

QString SettingsStore::readText(const QString &section, const QString &name,
                                const QString &fallback) const
{
    const QSettings settings(m_path, QSettings::IniFormat);
    const QVariant value = settings.value(key(section, name));
    if (!value.isValid()) {
        return fallback;
    }
    if (value.typeId() != QMetaType::QString) {
        throw HekiraError(QStringLiteral("'%1' のデータ型が不正です").arg(name));
    }
    return value.toString();
}

void SettingsStore::writeInteger(const QString &section, const QString &name, int value) const
{
    writeText(section, name, QString::number(value));
}

void SettingsStore::writeText(const QString &section, const QString &name,
                              const QString &value) const
{
    QSettings settings(m_path, QSettings::IniFormat);
    const bool folder = QDir().mkpath(QFileInfo(m_path).absolutePath());
    if (folder && settings.isWritable()) {
        settings.setValue(key(section, name), value);
        settings.sync();
    }
    if (!folder || !settings.isWritable() || settings.status() != QSettings::NoError) {
        throw HekiraError(QStringLiteral("'%1' の設定に失敗しました").arg(name));
    }
}
