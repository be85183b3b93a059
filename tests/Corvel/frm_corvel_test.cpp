#include "Corvel/frm_corvel.hpp"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <optional>

#include "runtime/core/run_time_error.hpp"
#include "tests/Corvel/corvel_window.hpp"
#include "tests/support/accessible_name.hpp"
#include "tests/support/find_control.hpp"

namespace {

using testsupport::CorvelWindow;
using testsupport::Find;
using testsupport::TextOf;

const QString kReading = QStringLiteral(" Lapsed time since Windows started: ");

class FailingTicks final : public corvel::TickSource {
 public:
  std::int32_t Read() override { rt::Raise(rt::ErrorNumber::kOverflow); }
};

}  // namespace

class FrmCorvelTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { rt::qt::PrepareApplication(*qApp, corvel::CorvelAppInfo()); }
  void init() {
    window_ = std::make_unique<CorvelWindow>();
    QVERIFY(window_->Start());
  }
  void cleanup() { window_.reset(); }

  void windowHasItsCaptionSizeAndBackground();
  void placesEveryControl_data();
  void placesEveryControl();
  void drawsTwoThreePixelLines_data();
  void drawsTwoThreePixelLines();
  void showsItsTextsBeforeTheFirstClick_data();
  void showsItsTextsBeforeTheFirstClick();
  void usesTheDesignedFonts_data();
  void usesTheDesignedFonts();
  void paintsTheDesignedColours_data();
  void paintsTheDesignedColours();
  void captionsFitTheirLabels_data();
  void captionsFitTheirLabels();
  void centresLabelsAndTheDaysBox_data();
  void centresLabelsAndTheDaysBox();
  void carriesTheHourglass();
  void startsWithTheFocusInTheTreatedBox();
  void movesTheFocusInTheDesignedOrder_data();
  void movesTheFocusInTheDesignedOrder();
  void namesEveryControlForScreenReaders_data();
  void namesEveryControlForScreenReaders();
  void textBoxesAreEditable_data();
  void textBoxesAreEditable();
  void centresItselfOnTheScreen();
  void clickShowsThreeSeparateReadsInOrder();
  void secondClickReplacesTheReadings();
  void exitEndsTheProgramWithZero();
  void closingTheWindowEndsTheProgramWithZero();
  void counterFailureShowsTheRunTimeErrorAndEnds();

 private:
  rt::qt::QtForm& form() { return window_->form; }
  void Click(const char16_t* button) { QTest::mouseClick(form().widgetOf(button), Qt::LeftButton); }

  std::unique_ptr<CorvelWindow> window_;
};

void FrmCorvelTest::windowHasItsCaptionSizeAndBackground() {
  QCOMPARE(form().windowTitle(), QStringLiteral("Show Windows uptime by timeGetTime API"));
  QCOMPARE(form().size(), QSize(357, 292));
  QCOMPARE(form().palette().color(QPalette::Window), QColor(192, 255, 192));
}

void FrmCorvelTest::placesEveryControl_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<QRect>("geometry");
  QTest::newRow("lblLoopTimer") << "lblLoopTimer" << QRect(88, 8, 169, 17);
  QTest::newRow("Label5") << "Label5" << QRect(88, 32, 177, 17);
  QTest::newRow("txtShowTime(0)") << "txtShowTime(0)" << QRect(8, 48, 337, 25);
  QTest::newRow("Label1") << "Label1" << QRect(24, 72, 297, 17);
  QTest::newRow("lblDaysBeforeReset") << "lblDaysBeforeReset" << QRect(40, 112, 257, 25);
  QTest::newRow("txtDaysBeforeReset") << "txtDaysBeforeReset" << QRect(120, 136, 97, 25);
  QTest::newRow("Label2") << "Label2" << QRect(40, 176, 265, 17);
  QTest::newRow("txtShowTime(1)") << "txtShowTime(1)" << QRect(8, 192, 337, 25);
  QTest::newRow("lblUntreated") << "lblUntreated" << QRect(112, 216, 113, 17);
  QTest::newRow("cmdStart") << "cmdStart" << QRect(8, 240, 89, 41);
  QTest::newRow("lblVersion") << "lblVersion" << QRect(112, 248, 129, 17);
  QTest::newRow("cmdExit") << "cmdExit" << QRect(256, 240, 81, 41);
}

