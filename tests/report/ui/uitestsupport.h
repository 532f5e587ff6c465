// Shared by the tests of the report engine's windows: screenshots into the build
// directory, showing a window, clicking a button, and tables of cases read from
// data/*.txt (see Table below).
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QRect>
#include <QString>
#include <QTimer>
#include <QTest>
#include <QWidget>

namespace uitest {

// Grabs `widget` into <build>/screenshots/<name>.png; the path, or empty on failure.
inline QString Screenshot(QWidget* widget, const QString& name) {
  const QString dir = QStringLiteral(REPORTUI_SCREENSHOT_DIR);
  QDir().mkpath(dir);
  const QString path = dir + u'/' + name + QStringLiteral(".png");
  return widget->grab().save(path) ? path : QString();
}

inline QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Ends a modal dialog still up after 10 s: a test fails instead of hanging.
inline void NeverHang() {
  QTimer::singleShot(10000, [] {
    if (auto* w = qobject_cast<QDialog*>(QApplication::activeModalWidget())) w->done(-1);
  });
}

inline void ShowActive(QWidget* w) {
  w->show();
  w->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(w));
}

// The button among `parent`'s children whose text is `text`, or nullptr.
template <typename Button = QAbstractButton>
Button* ButtonWithText(QWidget* parent, const QString& text) {
  for (Button* b : parent->findChildren<Button*>())
    if (b->text() == text) return b;
  return nullptr;
}

// Clicks a button; a check box on its indicator (its centre may lie past its text).
inline void Click(QAbstractButton* button) {
  QVERIFY(button);
  const bool box = button->inherits("QCheckBox") || button->inherits("QRadioButton");
  QTest::mouseClick(button, Qt::LeftButton, {}, box ? QPoint(8, button->height() / 2) : button->rect().center());
}

// One case of a table: its fields by the column names of the table's header.
struct Row {
  QHash<QString, QString> f;
  QString str(const QString& c) const { return f.value(c); }
  int num(const QString& c) const { return f.value(c).toInt(); }
  bool flag(const QString& c) const { return f.value(c) == QStringLiteral("yes"); }
  // Texts split at ';' (none for an empty field), numbers split at blanks.
  QStringList list(const QString& c) const { return f.value(c).split(u';', Qt::SkipEmptyParts); }
  QList<int> nums(const QString& c) const {
    QList<int> out;
    for (const QString& s : f.value(c).split(u' ', Qt::SkipEmptyParts)) out.append(s.toInt());
    return out;
  }
  QPoint point(const QString& c) const { return QPoint(nums(c).value(0), nums(c).value(1)); }
  QRect rect(const QString& c) const { return QRect(point(c), QSize(nums(c).value(2), nums(c).value(3))); }
};

}  // namespace uitest

Q_DECLARE_METATYPE(uitest::Row)

namespace uitest {

// Adds the rows of section [<test function>] of data/<file> to the running
// _data() function as one column "row". A section's first line names the
// columns, the first being the row's name; fields are split at '|' and trimmed;
// "\n" and "\r" in a field stand for line breaks, "\s" for a blank kept at its
// ends; '#' starts a comment line.
inline void Table(const QString& file) {
  QFile in(QStringLiteral(REPORTUI_TEST_DATA) + u'/' + file);
  QVERIFY2(in.open(QIODevice::ReadOnly), qPrintable(in.fileName()));
  QTest::addColumn<Row>("row");
  const QString section = u'[' + QString::fromLatin1(QTest::currentTestFunction()) + u']';
  bool inside = false;
  QStringList header;
  int rows = 0;
  for (const QString& raw : QString::fromUtf8(in.readAll()).split(u'\n')) {
    const QString line = raw.trimmed();
    if (line.startsWith(u'[')) {
      inside = line == section;
      header.clear();
      continue;
    }
    if (!inside || line.isEmpty() || line.startsWith(u'#')) continue;
    QStringList fields = line.split(u'|');
    for (QString& s : fields)
      s = s.trimmed()
              .replace(QStringLiteral("\\n"), QStringLiteral("\n"))
              .replace(QStringLiteral("\\r"), QStringLiteral("\r"))
              .replace(QStringLiteral("\\s"), QStringLiteral(" "));
    if (header.isEmpty()) {
      header = fields;
      continue;
    }
    Row row;
    for (int i = 1; i < header.size(); ++i) row.f.insert(header[i], fields.value(i));
    QTest::newRow(qPrintable(fields[0])) << row;
    ++rows;
  }
  QVERIFY2(rows > 0, qPrintable(section));
}

inline Row FetchRow() {
  QFETCH(Row, row);
  return row;
}

}  // namespace uitest
