#include "runtime/qt/qt_form.hpp"

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "runtime/core/run_time_error.hpp"
#include "tests/support/accessible_name.hpp"
#include "tests/support/recording_messages.hpp"

namespace {

using rt::forms::ControlDesign;
using rt::forms::ControlKind;
using rt::forms::Font;
using rt::forms::FormDesign;
using rt::forms::Rgb;

// A window with one of each kind of control, laid out in twips that are not
// all whole pixels, and a focus order that differs from the design's order.
FormDesign SampleDesign() {
  return {
      .name = u"frmSample",
      .caption = u"Sample window",
      .client_width = 4500,
      .client_height = 3000,
      .back_colour = Rgb{255, 192, 192},
      .lines = {{u"Across", 120, 300, 4380, 300, 1}, {u"Down", 3000, 600, 3000, 1500, 3}},
      .controls =
          {
              {.name = u"lblPlain",
               .text = u"Plain",
               .left = 120,
               .top = 120,
               .width = 1000,
               .height = 255},
              {.name = u"lblBoxed",
               .text = u"<b>not markup</b>",
               .left = 127,
               .top = 128,
               .width = 2000,
               .height = 255,
               .font = Font{u"MS Sans Serif", 9.75, true},
               .fore_colour = Rgb{0, 128, 0},
               .back_colour = Rgb{192, 255, 255},
               .alignment = rt::forms::Alignment::kCenter,
               .border = true},
              {.name = u"Caption",
               .index = 1,
               .text = u"Second",
               .left = 120,
               .top = 1800,
               .width = 600,
               .height = 255},
              {.name = u"Caption",
               .index = 0,
               .text = u"First",
               .left = 120,
               .top = 1440,
               .width = 600,
               .height = 255},
              {.kind = ControlKind::kTextBox,
               .name = u"txtName",
               .text = u"preset",
               .left = 720,
               .top = 1440,
               .width = 1500,
               .height = 285,
               .font = Font{u"Arial", 12, false},
               .alignment = rt::forms::Alignment::kRight,
               .tab_index = 2,
               .accessible_name = u"Name"},
              {.kind = ControlKind::kDropDownList,
               .name = u"cboChoice",
               .left = 720,
               .top = 1800,
               .width = 1500,
               .height = 315,
               .tab_index = 0,
               .items = {u"One", u"Two", u"Three"},
               .accessible_name = u"Choice"},
              {.kind = ControlKind::kCommandButton,
               .name = u"cmdGraphical",
               .text = u"Go",
               .left = 120,
               .top = 2400,
               .width = 1000,
               .height = 375,
               .back_colour = Rgb{0, 192, 0},
               .graphical = true,
               .tab_index = 1},
              {.kind = ControlKind::kCommandButton,
               .name = u"cmdStandard",
               .text = u"Stay",
               .left = 1200,
               .top = 2400,
               .width = 1000,
               .height = 375,
               .back_colour = Rgb{255, 0, 0},
               .tab_index = 3},
          },
  };
}

const rt::forms::AppInfo kApp{u"Sample", 2, 5, 17};

// Handlers whose Load and Click do what each test needs, recording clicks.
class ScriptedHandlers final : public rt::forms::FormHandlers {
 public:
  std::function<void(rt::forms::Form&)> on_load = [](rt::forms::Form&) {};
  std::function<void(rt::forms::Form&)> on_click = [](rt::forms::Form&) {};
  std::vector<std::pair<std::u16string, std::optional<int>>> clicks;

  std::vector<rt::forms::ControlRef> Controls() const override { return {}; }
  void Load(rt::forms::Form& form) override { on_load(form); }
  void Click(rt::forms::Form& form, std::u16string_view control,
             std::optional<int> index) override {
    clicks.emplace_back(control, index);
    on_click(form);
  }
};

QColor StandardFace() {
  return QApplication::palette().color(QPalette::Button);
}

}  // namespace

class QtFormTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { rt::qt::PrepareApplication(*qApp, kApp); }
  void init();
  void cleanup();

  void placesControlsAtFifteenTwipsPerPixel_data();
  void placesControlsAtFifteenTwipsPerPixel();
  void drawsLinesCentredOnTheirThickness_data();
  void drawsLinesCentredOnTheirThickness();
  void resolvesDesignFontsToInstalledFamilies_data();
  void resolvesDesignFontsToInstalledFamilies();
  void paintsDesignColours_data();
  void paintsDesignColours();
  void alignsText_data();
  void alignsText();
  void drawsALabelBorderOnlyWhenDesigned();
  void showsLabelTextLiterally();
  void dropDownListOffersItsEntriesAndCannotBeTyped();
  void textBoxIsEditable();
  void focusFollowsTabIndexesAndStartsAtTheLowest_data();
  void focusFollowsTabIndexesAndStartsAtTheLowest();
  void controlsWithoutTabIndexTakeNoFocus();
  void namesEveryControlForScreenReaders_data();
  void namesEveryControlForScreenReaders();
  void looksUpControlsByNameAndIndex();
  void dispatchesClicksWithTheButtonsName_data();
  void dispatchesClicksWithTheButtonsName();
  void measuresInTwips();
  void setsLeftAndTopInTwipsEvenOffTheScreen_data();
  void setsLeftAndTopInTwipsEvenOffTheScreen();
  void messageBoxIsCaptionedWithTheAppTitle();
  void runTimeErrorInClickShowsItsMessageAndEnds_data();
  void runTimeErrorInClickShowsItsMessageAndEnds();
  void runTimeErrorInLoadEndsBeforeTheWindowShows();
  void unloadAndCloseEndWithZeroOnce();
  void rejectsDesignsItCannotBuild_data();
  void rejectsDesignsItCannotBuild();
  void modalMessageHasOneOkButtonAndNoIcon();

 private:
  void MakeForm(const FormDesign& design = SampleDesign());
  void ShowForm();

  ScriptedHandlers handlers_;
  testsupport::RecordingMessages messages_;
  std::unique_ptr<rt::qt::QtForm> form_;
};

void QtFormTest::init() {
  handlers_ = ScriptedHandlers();
  messages_.shown.clear();
  MakeForm();
}

void QtFormTest::cleanup() {
  form_.reset();
}

void QtFormTest::MakeForm(const FormDesign& design) {
  form_ = std::make_unique<rt::qt::QtForm>(design, handlers_, kApp);
  form_->SetMessageBox(messages_.function());
}

void QtFormTest::ShowForm() {
  QVERIFY(form_->Load());
  form_->show();
  QVERIFY(QTest::qWaitForWindowActive(form_.get()));
}

void QtFormTest::placesControlsAtFifteenTwipsPerPixel_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<int>("index");
  QTest::addColumn<QRect>("geometry");
  QTest::newRow("whole pixels") << "lblPlain" << -1 << QRect(8, 8, 67, 17);
  QTest::newRow("127 and 128 twips round to the nearest pixel")
      << "lblBoxed" << -1 << QRect(8, 9, 133, 17);
  QTest::newRow("member of a control array") << "Caption" << 1 << QRect(8, 120, 40, 17);
  QTest::newRow("text box") << "txtName" << -1 << QRect(48, 96, 100, 19);
  QTest::newRow("drop-down list") << "cboChoice" << -1 << QRect(48, 120, 100, 21);
  QTest::newRow("button") << "cmdGraphical" << -1 << QRect(8, 160, 67, 25);
}

void QtFormTest::placesControlsAtFifteenTwipsPerPixel() {
  QFETCH(QString, name);
  QFETCH(int, index);
  QFETCH(QRect, geometry);
  std::optional<int> member = index < 0 ? std::nullopt : std::optional<int>(index);
  QWidget* widget = form_->widgetOf(name.toStdU16String(), member);
  QVERIFY(widget != nullptr);
  QCOMPARE(widget->geometry(), geometry);
  QCOMPARE(form_->size(), QSize(300, 200));
}

