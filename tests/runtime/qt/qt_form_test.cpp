#include "runtime/qt/qt_form.hpp"

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <stdexcept>
#include <tuple>

#include "tests/support/sample_design.hpp"

using namespace testsupport::sample;

class QtFormTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { rt::qt::PrepareApplication(*qApp, SampleApp()); }
  void init() { QVERIFY(Open()); }
  void cleanup() { form_.reset(); }

  void buildsTheDesign() {
    const QColor standard_face = QApplication::palette().button().color();
    auto* caption = qobject_cast<QLabel*>(W(u"lblCaption", 0));
    auto* status = qobject_cast<QLabel*>(W(u"lblStatus"));
    auto* choice = qobject_cast<QComboBox*>(W(u"cboChoice"));
    const QSizeF screen = form_->screen()->geometry().size().toSizeF() * 15;
    // What each fact is, as found, as expected.
    const std::tuple<const char*, QVariant, QVariant> probes[] = {
        {"twips round to the nearest pixel", caption->geometry(), QRect(8, 9, 67, 19)},
        {"the window's client size", form_->size(), QSize(300, 160)},
        {"a line is centred on its thickness", form_->findChild<QFrame*>("Line1")->geometry(),
         QRect(8, 71, 284, 3)},
        {"MS Sans Serif by default", QFontInfo(caption->font()).family(), "Liberation Sans"},
        {"MS Sans Serif at its size", status->font().pointSizeF(), 9.75},
        {"MS Sans Serif bold", status->font().bold(), true},
        {"Arial", QFontInfo(W(u"txtName")->font()).family(), "Liberation Sans"},
        {"label back colour", caption->palette().window().color(), QColor(192, 255, 255)},
        {"label fore colour", caption->palette().windowText().color(), QColor(255, 0, 0)},
        {"label without colour", status->palette().window().color(), standard_face},
        {"graphical button face", W(u"cmdWrite")->palette().button().color(), QColor(0, 0, 255)},
        {"standard button face", W(u"cmdSay")->palette().button().color(), standard_face},
        {"window colour", form_->palette().window().color(), QColor(255, 255, 192)},
        {"right aligned", int(caption->alignment() & Qt::AlignHorizontal_Mask),
         int(Qt::AlignRight)},
        {"label border", int(caption->frameShape()), int(QFrame::Box)},
        {"no border", int(status->frameShape()), 0},
        {"label text is not markup", int(caption->textFormat()), int(Qt::PlainText)},
        {"list cannot be typed into", choice->isEditable(), false},
        {"list entry set at load", choice->currentText(), "Two"},
        {"no tab index, no focus", int(status->focusPolicy()), int(Qt::NoFocus)},
        {"the screen reaches Load", QSizeF(handlers_.screen.first, handlers_.screen.second),
         screen},
        {"outer width in twips", form_->Width(), float(form_->frameGeometry().width() * 15)},
    };
    for (const auto& [what, actual, expected] : probes) {
      QVERIFY2(actual == expected,
               qPrintable(QStringLiteral("%1: %2 is not %3")
                              .arg(what, QDebug::toString(actual), QDebug::toString(expected))));
    }
  }

  // Focus starts at the lowest tab index and follows the order.
  void tabsKeysAndClicksReachTheirTargetsUntilAnError() {
    QCOMPARE(QApplication::focusWidget(), W(u"cmdWrite"));
    for (const char16_t* name : {u"cmdSay", u"cmdFail", u"txtName", u"cboChoice", u"cmdExit"}) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), W(name));
    }
    W(u"txtName")->setFocus();
    QTest::keyClicks(W(u"txtName"), "d");
    QTest::keyClick(W(u"txtName"), Qt::Key_Return);
    QCOMPARE(form_->control(u"txtName").Text(), u"abcd");
    QCOMPARE(form_->control(u"lblStatus").Text(), u"");
    QTest::mouseClick(W(u"cmdWrite"), Qt::LeftButton);
    QCOMPARE(form_->control(u"lblStatus").Text(), u"Written");
    QTest::mouseClick(W(u"cmdSay"), Qt::LeftButton);
    QCOMPARE(parent_, form_.get());
    QVERIFY(form_->isVisible());
    // Unloading and closing end with code 0 in the end-to-end tests; a
    // run-time error ends with its own code, and a later close changes nothing.
    QSignalSpy ended(form_.get(), &rt::qt::QtForm::ended);
    QTest::mouseClick(W(u"cmdFail"), Qt::LeftButton);
    form_->close();
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).toInt(), rt::qt::kRunTimeErrorExitCode);
    QVERIFY(!form_->isVisible());
    QCOMPARE(messages_,
             QStringList({"Sample: Hello there", "Sample: Run-time error '6':\n\nOverflow"}));
  }

  void controlsRefuseWhatTheyDoNotHave() {
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, form_->control(u"lblCaption"));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, form_->control(u"lblCaption", 1));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, form_->control(u"cboChoice").SetListIndex(3));
    QVERIFY_THROWS_EXCEPTION(std::logic_error, form_->control(u"cboChoice").SetText(u"x"));
    QVERIFY_THROWS_EXCEPTION(std::logic_error, form_->control(u"txtName").ListIndex());
    form_->SetLeft(-450.0F);
    form_->SetTop(1507.0F);
    QCOMPARE(form_->frameGeometry().topLeft(), QPoint(-30, 100));
  }

  // Any failure in Load, not only a run-time error, ends the program at once.
  void failedLoadEndsBeforeTheWindowShows() {
    rt::forms::FormDesign design = SampleDesign();
    design.controls[2].items.resize(1);
    MakeForm(design);
    QVERIFY(!form_->Load());
    QCOMPARE(form_->exitCode(), rt::qt::kRunTimeErrorExitCode);
    QCOMPARE(messages_, QStringList{"Sample: no such entry in the drop-down list"});
    QVERIFY(parent_ == nullptr);
  }

  void rejectsADesignWithAFault() {
    rt::forms::FormDesign design = SampleDesign();
    design.controls.push_back(design.controls.front());
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, MakeForm(design));
  }

  void modalMessageHasOneOkButtonAndNoIcon() {
    QStringList seen;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      seen << box->windowTitle() << box->text() << QString::number(box->icon())
           << QString::number(box->standardButtons());
      box->accept();
    });
    rt::qt::ShowModalMessage(nullptr, QStringLiteral("Sample"), QStringLiteral("Hello."));
    QCOMPARE(seen, QStringList({"Sample", "Hello.", QString::number(QMessageBox::NoIcon),
                                QString::number(QMessageBox::Ok)}));
  }

 private:
  QWidget* W(std::u16string_view name, std::optional<int> index = std::nullopt) {
    return form_->widgetOf(name, index);
  }
  void MakeForm(const rt::forms::FormDesign& design) {
    form_.reset();
    messages_.clear();
    form_ = std::make_unique<rt::qt::QtForm>(design, handlers_, SampleApp());
    form_->SetMessageBox([this](QWidget* parent, const QString& caption, const QString& text) {
      messages_ << caption + ": " + text;
      parent_ = parent;
    });
  }
  bool Open() {
    MakeForm(SampleDesign());
    if (!form_->Load()) {
      return false;
    }
    form_->show();
    return QTest::qWaitForWindowActive(form_.get());
  }

  SampleHandlers handlers_;
  QStringList messages_;
  QWidget* parent_ = nullptr;
  std::unique_ptr<rt::qt::QtForm> form_;
};

QTEST_MAIN(QtFormTest)
#include "qt_form_test.moc"
