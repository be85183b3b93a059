// The window over the example prefix shipped for users to try Pellam on, read
// as the program reads it.
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include <memory>

#include "Pellam/wine/wine_prefix_registry.hpp"
#include "tests/Pellam/pellam_window.hpp"
#include "tests/support/find_control.hpp"

class FrmPellamExamplePrefixTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { rt::qt::PrepareApplication(*qApp, pellam::PellamAppInfo()); }
  void init() {
    window_ = std::make_unique<testsupport::PellamWindow>(registry_);
    QVERIFY(window_->Start());
  }
  void cleanup() { window_.reset(); }

  void readsTheShippedPresetsAtOnce();
  void readsEachExampleValue_data();
  void readsEachExampleValue();

 private:
  rt::qt::QtForm& form() { return window_->form; }
  QString GetValue() {
    QTest::mouseClick(form().widgetOf(u"cmdGetValue"), Qt::LeftButton);
    return testsupport::TextOf(form().widgetOf(u"lblValue"));
  }

  pellam::wine::WinePrefixRegistry registry_{PELLAM_EXAMPLE_PREFIX};
  std::unique_ptr<testsupport::PellamWindow> window_;
};

// The window's presets name a value that the example holds.
void FrmPellamExamplePrefixTest::readsTheShippedPresetsAtOnce() {
  QCOMPARE(GetValue(), QStringLiteral("4.2.1"));
  QVERIFY(window_->messages.shown.empty());
}

void FrmPellamExamplePrefixTest::readsEachExampleValue_data() {
  QTest::addColumn<QString>("root");
  QTest::addColumn<QString>("key");
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("value");
  QTest::addColumn<QStringList>("messages");
  const QString hklm = QStringLiteral("HKEY_LOCAL_MACHINE");
  const QString oxbury = QStringLiteral("SOFTWARE\\Oxbury Options");
  QTest::newRow("string") << hklm << oxbury << "Version"
                          << "4.2.1" << QStringList();
  QTest::newRow("key and value names in another case") << hklm << "software\\OXBURY options"
                                                       << "version"
                                                       << "4.2.1" << QStringList();
  QTest::newRow("dword as regedit shows it") << hklm << oxbury << "Seats"
                                             << "0x0000002a (42)" << QStringList();
  QTest::newRow("qword") << hklm << oxbury << "InstalledOn"
                         << "0x01db526c5e8a4000 (133791239333625856)" << QStringList();
  QTest::newRow("expandable string, unexpanded")
      << hklm << oxbury << "InstallDir"
      << "%ProgramFiles%\\Oxbury Options" << QStringList();
  QTest::newRow("multi-string, spaced") << hklm << oxbury << "Modules"
                                        << "Ledger Payroll Reports" << QStringList();
  QTest::newRow("binary") << hklm << oxbury << "Signature"
                          << "4f 58 42 01 02 0a ff" << QStringList();
  QTest::newRow("non-ASCII string") << hklm << oxbury << "Owner"
                                    << QString::fromUtf8(
                                           "Caf\xc3\xa9 Oxbury \xe2\x80\x93 "
                                           "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82")
                                    << QStringList();
  QTest::newRow("subkey") << hklm << "SOFTWARE\\Oxbury Options\\Settings"
                          << "Theme"
                          << "Classic" << QStringList();
  QTest::newRow("default value of a class") << "HKEY_CLASSES_ROOT"
                                            << ".oxb"
                                            << ""
                                            << "Oxbury.Document" << QStringList();
  QTest::newRow("current user") << "HKEY_CURRENT_USER"
                                << "Software\\Oxbury Options"
                                << "LastUser"
                                << "Demo user" << QStringList();
  QTest::newRow("current config through the control set's link")
      << "HKEY_CURRENT_CONFIG"
      << "Software\\Fonts"
      << "LogPixels"
      << "0x00000060 (96)" << QStringList();
  QTest::newRow("users' default profile") << "HKEY_USERS"
                                          << ".Default\\Control Panel\\International"
                                          << "sCountry"
                                          << "United Kingdom" << QStringList();
  QTest::newRow("missing key") << hklm << "SOFTWARE\\Oxbury Optional"
                               << "Version"
                               << "" << QStringList{"Error opening key."};
  QTest::newRow("missing value") << hklm << oxbury << "Colour"
                                 << ""
                                 << QStringList{"Error getting subkey length.",
                                                "Error getting subkey value."};
  QTest::newRow("value of the parent key asked of the subkey")
      << hklm << "SOFTWARE\\Oxbury Options\\Settings"
      << "Version"
      << "" << QStringList{"Error getting subkey length.", "Error getting subkey value."};
}

void FrmPellamExamplePrefixTest::readsEachExampleValue() {
  QFETCH(QString, root);
  QFETCH(QString, key);
  QFETCH(QString, name);
  QFETCH(QString, value);
  QFETCH(QStringList, messages);
  auto* list = qobject_cast<QComboBox*>(form().widgetOf(u"cboHKey"));
  list->setCurrentIndex(list->findText(root));
  qobject_cast<QLineEdit*>(form().widgetOf(u"txtKey"))->setText(key);
  qobject_cast<QLineEdit*>(form().widgetOf(u"txtSubkey"))->setText(name);
  QCOMPARE(GetValue(), value);
  QStringList shown;
  for (const auto& message : window_->messages.shown) {
    QCOMPARE(message.caption, QStringLiteral("Pellam"));
    shown << message.text;
  }
  QCOMPARE(shown, messages);
}

QTEST_MAIN(FrmPellamExamplePrefixTest)
#include "frm_pellam_example_prefix_test.moc"