void QtFormTest::drawsLinesCentredOnTheirThickness_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QRect>("geometry");
  QTest::addColumn<int>("shape");
  QTest::newRow("horizontal, one pixel")
      << "Across" << QRect(8, 20, 284, 1) << static_cast<int>(QFrame::HLine);
  QTest::newRow("vertical, three pixels")
      << "Down" << QRect(199, 40, 3, 60) << static_cast<int>(QFrame::VLine);
}

void QtFormTest::drawsLinesCentredOnTheirThickness() {
  QFETCH(QString, name);
  QFETCH(QRect, geometry);
  QFETCH(int, shape);
  auto* line = form_->findChild<QFrame*>(name);
  QVERIFY(line != nullptr);
  QCOMPARE(line->geometry(), geometry);
  QCOMPARE(static_cast<int>(line->frameShape()), shape);
  QCOMPARE(line->frameShadow(), QFrame::Plain);
}

void QtFormTest::resolvesDesignFontsToInstalledFamilies_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("family");
  QTest::addColumn<double>("points");
  QTest::addColumn<bool>("bold");
  QTest::newRow("MS Sans Serif") << "lblBoxed"
                                 << "Liberation Sans" << 9.75 << true;
  QTest::newRow("Arial") << "txtName"
                         << "Liberation Sans" << 12.0 << false;
}

void QtFormTest::resolvesDesignFontsToInstalledFamilies() {
  QFETCH(QString, name);
  QFETCH(QString, family);
  QFETCH(double, points);
  QFETCH(bool, bold);
  QWidget* widget = form_->widgetOf(name.toStdU16String());
  QCOMPARE(QFontInfo(widget->font()).family(), family);
  QCOMPARE(widget->font().pointSizeF(), points);
  QCOMPARE(widget->font().bold(), bold);
}

void QtFormTest::paintsDesignColours_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<int>("role");
  QTest::addColumn<QColor>("colour");
  QTest::newRow("label background")
      << "lblBoxed" << static_cast<int>(QPalette::Window) << QColor(192, 255, 255);
  QTest::newRow("label text") << "lblBoxed" << static_cast<int>(QPalette::WindowText)
                              << QColor(0, 128, 0);
  QTest::newRow("label keeps the standard face, not the window's colour")
      << "lblPlain" << static_cast<int>(QPalette::Window) << StandardFace();
  QTest::newRow("graphical button shows its face colour")
      << "cmdGraphical" << static_cast<int>(QPalette::Button) << QColor(0, 192, 0);
  QTest::newRow("standard button keeps the standard face")
      << "cmdStandard" << static_cast<int>(QPalette::Button) << StandardFace();
}

void QtFormTest::paintsDesignColours() {
  QFETCH(QString, name);
  QFETCH(int, role);
  QFETCH(QColor, colour);
  QWidget* widget = form_->widgetOf(name.toStdU16String());
  QCOMPARE(widget->palette().color(static_cast<QPalette::ColorRole>(role)), colour);
  QCOMPARE(form_->palette().color(QPalette::Window), QColor(255, 192, 192));
  QVERIFY(form_->autoFillBackground());
}

void QtFormTest::alignsText_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<int>("horizontal");
  QTest::newRow("label left by default") << "lblPlain" << static_cast<int>(Qt::AlignLeft);
  QTest::newRow("label centred") << "lblBoxed" << static_cast<int>(Qt::AlignHCenter);
  QTest::newRow("text box right") << "txtName" << static_cast<int>(Qt::AlignRight);
}

void QtFormTest::alignsText() {
  QFETCH(QString, name);
  QFETCH(int, horizontal);
  QWidget* widget = form_->widgetOf(name.toStdU16String());
  Qt::Alignment alignment = widget->property("alignment").value<Qt::Alignment>();
  QCOMPARE(static_cast<int>(alignment & Qt::AlignHorizontal_Mask), horizontal);
}

