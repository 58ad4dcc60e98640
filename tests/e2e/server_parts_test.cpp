// The server's command line and its application log.
#include <gtest/gtest.h>

#include <QDebug>
#include <QFile>
#include <QObject>

#include "app/server/server_options.h"
#include "app/server/writable_folder.h"
#include "temp_folder.h"

namespace lumora {

using Mode = ServerOptions::Mode;

// The mode, or nothing and a reason for a refused command line.
TEST(ServerOptions, ModesAndRefusals) {
  const std::pair<std::vector<std::string>, std::optional<Mode>> cases[] = {
      {{}, Mode::Tray}, {{"--headless", "--device", "/dev/ttyUSB1", "--speed", "9600", "--save-dir", "/t"}, Mode::Headless},
      {{"--probe-ports"}, Mode::ProbePorts}, {{"--headless", "--help"}, Mode::Help}, {{"--version"}, Mode::Version},
      {{"--probe-ports", "--headless"}, std::nullopt}, {{"--headless", "--speed", "0"}, std::nullopt},
      {{"--headless", "--speed", "96x"}, std::nullopt}, {{"--headless", "--device"}, std::nullopt},
      {{"--device", "/dev/ttyS0"}, std::nullopt},  // a link flag needs --headless
      {{"--headless", "--verbose"}, std::nullopt}};
  for (const auto& [args, mode] : cases) {
    const auto o = parseServerOptions(args);
    EXPECT_EQ(o ? std::optional(o->mode) : std::nullopt, mode) << ::testing::PrintToString(args);
    EXPECT_TRUE(o || !o.problem().text.empty());
  }
}

// Months in the tray: a platform that warns at every upload must not fill the disk. A full
// log starts afresh and keeps the newest messages; it stops with its owner.
TEST(ApplicationLog, StartsAfreshWhenFullAndKeepsTheNewest) {
  const testing::TempFolder temp;
  QString path;
  {
    QObject owner;
    path = startApplicationLogIn(QString::fromStdString(temp.path()), &owner);
    ASSERT_EQ(path, QString::fromStdString(temp.path()) + "/" + applicationLogName());
    const QString line(64 * 1024, QLatin1Char('w'));
    for (int i = 0; i < 70; ++i) qWarning().noquote() << line;  // more than the log keeps
    qWarning("the newest message");
  }
  qWarning("after the owner is gone");
  QFile log(path);
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  const QByteArray bytes = log.readAll();
  EXPECT_LT(bytes.size(), kLargestApplicationLog);
  EXPECT_TRUE(bytes.startsWith("Earlier messages were dropped: the log keeps at most 4 MiB.\n"));
  EXPECT_TRUE(bytes.endsWith("the newest message\n"));
}

}  // namespace lumora
