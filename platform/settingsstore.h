#pragma once

#include <QString>

/// The user's settings file: an ini file of sections and named values, every
/// value kept as text. Each call opens the file for itself.
class SettingsStore {
public:
    /// Reads a missing integer.
    static constexpr int MissingValue = -1;

    explicit SettingsStore(const QString &path);
    /// $XDG_CONFIG_HOME/hekira/settings.ini, by default ~/.config/hekira/settings.ini.
    static QString defaultPath();

    /// The value as a decimal integer; the default when it is missing, empty or
    /// not an integer. A value that is not plain text (a list) throws HekiraError
    /// "'%s' のデータ型が不正です".
    int readInteger(const QString &section, const QString &name, int fallback) const;
    /// The value's text; the default when it is missing.
    QString readText(const QString &section, const QString &name, const QString &fallback) const;
    /// Writes the value; a refused write throws HekiraError "'%s' の設定に失敗しました".
    void writeInteger(const QString &section, const QString &name, int value) const;
    void writeText(const QString &section, const QString &name, const QString &value) const;

private:
    QString m_path;
};
