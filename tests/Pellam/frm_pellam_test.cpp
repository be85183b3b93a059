#include "Pellam/frm_pellam.hpp"

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include <memory>
#include <string>
#include <vector>

#include "Pellam/registry_constants.hpp"
#include "tests/Pellam/pellam_window.hpp"
#include "tests/support/accessible_name.hpp"
#include "tests/support/find_control.hpp"
#include "tests/support/recording_registry.hpp"

namespace {

using testsupport::Find;
using testsupport::PellamWindow;
using testsupport::RecordingRegistry;
using testsupport::TextOf;

const QString kKey = QStringLiteral("SOFTWARE\\Oxbury Options");

// What the log shows for the open of the preset key under a root.
std::string OpenOfThePresetKey(std::uint32_t root) {
  return "open " + testsupport::LoggedHandle(pellam::PredefinedKey(root)) +
         " 'SOFTWARE\\Oxbury Options' 0 1";
}

}  // namespace

class FrmPellamTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { rt::qt::PrepareApplication(*qApp, pellam::PellamAppInfo()); }
  void init() {
    registry_ = std::make_unique<RecordingRegistry>();
    window_ = std::make_unique<PellamWindow>(*registry_);
    QVERIFY(window_->Start());
  }
  void cleanup() {
    window_.reset();
    registry_.reset();
  }

  void windowHasItsCaptionSizeAndBackground();
  void placesEveryControl_data();
  void placesEveryControl();
  void showsItsTextsAfterLoad_data();
  void showsItsTextsAfterLoad();
  void listsTheRootsInOrderWithLocalMachineSelected();
  void listCannotBeTypedInto();
  void onlyTheValueLabelHasABorder_data();
  void onlyTheValueLabelHasABorder();
  void keepsTheStandardColoursOnThePinkWindow_data();
  void keepsTheStandardColoursOnThePinkWindow();
  void usesTheDefaultFont_data();
  void usesTheDefaultFont();
  void startsWithTheFocusInTheRootList();
  void movesTheFocusInTheDesignedOrder_data();
  void movesTheFocusInTheDesignedOrder();
  void enterInATextBoxReadsNothing_data();
  void enterInATextBoxReadsNothing();
  void namesEveryControlForScreenReaders_data();
  void namesEveryControlForScreenReaders();
  void centresItselfOnTheScreen();
  void eachRootPassesItsHandle_data();
  void eachRootPassesItsHandle();
  void readsTheTypedKeyAndValueName();
  void successfulReadReplacesThePreviousCaption();
  void missingKeyShowsOneMessageThenClearsTheValue();
  void missingValueShowsTwoMessagesThenClearsTheValue();
  void nameOutsideTheTableChangesNothing_data();
  void nameOutsideTheTableChangesNothing();

 private:
  rt::qt::QtForm& form() { return window_->form; }
  QComboBox* list() { return qobject_cast<QComboBox*>(form().widgetOf(u"cboHKey")); }
  QString value() { return TextOf(form().widgetOf(u"lblValue")); }
  void GetValue() { QTest::mouseClick(form().widgetOf(u"cmdGetValue"), Qt::LeftButton); }
  // A first read that leaves "previous" in lblValue and nothing in the log.
  void ShowPrevious() {
    registry_->data = std::string("previous\0", 9);
    GetValue();
    QCOMPARE(value(), QStringLiteral("previous"));
    registry_->log.clear();
  }

  std::unique_ptr<RecordingRegistry> registry_;
  std::unique_ptr<PellamWindow> window_;
};

void FrmPellamTest::windowHasItsCaptionSizeAndBackground() {
  QCOMPARE(form().windowTitle(), QStringLiteral("Pellam"));
  QCOMPARE(form().size(), QSize(488, 143));
  QCOMPARE(form().palette().color(QPalette::Window), QColor(255, 192, 192));
  QVERIFY(form().autoFillBackground());
}

