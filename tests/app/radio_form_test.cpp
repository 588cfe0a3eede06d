// The stream entry window offscreen: it shows the entry's address and title,
// OK saves both as typed and Cancel changes nothing.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/radio_form.h"
#include "app_window_fixture.h"

class RadioFormTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void OkSavesTheFieldsAsTypedAndCancelChangesNothing();
};

void RadioFormTest::OkSavesTheFieldsAsTypedAndCancelChangesNothing() {
  AppWindowFixture fixture;
  auto& entries = fixture.core.playlist.PlaylistEntries;
  entries = {"/music/a.mp3", "http://radio.example/live|Old title"};
  TRadio_Form form(fixture.core, &fixture.window);

  // The window is modal: it is answered from the event loop once shown.
  QTimer::singleShot(0, &form, [&form] {
    QCOMPARE(form.windowTitle(), QStringLiteral("정보"));
    QCOMPARE(form.Edit1()->text(), QStringLiteral("http://radio.example/live"));
    QCOMPARE(form.Edit2()->text(), QStringLiteral("Old title"));
    QCOMPARE(form.Edit1()->selectedText(), form.Edit1()->text());
    form.Edit2()->setText(QStringLiteral(" New | title "));
    form.reject();
  });
  QVERIFY(!form.EditEntry(1));
  QCOMPARE(entries[1], std::string("http://radio.example/live|Old title"));

  QTimer::singleShot(0, &form, [&form] {
    form.Edit1()->setText(QStringLiteral("http://other.example/x"));
    form.Edit2()->setText(QStringLiteral(" New | title "));
    form.accept();
  });
  QVERIFY(form.EditEntry(1));
  QCOMPARE(entries[1], std::string("http://other.example/x| New | title "));
  QCOMPARE(form.RetrieveButton()->toolTip(), QStringLiteral("Retrieve official title..."));
}

QTEST_MAIN(RadioFormTest)
#include "radio_form_test.moc"
