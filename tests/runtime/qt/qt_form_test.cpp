#include "runtime/qt/qt_form.hpp"

#include <QAccessible>
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

#include "tests/support/sample_design.hpp"

namespace {

using namespace testsupport::sample;

// A fact about the built window: what it is, as found, as expected.
struct Probe {
  const char* what;
  QVariant actual;
  QVariant expected;
};

QColor Role(QWidget* widget, QPalette::ColorRole role) {
  return widget->palette().color(role);
}

// What a screen reader announces for the widget, then the labels it reads with it.
QStringList Spoken(QWidget* widget) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
  QStringList spoken{accessible->text(QAccessible::Name)};
  for (const auto& [label, relation] : accessible->relations(QAccessible::Label)) {
    spoken << label->text(QAccessible::Name);
  }
  return spoken;
}

struct Message {
  QWidget* parent;
  QString caption;
  QString text;
};

}  // namespace

class QtFormTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { rt::qt::PrepareApplication(*qApp, SampleApp()); }
  void init() {
    handlers_ = std::make_unique<SampleHandlers>();
    MakeForm(SampleDesign());
    QVERIFY(form_->Load());
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  }
  void cleanup() { form_.reset(); }

  void buildsTheDesign() {
    const QColor standard_face = QApplication::palette().color(QPalette::Button);
    auto* caption = qobject_cast<QLabel*>(W(u"lblCaption", 0));
    const std::vector<Probe> probes{
        {"twips round to the nearest pixel", caption->geometry(), QRect(8, 9, 67, 19)},
        {"the window's client size", form_->size(), QSize(300, 160)},
        {"a line is centred on its thickness", form_->findChild<QFrame*>("Line1")->geometry(),
         QRect(8, 71, 284, 3)},
        {"MS Sans Serif by default", QFontInfo(caption->font()).family(), "Liberation Sans"},
        {"MS Sans Serif at its size", W(u"lblStatus")->font().pointSizeF(), 9.75},
        {"MS Sans Serif bold", W(u"lblStatus")->font().bold(), true},
        {"Arial", QFontInfo(W(u"txtName")->font()).family(), "Liberation Sans"},
        {"Arial at its size", W(u"txtName")->font().pointSizeF(), 12.0},
        {"label back colour", Role(caption, QPalette::Window), QColor(192, 255, 255)},
        {"label fore colour", Role(caption, QPalette::WindowText), QColor(255, 0, 0)},
        {"label without colour", Role(W(u"lblStatus"), QPalette::Window), standard_face},
        {"graphical button face", Role(W(u"cmdWrite"), QPalette::Button), QColor(0, 0, 255)},
        {"standard button face", Role(W(u"cmdSay"), QPalette::Button), standard_face},
        {"window colour", Role(form_.get(), QPalette::Window), QColor(255, 255, 192)},
        {"label alignment", int(caption->alignment() & Qt::AlignHorizontal_Mask),
         int(Qt::AlignRight)},
        {"label border", int(caption->frameShape()), int(QFrame::Box)},
        {"no border", int(qobject_cast<QLabel*>(W(u"lblStatus"))->frameShape()), 0},
        {"label text is not markup", int(caption->textFormat()), int(Qt::PlainText)},
        {"list cannot be typed into", qobject_cast<QComboBox*>(W(u"cboChoice"))->isEditable(),
         false},
        {"list entry set at load", qobject_cast<QComboBox*>(W(u"cboChoice"))->currentText(), "Two"},
        {"no tab index, no focus", int(W(u"lblStatus")->focusPolicy()), int(Qt::NoFocus)},
        {"a text box by its name and buddy", Spoken(W(u"txtName")),
         QStringList{"Name", "<b>Name</b>"}},
        {"a button by its caption", Spoken(W(u"cmdSay")), QStringList{"Say"}},
        {"screen width reaches Load", handlers_->screen.first,
         float(form_->screen()->geometry().width() * 15)},
        {"screen height reaches Load", handlers_->screen.second,
         float(form_->screen()->geometry().height() * 15)},
        {"outer width in twips", form_->Width(), float(form_->frameGeometry().width() * 15)},
    };
    for (const Probe& probe : probes) {
      QVERIFY2(probe.actual == probe.expected,
               qPrintable(QStringLiteral("%1: %2 is not %3")
                              .arg(probe.what, QDebug::toString(probe.actual),
                                   QDebug::toString(probe.expected))));
    }
  }

  void startsAtTheLowestTabIndexAndFollowsTheOrder() {
    QCOMPARE(QApplication::focusWidget(), W(u"cmdWrite"));
    for (const char16_t* name : {u"cmdSay", u"cmdFail", u"txtName", u"cboChoice", u"cmdExit"}) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), W(name));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), W(u"cboChoice"));
  }

  void enterInATextBoxClicksNothing() {
    W(u"txtName")->setFocus();
    QTest::keyClicks(W(u"txtName"), "d");
    QTest::keyClick(W(u"txtName"), Qt::Key_Return);
    QCOMPARE(form_->control(u"txtName").Text(), u"abcd");
    QCOMPARE(form_->control(u"lblStatus").Text(), u"");
  }

  void clickReachesItsHandler() {
    QTest::mouseClick(W(u"cmdWrite"), Qt::LeftButton);
    QCOMPARE(form_->control(u"lblStatus").Text(), u"Written");
    QTest::mouseClick(W(u"cmdSay"), Qt::LeftButton);
    QCOMPARE(messages_.size(), 1U);
    QCOMPARE(messages_[0].parent, form_.get());
    QCOMPARE(messages_[0].caption + messages_[0].text, "SampleHello there");
    QVERIFY(form_->isVisible());
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

  void endsWithItsExitCodeOnce_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("unload") << "cmdExit" << 0 << "";
    QTest::newRow("closed by the title bar") << "" << 0 << "";
    QTest::newRow("run-time error") << "cmdFail" << 1 << "Run-time error '6':\n\nOverflow";
  }

  void endsWithItsExitCodeOnce() {
    QFETCH(QString, button);
    QFETCH(int, code);
    QFETCH(QString, message);
    QSignalSpy ended(form_.get(), &rt::qt::QtForm::ended);
    if (button.isEmpty()) {
      form_->close();
    } else {
      QTest::mouseClick(W(button.toStdU16String()), Qt::LeftButton);
    }
    form_->close();
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).toInt(), code);
    QVERIFY(!form_->isVisible());
    QCOMPARE(messages_.empty() ? QString() : messages_[0].text, message);
  }

  void failedLoadEndsBeforeTheWindowShows_data() {
    QTest::addColumn<bool>("run_time_error");
    QTest::addColumn<QString>("message");
    QTest::newRow("run-time error") << true << "Run-time error '11':\n\nDivision by zero";
    QTest::newRow("any other failure") << false << "no such entry in the drop-down list";
  }

  void failedLoadEndsBeforeTheWindowShows() {
    QFETCH(bool, run_time_error);
    QFETCH(QString, message);
    rt::forms::FormDesign design = SampleDesign();
    design.controls[2].items.resize(1);
    handlers_->fail_at_load = run_time_error;
    MakeForm(design);
    QVERIFY(!form_->Load());
    QCOMPARE(form_->exitCode(), rt::qt::kRunTimeErrorExitCode);
    QCOMPARE(messages_.back().text, message);
  }

  void rejectsDesignsItCannotBuild() {
    rt::forms::FormDesign design = SampleDesign();
    design.controls.pop_back();
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, MakeForm(design));
    design = SampleDesign();
    design.lines.push_back({u"Slope", 0, 0, 300, 300, 1});
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, MakeForm(design));
    design = SampleDesign();
    design.controls.push_back(design.controls.front());
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, MakeForm(design));
  }

  void modalMessageHasOneOkButtonAndNoIcon() {
    QString seen;
    QTimer::singleShot(0, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        seen = box->windowTitle() + "|" + box->text() + "|" + QString::number(box->icon()) + "|" +
               QString::number(box->standardButtons());
        box->accept();
      }
    });
    rt::qt::ShowModalMessage(nullptr, QStringLiteral("Sample"), QStringLiteral("Hello."));
    QCOMPARE(seen,
             QStringLiteral("Sample|Hello.|%1|%2").arg(QMessageBox::NoIcon).arg(QMessageBox::Ok));
  }

 private:
  QWidget* W(std::u16string_view name, std::optional<int> index = std::nullopt) {
    return form_->widgetOf(name, index);
  }
  void MakeForm(const rt::forms::FormDesign& design) {
    form_.reset();
    messages_.clear();
    form_ = std::make_unique<rt::qt::QtForm>(design, *handlers_, SampleApp());
    form_->SetMessageBox([this](QWidget* parent, const QString& caption, const QString& text) {
      messages_.push_back({parent, caption, text});
    });
  }

  std::unique_ptr<SampleHandlers> handlers_;
  std::vector<Message> messages_;
  std::unique_ptr<rt::qt::QtForm> form_;
};

QTEST_MAIN(QtFormTest)
#include "qt_form_test.moc"
