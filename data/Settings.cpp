#include "data/Settings.h"

#include <QDir>

namespace kov {

namespace {

QString xdgFolder(const char* variable, const QString& fallback) {
    QString base = qEnvironmentVariable(variable);
    if (base.isEmpty()) {
        base = QDir::homePath() + u'/' + fallback;
    }
    return base + QStringLiteral("/Kovaline");
}

}  // namespace

QString configFolder() {
    return xdgFolder("XDG_CONFIG_HOME", QStringLiteral(".config"));
}
QString dataFolder() {
    return xdgFolder("XDG_DATA_HOME", QStringLiteral(".local/share"));
}
QString defaultDatabasePath() {
    return dataFolder() + QStringLiteral("/Kodra.db");
}
QString installFile(const QString& name) {
    return dataFolder() + u'/' + name;
}

QString defaultEFacturaFolder() {
    return dataFolder() + QStringLiteral("/e-Factura");
}

QString floppyFolder(const SettingsStore& store) {
    const QString configured = store.value(QStringLiteral("Drives"), QStringLiteral("A"));
    return configured.isEmpty() ? QDir::homePath() + QStringLiteral("/Discheta") : configured;
}

SettingsStore::SettingsStore()
    : settings_(std::make_unique<QSettings>(configFolder() + QStringLiteral("/registry.ini"),
                                            QSettings::IniFormat)) {}

bool SettingsStore::hasSection(const QString& section) const {
    return settings_->childGroups().contains(section);
}

QString SettingsStore::value(const QString& section, const QString& name) const {
    return settings_->value(section + u'/' + name).toString();
}

void SettingsStore::setValue(const QString& section, const QString& name, const QString& value) {
    settings_->setValue(section + u'/' + name, value);
    settings_->sync();
    if (settings_->status() != QSettings::NoError) {
        throw SettingsError("Ceva la registrii!");
    }
}

QString SettingsStore::fileName() const {
    return settings_->fileName();
}

}  // namespace kov