void FrmCorvelTest::placesEveryControl() {
  QFETCH(QString, control);
  QFETCH(QRect, geometry);
  QWidget* widget = Find(form(), control);
  QVERIFY(widget != nullptr);
  QCOMPARE(widget->geometry(), geometry);
}

void FrmCorvelTest::drawsTwoThreePixelLines_data() {
  QTest::addColumn<QString>("line");
  QTest::addColumn<QRect>("geometry");
  QTest::newRow("Line2 below Label1") << "Line2" << QRect(8, 95, 336, 3);
  QTest::newRow("Line1 above Label2") << "Line1" << QRect(8, 167, 336, 3);
}

void FrmCorvelTest::drawsTwoThreePixelLines() {
  QFETCH(QString, line);
  QFETCH(QRect, geometry);
  auto* frame = form().findChild<QFrame*>(line);
  QVERIFY(frame != nullptr);
  QCOMPARE(frame->geometry(), geometry);
  QCOMPARE(frame->frameShape(), QFrame::HLine);
  QCOMPARE(frame->lineWidth(), 3);
}

void FrmCorvelTest::showsItsTextsBeforeTheFirstClick_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<QString>("text");
  QTest::newRow("lblLoopTimer") << "lblLoopTimer"
                                << "Time Lapsed in mSecs";
  QTest::newRow("Label5") << "Label5"
                          << "Max Value: 2 147 483 647";
  QTest::newRow("txtShowTime(0) empty") << "txtShowTime(0)"
                                        << "";
  QTest::newRow("Label1 with its trailing space") << "Label1"
                                                  << "Treated to return a Positive Long Number ";
  QTest::newRow("lblDaysBeforeReset") << "lblDaysBeforeReset"
                                      << "Days Left Before Uptime Reset";
  QTest::newRow("txtDaysBeforeReset empty") << "txtDaysBeforeReset"
                                            << "";
  QTest::newRow("Label2 with two spaces before the second 2")
      << "Label2"
      << "Max Values: -2 147 483 648 to  2 147 483 647";
  QTest::newRow("txtShowTime(1) empty") << "txtShowTime(1)"
                                        << "";
  QTest::newRow("lblUntreated with its spaces") << "lblUntreated"
                                                << " ... Untreated ";
  QTest::newRow("cmdStart") << "cmdStart"
                            << "Click to Show";
  QTest::newRow("lblVersion set at load") << "lblVersion"
                                          << "Version: 1.0.3";
  QTest::newRow("cmdExit") << "cmdExit"
                           << "Click to Exit";
}

void FrmCorvelTest::showsItsTextsBeforeTheFirstClick() {
  QFETCH(QString, control);
  QFETCH(QString, text);
  QCOMPARE(TextOf(Find(form(), control)), text);
  QCOMPARE(window_->ticks.reads(), 0U);
}

void FrmCorvelTest::usesTheDesignedFonts_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<double>("points");
  QTest::addColumn<bool>("bold");
  QTest::newRow("lblLoopTimer") << "lblLoopTimer" << 9.75 << true;
  QTest::newRow("Label5") << "Label5" << 9.75 << false;
  QTest::newRow("txtShowTime(0)") << "txtShowTime(0)" << 9.75 << true;
  QTest::newRow("Label1") << "Label1" << 9.75 << true;
  QTest::newRow("lblDaysBeforeReset") << "lblDaysBeforeReset" << 12.0 << true;
  QTest::newRow("txtDaysBeforeReset") << "txtDaysBeforeReset" << 8.25 << true;
  QTest::newRow("Label2") << "Label2" << 9.75 << false;
  QTest::newRow("txtShowTime(1)") << "txtShowTime(1)" << 9.75 << true;
  QTest::newRow("lblUntreated") << "lblUntreated" << 9.75 << true;
  QTest::newRow("cmdStart") << "cmdStart" << 9.75 << false;
  QTest::newRow("lblVersion") << "lblVersion" << 8.25 << true;
  QTest::newRow("cmdExit") << "cmdExit" << 9.75 << false;
}