// Twips / 15, to the nearest pixel.
void FrmPellamTest::placesEveryControl_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<QRect>("geometry");
  QTest::newRow("Label1(0) Root") << "Label1(0)" << QRect(8, 8, 33, 17);
  QTest::newRow("cboHKey") << "cboHKey" << QRect(48, 8, 193, 21);
  QTest::newRow("Label1(1) Key") << "Label1(1)" << QRect(8, 40, 33, 17);
  QTest::newRow("txtKey") << "txtKey" << QRect(48, 40, 433, 19);
  QTest::newRow("Label1(3) Subkey, the wider one") << "Label1(3)" << QRect(8, 64, 41, 17);
  QTest::newRow("txtSubkey") << "txtSubkey" << QRect(48, 64, 433, 19);
  QTest::newRow("cmdGetValue") << "cmdGetValue" << QRect(200, 88, 73, 25);
  QTest::newRow("Label1(2) Value") << "Label1(2)" << QRect(8, 120, 33, 17);
  QTest::newRow("lblValue") << "lblValue" << QRect(48, 120, 433, 17);
}

void FrmPellamTest::placesEveryControl() {
  QFETCH(QString, control);
  QFETCH(QRect, geometry);
  QWidget* widget = Find(form(), control);
  QVERIFY(widget != nullptr);
  QCOMPARE(widget->geometry(), geometry);
}

void FrmPellamTest::showsItsTextsAfterLoad_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<QString>("text");
  QTest::newRow("Label1(0)") << "Label1(0)"
                             << "Root";
  QTest::newRow("Label1(1)") << "Label1(1)"
                             << "Key";
  QTest::newRow("Label1(2)") << "Label1(2)"
                             << "Value";
  QTest::newRow("Label1(3) names the value box") << "Label1(3)"
                                                 << "Subkey";
  QTest::newRow("txtKey with one backslash") << "txtKey" << kKey;
  QTest::newRow("txtSubkey") << "txtSubkey"
                             << "Version";
  QTest::newRow("cmdGetValue") << "cmdGetValue"
                               << "Get Value";
  QTest::newRow("lblValue empty") << "lblValue"
                                  << "";
}

void FrmPellamTest::showsItsTextsAfterLoad() {
  QFETCH(QString, control);
  QFETCH(QString, text);
  QCOMPARE(TextOf(Find(form(), control)), text);
  QVERIFY(registry_->log.empty());
}

void FrmPellamTest::listsTheRootsInOrderWithLocalMachineSelected() {
  QStringList entries;
  for (int index = 0; index < list()->count(); ++index) {
    entries << list()->itemText(index);
  }
  QCOMPARE(entries, (QStringList{"HKEY_CLASSES_ROOT", "HKEY_CURRENT_CONFIG", "HKEY_CURRENT_USER",
                                 "HKEY_LOCAL_MACHINE", "HKEY_USERS"}));
  QCOMPARE(list()->currentIndex(), 3);
  QCOMPARE(list()->currentText(), QStringLiteral("HKEY_LOCAL_MACHINE"));
}

void FrmPellamTest::listCannotBeTypedInto() {
  QVERIFY(!list()->isEditable());
  QVERIFY(list()->lineEdit() == nullptr);
  QTest::keyClicks(list(), "xyz");
  QCOMPARE(list()->currentText(), QStringLiteral("HKEY_LOCAL_MACHINE"));
  QCOMPARE(list()->count(), 5);
}

void FrmPellamTest::onlyTheValueLabelHasABorder_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<int>("shape");
  QTest::newRow("lblValue single line") << "lblValue" << static_cast<int>(QFrame::Box);
  for (const char* label : {"Label1(0)", "Label1(1)", "Label1(2)", "Label1(3)"}) {
    QTest::newRow(label) << label << static_cast<int>(QFrame::NoFrame);
  }
}

void FrmPellamTest::onlyTheValueLabelHasABorder() {
  QFETCH(QString, control);
  QFETCH(int, shape);
  auto* label = qobject_cast<QLabel*>(Find(form(), control));
  QVERIFY(label != nullptr);
  QCOMPARE(static_cast<int>(label->frameShape()), shape);
  if (shape != QFrame::NoFrame) {
    QCOMPARE(label->frameShadow(), QFrame::Plain);
    QCOMPARE(label->lineWidth(), 1);
  }
}

