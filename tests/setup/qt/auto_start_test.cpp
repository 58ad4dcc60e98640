#include "setup/qt/auto_start.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

namespace lumora {
namespace {

constexpr const char* kEntryName = "/autostart/Lumora Corvane Trace Server.desktop";

QString fileText(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

// The entry lives in the autostart folder of the user's config home and runs this program.
TEST(PlatformAutoStart, AddWritesAnEntryThatRunsTheProgramAndRemoveDeletesIt) {
  QTemporaryDir config;
  const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  std::unique_ptr<AutoStart> autoStart = PlatformAutoStart();
  autoStart->remove();  // a missing entry is no error
  autoStart->add();
  autoStart->add();
  ASSERT_TRUE(autoStart->present());
  const QString text = fileText(config.path() + kEntryName);
  EXPECT_TRUE(text.startsWith("[Desktop Entry]\n")) << text.toStdString();
  for (const QString& line : {QString("\nType=Application\n"), QString("\nName=Lumora Corvane Trace Server\n"),
                              "\nExec=\"" + QCoreApplication::applicationFilePath() + "\"\n"}) {
    EXPECT_TRUE(text.contains(line)) << text.toStdString();
  }
  autoStart->remove();
  EXPECT_FALSE(autoStart->present());
  if (saved.isEmpty()) {
    qunsetenv("XDG_CONFIG_HOME");
  } else {
    qputenv("XDG_CONFIG_HOME", saved);
  }
}

TEST(XdgAutoStart, AddIntoAFolderThatCannotBeMadeFailsSilently) {
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

}  // namespace
}  // namespace lumora