void QtFormTest::drawsALabelBorderOnlyWhenDesigned() {
  auto* boxed = qobject_cast<QLabel*>(form_->widgetOf(u"lblBoxed"));
  auto* plain = qobject_cast<QLabel*>(form_->widgetOf(u"lblPlain"));
  QCOMPARE(boxed->frameShape(), QFrame::Box);
  QCOMPARE(boxed->frameShadow(), QFrame::Plain);
  QCOMPARE(boxed->lineWidth(), 1);
  QCOMPARE(plain->frameShape(), QFrame::NoFrame);
}

void QtFormTest::showsLabelTextLiterally() {
  auto* label = qobject_cast<QLabel*>(form_->widgetOf(u"lblBoxed"));
  QCOMPARE(label->textFormat(), Qt::PlainText);
  QCOMPARE(form_->control(u"lblBoxed").Text(), u"<b>not markup</b>");
}

void QtFormTest::dropDownListOffersItsEntriesAndCannotBeTyped() {
  auto* list = qobject_cast<QComboBox*>(form_->widgetOf(u"cboChoice"));
  QVERIFY(!list->isEditable());
  QCOMPARE(list->count(), 3);
  QCOMPARE(list->itemText(2), QStringLiteral("Three"));
  rt::forms::Control& choice = form_->control(u"cboChoice");
  QCOMPARE(choice.ListIndex(), -1);
  choice.SetListIndex(1);
  QCOMPARE(choice.Text(), u"Two");
  QCOMPARE(list->currentText(), QStringLiteral("Two"));
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, choice.SetListIndex(3));
  QVERIFY_THROWS_EXCEPTION(std::logic_error, choice.SetText(u"Four"));
  QVERIFY_THROWS_EXCEPTION(std::logic_error, form_->control(u"txtName").ListIndex());
}

void QtFormTest::textBoxIsEditable() {
  ShowForm();
  QWidget* box = form_->widgetOf(u"txtName");
  box->setFocus();
  QTest::keyClick(box, Qt::Key_End);
  QTest::keyClicks(box, " typed");
  QCOMPARE(form_->control(u"txtName").Text(), u"preset typed");
}

void QtFormTest::focusFollowsTabIndexesAndStartsAtTheLowest_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<QStringList>("visited");
  QTest::newRow("Tab") << static_cast<int>(Qt::Key_Tab)
                       << QStringList{"cmdGraphical", "txtName", "cmdStandard", "cboChoice"};
  QTest::newRow("Shift+Tab") << static_cast<int>(Qt::Key_Backtab)
                             << QStringList{"cmdStandard", "txtName", "cmdGraphical", "cboChoice"};
}

void QtFormTest::focusFollowsTabIndexesAndStartsAtTheLowest() {
  QFETCH(int, key);
  QFETCH(QStringList, visited);
  ShowForm();
  QCOMPARE(QApplication::focusWidget(), form_->widgetOf(u"cboChoice"));
  for (const QString& name : visited) {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
    QCOMPARE(QApplication::focusWidget(), form_->widgetOf(name.toStdU16String()));
  }
}

void QtFormTest::controlsWithoutTabIndexTakeNoFocus() {
  QCOMPARE(form_->widgetOf(u"lblPlain")->focusPolicy(), Qt::NoFocus);
  QCOMPARE(form_->widgetOf(u"Caption", 0)->focusPolicy(), Qt::NoFocus);
  QCOMPARE(form_->widgetOf(u"txtName")->focusPolicy(), Qt::StrongFocus);
}

void QtFormTest::namesEveryControlForScreenReaders_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<int>("index");
  QTest::addColumn<QString>("spoken");
  QTest::newRow("label by its caption") << "lblPlain" << -1 << "Plain";
  QTest::newRow("array member by its caption") << "Caption" << 0 << "First";
  QTest::newRow("button by its caption") << "cmdStandard" << -1 << "Stay";
  QTest::newRow("text box by its describing label") << "txtName" << -1 << "Name";
  QTest::newRow("drop-down list by its describing label") << "cboChoice" << -1 << "Choice";
}