void FrmPellamTest::keepsTheStandardColoursOnThePinkWindow_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<int>("role");
  QTest::addColumn<QColor>("colour");
  const QPalette standard = QApplication::palette();
  const QColor grey = standard.color(QPalette::Button);
  for (const char* label : {"Label1(0)", "Label1(1)", "Label1(2)", "Label1(3)", "lblValue"}) {
    QTest::newRow(qPrintable(QStringLiteral("%1 back grey").arg(label)))
        << label << static_cast<int>(QPalette::Window) << grey;
    QTest::newRow(qPrintable(QStringLiteral("%1 text").arg(label)))
        << label << static_cast<int>(QPalette::WindowText) << standard.color(QPalette::WindowText);
  }
  QTest::newRow("cboHKey") << "cboHKey" << static_cast<int>(QPalette::Base)
                           << standard.color(QPalette::Base);
  QTest::newRow("txtKey") << "txtKey" << static_cast<int>(QPalette::Base)
                          << standard.color(QPalette::Base);
  QTest::newRow("txtSubkey") << "txtSubkey" << static_cast<int>(QPalette::Base)
                             << standard.color(QPalette::Base);
  QTest::newRow("cmdGetValue face") << "cmdGetValue" << static_cast<int>(QPalette::Button) << grey;
}

void FrmPellamTest::keepsTheStandardColoursOnThePinkWindow() {
  QFETCH(QString, control);
  QFETCH(int, role);
  QFETCH(QColor, colour);
  QWidget* widget = Find(form(), control);
  QCOMPARE(widget->palette().color(static_cast<QPalette::ColorRole>(role)), colour);
  if (qobject_cast<QLabel*>(widget) != nullptr) {
    // Otherwise the window's pink would show through.
    QVERIFY(widget->autoFillBackground());
  }
}

void FrmPellamTest::usesTheDefaultFont_data() {
  QTest::addColumn<QString>("control");
  for (const char* control : {"Label1(0)", "cboHKey", "Label1(1)", "txtKey", "Label1(3)",
                              "txtSubkey", "cmdGetValue", "Label1(2)", "lblValue"}) {
    QTest::newRow(control) << control;
  }
}

void FrmPellamTest::usesTheDefaultFont() {
  QFETCH(QString, control);
  QFont font = Find(form(), control)->font();
  QCOMPARE(font.pointSizeF(), 8.25);
  QVERIFY(!font.bold());
  QCOMPARE(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
}

void FrmPellamTest::startsWithTheFocusInTheRootList() {
  QCOMPARE(QApplication::focusWidget(), list());
}

void FrmPellamTest::movesTheFocusInTheDesignedOrder_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<QStringList>("visited");
  QTest::newRow("Tab") << static_cast<int>(Qt::Key_Tab)
                       << QStringList{"cmdGetValue", "txtKey", "txtSubkey", "cboHKey"};
  QTest::newRow("Shift+Tab") << static_cast<int>(Qt::Key_Backtab)
                             << QStringList{"txtSubkey", "txtKey", "cmdGetValue", "cboHKey"};
}

void FrmPellamTest::movesTheFocusInTheDesignedOrder() {
  QFETCH(int, key);
  QFETCH(QStringList, visited);
  for (const QString& control : visited) {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
    QCOMPARE(QApplication::focusWidget(), Find(form(), control));
  }
}

void FrmPellamTest::enterInATextBoxReadsNothing_data() {
  QTest::addColumn<QString>("box");
  QTest::addColumn<int>("key");
  QTest::newRow("Return in txtKey") << "txtKey" << static_cast<int>(Qt::Key_Return);
  QTest::newRow("keypad Enter in txtKey") << "txtKey" << static_cast<int>(Qt::Key_Enter);
  QTest::newRow("Return in txtSubkey") << "txtSubkey" << static_cast<int>(Qt::Key_Return);
  QTest::newRow("keypad Enter in txtSubkey") << "txtSubkey" << static_cast<int>(Qt::Key_Enter);
}

