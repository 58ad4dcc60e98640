#include "setup/qt/auto_start.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

namespace lumora {

// The entry lives in the autostart folder of the user's config home and runs this program.
TEST(PlatformAutoStart, AddWritesAnEntryThatRunsTheProgramAndRemoveDeletesIt) {
  QTemporaryDir config;
  const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  std::unique_ptr<AutoStart> autoStart = platformAutoStart();
  autoStart->add();
  ASSERT_TRUE(autoStart->present());
  QFile file(config.path() + "/autostart/Lumora Corvane Trace Server.desktop");
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(file.readAll());
  EXPECT_TRUE(text.startsWith("[Desktop Entry]\n")) << text.toStdString();
  EXPECT_TRUE(text.contains("\nExec=\"" + QCoreApplication::applicationFilePath() + "\"\n")) << text.toStdString();
  autoStart->remove();
  EXPECT_FALSE(autoStart->present());
  saved.isEmpty() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", saved);
}

// A path with blanks, quotes, dollars or percents must still start this program.
TEST(DesktopExecQuoted, EscapesWhatTheDesktopEntryFormatReserves) {
  EXPECT_EQ(desktopExecQuoted("/opt/My Programs/lumora"), "\"/opt/My Programs/lumora\"");
  EXPECT_EQ(desktopExecQuoted("/opt/$x/a\"b"), "\"/opt/\\\\$x/a\\\\\"b\"");
  EXPECT_EQ(desktopExecQuoted("/opt/a\\b"), "\"/opt/a\\\\\\\\b\"");
  EXPECT_EQ(desktopExecQuoted("/opt/100%/lumora"), "\"/opt/100%%/lumora\"");
}

}  // namespace lumora