// Both designed families, "MS Sans Serif" and "Arial", come out in the
// Arial-metric Liberation Sans.
void FrmCorvelTest::usesTheDesignedFonts() {
  QFETCH(QString, control);
  QFETCH(double, points);
  QFETCH(bool, bold);
  QFont font = Find(form(), control)->font();
  QCOMPARE(font.pointSizeF(), points);
  QCOMPARE(font.bold(), bold);
  QCOMPARE(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
}

void FrmCorvelTest::paintsTheDesignedColours_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<int>("role");
  QTest::addColumn<QColor>("colour");
  const int back = QPalette::Window;
  const int text = QPalette::WindowText;
  const int face = QPalette::Button;
  const QColor standard_face = QApplication::palette().color(QPalette::Button);
  const QColor standard_text = QApplication::palette().color(QPalette::WindowText);
  QTest::newRow("lblLoopTimer back") << "lblLoopTimer" << back << standard_face;
  QTest::newRow("Label5 back") << "Label5" << back << QColor(192, 255, 255);
  QTest::newRow("Label1 back") << "Label1" << back << standard_face;
  QTest::newRow("Label1 text") << "Label1" << text << QColor(0, 128, 0);
  QTest::newRow("lblDaysBeforeReset back") << "lblDaysBeforeReset" << back << QColor(255, 224, 192);
  QTest::newRow("Label2 back") << "Label2" << back << QColor(255, 255, 192);
  QTest::newRow("lblUntreated text") << "lblUntreated" << text << QColor(255, 0, 0);
  QTest::newRow("lblVersion back") << "lblVersion" << back << QColor(192, 255, 192);
  QTest::newRow("lblVersion text") << "lblVersion" << text << standard_text;
  QTest::newRow("cmdStart face") << "cmdStart" << face << QColor(0, 192, 0);
  QTest::newRow("cmdExit face") << "cmdExit" << face << QColor(255, 0, 0);
}

void FrmCorvelTest::paintsTheDesignedColours() {
  QFETCH(QString, control);
  QFETCH(int, role);
  QFETCH(QColor, colour);
  QWidget* widget = Find(form(), control);
  QCOMPARE(widget->palette().color(static_cast<QPalette::ColorRole>(role)), colour);
}

void FrmCorvelTest::captionsFitTheirLabels_data() {
  QTest::addColumn<QString>("control");
  for (const char* label : {"lblLoopTimer", "Label5", "Label1", "lblDaysBeforeReset", "Label2",
                            "lblUntreated", "lblVersion"}) {
    QTest::newRow(label) << label;
  }
}

// The stand-in fonts must keep every caption readable in the width laid out
// for the original; Label2's runs a pixel over in Liberation Sans, which
// costs a sliver of its last digit at most.
void FrmCorvelTest::captionsFitTheirLabels() {
  QFETCH(QString, control);
  auto* label = qobject_cast<QLabel*>(Find(form(), control));
  QVERIFY(label != nullptr);
  qreal needed = QFontMetricsF(label->font()).horizontalAdvance(label->text());
  QVERIFY2(needed <= label->width() + 2, qPrintable(QString::number(needed)));
  QVERIFY(QFontMetricsF(label->font()).height() <= label->height());
}

void FrmCorvelTest::centresLabelsAndTheDaysBox_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<int>("horizontal");
  const int centre = Qt::AlignHCenter;
  QTest::newRow("lblLoopTimer") << "lblLoopTimer" << centre;
  QTest::newRow("Label5") << "Label5" << centre;
  QTest::newRow("Label1") << "Label1" << centre;
  QTest::newRow("lblDaysBeforeReset") << "lblDaysBeforeReset" << centre;
  QTest::newRow("txtDaysBeforeReset") << "txtDaysBeforeReset" << centre;
  QTest::newRow("Label2") << "Label2" << centre;
  QTest::newRow("lblUntreated") << "lblUntreated" << centre;
  QTest::newRow("lblVersion") << "lblVersion" << centre;
  QTest::newRow("txtShowTime(0) left") << "txtShowTime(0)" << static_cast<int>(Qt::AlignLeft);
  QTest::newRow("txtShowTime(1) left") << "txtShowTime(1)" << static_cast<int>(Qt::AlignLeft);
}

void FrmCorvelTest::centresLabelsAndTheDaysBox() {
  QFETCH(QString, control);
  QFETCH(int, horizontal);
  auto alignment = Find(form(), control)->property("alignment").value<Qt::Alignment>();
  QCOMPARE(static_cast<int>(alignment & Qt::AlignHorizontal_Mask), horizontal);
}

