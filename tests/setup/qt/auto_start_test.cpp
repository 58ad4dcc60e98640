#include "setup/qt/auto_start.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

namespace lumora {
namespace {

QString fileText(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

TEST(XdgAutoStart, Add_WritesAnEntryNamedWithTheTitleThatRunsTheProgram) {
  QTemporaryDir config;
  XdgAutoStart autoStart(config.path() + "/autostart", "/opt/lumora/lumora-trace-server");
  autoStart.add();
  const QString entry = config.path() + "/autostart/Lumora Corvane Trace Server.desktop";
  ASSERT_TRUE(autoStart.present());
  EXPECT_EQ(autoStart.entryPath(), entry);
  const QString text = fileText(entry);
  EXPECT_TRUE(text.startsWith("[Desktop Entry]\n")) << text.toStdString();
  EXPECT_TRUE(text.contains("\nType=Application\n")) << text.toStdString();
  EXPECT_TRUE(text.contains("\nName=Lumora Corvane Trace Server\n")) << text.toStdString();
  EXPECT_TRUE(text.contains("\nExec=\"/opt/lumora/lumora-trace-server\"\n")) << text.toStdString();
}

TEST(XdgAutoStart, Remove_DeletesTheEntryAndAMissingEntryIsNoError) {
  QTemporaryDir config;
  XdgAutoStart autoStart(config.path(), "/opt/lumora/lumora-trace-server");
  autoStart.remove();
  EXPECT_FALSE(autoStart.present());
  autoStart.add();
  autoStart.add();
  ASSERT_TRUE(autoStart.present());
  autoStart.remove();
  EXPECT_FALSE(autoStart.present());
}

TEST(XdgAutoStart, Add_IntoAFolderThatCannotBeMadeFailsSilently) {
  QTemporaryDir config;
  QFile blocker(config.path() + "/autostart");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  XdgAutoStart autoStart(config.path() + "/autostart", "/opt/lumora/lumora-trace-server");
  autoStart.add();
  EXPECT_FALSE(autoStart.present());
}

TEST(DesktopExecQuoted, EscapesWhatTheDesktopEntryFormatReserves) {
  EXPECT_EQ(DesktopExecQuoted("/opt/My Programs/lumora"), "\"/opt/My Programs/lumora\"");
  EXPECT_EQ(DesktopExecQuoted("/opt/$x/a\"b"), "\"/opt/\\\\$x/a\\\\\"b\"");
  EXPECT_EQ(DesktopExecQuoted("/opt/a\\b"), "\"/opt/a\\\\\\\\b\"");
  EXPECT_EQ(DesktopExecQuoted("/opt/100%/lumora"), "\"/opt/100%%/lumora\"");
}

TEST(PlatformAutoStart, UsesTheAutostartFolderOfTheUserConfigHome) {
  QTemporaryDir config;
  const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  std::unique_ptr<AutoStart> autoStart = PlatformAutoStart();
  autoStart->add();
  const QString entry = config.path() + "/autostart/Lumora Corvane Trace Server.desktop";
  EXPECT_TRUE(QFile::exists(entry));
  EXPECT_TRUE(fileText(entry).contains("Exec=\"" + QCoreApplication::applicationFilePath() + "\""));
  autoStart->remove();
  EXPECT_FALSE(QFile::exists(entry));
  if (saved.isEmpty()) {
    qunsetenv("XDG_CONFIG_HOME");
  } else {
    qputenv("XDG_CONFIG_HOME", saved);
  }
}

}  // namespace
}  // namespace lumora