void QtFormTest::namesEveryControlForScreenReaders() {
  QFETCH(QString, name);
  QFETCH(int, index);
  QFETCH(QString, spoken);
  std::optional<int> member = index < 0 ? std::nullopt : std::optional<int>(index);
  QCOMPARE(testsupport::AccessibleName(form_->widgetOf(name.toStdU16String(), member)), spoken);
}

void QtFormTest::looksUpControlsByNameAndIndex() {
  QCOMPARE(form_->control(u"Caption", 1).Text(), u"Second");
  QCOMPARE(form_->control(u"Caption", 0).Text(), u"First");
  form_->control(u"Caption", 0).SetText(u"Changed");
  QCOMPARE(qobject_cast<QLabel*>(form_->widgetOf(u"Caption", 0))->text(),
           QStringLiteral("Changed"));
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, form_->control(u"Caption"));
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, form_->control(u"Caption", 2));
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, form_->control(u"txtName", 0));
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, form_->control(u"txtMissing"));
}

void QtFormTest::dispatchesClicksWithTheButtonsName_data() {
  QTest::addColumn<QString>("name");
  QTest::newRow("graphical") << "cmdGraphical";
  QTest::newRow("standard") << "cmdStandard";
}

void QtFormTest::dispatchesClicksWithTheButtonsName() {
  QFETCH(QString, name);
  ShowForm();
  QTest::mouseClick(form_->widgetOf(name.toStdU16String()), Qt::LeftButton);
  QCOMPARE(handlers_.clicks.size(), 1U);
  QCOMPARE(handlers_.clicks.front().first, name.toStdU16String());
  QVERIFY(!handlers_.clicks.front().second.has_value());
}

void QtFormTest::measuresInTwips() {
  ShowForm();
  QCOMPARE(form_->Width(), static_cast<float>(form_->frameGeometry().width() * 15));
  QCOMPARE(form_->Height(), static_cast<float>(form_->frameGeometry().height() * 15));
  QVERIFY(form_->Width() >= 4500.0F);
  QSize screen = form_->screen()->geometry().size();
  QCOMPARE(form_->ScreenWidth(), static_cast<float>(screen.width() * 15));
  QCOMPARE(form_->ScreenHeight(), static_cast<float>(screen.height() * 15));
}

void QtFormTest::setsLeftAndTopInTwipsEvenOffTheScreen_data() {
  QTest::addColumn<bool>("left_first");
  QTest::newRow("Left, then Top") << true;
  QTest::newRow("Top, then Left") << false;
}

// Each keeps the other coordinate, whichever comes first.
void QtFormTest::setsLeftAndTopInTwipsEvenOffTheScreen() {
  QFETCH(bool, left_first);
  handlers_.on_load = [left_first](rt::forms::Form& form) {
    if (left_first) {
      form.SetLeft(-450.0F);
      form.SetTop(1507.0F);
    } else {
      form.SetTop(1507.0F);
      form.SetLeft(-450.0F);
    }
  };
  ShowForm();
  QCOMPARE(form_->frameGeometry().topLeft(), QPoint(-30, 100));
}

void QtFormTest::messageBoxIsCaptionedWithTheAppTitle() {
  handlers_.on_click = [](rt::forms::Form& form) { form.MsgBox(u"Something to say."); };
  ShowForm();
  QTest::mouseClick(form_->widgetOf(u"cmdGraphical"), Qt::LeftButton);
  QCOMPARE(messages_.shown.size(), 1U);
  QCOMPARE(messages_.shown[0].caption, QStringLiteral("Sample"));
  QCOMPARE(messages_.shown[0].text, QStringLiteral("Something to say."));
  QVERIFY(form_->isVisible());
}

void QtFormTest::runTimeErrorInClickShowsItsMessageAndEnds_data() {
  QTest::addColumn<int>("error");
  QTest::addColumn<QString>("message");
  QTest::newRow("overflow") << static_cast<int>(rt::ErrorNumber::kOverflow)
                            << "Run-time error '6':\n\nOverflow";
  QTest::newRow("division by zero") << static_cast<int>(rt::ErrorNumber::kDivisionByZero)
                                    << "Run-time error '11':\n\nDivision by zero";
  QTest::newRow("not a run-time error") << 0 << "no such thing";
}