void FrmPellamTest::enterInATextBoxReadsNothing() {
  QFETCH(QString, box);
  QFETCH(int, key);
  auto* button = qobject_cast<QPushButton*>(form().widgetOf(u"cmdGetValue"));
  QVERIFY(!button->isDefault());
  QVERIFY(!button->autoDefault());
  QWidget* widget = Find(form(), box);
  QTest::mouseClick(widget, Qt::LeftButton);
  QCOMPARE(QApplication::focusWidget(), widget);
  QTest::keyClick(widget, static_cast<Qt::Key>(key));
  QVERIFY(registry_->log.empty());
  QVERIFY(window_->messages.shown.empty());
  QCOMPARE(value(), QString());
}

// On Linux a drop-down list's own name is its selected entry, so the list is
// named by the label that labels it.
void FrmPellamTest::namesEveryControlForScreenReaders_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<QString>("spoken");
  QTest::addColumn<QStringList>("labels");
  QTest::newRow("Label1(0)") << "Label1(0)"
                             << "Root" << QStringList();
  QTest::newRow("cboHKey by its label") << "cboHKey"
                                        << "HKEY_LOCAL_MACHINE" << QStringList{"Root"};
  QTest::newRow("Label1(1)") << "Label1(1)"
                             << "Key" << QStringList();
  QTest::newRow("txtKey") << "txtKey"
                          << "Key" << QStringList{"Key"};
  QTest::newRow("Label1(3)") << "Label1(3)"
                             << "Subkey" << QStringList();
  QTest::newRow("txtSubkey") << "txtSubkey"
                             << "Subkey" << QStringList{"Subkey"};
  QTest::newRow("cmdGetValue") << "cmdGetValue"
                               << "Get Value" << QStringList();
  QTest::newRow("Label1(2)") << "Label1(2)"
                             << "Value" << QStringList();
  QTest::newRow("lblValue, while empty by its label") << "lblValue"
                                                      << "Value" << QStringList{"Value"};
}

void FrmPellamTest::namesEveryControlForScreenReaders() {
  QFETCH(QString, control);
  QFETCH(QString, spoken);
  QFETCH(QStringList, labels);
  QCOMPARE(testsupport::AccessibleName(Find(form(), control)), spoken);
  QCOMPARE(testsupport::AccessibleLabels(Find(form(), control)), labels);
}

// On the default 800 x 800 screen: 12000 \ 2 - 7320 \ 2 = 2340 twips, 156
// pixels, from the left; 12000 \ 2 - 2145 \ 2 = 4928 twips, 328.5 pixels,
// from the top.
void FrmPellamTest::centresItselfOnTheScreen() {
  QCOMPARE(QGuiApplication::primaryScreen()->geometry().size(), QSize(800, 800));
  QCOMPARE(form().frameGeometry().topLeft(), QPoint(156, 329));
}

void FrmPellamTest::eachRootPassesItsHandle_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<std::uint32_t>("handle");
  QTest::newRow("HKEY_CLASSES_ROOT is 0x80000000") << "HKEY_CLASSES_ROOT" << 0x80000000U;
  QTest::newRow("HKEY_CURRENT_CONFIG is 0x80000005, not 0x80000004")
      << "HKEY_CURRENT_CONFIG" << 0x80000005U;
  QTest::newRow("HKEY_CURRENT_USER is 0x80000001") << "HKEY_CURRENT_USER" << 0x80000001U;
  QTest::newRow("HKEY_LOCAL_MACHINE is 0x80000002") << "HKEY_LOCAL_MACHINE" << 0x80000002U;
  QTest::newRow("HKEY_USERS is 0x80000003") << "HKEY_USERS" << 0x80000003U;
}

// Picked from the list as a person would: by the keyboard, from the top.
void FrmPellamTest::eachRootPassesItsHandle() {
  QFETCH(QString, name);
  QFETCH(std::uint32_t, handle);
  QTest::keyClick(list(), Qt::Key_Home);
  while (list()->currentText() != name && list()->currentIndex() < list()->count() - 1) {
    QTest::keyClick(list(), Qt::Key_Down);
  }
  QCOMPARE(list()->currentText(), name);
  GetValue();
  QVERIFY(!registry_->log.empty());
  QCOMPARE(registry_->log.front(), OpenOfThePresetKey(handle));
  QCOMPARE(value(), QStringLiteral("abc"));
}

