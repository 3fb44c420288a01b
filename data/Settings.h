#pragma once
// The user's settings store: one section per key (regional settings, the data source, the
// drives), kept in an INI file under the user's configuration folder.

#include <QSettings>
#include <QString>
#include <memory>
#include <stdexcept>

namespace kov {

class SettingsError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class SettingsStore {
  public:
    SettingsStore();
    // A section "opens without creating it" only when it exists.
    bool hasSection(const QString& section) const;
    QString value(const QString& section, const QString& name) const;
    // Written through at once; throws SettingsError when the store cannot be written.
    void setValue(const QString& section, const QString& name, const QString& value);
    QString fileName() const;

  private:
    std::unique_ptr<QSettings> settings_;
};

// Fixed places of the installation, under the user's data folder.
QString configFolder();                            // $XDG_CONFIG_HOME/Kovaline
QString dataFolder();                              // $XDG_DATA_HOME/Kovaline
QString defaultDatabasePath();                     // Kodra.db in dataFolder()
QString installFile(const QString& name);          // BazaGoala.mdb, Salvari.mdb
QString floppyFolder(const SettingsStore& store);  // [Drives] A, default ~/Discheta
QString defaultEFacturaFolder();                   // e-Factura in dataFolder()

}  // namespace kov