// The icon is dark grey on transparent, the picture the same on white, both
// 48 x 48, the picture at the window's top-left corner.
void FrmCorvelTest::carriesTheHourglass() {
  QImage icon = form().windowIcon().pixmap(QSize(48, 48)).toImage();
  QCOMPARE(icon.size(), QSize(48, 48));
  QVERIFY(icon.hasAlphaChannel());
  QCOMPARE(icon.pixelColor(0, 24).alpha(), 0);
  QVERIFY(icon.pixelColor(24, 5).alpha() == 255 && icon.pixelColor(24, 5).lightness() < 96);

  QImage picture = form().picture().toImage();
  QCOMPARE(picture.size(), QSize(48, 48));
  QVERIFY(picture.pixelColor(0, 24).lightness() > 240);
  QVERIFY(picture.pixelColor(24, 5).lightness() < 96);
  QImage drawn = form().grab(QRect(0, 0, 48, 48)).toImage();
  QCOMPARE(drawn.pixelColor(24, 5), picture.pixelColor(24, 5));
}

void FrmCorvelTest::startsWithTheFocusInTheTreatedBox() {
  QCOMPARE(QApplication::focusWidget(), form().widgetOf(u"txtShowTime", 0));
}

void FrmCorvelTest::movesTheFocusInTheDesignedOrder_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<QStringList>("visited");
  QTest::newRow("Tab") << static_cast<int>(Qt::Key_Tab)
                       << QStringList{"cmdStart", "txtShowTime(1)", "cmdExit", "txtDaysBeforeReset",
                                      "txtShowTime(0)"};
  QTest::newRow("Shift+Tab") << static_cast<int>(Qt::Key_Backtab)
                             << QStringList{"txtDaysBeforeReset", "cmdExit", "txtShowTime(1)",
                                            "cmdStart", "txtShowTime(0)"};
}

void FrmCorvelTest::movesTheFocusInTheDesignedOrder() {
  QFETCH(int, key);
  QFETCH(QStringList, visited);
  for (const QString& control : visited) {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
    QCOMPARE(QApplication::focusWidget(), Find(form(), control));
  }
}

void FrmCorvelTest::namesEveryControlForScreenReaders_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<QString>("spoken");
  QTest::newRow("lblLoopTimer") << "lblLoopTimer"
                                << "Time Lapsed in mSecs";
  QTest::newRow("Label5") << "Label5"
                          << "Max Value: 2 147 483 647";
  QTest::newRow("txtShowTime(0)") << "txtShowTime(0)"
                                  << "Treated to return a Positive Long Number";
  QTest::newRow("Label1") << "Label1"
                          << "Treated to return a Positive Long Number ";
  QTest::newRow("lblDaysBeforeReset") << "lblDaysBeforeReset"
                                      << "Days Left Before Uptime Reset";
  QTest::newRow("txtDaysBeforeReset") << "txtDaysBeforeReset"
                                      << "Days Left Before Uptime Reset";
  QTest::newRow("Label2") << "Label2"
                          << "Max Values: -2 147 483 648 to  2 147 483 647";
  QTest::newRow("txtShowTime(1)") << "txtShowTime(1)"
                                  << "Untreated";
  QTest::newRow("lblUntreated") << "lblUntreated"
                                << " ... Untreated ";
  QTest::newRow("cmdStart") << "cmdStart"
                            << "Click to Show";
  QTest::newRow("lblVersion") << "lblVersion"
                              << "Version: 1.0.3";
  QTest::newRow("cmdExit") << "cmdExit"
                           << "Click to Exit";
}

void FrmCorvelTest::namesEveryControlForScreenReaders() {
  QFETCH(QString, control);
  QFETCH(QString, spoken);
  QCOMPARE(testsupport::AccessibleName(Find(form(), control)), spoken);
}

void FrmCorvelTest::textBoxesAreEditable_data() {
  QTest::addColumn<QString>("control");
  QTest::newRow("txtShowTime(0)") << "txtShowTime(0)";
  QTest::newRow("txtDaysBeforeReset") << "txtDaysBeforeReset";
  QTest::newRow("txtShowTime(1)") << "txtShowTime(1)";
}

