#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <functional>
#include <ostream>
#include <stdexcept>

#include "OrdinaryUser.h"
#include "SettingsSandbox.h"
#include "SettingsWriteFailures.h"
#include "TOptionsForm.h"
#include "TQStorage.h"

namespace trevan {
namespace {

const QString TrevanKey = "Software\\Quillmoor Software\\Trevan";

class SettingsStoreTest : public ::testing::Test {
 protected:
  test::SettingsSandbox sandbox;
};

TEST_F(SettingsStoreTest, ReadingAMissingSettingGivesItsDefaultAndCreatesTheKey) {
  TQSetting metric;
  metric.Storage.SetKey(TrevanKey);
  metric.KeyName = "Metric";
  EXPECT_EQ(metric.GetValue(), "");
  EXPECT_FALSE(metric.Storage.IsOpen()) << "no key stays open between calls";
  EXPECT_TRUE(sandbox.Text().contains("[HKEY_CURRENT_USER\\Software\\Quillmoor Software\\Trevan]"))
      << sandbox.Text().toStdString();
  metric.SetValue("0");
  EXPECT_EQ(metric.GetValue(), "0");
}

struct LostWriteRow {
  const char* name;
  const char* store;  // under the sandbox
  const char* said;   // in the reason
  friend void PrintTo(const LostWriteRow& row, std::ostream* out) { *out << row.name; }
};

using test::Nobody;

// Permissions bind the superuser only when it gives up its rights: the
// folder goes to nobody and the step runs as nobody.
bool AsOrdinaryUser(const QString& folder, const std::function<bool()>& step) {
  if (::geteuid() != 0) return step();
  for (QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
       it.hasNext();)
    if (::chown(QFile::encodeName(it.next()).constData(), Nobody, Nobody) != 0) return false;
  if (::chown(QFile::encodeName(folder).constData(), Nobody, Nobody) != 0) return false;
  return test::AsOrdinaryUser(step);
}

class LostSettingsTest : public ::testing::TestWithParam<LostWriteRow> {};

TEST_P(LostSettingsTest, AreToldOnceASessionWithWhy) {
  const LostWriteRow& row = GetParam();
  test::SettingsSandbox sandbox;
  QFile plain(sandbox.Dir() + "/plain");
  ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
  plain.close();
  QDir(sandbox.Dir()).mkdir("locked");
  QFile store(sandbox.Dir() + "/readonly.conf");
  ASSERT_TRUE(store.open(QIODevice::WriteOnly));
  store.close();
  store.setPermissions(QFileDevice::ReadOwner);
  QFile::setPermissions(sandbox.Dir() + "/locked", QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  qputenv(SettingsFile::PathVariable, (sandbox.Dir() + "/" + row.store).toUtf8());

  QStringList told;
  const bool toldOnce = AsOrdinaryUser(sandbox.Dir(), [&] {
    SettingsWriteFailures session([&](const QString& why) { told << why; });
    for (const char* value : {"1", "0"}) {
      TQSetting metric;
      metric.Storage.SetKey(TrevanKey);
      metric.KeyName = "Metric";
      metric.SetValue(value);
    }
    return told.size() == 1 && told[0].contains(row.said);
  });
  EXPECT_TRUE(toldOnce) << told.join("|").toStdString();
  QFile::setPermissions(sandbox.Dir() + "/locked", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

INSTANTIATE_TEST_SUITE_P(
    Stores, LostSettingsTest,
    ::testing::Values(LostWriteRow{"UnderAFile", "plain/Trevan.conf", std::strerror(ENOTDIR)},
                      LostWriteRow{"InAReadOnlyFolder", "locked/Trevan.conf", "no lock file"},
                      LostWriteRow{"ReadOnlyStore", "readonly.conf", "readonly.conf"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsStoreTest, StringAndIntegerValuesStayApart) {
  TQStorage storage;
  storage.SetKey(TrevanKey + "\\MRU");
  storage.Open();
  storage.WriteString("Count", "3");
  storage.WriteInteger("Width", 42);
  EXPECT_EQ(storage.ReadInteger("Count", 7), 7) << "a string is not an integer";
  EXPECT_EQ(storage.ReadString("Width", "none"), "none");
  storage.Close();
  storage.Open();
  EXPECT_EQ(storage.ReadInteger("Width", 0), 42);
  EXPECT_EQ(storage.ReadString("Count", ""), "3");
  storage.Close();
  EXPECT_TRUE(sandbox.Text().contains("Width=dword:42"));
  EXPECT_TRUE(sandbox.Text().contains("Count=sz:3"));
}

TEST_F(SettingsStoreTest, TextsSurviveAnyCharacters) {
  TQStorage storage;
  storage.SetKey(TrevanKey);
  storage.Open();
  const QString awkward = "a=b\\c\nd\r [x] \u00e9";
  storage.WriteString("odd = name", awkward);
  storage.Close();
  storage.Open();
  EXPECT_EQ(storage.ReadString("odd = name", ""), awkward);
}

TEST_F(SettingsStoreTest, StorageErrorsHaveTheirMessages) {
  TQStorage storage;
  try {
    storage.Open();
    FAIL() << "a blank key opened";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Cannot open registry because TQStorage.Key is blank");
  }
  try {
    storage.ReadString("x", "");
    FAIL() << "a closed storage answered";
  } catch (const std::logic_error& e) {
    EXPECT_STREQ(e.what(), "QStorage not Open");
  }
  TQSetting blank;  // a setting without key gives its default and writes nothing
  blank.DefaultValue = "fallback";
  EXPECT_EQ(blank.GetValue(), "fallback");
  blank.SetValue("x");
  EXPECT_FALSE(QFile::exists(sandbox.Path()));
}

TEST_F(SettingsStoreTest, ChangingTheKeyOfAnOpenStorageReopensIt) {
  TQStorage storage;
  storage.SetKey(TrevanKey);
  storage.Open();
  storage.WriteString("A", "1");
  storage.SetKey(TrevanKey + "\\MRU");  // closes (writing A) and opens at the new key
  EXPECT_TRUE(storage.IsOpen());
  EXPECT_EQ(storage.ReadString("A", "missing"), "missing");
  storage.SetRegistryRootKey(qsrkCurrentUser);  // the same root: nothing happens
  EXPECT_TRUE(storage.IsOpen());
  storage.SetKey("");
  EXPECT_FALSE(storage.IsOpen());
  EXPECT_TRUE(sandbox.Text().contains("A=sz:1"));
}

TEST_F(SettingsStoreTest, TwoInstancesOnlyOverwriteEachOthersValues) {
  TQStorage first, second;
  first.SetKey(TrevanKey);
  second.SetKey(TrevanKey);
  first.Open();
  second.Open();
  first.WriteString("Forces Color", "1");
  second.WriteString("Moments Color", "2");
  first.WriteString("Metric", "1");
  second.WriteString("Metric", "0");
  first.Close();
  second.Close();  // the last writer wins on Metric, and keeps the first's colour
  TQStorage reader;
  reader.SetKey(TrevanKey);
  reader.Open();
  EXPECT_EQ(reader.ReadString("Forces Color", ""), "1");
  EXPECT_EQ(reader.ReadString("Moments Color", ""), "2");
  EXPECT_EQ(reader.ReadString("Metric", ""), "0");
}

TEST_F(SettingsStoreTest, ACorruptStoreGivesDefaultsAndIsKeptBesideTheNewOne) {
  {
    QFile f(sandbox.Path());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("this is not a settings file\n");
  }
  TQSetting metric;
  metric.Storage.SetKey(TrevanKey);
  metric.KeyName = "Metric";
  metric.DefaultValue = "1";
  EXPECT_EQ(metric.GetValue(), "1");
  metric.SetValue("0");
  EXPECT_EQ(metric.GetValue(), "0");
  const QStringList kept = QDir(sandbox.Dir()).entryList({"Trevan.conf.corrupt-*"});
  ASSERT_EQ(kept.size(), 1);
  QFile copy(QDir(sandbox.Dir()).filePath(kept[0]));
  ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
  EXPECT_EQ(copy.readAll(), "this is not a settings file\n");
}

// A store with one line that cannot be understood, placed where the row says.
struct DamagedLine {
  const char* line;
};
void PrintTo(const DamagedLine& row, std::ostream* out) { *out << '"' << row.line << '"'; }

class DamagedStoreTest : public SettingsStoreTest, public ::testing::WithParamInterface<DamagedLine> {
 protected:
  QString Damaged() const {
    return QString(
               "[HKEY_CURRENT_USER\\Software\\Quillmoor Software\\Trevan]\n"
               "Metric=sz:0\n"
               "Forces Color=sz:255\n"
               "%1\n"
               "[HKEY_CURRENT_USER\\Software\\Quillmoor Software\\Trevan\\MRU]\n"
               "Count=dword:1\n"
               "0=sz:/beams/a.tvn\n")
        .arg(GetParam().line);
  }
};

TEST_P(DamagedStoreTest, AMalformedLineIsAMissingValueAndEveryOtherLineStays) {
  {
    QFile f(sandbox.Path());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Damaged().toUtf8());
  }
  TQSetting metric;
  metric.Storage.SetKey(TrevanKey);
  metric.KeyName = "Metric";
  EXPECT_EQ(metric.GetValue(), "0");
  TQSetting moments;
  moments.Storage.SetKey(TrevanKey);
  moments.KeyName = "Moments Color";
  moments.DefaultValue = "0xFF00FF";
  EXPECT_EQ(moments.GetValue(), "0xFF00FF");
  moments.SetValue("7");  // rewrites the store

  TQStorage storage;
  storage.SetKey(TrevanKey);
  storage.Open();
  EXPECT_EQ(storage.ReadString("Metric", ""), "0");
  EXPECT_EQ(storage.ReadString("Forces Color", ""), "255");
  EXPECT_EQ(storage.ReadString("Moments Color", ""), "7");
  storage.SetKey(TrevanKey + "\\MRU");
  EXPECT_EQ(storage.ReadInteger("Count", -1), 1);
  EXPECT_EQ(storage.ReadString("0", ""), "/beams/a.tvn");
  storage.Close();

  const QStringList kept = QDir(sandbox.Dir()).entryList({"Trevan.conf.corrupt-*"});
  ASSERT_EQ(kept.size(), 1) << "the dropped line is kept in a copy";
  QFile copy(QDir(sandbox.Dir()).filePath(kept[0]));
  ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(copy.readAll()), Damaged());
}

INSTANTIATE_TEST_SUITE_P(Lines, DamagedStoreTest,
                         ::testing::Values(DamagedLine{"Count=dword:abc"}, DamagedLine{"Count=dword:"},
                                           DamagedLine{"Width=dword:99999999999"},
                                           DamagedLine{"no equals sign"}, DamagedLine{"Size=qword:1"},
                                           DamagedLine{"Name=sz:a\\q"}, DamagedLine{"[half a key"},
                                           DamagedLine{"[]"}));

TEST_F(SettingsStoreTest, AMalformedCountLeavesTheOtherValuesOfItsKey) {
  QFile f(sandbox.Path());
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("[HKEY_CURRENT_USER\\Software\\Quillmoor Software\\Trevan\\MRU]\nCount=dword:abc\n0=sz:/b.tvn\n");
  f.close();
  TQStorage storage;
  storage.SetKey(TrevanKey + "\\MRU");
  storage.Open();
  EXPECT_EQ(storage.ReadInteger("Count", 0), 0);
  EXPECT_EQ(storage.ReadString("0", ""), "/b.tvn");
}

TEST_F(SettingsStoreTest, EveryCorruptionKeepsItsOwnCopy) {
  QStringList corrupt;
  for (int i = 0; i < 3; ++i) {  // well within one second
    corrupt << QString("garbage %1\n").arg(i);
    {
      QFile f(sandbox.Path());
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(corrupt.back().toUtf8());
    }
    TQSetting metric;
    metric.Storage.SetKey(TrevanKey);
    metric.KeyName = "Metric";
    metric.SetValue(QString::number(i));
  }
  QStringList copies;
  for (const QString& name : QDir(sandbox.Dir()).entryList({"Trevan.conf.corrupt-*"})) {
    QFile copy(QDir(sandbox.Dir()).filePath(name));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    copies << QString::fromUtf8(copy.readAll());
  }
  copies.sort();
  EXPECT_EQ(copies, corrupt);
}

TEST_F(SettingsStoreTest, ColourTextsAcceptDecimalAndHexadecimal) {
  const Rgb blue{0xFF0000};
  EXPECT_EQ(TOptionsForm::ColourFromText("16711680", Rgb{1}), blue);
  EXPECT_EQ(TOptionsForm::ColourFromText("0xFF0000", Rgb{1}), blue);
  EXPECT_EQ(TOptionsForm::ColourFromText("purple", blue), blue);
  EXPECT_EQ(TOptionsForm::ColourFromText("", blue), blue);
}

}  // namespace
}  // namespace trevan