void FrmPellamTest::readsTheTypedKeyAndValueName() {
  for (const auto& [box, typed] :
       {std::pair{u"txtKey", "Software\\Typed\\Sub"}, std::pair{u"txtSubkey", "Name"}}) {
    QTest::mouseClick(form().widgetOf(box), Qt::LeftButton);
    QTest::keyClick(form().widgetOf(box), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(form().widgetOf(box), typed);
  }
  GetValue();
  const std::string hklm = testsupport::LoggedHandle(pellam::reg::kLocalMachine);
  QCOMPARE(registry_->log,
           (std::vector<std::string>{"open " + hklm + " 'Software\\Typed\\Sub' 0 1",
                                     "size 68 'Name' 0", "data 68 'Name' 4", "close 68"}));
  QCOMPARE(value(), QStringLiteral("abc"));
  QVERIFY(window_->messages.shown.empty());
}

void FrmPellamTest::successfulReadReplacesThePreviousCaption() {
  ShowPrevious();
  registry_->data = std::string("next\0", 5);
  GetValue();
  QCOMPARE(value(), QStringLiteral("next"));
  QCOMPARE(registry_->opens, 2);
  QCOMPARE(registry_->closes, 2);
  QVERIFY(window_->messages.shown.empty());
}

void FrmPellamTest::missingKeyShowsOneMessageThenClearsTheValue() {
  ShowPrevious();
  QStringList shown_over;
  form().SetMessageBox([&](QWidget*, const QString& caption, const QString& text) {
    shown_over << caption + ": " + text + " over " + value();
  });
  registry_->failing = RecordingRegistry::Call::kOpen;
  GetValue();
  QCOMPARE(shown_over, QStringList{"Pellam: Error opening key. over previous"});
  QCOMPARE(value(), QString());
  QCOMPARE(registry_->log.size(), 1U);
}

void FrmPellamTest::missingValueShowsTwoMessagesThenClearsTheValue() {
  ShowPrevious();
  registry_->failing = RecordingRegistry::Call::kSizeQuery;
  GetValue();
  QCOMPARE(window_->messages.shown.size(), 2U);
  QCOMPARE(window_->messages.shown[0].caption, QStringLiteral("Pellam"));
  QCOMPARE(window_->messages.shown[0].text, QStringLiteral("Error getting subkey length."));
  QCOMPARE(window_->messages.shown[1].caption, QStringLiteral("Pellam"));
  QCOMPARE(window_->messages.shown[1].text, QStringLiteral("Error getting subkey value."));
  QCOMPARE(value(), QString());
  QCOMPARE(registry_->log.back(), "close 68");
}

void FrmPellamTest::nameOutsideTheTableChangesNothing_data() {
  QTest::addColumn<QString>("entry");
  QTest::newRow("no entry selected") << QString();
  QTest::newRow("the selected entry in lower case") << "hkey_local_machine";
  QTest::newRow("a root the table lacks") << "HKEY_PERFORMANCE_DATA";
}

// The list itself never shows such a text, so the test puts one in.
void FrmPellamTest::nameOutsideTheTableChangesNothing() {
  QFETCH(QString, entry);
  ShowPrevious();
  const int opens = registry_->opens;
  if (entry.isEmpty()) {
    list()->setCurrentIndex(-1);
  } else {
    list()->setItemText(list()->currentIndex(), entry);
  }
  QCOMPARE(list()->currentText(), entry);
  GetValue();
  QVERIFY(registry_->log.empty());
  QCOMPARE(registry_->opens, opens);
  QVERIFY(window_->messages.shown.empty());
  QCOMPARE(value(), QStringLiteral("previous"));
}

QTEST_MAIN(FrmPellamTest)
#include "frm_pellam_test.moc"