void FrmCorvelTest::textBoxesAreEditable() {
  QFETCH(QString, control);
  QWidget* box = Find(form(), control);
  QVERIFY(!qobject_cast<QLineEdit*>(box)->isReadOnly());
  QTest::mouseClick(box, Qt::LeftButton);
  QTest::keyClicks(box, "typed");
  QCOMPARE(TextOf(box), QStringLiteral("typed"));
}

// On the default 800 x 800 screen: (800 - 292) / 2 = 254 pixels from the top,
// (800 - 357) / 2 = 221.5 pixels from the left.
void FrmCorvelTest::centresItselfOnTheScreen() {
  QPoint corner = form().frameGeometry().topLeft();
  QCOMPARE(QGuiApplication::primaryScreen()->geometry().size(), QSize(800, 800));
  QCOMPARE(corner.y(), 254);
  QVERIFY2(corner.x() == 221 || corner.x() == 222, qPrintable(QString::number(corner.x())));
}

void FrmCorvelTest::clickShowsThreeSeparateReadsInOrder() {
  window_->ticks = testsupport::ScriptedTicks({1000, -2147483647 - 1, -2});
  Click(u"cmdStart");
  QCOMPARE(window_->ticks.reads(), 3U);
  QCOMPARE(TextOf(Find(form(), "txtShowTime(0)")), kReading + "  1 000");
  QCOMPARE(TextOf(Find(form(), "txtShowTime(1)")), kReading + "-2 147 483 648");
  QCOMPARE(TextOf(Find(form(), "txtDaysBeforeReset")), QStringLiteral("0 of 25 (max)"));
}

void FrmCorvelTest::secondClickReplacesTheReadings() {
  window_->ticks = testsupport::ScriptedTicks({0, 5, 0, 2147483647, -1234, -2});
  Click(u"cmdStart");
  QCOMPARE(TextOf(Find(form(), "txtShowTime(1)")), kReading + "   5");
  Click(u"cmdStart");
  QCOMPARE(window_->ticks.reads(), 6U);
  QCOMPARE(TextOf(Find(form(), "txtShowTime(0)")), kReading + "2 147 483 647");
  QCOMPARE(TextOf(Find(form(), "txtShowTime(1)")), kReading + "  -1 234");
  QCOMPARE(TextOf(Find(form(), "txtDaysBeforeReset")), QStringLiteral("0 of 25 (max)"));
}

void FrmCorvelTest::exitEndsTheProgramWithZero() {
  QSignalSpy ended(&form(), &rt::qt::QtForm::ended);
  Click(u"cmdExit");
  QCOMPARE(ended.count(), 1);
  QCOMPARE(ended.at(0).at(0).toInt(), 0);
  QVERIFY(!form().isVisible());
  QCOMPARE(window_->ticks.reads(), 0U);
}

void FrmCorvelTest::closingTheWindowEndsTheProgramWithZero() {
  QSignalSpy ended(&form(), &rt::qt::QtForm::ended);
  QVERIFY(form().close());
  QCOMPARE(ended.count(), 1);
  QCOMPARE(ended.at(0).at(0).toInt(), 0);
}

void FrmCorvelTest::counterFailureShowsTheRunTimeErrorAndEnds() {
  FailingTicks ticks;
  corvel::FrmCorvel handlers(ticks);
  testsupport::RecordingMessages messages;
  rt::qt::QtForm failing(corvel::FrmCorvelDesign(), handlers, corvel::CorvelAppInfo());
  failing.SetMessageBox(messages.function());
  QVERIFY(failing.Load());
  failing.show();
  QVERIFY(QTest::qWaitForWindowExposed(&failing));
  QSignalSpy ended(&failing, &rt::qt::QtForm::ended);
  QTest::mouseClick(failing.widgetOf(u"cmdStart"), Qt::LeftButton);
  QCOMPARE(messages.shown.size(), 1U);
  QCOMPARE(messages.shown[0].caption, QStringLiteral("Corvel"));
  QCOMPARE(messages.shown[0].text, QStringLiteral("Run-time error '6':\n\nOverflow"));
  QCOMPARE(ended.count(), 1);
  QVERIFY(ended.at(0).at(0).toInt() != 0);
}

QTEST_MAIN(FrmCorvelTest)
#include "frm_corvel_test.moc"
