#include "setup/qt/probe_ports_command.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <sstream>

#include "pty_pair.h"
#include "base/qt/settings_store.h"
#include "temp_settings.h"

namespace lumora {
namespace {

TEST(RunProbePorts, PrintsTheSixteenEntriesAsTheDialogShowsThem) {
  testing::TempSettings temp;
  QTemporaryDir devices;
  testing::PtyPair free;
  SettingsStore store;
  for (int port = 1; port <= 16; ++port) {
    store.writeKey(deviceSettingKey(port),
                   devices.path().toStdString() + "/tty" + std::to_string(port));
  }
  store.writeKey(deviceSettingKey(4), free.slavePath());
  store.write(Setting::Port, 2);
  store.write(Setting::Speed, 9600);

  std::ostringstream out;
  EXPECT_EQ(RunProbePorts(out), 0);

  std::string expected =
      "COM: 1 (Not Available)\n"
      "COM: 2\t 9600 8,n,1 (Currently in Use)\n"
      "COM: 3 (Not Available)\n"
      "COM: 4  (Available)\n";
  for (int port = 5; port <= 16; ++port) {
    expected += "COM: " + std::to_string(port) + " (Not Available)\n";
  }
  EXPECT_EQ(out.str(), expected);
}

}  // namespace
}  // namespace lumora