void QtFormTest::runTimeErrorInClickShowsItsMessageAndEnds() {
  QFETCH(int, error);
  QFETCH(QString, message);
  handlers_.on_click = [error](rt::forms::Form&) {
    if (error == 0) {
      throw std::logic_error("no such thing");
    }
    rt::Raise(static_cast<rt::ErrorNumber>(error));
  };
  ShowForm();
  QSignalSpy ended(form_.get(), &rt::qt::QtForm::ended);
  QTest::mouseClick(form_->widgetOf(u"cmdGraphical"), Qt::LeftButton);
  QCOMPARE(messages_.shown.size(), 1U);
  QCOMPARE(messages_.shown[0].caption, QStringLiteral("Sample"));
  QCOMPARE(messages_.shown[0].text, message);
  QCOMPARE(ended.count(), 1);
  QCOMPARE(ended.at(0).at(0).toInt(), rt::qt::kRunTimeErrorExitCode);
  QVERIFY(rt::qt::kRunTimeErrorExitCode != 0);
  QVERIFY(!form_->isVisible());
}

void QtFormTest::runTimeErrorInLoadEndsBeforeTheWindowShows() {
  handlers_.on_load = [](rt::forms::Form&) { rt::Raise(rt::ErrorNumber::kOverflow); };
  QSignalSpy ended(form_.get(), &rt::qt::QtForm::ended);
  QVERIFY(!form_->Load());
  QCOMPARE(form_->exitCode(), rt::qt::kRunTimeErrorExitCode);
  QCOMPARE(ended.count(), 1);
  QCOMPARE(messages_.shown.size(), 1U);
  QCOMPARE(messages_.shown[0].text, QStringLiteral("Run-time error '6':\n\nOverflow"));
}

void QtFormTest::unloadAndCloseEndWithZeroOnce() {
  handlers_.on_click = [](rt::forms::Form& form) { form.Unload(); };
  ShowForm();
  QSignalSpy ended(form_.get(), &rt::qt::QtForm::ended);
  QTest::mouseClick(form_->widgetOf(u"cmdStandard"), Qt::LeftButton);
  QVERIFY(!form_->isVisible());
  form_->close();
  QCOMPARE(ended.count(), 1);
  QCOMPARE(ended.at(0).at(0).toInt(), 0);
  QCOMPARE(form_->exitCode(), 0);
}

void QtFormTest::rejectsDesignsItCannotBuild_data() {
  QTest::addColumn<int>("defect");
  QTest::newRow("diagonal line") << 0;
  QTest::newRow("two controls of one name and index") << 1;
}

void QtFormTest::rejectsDesignsItCannotBuild() {
  QFETCH(int, defect);
  FormDesign design = SampleDesign();
  if (defect == 0) {
    design.lines.push_back({u"Slope", 0, 0, 300, 300, 1});
  } else {
    design.controls.push_back(design.controls.front());
  }
  QVERIFY_THROWS_EXCEPTION(std::invalid_argument, MakeForm(design));
}

void QtFormTest::modalMessageHasOneOkButtonAndNoIcon() {
  QString caption;
  QString text;
  QMessageBox::Icon icon = QMessageBox::Critical;
  QMessageBox::StandardButtons buttons;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box != nullptr) {
      caption = box->windowTitle();
      text = box->text();
      icon = box->icon();
      buttons = box->standardButtons();
      box->accept();
    }
  });
  rt::qt::ShowModalMessage(nullptr, QStringLiteral("Sample"), QStringLiteral("Hello."));
  QCOMPARE(caption, QStringLiteral("Sample"));
  QCOMPARE(text, QStringLiteral("Hello."));
  QCOMPARE(icon, QMessageBox::NoIcon);
  QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

QTEST_MAIN(QtFormTest)
#include "qt_form_test.moc"
