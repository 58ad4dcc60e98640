#include "base/qt/settings_store.h"

#include <QSettings>
#include <QString>
#include <QVariant>

#include "base/qt/qt_text.h"
#include "base/qt/user_settings.h"

namespace lumora {
namespace {

QString sectionKey(std::string_view key) {
  return toQString(kSettingsSection) + QLatin1Char('/') + toQString(key);
}

}  // namespace

std::optional<std::string> SettingsStore::readKey(std::string_view key) const {
  const QVariant stored = openUserSettings().value(sectionKey(key));
  if (!stored.isValid()) return std::nullopt;
  return stored.toString().toStdString();
}

std::string SettingsStore::readOr(Setting setting, std::string_view fallback) const {
  std::optional<std::string> stored = readKey(infoOf(setting).key);
  return stored ? *stored : std::string{fallback};
}

std::string SettingsStore::read(Setting setting) const { return readSetting(lookup(), setting); }

std::int32_t SettingsStore::readWhole(Setting setting) const {
  return readWholeSetting(lookup(), setting);
}

void SettingsStore::writeKey(std::string_view key, std::string_view text) {
  QSettings store = openUserSettings();
  store.setValue(sectionKey(key), toQString(text));
  store.sync();
}

void SettingsStore::restoreKey(std::string_view key, const std::optional<std::string>& text) {
  if (text) return writeKey(key, *text);
  QSettings store = openUserSettings();
  store.remove(sectionKey(key));
  store.sync();
}

void SettingsStore::write(Setting setting, std::string_view text) {
  writeKey(infoOf(setting).key, text);
}

void SettingsStore::write(Setting setting, std::int32_t number) {
  write(setting, std::to_string(number));
}

SettingLookup SettingsStore::lookup() const {
  return [](std::string_view key) { return SettingsStore{}.readKey(key); };
}

}  // namespace lumora
